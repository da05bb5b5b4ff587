#include "tests/x11/XTestPointer.h"

#include <QtTest/QTest>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cmath>

namespace {
Display* AsDisplay(void* display)
{
    return static_cast<Display*>(display);
}

// Lets the xcb platform read the event and Qt deliver it; the tests still wait for what they check,
// since a loaded machine may take longer.
constexpr int kSettleMilliseconds = 30;
constexpr int kDragSteps = 3;
} // namespace

XTestPointer::XTestPointer(double scale)
    : m_scale(scale)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(display);
        return;
    }
    m_display = display;
}

XTestPointer::~XTestPointer()
{
    if (m_display)
        XCloseDisplay(AsDisplay(m_display));
}

void XTestPointer::MoveTo(const QPoint& logical)
{
    const int x = static_cast<int>(std::lround(logical.x() * m_scale));
    const int y = static_cast<int>(std::lround(logical.y() * m_scale));
    XTestFakeMotionEvent(AsDisplay(m_display), -1, x, y, CurrentTime);
    Settle();
}

void XTestPointer::Press()
{
    XTestFakeButtonEvent(AsDisplay(m_display), Button1, True, CurrentTime);
    Settle();
}

void XTestPointer::Release()
{
    XTestFakeButtonEvent(AsDisplay(m_display), Button1, False, CurrentTime);
    Settle();
}

void XTestPointer::Drag(const QPoint& from, const QPoint& to)
{
    MoveTo(from);
    Press();
    for (int step = 1; step <= kDragSteps; ++step)
        MoveTo(from + (to - from) * step / kDragSteps);
    Release();
}

void XTestPointer::Settle()
{
    XSync(AsDisplay(m_display), False);
    QTest::qWait(kSettleMilliseconds);
}
