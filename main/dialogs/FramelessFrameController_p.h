#pragma once

#include "main/dialogs/FramelessResize.h"

#include <QtCore/QMargins>
#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtCore/qnamespace.h>

#include <functional>

class QEvent;
class QMouseEvent;
class QObject;
class QWidget;
class ZelvarDialog;

// The mouse behaviour of a frameless dialog frame, one per frame and owned by it: resizing by any
// edge or corner, seen through an application event filter, with the matching application override
// cursor; dragging the window by its title bar; keeping the title bar on its screen.
//
// The frame itself is the filter (its eventFilter is part of its interface): its eventFilter, mouse,
// show and hide handlers pass each event here first and then call their base handlers. Showing
// installs the filter and hiding removes it. At most one override cursor is pushed, and it is
// popped on release, on hide and at the latest when this object goes with its frame. No commands.
class FramelessFrameController
{
public:
    // What sets one frame apart; the frame gives its own when it makes its controller.
    struct Rules
    {
        // The widget that drags the window and is kept on screen, or null when there is none.
        std::function<QWidget*()> titleBar;
        // The lowest top the window may take within a screen's `available` area, with `titleBar`
        // the current one (may be null).
        std::function<int(const QRect& available, const QWidget* titleBar)> lowestTop;
        // Pixels along the window's sides that are not part of a resizable edge.
        QMargins hitTestInset;
        // How far beyond the pointer a dragged right or bottom edge lands.
        int rightDragExtra = 0;
        int bottomDragExtra = 0;
        // Without a title bar a press goes no further than here, the base handler included.
        bool pressNeedsTitleBar = false;
    };

    FramelessFrameController(ZelvarDialog& dialog, Rules rules);
    ~FramelessFrameController();
    FramelessFrameController(const FramelessFrameController&) = delete;
    FramelessFrameController& operator=(const FramelessFrameController&) = delete;

    // Both orientations are resizable until a frame says otherwise.
    void SetResizable(Qt::Orientation orientation, bool resizable);
    bool IsResizing() const;

    // The edges that a press at global `pos` would drag; a corner found within the wide margin
    // wins over whatever the narrow margin finds.
    FramelessResize::Direction ResizeDirectionAt(const QPoint& pos) const;
    // The resizable edges within `margin` of `pos` on either side (exclusive), top before bottom
    // and left before right; `bottomRight` is one past the last pixel.
    FramelessResize::Direction EdgesWithin(
        const QPoint& topLeft, const QPoint& bottomRight, const QPoint& pos, int margin) const;
    static Qt::CursorShape CursorShapeFor(FramelessResize::Direction direction);
    // Shows the resize cursor of `direction` over the whole application; None takes it away.
    void SetDragCursor(FramelessResize::Direction direction);
    // Drags the edges under way to `pos`, not below the dialog's minimum size: a left or top edge
    // that hits the minimum stops with the opposite edge where it was.
    void ResizeGeometry(const QPoint& pos);
    QPoint SnapTopPointToScreen(const QPoint& point) const;

    // Each handler comes before the frame's base handler; a press reports whether it goes on to it.
    void HandleApplicationEvent(QObject* watched, QEvent* event);
    bool HandleMousePress(const QMouseEvent& event);
    void HandleMouseMove(const QMouseEvent& event);
    void HandleMouseRelease();
    void HandleShow();
    void HandleHide();

private:
    ZelvarDialog& m_dialog;
    const Rules m_rules;
    Qt::Orientations m_resizable = Qt::Horizontal | Qt::Vertical;
    FramelessResize::Direction m_resizeDirection = FramelessResize::None;
    // Whether this controller has pushed an application override cursor (and so may pop one).
    bool m_overrideCursor = false;
    bool m_titleDrag = false;
    // The press's global position minus the dialog's global top-left.
    QPoint m_dragOffset;
};
