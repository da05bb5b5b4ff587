#include "tests/support/ZelTestCase.h"

#include "host/doc/Preferences.h"
#include "host/doc/RefCnt.h"

#include <QtCore/QCoreApplication>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

namespace ZelTest {

namespace {
// The suites are written for Qt's offscreen screen (fixed geometry, no window manager). ctest sets
// it; this makes `build/bin/<Suite> <function>` behave the same when run by hand. Runs before
// QTEST_MAIN makes the application, since every suite links this file. QT_QPA_PLATFORM=xcb (or
// any other) still picks a real screen.
const bool g_offscreenByDefault = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
}();

// Windows that Qt keeps for reuse once shown (tool tips) are not leaks of the code under test.
bool IsToolkitOwnedWindow(const QWidget* w)
{
    return w->windowType() == Qt::ToolTip || w->inherits("QTipLabel") || w->inherits("QDesktopWidget");
}
} // namespace

ZelTestCase::ZelTestCase(QObject* parent)
    : QObject(parent)
{
    // Made once for the process; touching it here keeps it out of every test's count.
    SessionContext::Get();
}

long ZelTestCase::BaselineLiveInstances()
{
    return RefCntObject::LiveInstanceCount();
}

void FlushDeferredDeletes()
{
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

void ZelTestCase::init()
{
    FlushDeferredDeletes();
    m_liveAtStart = RefCntObject::LiveInstanceCount();
    m_topLevelsAtStart.clear();
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        for (QWidget* w : QApplication::topLevelWidgets())
            m_topLevelsAtStart.insert(w);
}

void ZelTestCase::cleanup()
{
    FlushDeferredDeletes();
    QStringList leakedWidgets;
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!m_topLevelsAtStart.contains(w) && !IsToolkitOwnedWindow(w))
                leakedWidgets << QStringLiteral("%1 '%2'").arg(
                    QString::fromLatin1(w->metaObject()->className()), w->objectName());
        }
    }
    const long live = RefCntObject::LiveInstanceCount();
    if (live != m_liveAtStart)
        QTest::qFail(qPrintable(QStringLiteral("counted records leaked: %1 alive after the test, %2 before")
                                    .arg(live)
                                    .arg(m_liveAtStart)),
            __FILE__, __LINE__);
    else if (!leakedWidgets.isEmpty())
        QTest::qFail(
            qPrintable(QStringLiteral("top-level widgets left behind: ") + leakedWidgets.join(QStringLiteral(", "))),
            __FILE__, __LINE__);
}

} // namespace ZelTest
