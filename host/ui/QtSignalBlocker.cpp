#include "host/ui/QtSignalBlocker.h"

#include "host/doc/Exceptions.h"

#include <QtCore/QObject>

#include <algorithm>

namespace {
constexpr const char* SourcePath = "host/ui/QtSignalBlocker";
}

QtSignalBlocker::QtSignalBlocker(QObject* object)
    : QtSignalBlocker({object})
{
}

QtSignalBlocker::QtSignalBlocker(std::initializer_list<QObject*> objects)
{
    ZEL_LOGIC_CHECK(SourcePath, std::none_of(objects.begin(), objects.end(), [](QObject* o) { return o == nullptr; }));
    m_entries.reserve(objects.size());
    for (QObject* object : objects)
        m_entries.push_back({object, object->blockSignals(true)});
}

QtSignalBlocker::~QtSignalBlocker()
{
    Unblock();
}

void QtSignalBlocker::Unblock()
{
    // In reverse, so that an object listed twice ends in the state it had before the first entry.
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        if (it->object)
            it->object->blockSignals(it->wasBlocked);
    }
    m_entries.clear();
}
