#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtCore/QPointer>

#include <initializer_list>
#include <vector>

class QObject;

// Blocks the signals of the listed objects for its lifetime and then gives each back the state
// it had before, so blockers nest and an object that was already blocked stays blocked. An
// object destroyed in the meantime is skipped. A null object raises the logic exception before
// anything is blocked.
class ZELHOST_UI_EXPORT QtSignalBlocker
{
public:
    explicit QtSignalBlocker(QObject* object);
    QtSignalBlocker(std::initializer_list<QObject*> objects);
    ~QtSignalBlocker();

    QtSignalBlocker(const QtSignalBlocker&) = delete;
    QtSignalBlocker& operator=(const QtSignalBlocker&) = delete;

    // Restores the objects now rather than at the end of the scope.
    void Unblock();

private:
    struct Entry
    {
        QPointer<QObject> object;
        bool wasBlocked;
    };
    std::vector<Entry> m_entries;
};
