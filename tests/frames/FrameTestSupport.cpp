#include "FrameTestSupport.h"

#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtGui/QScreen>
#include <QtGui/QWindow>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QWidget>

namespace FrameTest {

TestFrame::TestFrame()
    : ZelvarFramelessDialog(nullptr, true)
{
    setWindowTitle(QStringLiteral("Frame under test"));
    setGeometry(50, 40, 300, 200);
}

LegacyFrame::LegacyFrame(bool bottomStrip, bool rightStrip)
    : ZelvarFramelessDialog_Deprecated(nullptr)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    m_title = new QWidget(this);
    m_title->setFixedHeight(30);
    m_body = new QWidget(this);
    m_body->setMinimumSize(120, 80);
    grid->addWidget(m_title, 0, 0);
    grid->addWidget(m_body, 1, 0);
    if (rightStrip) {
        m_right = new QWidget(this);
        grid->addWidget(m_right, 0, 1, 2, 1);
    }
    if (bottomStrip) {
        m_bottom = new QWidget(this);
        grid->addWidget(m_bottom, 2, 0, 1, 2);
    }
    resize(300, 200);
}

QRect Dragged(QRect g, int direction, const QPoint& to, const QPoint& beyond)
{
    if (direction & 8)
        g.setLeft(to.x());
    if (direction & 2)
        g.setWidth(to.x() - g.x() + beyond.x());
    if (direction & 1)
        g.setTop(to.y());
    if (direction & 4)
        g.setHeight(to.y() - g.y() + beyond.y());
    return g;
}

Mouse::Mouse(QWidget& window)
    : m_window(window)
{
}

void Mouse::Send(Action action, const QPoint& global)
{
    QWindow* window = m_window.windowHandle();
    const QPoint local = global - m_window.geometry().topLeft();
    if (!local.isNull()) {
        if (action == MoveAction)
            QTest::mouseMove(window, local);
        else if (action == PressAction)
            QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, local);
        else
            QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, local);
        return;
    }
    // QTest reads a null position as the middle of the window, yet the window's own origin is
    // where the pointer ends after dragging the top-left corner. That one position takes the step
    // QTest itself would take, with QTest's own button state and clock.
    using QTestPrivate::qtestMouseButtons;
    QEvent::Type type = QEvent::MouseMove;
    Qt::MouseButton button = Qt::NoButton;
    if (action == PressAction) {
        type = QEvent::MouseButtonPress;
        button = Qt::LeftButton;
        qtestMouseButtons.setFlag(Qt::LeftButton, true);
    } else if (action == ReleaseAction) {
        type = QEvent::MouseButtonRelease;
        button = Qt::LeftButton;
        qtestMouseButtons.setFlag(Qt::LeftButton, false);
    }
    qt_handleMouseEvent(window, QPointF(local), window->mapToGlobal(local), qtestMouseButtons, button, type,
        Qt::NoModifier, ++QTest::lastMouseTimestamp);
    if (action == ReleaseAction)
        QTest::lastMouseTimestamp += QTest::mouseDoubleClickInterval;
    qApp->processEvents();
}

void Mouse::Enter(const QPoint& global)
{
    QTest::mouseMove(&m_window, m_window.mapFromGlobal(global));
    // The offscreen platform misses the enter when Qt scales the screen (QT_SCALE_FACTOR), so the
    // enter it would have sent goes through the application here.
    if (!m_window.underMouse()) {
        const QPointF local = m_window.mapFromGlobal(global);
        QEnterEvent enter(local, local, QPointF(global));
        QApplication::sendEvent(&m_window, &enter);
    }
    Move(global);
}

void Mouse::Move(const QPoint& global)
{
    Send(MoveAction, global);
}

void Mouse::Press(const QPoint& global)
{
    Send(PressAction, global);
}

void Mouse::Release(const QPoint& global)
{
    Send(ReleaseAction, global);
}

void Mouse::Drag(const QPoint& from, const QPoint& to)
{
    Move(from);
    Press(from);
    Move(to);
    Release(to);
}

int OverrideCursorShape()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? static_cast<int>(cursor->shape()) : -1;
}

QRect AvailableArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

bool ShowAndWait(QWidget& window)
{
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

bool PressReachesBaseHandler(QWidget& window, const QPoint& global)
{
    const QPointF local = window.mapFromGlobal(global);
    QMouseEvent press(
        QEvent::MouseButtonPress, local, local, QPointF(global), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &press);
    QMouseEvent release(
        QEvent::MouseButtonRelease, local, local, QPointF(global), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &release);
    return !press.isAccepted();
}

} // namespace FrameTest
