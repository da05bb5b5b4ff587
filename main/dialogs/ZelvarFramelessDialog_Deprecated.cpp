#include "main/dialogs/ZelvarFramelessDialog_Deprecated.h"

#include "host/doc/Preferences.h"
#include "host/ui/ColorObjectUtil.h"
#include "host/ui/QtUtil.h"
#include "main/dialogs/FramelessFrameController_p.h"

#include <QtGui/QRegion>

#include <utility>

namespace {
// The strips: a band under the window and a narrower one to its right.
constexpr int BottomShadowHeight = 3;
constexpr int RightShadowWidth = 2;
// Pixels beyond the pointer that a drag of the right or bottom edge leaves for the strips.
constexpr int RightDragExtra = 3;
constexpr int BottomDragExtra = 4;
// The last column and the last two rows are the strips, not the window's edge.
constexpr QMargins StripsOutsideEdges(0, 0, 1, 2);

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

    FramelessFrameController::Rules rules;
    rules.titleBar = [this] { return GetTitleBarWidget(); };
    // The title bar's last row stays one row above the last row of the available area.
    rules.lowestTop = [](const QRect& available, const QWidget* titleBar) {
        return available.bottom() - (titleBar ? titleBar->height() : 0);
    };
    rules.hitTestInset = StripsOutsideEdges;
    rules.rightDragExtra = RightDragExtra;
    rules.bottomDragExtra = BottomDragExtra;
    rules.pressNeedsTitleBar = true;
    m_frame = std::make_unique<FramelessFrameController>(*this, std::move(rules));
}

ZelvarFramelessDialog_Deprecated::~ZelvarFramelessDialog_Deprecated() = default;

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
    return m_frame->SnapTopPointToScreen(point);
}

ZelvarFramelessDialog_Deprecated::ResizeDirection ZelvarFramelessDialog_Deprecated::GetResizeDirection(
    QPoint& pos) const
{
    return m_frame->ResizeDirectionAt(pos);
}

ZelvarFramelessDialog_Deprecated::ResizeDirection ZelvarFramelessDialog_Deprecated::GetResizeDirectionHelper(
    QPoint& topLeft, QPoint& bottomRight, QPoint& pos, int margin) const
{
    return m_frame->EdgesWithin(topLeft, bottomRight, pos, margin);
}

Qt::CursorShape ZelvarFramelessDialog_Deprecated::GetCursorType(ResizeDirection direction) const
{
    return FramelessFrameController::CursorShapeFor(direction);
}

void ZelvarFramelessDialog_Deprecated::SetDragCursor(ResizeDirection direction)
{
    m_frame->SetDragCursor(direction);
}

void ZelvarFramelessDialog_Deprecated::ClearDragCursor()
{
    m_frame->SetDragCursor(FramelessResize::None);
}

bool ZelvarFramelessDialog_Deprecated::IsResizingDialog() const
{
    return m_frame->IsResizing();
}

void ZelvarFramelessDialog_Deprecated::ResizeGeometry(QPoint& pos)
{
    m_frame->ResizeGeometry(pos);
}

bool ZelvarFramelessDialog_Deprecated::eventFilter(QObject* watched, QEvent* event)
{
    m_frame->HandleApplicationEvent(watched, event);
    return ZelvarDialog::eventFilter(watched, event);
}

void ZelvarFramelessDialog_Deprecated::mousePressEvent(QMouseEvent* event)
{
    if (m_frame->HandleMousePress(*event))
        ZelvarDialog::mousePressEvent(event);
}

void ZelvarFramelessDialog_Deprecated::mouseMoveEvent(QMouseEvent* event)
{
    m_frame->HandleMouseMove(*event);
    ZelvarDialog::mouseMoveEvent(event);
}

void ZelvarFramelessDialog_Deprecated::mouseReleaseEvent(QMouseEvent* event)
{
    m_frame->HandleMouseRelease();
    ZelvarDialog::mouseReleaseEvent(event);
}

void ZelvarFramelessDialog_Deprecated::showEvent(QShowEvent* event)
{
    m_frame->HandleShow();
    ZelvarDialog::showEvent(event);
}

void ZelvarFramelessDialog_Deprecated::hideEvent(QHideEvent* event)
{
    m_frame->HandleHide();
    ZelvarDialog::hideEvent(event);
}
