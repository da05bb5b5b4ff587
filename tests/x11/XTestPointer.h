#pragma once

#include <QtCore/QPoint>

// The real pointer of the X server the test runs on, moved and clicked through the XTest
// extension: the events come from the server as a user's would, through the window system's
// pointer grab, enter and leave handling, and Qt's xcb platform. Positions are in Qt's logical
// global coordinates and are scaled to the server's pixels.
//
// Xlib stays inside the .cpp: its macros (None, Bool, CursorShape) clash with Qt's and ours.
class XTestPointer
{
public:
    // Opens its own connection to $DISPLAY; `scale` is the logical-to-device factor of the screen.
    explicit XTestPointer(double scale);
    ~XTestPointer();
    XTestPointer(const XTestPointer&) = delete;
    XTestPointer& operator=(const XTestPointer&) = delete;

    // False when there is no X server or it lacks the XTest extension.
    bool IsReady() const noexcept { return m_display != nullptr; }

    // Each call returns once the server has taken the event, and then lets the application handle
    // what it received.
    void MoveTo(const QPoint& logical);
    void Press();
    void Release();
    // Press at `from`, move to `to` in a few steps as a hand does, release there.
    void Drag(const QPoint& from, const QPoint& to);

private:
    void Settle();

    void* m_display = nullptr;
    double m_scale;
};
