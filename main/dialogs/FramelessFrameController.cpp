#include "main/dialogs/FramelessFrameController_p.h"

#include "host/ui/ZelvarDialog.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtGui/QScreen>

#include <algorithm>
#include <climits>
#include <utility>

namespace {

using FramelessResize::Direction;

// The thin margin that finds edges and the wider one that finds corners, in logical pixels; not
// scaled, so that grabbing does not get harder on a dense screen.
constexpr int EdgeMargin = 8;
constexpr int CornerMargin = 14;

bool IsCorner(Direction direction)
{
    return direction == FramelessResize::TopRight || direction == FramelessResize::BottomRight
        || direction == FramelessResize::TopLeft || direction == FramelessResize::BottomLeft;
}

// The available area of the screen that holds `pos`, else of the screen nearest to it.
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

// The smallest size the user may drag the dialog to: its minimum size where one is set, else what
// its layout needs.
QSize MinimumDragSize(const QWidget& dialog)
{
    const QSize hint = dialog.minimumSizeHint();
    return QSize(dialog.minimumWidth() != 0 ? dialog.minimumWidth() : hint.width(),
        dialog.minimumHeight() != 0 ? dialog.minimumHeight() : hint.height());
}

// One axis of a resize, as start and length: a dragged far edge (right or bottom) lands `farExtra`
// beyond the pointer; a dragged near edge (left or top) lands on it, unless that leaves less than
// `minimum`, in which case the far edge stays where it was.
std::pair<int, int> ResizedSpan(
    int start, int length, int pointer, int minimum, bool nearEdge, bool farEdge, int farExtra)
{
    if (farEdge)
        return {start, std::max(minimum, pointer - start + farExtra)};
    if (!nearEdge)
        return {start, length};
    const int end = start + length;
    if (end - pointer < minimum)
        return {end - minimum, minimum};
    return {pointer, end - pointer};
}

} // namespace

FramelessFrameController::FramelessFrameController(ZelvarDialog& dialog, Rules rules)
    : m_dialog(dialog)
    , m_rules(std::move(rules))
{
}

FramelessFrameController::~FramelessFrameController()
{
    // A dialog destroyed while shown gets no hideEvent of its own (the QWidget base hides it after
    // the frame is gone), so the filter and the cursor are given back here.
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(&m_dialog);
    SetDragCursor(FramelessResize::None);
}

void FramelessFrameController::SetResizable(Qt::Orientation orientation, bool resizable)
{
    m_resizable.setFlag(orientation, resizable);
}

bool FramelessFrameController::IsResizing() const
{
    return m_resizeDirection != FramelessResize::None;
}

Direction FramelessFrameController::ResizeDirectionAt(const QPoint& pos) const
{
    const QRect frame = m_dialog.geometry().marginsRemoved(m_rules.hitTestInset);
    if (!m_dialog.underMouse() || !frame.contains(pos))
        return FramelessResize::None;
    const QPoint topLeft = frame.topLeft();
    const QPoint bottomRight(frame.x() + frame.width(), frame.y() + frame.height());
    const Direction corner = EdgesWithin(topLeft, bottomRight, pos, CornerMargin);
    return IsCorner(corner) ? corner : EdgesWithin(topLeft, bottomRight, pos, EdgeMargin);
}

Direction FramelessFrameController::EdgesWithin(
    const QPoint& topLeft, const QPoint& bottomRight, const QPoint& pos, int margin) const
{
    if (m_dialog.IsSizeFixed())
        return FramelessResize::None;
    auto near = [margin](int value, int edge) { return edge - margin < value && value < edge + margin; };
    int direction = FramelessResize::None;
    if (m_resizable.testFlag(Qt::Vertical)) {
        if (near(pos.y(), topLeft.y()))
            direction |= FramelessResize::Top;
        else if (near(pos.y(), bottomRight.y()))
            direction |= FramelessResize::Bottom;
    }
    if (m_resizable.testFlag(Qt::Horizontal)) {
        if (near(pos.x(), topLeft.x()))
            direction |= FramelessResize::Left;
        else if (near(pos.x(), bottomRight.x()))
            direction |= FramelessResize::Right;
    }
    return static_cast<Direction>(direction);
}

Qt::CursorShape FramelessFrameController::CursorShapeFor(Direction direction)
{
    switch (direction) {
    case FramelessResize::Top:
    case FramelessResize::Bottom:
        return Qt::SizeVerCursor;
    case FramelessResize::Right:
    case FramelessResize::Left:
        return Qt::SizeHorCursor;
    case FramelessResize::TopRight:
    case FramelessResize::BottomLeft:
        return Qt::SizeBDiagCursor;
    case FramelessResize::BottomRight:
    case FramelessResize::TopLeft:
        return Qt::SizeFDiagCursor;
    default:
        return Qt::ArrowCursor;
    }
}

void FramelessFrameController::SetDragCursor(Direction direction)
{
    if (direction != FramelessResize::None) {
        const QCursor cursor(CursorShapeFor(direction));
        if (m_overrideCursor)
            QGuiApplication::changeOverrideCursor(cursor);
        else
            QGuiApplication::setOverrideCursor(cursor);
        m_overrideCursor = true;
    } else if (m_overrideCursor) {
        // Only a cursor pushed here is popped, and only once: another one may lie beneath it.
        QGuiApplication::restoreOverrideCursor();
        m_overrideCursor = false;
    }
}

void FramelessFrameController::ResizeGeometry(const QPoint& pos)
{
    const QRect geometry = m_dialog.geometry();
    const QSize minimum = MinimumDragSize(m_dialog);
    const auto [x, w] = ResizedSpan(geometry.x(), geometry.width(), pos.x(), minimum.width(),
        m_resizeDirection & FramelessResize::Left, m_resizeDirection & FramelessResize::Right, m_rules.rightDragExtra);
    const auto [y, h] = ResizedSpan(geometry.y(), geometry.height(), pos.y(), minimum.height(),
        m_resizeDirection & FramelessResize::Top, m_resizeDirection & FramelessResize::Bottom, m_rules.bottomDragExtra);

    // The top edge gives way to the screen; the bottom edge stays where the drag put it.
    const QPoint snapped = SnapTopPointToScreen(QPoint(x, y));
    m_dialog.setGeometry(snapped.x(), snapped.y(), w, h + (y - snapped.y()));
}

QPoint FramelessFrameController::SnapTopPointToScreen(const QPoint& point) const
{
    const QRect available = AvailableGeometryAt(point);
    const int lowest = m_rules.lowestTop(available, m_rules.titleBar());
    QPoint snapped = point;
    if (snapped.y() < available.top())
        snapped.setY(available.top());
    else if (snapped.y() > lowest)
        snapped.setY(lowest);
    return snapped;
}

void FramelessFrameController::HandleApplicationEvent(QObject* watched, QEvent* event)
{
    // Only events sent to widgets count: each mouse event also passes once for the window that
    // received it first.
    if (!watched || !watched->isWidgetType())
        return;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const Direction direction = ResizeDirectionAt(static_cast<QMouseEvent*>(event)->globalPos());
        if (direction != FramelessResize::None) {
            m_resizeDirection = direction;
            SetDragCursor(direction);
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (IsResizing()) {
            m_resizeDirection = FramelessResize::None;
            SetDragCursor(FramelessResize::None);
        }
        break;
    case QEvent::MouseMove: {
        const QPoint pos = static_cast<QMouseEvent*>(event)->globalPos();
        if (IsResizing())
            ResizeGeometry(pos);
        else
            SetDragCursor(ResizeDirectionAt(pos));
        break;
    }
    case QEvent::Leave:
        // A pointer that leaves the window for one of another program moves no more over this
        // application, so no move would take the edge's cursor away. During a resize the pointer is
        // grabbed and the release ends it.
        if (watched == &m_dialog && !IsResizing())
            SetDragCursor(FramelessResize::None);
        break;
    default:
        break;
    }
}

bool FramelessFrameController::HandleMousePress(const QMouseEvent& event)
{
    // The application filter has seen this press first: on an edge, a resize is already under way.
    if (IsResizing())
        return false;
    const QWidget* titleBar = m_rules.titleBar();
    if (!titleBar)
        return !m_rules.pressNeedsTitleBar;
    const QRect titleRect(titleBar->mapToGlobal(QPoint(0, 0)), titleBar->size());
    m_titleDrag = titleRect.contains(event.globalPos());
    m_dragOffset = event.globalPos() - m_dialog.mapToGlobal(QPoint(0, 0));
    return true;
}

void FramelessFrameController::HandleMouseMove(const QMouseEvent& event)
{
    if (m_titleDrag)
        m_dialog.move(SnapTopPointToScreen(event.globalPos() - m_dragOffset));
}

void FramelessFrameController::HandleMouseRelease()
{
    m_titleDrag = false;
}

void FramelessFrameController::HandleShow()
{
    QCoreApplication::instance()->installEventFilter(&m_dialog);
}

void FramelessFrameController::HandleHide()
{
    QCoreApplication::instance()->removeEventFilter(&m_dialog);
    m_resizeDirection = FramelessResize::None;
    m_titleDrag = false;
    SetDragCursor(FramelessResize::None);
}
