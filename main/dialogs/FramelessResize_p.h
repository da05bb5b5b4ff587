#pragma once

#include <QtCore/QEvent>
#include <QtCore/QObject>
#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtCore/QSize>
#include <QtGui/QMouseEvent>

// What the frameless dialog frames share: the edge hit test, the resize cursor and its override
// on the application, and the new geometry for a drag of an edge. The values of a direction are
// those of the frames' ResizeDirection: 1 top, 2 right, 4 bottom, 8 left, corners the sums.
namespace FramelessResize {

enum : int
{
    None = 0,
    Top = 1,
    Right = 2,
    Bottom = 4,
    Left = 8,
};

// The thin margin that finds edges and the wider one that finds corners, in logical pixels; not
// scaled, so that grabbing does not get harder on a dense screen.
constexpr int EdgeMargin = 8;
constexpr int CornerMargin = 14;

bool IsCorner(int direction);

// The edges within `margin` of `pos` on either side (exclusive), top before bottom and left before
// right; `bottomRight` is one past the last pixel.
int HitEdges(
    const QPoint& topLeft, const QPoint& bottomRight, const QPoint& pos, int margin, bool vertical, bool horizontal);

// A corner found with the wide margin wins over whatever the narrow margin found.
int CombineMargins(int edgeDirection, int cornerDirection);

Qt::CursorShape CursorShapeFor(int direction);

// The geometry after the edges in `direction` were dragged to `pos`, not below `minimum`: a
// dragged left or top edge that hits the minimum stops with the opposite edge where it was. The
// right and bottom edges land `rightExtra` and `bottomExtra` pixels beyond `pos`. Not snapped.
QRect ResizedGeometry(
    const QRect& geometry, int direction, const QPoint& pos, const QSize& minimum, int rightExtra, int bottomExtra);

// The available area of the screen that holds `pos`, else of the screen nearest to it.
QRect AvailableGeometryAt(const QPoint& pos);

// The application override cursor of one frame. `pushed` is the frame's flag: a frame pops only a
// cursor it pushed, and never twice. Set pushes the shape, or changes it when already pushed.
void SetOverrideCursor(bool& pushed, Qt::CursorShape shape);
void ClearOverrideCursor(bool& pushed);

// The application event filter of both frames: a press on a margin starts a resize, a move
// resizes or lets the cursor follow the margins, a release ends the resize. Only events sent to
// widgets count: each mouse event also passes once for the window that received it first.
template <typename Frame>
void FilterMouseEvent(Frame& frame, QObject* watched, QEvent* event)
{
    if (!watched || !watched->isWidgetType())
        return;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        QPoint pos = static_cast<QMouseEvent*>(event)->globalPos();
        const auto direction = frame.GetResizeDirection(pos);
        if (direction != Frame::ResizeNone) {
            frame.m_resizeDirection = direction;
            frame.SetDragCursor(direction);
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (frame.IsResizingDialog()) {
            frame.m_resizeDirection = Frame::ResizeNone;
            frame.ClearDragCursor();
        }
        break;
    case QEvent::MouseMove: {
        QPoint pos = static_cast<QMouseEvent*>(event)->globalPos();
        if (frame.IsResizingDialog())
            frame.ResizeGeometry(pos);
        else
            frame.SetDragCursor(frame.GetResizeDirection(pos));
        break;
    }
    default:
        break;
    }
}

} // namespace FramelessResize
