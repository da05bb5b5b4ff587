#include "tests/fuzz/FuzzSupport.h"

#include "host/doc/Preferences.h"
#include "host/doc/RefCnt.h"

#include <QtCore/QCoreApplication>
#include <QtWidgets/QApplication>

namespace ZelFuzz {

void StartApplication(int* argc, char*** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Lives as long as the process: libFuzzer leaves through exit(), and the records and widgets
    // the library keeps for the whole session must stay valid until then.
    static QApplication* application = new QApplication(*argc, *argv);
    (void)application;
    SessionContext::Get();
}

void Fail(const char* what)
{
    std::fprintf(stderr, "zelfuzz: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

LiveRecordCheck::LiveRecordCheck()
    : m_atStart(RefCntObject::LiveInstanceCount())
{
}

LiveRecordCheck::~LiveRecordCheck() noexcept(false)
{
    if (std::uncaught_exceptions() > 0)
        return;
    FlushEvents();
    const long live = RefCntObject::LiveInstanceCount();
    if (live != m_atStart) {
        std::fprintf(stderr, "zelfuzz: %ld counted records alive after the input, %ld before\n", live, m_atStart);
        Fail("counted records leaked");
    }
}

void FlushEvents()
{
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

} // namespace ZelFuzz
