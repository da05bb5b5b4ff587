#include "main/dialogs/FramelessResize_p.h"

#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>

#include <algorithm>
#include <climits>

namespace FramelessResize {

bool IsCorner(int direction)
{
    return direction == (Top | Right) || direction == (Bottom | Right) || direction == (Top | Left)
        || direction == (Bottom | Left);
}

int HitEdges(
    const QPoint& topLeft, const QPoint& bottomRight, const QPoint& pos, int margin, bool vertical, bool horizontal)
{
    auto near = [margin](int value, int edge) { return edge - margin < value && value < edge + margin; };
    int direction = None;
    if (vertical) {
        if (near(pos.y(), topLeft.y()))
            direction |= Top;
        else if (near(pos.y(), bottomRight.y()))
            direction |= Bottom;
    }
    if (horizontal) {
        if (near(pos.x(), topLeft.x()))
            direction |= Left;
        else if (near(pos.x(), bottomRight.x()))
            direction |= Right;
    }
    return direction;
}

int CombineMargins(int edgeDirection, int cornerDirection)
{
    return IsCorner(cornerDirection) ? cornerDirection : edgeDirection;
}

Qt::CursorShape CursorShapeFor(int direction)
{
    switch (direction) {
    case Top:
    case Bottom:
        return Qt::SizeVerCursor;
    case Right:
    case Left:
        return Qt::SizeHorCursor;
    case Top | Right:
    case Bottom | Left:
        return Qt::SizeBDiagCursor;
    case Bottom | Right:
    case Top | Left:
        return Qt::SizeFDiagCursor;
    default:
        return Qt::ArrowCursor;
    }
}

QRect ResizedGeometry(
    const QRect& geometry, int direction, const QPoint& pos, const QSize& minimum, int rightExtra, int bottomExtra)
{
    int x = geometry.x();
    int y = geometry.y();
    int w = geometry.width();
    int h = geometry.height();

    if (direction & Right) {
        w = std::max(minimum.width(), pos.x() - x + rightExtra);
    } else if (direction & Left) {
        w += x - pos.x();
        x = pos.x();
        if (w < minimum.width()) {
            w = minimum.width();
            x = geometry.x() + geometry.width() - minimum.width();
        }
    }

    if (direction & Bottom) {
        h = std::max(minimum.height(), pos.y() - y + bottomExtra);
    } else if (direction & Top) {
        h += y - pos.y();
        y = pos.y();
        if (h < minimum.height()) {
            h = minimum.height();
            y = geometry.y() + geometry.height() - minimum.height();
        }
    }
    return QRect(x, y, w, h);
}

QRect AvailableGeometryAt(const QPoint& pos)
{
    if (const QScreen* screen = QGuiApplication::screenAt(pos))
        return screen->availableGeometry();
    // Above or beside every screen (a window dragged off the top): the nearest one, as the window
    // system would put the window back there.
    const QScreen* nearest = QGuiApplication::primaryScreen();
    long long best = LLONG_MAX;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->geometry();
        const long long dx = std::max({area.left() - pos.x(), 0, pos.x() - area.right()});
        const long long dy = std::max({area.top() - pos.y(), 0, pos.y() - area.bottom()});
        const long long distance = dx * dx + dy * dy;
        if (distance < best) {
            best = distance;
            nearest = screen;
        }
    }
    return nearest ? nearest->availableGeometry() : QRect();
}

void SetOverrideCursor(bool& pushed, Qt::CursorShape shape)
{
    if (pushed) {
        QGuiApplication::changeOverrideCursor(QCursor(shape));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(shape));
        pushed = true;
    }
}

void ClearOverrideCursor(bool& pushed)
{
    if (!pushed)
        return;
    QGuiApplication::restoreOverrideCursor();
    pushed = false;
}

} // namespace FramelessResize
