#pragma once

#include <QtCore/QPoint>
#include <QtCore/QRect>

class QWidget;

namespace FrameTest {

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
