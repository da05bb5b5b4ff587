#include "main/dialogs/ZelvarFramelessDialog_Deprecated.h"

#include "host/doc/Preferences.h"
#include "host/ui/ColorObjectUtil.h"
#include "host/ui/QtUtil.h"
#include "main/dialogs/FramelessResize_p.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QRegion>
#include <QtWidgets/QApplication>

namespace {
// The strips: a band under the window and a narrower one to its right.
constexpr int BottomShadowHeight = 3;
constexpr int RightShadowWidth = 2;
// Pixels beyond the pointer that a drag of the right or bottom edge leaves for the strips.
constexpr int RightDragExtra = 3;
constexpr int BottomDragExtra = 4;

QColor PreferenceColor(const wchar_t* key)
{
    return QColorFromColorObject(SessionContext::Get().GetIPreferences()->GetColor(TString(key)));
}

void ColorStrip(QWidget& widget, const QColor& foreground, const QColor& background)
{
    widget.setForegroundRole(QPalette::Shadow);
    QPalette palette = widget.palette();
    palette.setColor(widget.foregroundRole(), foreground);
    palette.setColor(widget.backgroundRole(), background);
    widget.setAutoFillBackground(true);
    widget.setPalette(palette);
}

void ColorShadow(QWidget& widget, const QColor& color)
{
    QPalette palette = widget.palette();
    palette.setColor(widget.backgroundRole(), color);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}
} // namespace

ZelvarFramelessDialog_Deprecated::ZelvarFramelessDialog_Deprecated(QWidget* parent)
    : ZelvarDialog(parent, Qt::FramelessWindowHint)
{
    // This class's own colour: a subclass's override is not callable yet.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ZelvarFramelessDialog_Deprecated::GetBackgroundColor());
    setPalette(palette);
    setAutoFillBackground(true);
    setSizeGripEnabled(false);
}

ZelvarFramelessDialog_Deprecated::~ZelvarFramelessDialog_Deprecated()
{
    // No hideEvent reaches this class when it is destroyed while shown.
    if (qApp)
        qApp->removeEventFilter(this);
    FramelessResize::ClearOverrideCursor(m_overrideCursor);
}

QColor ZelvarFramelessDialog_Deprecated::GetTitleBarBackgroundColor() const
{
    return GetBackgroundColor();
}

QColor ZelvarFramelessDialog_Deprecated::GetBackgroundColor() const
{
    return PreferenceColor(L"nonmodaldialog.background.color");
}

QColor ZelvarFramelessDialog_Deprecated::GetBorderColor() const
{
    return PreferenceColor(L"nonmodaldialog.border.color");
}

QColor ZelvarFramelessDialog_Deprecated::GetDropShadowColor() const
{
    return QColor(QStringLiteral("#D6D6D6"));
}

void ZelvarFramelessDialog_Deprecated::HandleBeforeShow(bool firstTime)
{
    ZelvarDialog::HandleBeforeShow(firstTime);
    if (!firstTime)
        return;

    if (QWidget* titleBar = GetTitleBarWidget())
        ColorStrip(*titleBar, GetBorderColor(), GetTitleBarBackgroundColor());
    if (QWidget* body = GetBodyWidget())
        ColorStrip(*body, GetBorderColor(), GetBackgroundColor());

    QWidget* bottomShadow = GetBottomShadowWidget();
    QWidget* rightShadow = GetRightShadowWidget();
    if (bottomShadow && rightShadow) {
        bottomShadow->setFixedHeight(BottomShadowHeight);
        rightShadow->setFixedWidth(RightShadowWidth);
        ColorShadow(*bottomShadow, GetDropShadowColor());
        ColorShadow(*rightShadow, GetDropShadowColor());
    }
    QtUtil::ComputeWidgetGeometry(this);
}

void ZelvarFramelessDialog_Deprecated::resizeEvent(QResizeEvent* event)
{
    if (GetBottomShadowWidget() && GetRightShadowWidget()) {
        // Cutting the corners where the strips begin makes them look cast by the window.
        QRegion mask(rect());
        mask -= QRect(width() - RightShadowWidth, 0, RightShadowWidth, BottomShadowHeight);
        mask -= QRect(0, height() - BottomShadowHeight, RightShadowWidth, BottomShadowHeight);
        setMask(mask);
    }
    ZelvarDialog::resizeEvent(event);
}

QPoint ZelvarFramelessDialog_Deprecated::SnapTopPointToScreen(const QPoint& point) const
{
    QRect available = FramelessResize::AvailableGeometryAt(point);
    if (const QWidget* titleBar = GetTitleBarWidget())
        available.setBottom(available.bottom() - titleBar->height());
    QPoint snapped = point;
    if (snapped.y() < available.top())
        snapped.setY(available.top());
    else if (snapped.y() > available.bottom())
        snapped.setY(available.bottom());
    return snapped;
}

ZelvarFramelessDialog_Deprecated::ResizeDirection ZelvarFramelessDialog_Deprecated::GetResizeDirection(
    QPoint& pos) const
{
    // The last column and the last two rows are the strips, not the window's edge.
    const QRect frame = geometry().adjusted(0, 0, -1, -2);
    if (!underMouse() || !frame.contains(pos))
        return ResizeNone;
    QPoint topLeft = frame.topLeft();
    QPoint bottomRight(frame.x() + frame.width(), frame.y() + frame.height());
    const ResizeDirection edge = GetResizeDirectionHelper(topLeft, bottomRight, pos, FramelessResize::EdgeMargin);
    const ResizeDirection corner = GetResizeDirectionHelper(topLeft, bottomRight, pos, FramelessResize::CornerMargin);
    return static_cast<ResizeDirection>(FramelessResize::CombineMargins(edge, corner));
}

ZelvarFramelessDialog_Deprecated::ResizeDirection ZelvarFramelessDialog_Deprecated::GetResizeDirectionHelper(
    QPoint& topLeft, QPoint& bottomRight, QPoint& pos, int margin) const
{
    if (IsSizeFixed())
        return ResizeNone;
    return static_cast<ResizeDirection>(FramelessResize::HitEdges(topLeft, bottomRight, pos, margin, true, true));
}

Qt::CursorShape ZelvarFramelessDialog_Deprecated::GetCursorType(ResizeDirection direction) const
{
    return FramelessResize::CursorShapeFor(direction);
}

void ZelvarFramelessDialog_Deprecated::SetDragCursor(ResizeDirection direction)
{
    if (direction == ResizeNone)
        FramelessResize::ClearOverrideCursor(m_overrideCursor);
    else
        FramelessResize::SetOverrideCursor(m_overrideCursor, GetCursorType(direction));
}

void ZelvarFramelessDialog_Deprecated::ClearDragCursor()
{
    SetDragCursor(ResizeNone);
}

bool ZelvarFramelessDialog_Deprecated::IsResizingDialog() const
{
    return m_resizeDirection != ResizeNone;
}

void ZelvarFramelessDialog_Deprecated::ResizeGeometry(QPoint& pos)
{
    const QSize minimum(minimumWidth() != 0 ? minimumWidth() : minimumSizeHint().width(),
        minimumHeight() != 0 ? minimumHeight() : minimumSizeHint().height());
    const QRect resized = FramelessResize::ResizedGeometry(
        geometry(), m_resizeDirection, pos, minimum, RightDragExtra, BottomDragExtra);
    const QPoint snapped = SnapTopPointToScreen(resized.topLeft());
    setGeometry(snapped.x(), snapped.y(), resized.width(), resized.height() + (resized.y() - snapped.y()));
}

bool ZelvarFramelessDialog_Deprecated::eventFilter(QObject* watched, QEvent* event)
{
    FramelessResize::FilterMouseEvent(*this, watched, event);
    return ZelvarDialog::eventFilter(watched, event);
}

void ZelvarFramelessDialog_Deprecated::mousePressEvent(QMouseEvent* event)
{
    const QWidget* titleBar = GetTitleBarWidget();
    if (IsResizingDialog() || !titleBar)
        return;
    const QRect titleRect(titleBar->mapToGlobal(QPoint(0, 0)), titleBar->size());
    m_titleDrag = titleRect.contains(event->globalPos());
    m_dragOffset = event->globalPos() - mapToGlobal(QPoint(0, 0));
    ZelvarDialog::mousePressEvent(event);
}

void ZelvarFramelessDialog_Deprecated::mouseMoveEvent(QMouseEvent* event)
{
    if (m_titleDrag)
        move(SnapTopPointToScreen(event->globalPos() - m_dragOffset));
    ZelvarDialog::mouseMoveEvent(event);
}

void ZelvarFramelessDialog_Deprecated::mouseReleaseEvent(QMouseEvent* event)
{
    m_titleDrag = false;
    ZelvarDialog::mouseReleaseEvent(event);
}

void ZelvarFramelessDialog_Deprecated::showEvent(QShowEvent* event)
{
    qApp->installEventFilter(this);
    ZelvarDialog::showEvent(event);
}

void ZelvarFramelessDialog_Deprecated::hideEvent(QHideEvent* event)
{
    qApp->removeEventFilter(this);
    m_resizeDirection = ResizeNone;
    m_titleDrag = false;
    ClearDragCursor();
    ZelvarDialog::hideEvent(event);
}
