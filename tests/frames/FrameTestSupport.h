#pragma once

#include "main/dialogs/ZelvarFramelessDialog.h"
#include "main/dialogs/ZelvarFramelessDialog_Deprecated.h"

#include <QtCore/QPoint>
#include <QtCore/QRect>

class QWidget;

namespace FrameTest {

// The frameless frame at 300 x 200 with a title, its protected controls open to the tests.
class TestFrame : public ZelvarFramelessDialog
{
public:
    TestFrame();
    using ZelvarFramelessDialog::AllowHorizontalResize;
    using ZelvarFramelessDialog::AllowVerticalResize;
    using ZelvarFramelessDialog::IsResizingDialog;
    using ZelvarFramelessDialog::SnapTopPointToScreen;
};

// A legacy frame as the host's older dialogs build one: a title bar 30 high over the body, the
// right strip beside both, the bottom strip under everything; 300 x 200.
class LegacyFrame : public ZelvarFramelessDialog_Deprecated
{
public:
    LegacyFrame(bool bottomStrip, bool rightStrip);

    QWidget* GetTitleBarWidget() const override { return m_title; }
    QWidget* GetBodyWidget() const override { return m_body; }
    QWidget* GetBottomShadowWidget() const override { return m_bottom; }
    QWidget* GetRightShadowWidget() const override { return m_right; }

    using ZelvarFramelessDialog_Deprecated::SnapTopPointToScreen;
    // From now on hands out no title bar, as a subclass without one does.
    void DropTitleBar() { m_title = nullptr; }

private:
    QWidget* m_title = nullptr;
    QWidget* m_body = nullptr;
    QWidget* m_bottom = nullptr;
    QWidget* m_right = nullptr;
};

// The geometry after the edges of `direction` (1 top, 2 right, 4 bottom, 8 left) were dragged to
// `to`: a left or top edge lands on the pointer, a right or bottom edge `beyond` pixels past the
// pixel before it (the size is the distance plus `beyond`).
QRect Dragged(QRect g, int direction, const QPoint& to, const QPoint& beyond = {});

// Mouse input to one top-level window, in global coordinates. Presses, moves and releases go
// through QTest to the window's QWindow, so they take the application's whole path (event filters
// included) and reach the window even where the pointer is outside it, as a grabbed mouse does.
class Mouse
{
public:
    explicit Mouse(QWidget& window);

    // Puts the pointer over the window, which the window system reports with an enter event.
    void Enter(const QPoint& global);
    void Move(const QPoint& global);
    void Press(const QPoint& global);
    void Release(const QPoint& global);
    // Press at `from`, move to `to`, release there.
    void Drag(const QPoint& from, const QPoint& to);

private:
    enum Action
    {
        MoveAction,
        PressAction,
        ReleaseAction
    };
    void Send(Action action, const QPoint& global);

    QWidget& m_window;
};

// The shape of the application override cursor on top of the stack, -1 when there is none.
int OverrideCursorShape();
// The available area of the (only) offscreen screen.
QRect AvailableArea();
// Shows `window` and waits until it can take input.
bool ShowAndWait(QWidget& window);
// Sends a left press at `global` straight to `window` (the application's event filters see it
// first, as with any event), then the release. True when the press reached the window's base
// QWidget handler, which leaves a press ignored; false when the window's own handler stopped it.
bool PressReachesBaseHandler(QWidget& window, const QPoint& global);

} // namespace FrameTest
