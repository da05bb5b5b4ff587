#include "main/dialogs/ZelvarFramelessDialog.h"

#include "ui_ZelvarFramelessDialog.h"

#include "host/doc/Exceptions.h"
#include "host/doc/ResourceIds.h"
#include "host/ui/ScaleForDpi.h"
#include "host/ui/TIcon.h"
#include "host/ui/UnificationColors.h"
#include "host/ui/UnificationStyleApplicator.h"
#include "host/ui/ZelWidgetUtil.h"
#include "host/ui/ZelvarImageButton.h"
#include "main/dialogs/FramelessFrameController_p.h"
#include "main/dialogs/FramelessShadowEffect_p.h"

#include <utility>

namespace {
constexpr const char* SourcePath = "main/dialogs/ZelvarFramelessDialog";

constexpr int TitleFontId = 26;
constexpr int ShadowBlur = 7;
constexpr int ShadowOffset = 2;
constexpr int ShadowAlpha = 76;
} // namespace

ZelvarFramelessDialog::ZelvarFramelessDialog(QWidget* parent, bool styleAll)
    : ZelvarDialog(parent, Qt::FramelessWindowHint)
    , m_styleApplicator(std::make_unique<UnificationStyleApplicator>())
    , m_ui(std::make_unique<Ui::ZelvarFramelessDialog>())
{
    m_ui->setupUi(this);
    SetDropShadow();

    if (styleAll) {
        m_styleApplicator->Apply(*m_ui->mainFrame);
        m_ui->titleBar->setFont(ZelWidgetUtil::GetFont(TitleFontId, this, true));
    } else {
        m_styleApplicator->ApplyToSingleWidget(*m_ui->mainFrame);
    }
    ApplyFramelessDialogTitleBarPalette(m_ui->titleBar);

    ZelvarImageButton* closeButton = m_ui->closeButton;
    closeButton->SetPaddingMode(ZelvarButton::PaddingMode_Minimal);
    closeButton->SetMinimalHorizontalPadding(0);
    closeButton->SetMinimalVerticalPadding(0);
    closeButton->setDefaultIcon(TIcon(Zel::Icons::Close));
    closeButton->setHoverIcon(TIcon(Zel::Icons::CloseHover));
    // The title bar's move cursor would suggest that the button drags the window.
    closeButton->setCursor(Qt::ArrowCursor);
    connect(closeButton, &QAbstractButton::clicked, this, &QDialog::reject);

    m_ui->defaultTitle->setText(windowTitle());
    connect(this, &QWidget::windowTitleChanged, m_ui->defaultTitle, &QLabel::setText);

    FramelessFrameController::Rules rules;
    // A title bar that the caller hid neither drags nor has to stay on screen.
    rules.titleBar = [this]() -> QWidget* { return m_ui->titleBar->isHidden() ? nullptr : m_ui->titleBar; };
    // The title bar's last row may sit one row below the available area.
    rules.lowestTop = [](const QRect& available, const QWidget* titleBar) {
        const int pastBottom = available.top() + available.height();
        return titleBar ? pastBottom - titleBar->height() + 1 : pastBottom;
    };
    m_frame = std::make_unique<FramelessFrameController>(*this, std::move(rules));
}

ZelvarFramelessDialog::~ZelvarFramelessDialog() = default;

void ZelvarFramelessDialog::ApplyFramelessDialogTitleBarPalette(QWidget* widget)
{
    ZEL_LOGIC_CHECK(SourcePath, widget != nullptr);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, UnificationColors::Get().GetTitleBarBackgroundColor());
    widget->setPalette(palette);
}

void ZelvarFramelessDialog::SetContentWidget(QWidget* widget)
{
    if (widget == m_contentWidget)
        return;
    if (m_contentWidget) {
        // Out of the layout and out of sight now; deleted once control is back in the event loop.
        m_ui->contentContainer->layout()->removeWidget(m_contentWidget);
        m_contentWidget->hide();
        m_contentWidget->deleteLater();
    }
    m_contentWidget = widget;
    if (widget)
        m_ui->contentContainer->layout()->addWidget(widget);
}

void ZelvarFramelessDialog::SetTitleWidget(QWidget* widget)
{
    if (widget == m_titleWidget)
        return;
    if (m_titleWidget) {
        m_ui->titleContainer->layout()->removeWidget(m_titleWidget);
        m_titleWidget->hide();
        m_titleWidget->deleteLater();
    }
    m_titleWidget = widget;
    if (widget) {
        m_ui->defaultTitle->hide();
        m_ui->titleContainer->layout()->addWidget(widget);
    } else {
        m_ui->defaultTitle->show();
    }
}

void ZelvarFramelessDialog::HideTitleWidget()
{
    m_ui->titleBar->hide();
}

QWidget* ZelvarFramelessDialog::GetTitleBar() const
{
    return m_ui->titleBar;
}

QAbstractButton* ZelvarFramelessDialog::GetCloseButton() const
{
    return m_ui->closeButton;
}

void ZelvarFramelessDialog::SetSizeConstraintFixed()
{
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    m_ui->contentContainer->layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void ZelvarFramelessDialog::ResizeDialog(int width, int height)
{
    const QMargins shadow = layout()->contentsMargins();
    resize(width + shadow.right(), height + shadow.bottom());
}

void ZelvarFramelessDialog::AllowHorizontalResize(bool allow)
{
    m_frame->SetResizable(Qt::Horizontal, allow);
}

void ZelvarFramelessDialog::AllowVerticalResize(bool allow)
{
    m_frame->SetResizable(Qt::Vertical, allow);
}

bool ZelvarFramelessDialog::IsResizingDialog() const
{
    return m_frame->IsResizing();
}

QPoint ZelvarFramelessDialog::SnapTopPointToScreen(const QPoint& point) const
{
    return m_frame->SnapTopPointToScreen(point);
}

ZelvarFramelessDialog::ResizeDirection ZelvarFramelessDialog::GetResizeDirection(QPoint& pos) const
{
    return m_frame->ResizeDirectionAt(pos);
}

ZelvarFramelessDialog::ResizeDirection ZelvarFramelessDialog::GetResizeDirectionHelper(
    QPoint& topLeft, QPoint& bottomRight, QPoint& pos, int margin) const
{
    return m_frame->EdgesWithin(topLeft, bottomRight, pos, margin);
}

Qt::CursorShape ZelvarFramelessDialog::GetCursorType(ResizeDirection direction) const
{
    return FramelessFrameController::CursorShapeFor(direction);
}

void ZelvarFramelessDialog::SetDragCursor(ResizeDirection direction)
{
    m_frame->SetDragCursor(direction);
}

void ZelvarFramelessDialog::ClearDragCursor()
{
    m_frame->SetDragCursor(FramelessResize::None);
}

void ZelvarFramelessDialog::ResizeGeometry(QPoint& pos)
{
    m_frame->ResizeGeometry(pos);
}

void ZelvarFramelessDialog::SetDropShadow()
{
    setAttribute(Qt::WA_TranslucentBackground);
    m_ui->mainFrame->setAutoFillBackground(true);

    // Owned by the frame it is set on; the parent only keeps it from being a stray object. It blurs
    // the shadow once per size of the frame, which stays opaque (it fills its background above).
    auto* effect = new FramelessShadowEffect(parentWidget());
    const int blur = ScaleForDpi(this, ShadowBlur);
    const int offset = ScaleForDpi(this, ShadowOffset);
    effect->setBlurRadius(blur);
    effect->setOffset(offset, offset);
    effect->setColor(QColor(0, 0, 0, ShadowAlpha));
    m_ui->mainFrame->setGraphicsEffect(effect);
    // The window has no room around it for the shadow but this band, to the right and below.
    layout()->setContentsMargins(0, 0, blur, blur);
}

bool ZelvarFramelessDialog::eventFilter(QObject* watched, QEvent* event)
{
    m_frame->HandleApplicationEvent(watched, event);
    return ZelvarDialog::eventFilter(watched, event);
}

void ZelvarFramelessDialog::mousePressEvent(QMouseEvent* event)
{
    if (m_frame->HandleMousePress(*event))
        ZelvarDialog::mousePressEvent(event);
}

void ZelvarFramelessDialog::mouseMoveEvent(QMouseEvent* event)
{
    m_frame->HandleMouseMove(*event);
    ZelvarDialog::mouseMoveEvent(event);
}

void ZelvarFramelessDialog::mouseReleaseEvent(QMouseEvent* event)
{
    m_frame->HandleMouseRelease();
    ZelvarDialog::mouseReleaseEvent(event);
}

void ZelvarFramelessDialog::showEvent(QShowEvent* event)
{
    m_frame->HandleShow();
    ZelvarDialog::showEvent(event);
}

void ZelvarFramelessDialog::hideEvent(QHideEvent* event)
{
    m_frame->HandleHide();
    ZelvarDialog::hideEvent(event);
}
