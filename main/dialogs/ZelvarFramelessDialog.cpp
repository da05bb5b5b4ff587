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
#include "main/dialogs/FramelessResize_p.h"

#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGraphicsDropShadowEffect>

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
}

ZelvarFramelessDialog::~ZelvarFramelessDialog()
{
    // A dialog destroyed while shown gets no hideEvent of its own (the QWidget base hides it after
    // this class is gone), so the cursor and the filter are given back here.
    if (qApp)
        qApp->removeEventFilter(this);
    FramelessResize::ClearOverrideCursor(m_overrideCursor);
}

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
    m_allowHorizontalResize = allow;
}

void ZelvarFramelessDialog::AllowVerticalResize(bool allow)
{
    m_allowVerticalResize = allow;
}

bool ZelvarFramelessDialog::IsResizingDialog() const
{
    return m_resizeDirection != ResizeNone;
}

bool ZelvarFramelessDialog::HasTitleBar() const
{
    return m_ui && m_ui->titleBar && !m_ui->titleBar->isHidden();
}

QPoint ZelvarFramelessDialog::SnapTopPointToScreen(const QPoint& point) const
{
    const QRect available = FramelessResize::AvailableGeometryAt(point);
    int lowest = available.top() + available.height();
    if (HasTitleBar())
        lowest = lowest - m_ui->titleBar->height() + 1;
    QPoint snapped = point;
    if (snapped.y() < available.top())
        snapped.setY(available.top());
    else if (snapped.y() > lowest)
        snapped.setY(lowest);
    return snapped;
}

ZelvarFramelessDialog::ResizeDirection ZelvarFramelessDialog::GetResizeDirection(QPoint& pos) const
{
    const QRect frame = geometry();
    if (!underMouse() || !frame.contains(pos))
        return ResizeNone;
    QPoint topLeft = frame.topLeft();
    QPoint bottomRight(frame.x() + frame.width(), frame.y() + frame.height());
    const ResizeDirection edge = GetResizeDirectionHelper(topLeft, bottomRight, pos, FramelessResize::EdgeMargin);
    const ResizeDirection corner = GetResizeDirectionHelper(topLeft, bottomRight, pos, FramelessResize::CornerMargin);
    return static_cast<ResizeDirection>(FramelessResize::CombineMargins(edge, corner));
}

ZelvarFramelessDialog::ResizeDirection ZelvarFramelessDialog::GetResizeDirectionHelper(
    QPoint& topLeft, QPoint& bottomRight, QPoint& pos, int margin) const
{
    if (IsSizeFixed())
        return ResizeNone;
    return static_cast<ResizeDirection>(
        FramelessResize::HitEdges(topLeft, bottomRight, pos, margin, m_allowVerticalResize, m_allowHorizontalResize));
}

Qt::CursorShape ZelvarFramelessDialog::GetCursorType(ResizeDirection direction) const
{
    return FramelessResize::CursorShapeFor(direction);
}

void ZelvarFramelessDialog::SetDragCursor(ResizeDirection direction)
{
    if (direction == ResizeNone)
        FramelessResize::ClearOverrideCursor(m_overrideCursor);
    else
        FramelessResize::SetOverrideCursor(m_overrideCursor, GetCursorType(direction));
}

void ZelvarFramelessDialog::ClearDragCursor()
{
    SetDragCursor(ResizeNone);
}

void ZelvarFramelessDialog::ResizeGeometry(QPoint& pos)
{
    const QSize minimum(minimumWidth() != 0 ? minimumWidth() : minimumSizeHint().width(),
        minimumHeight() != 0 ? minimumHeight() : minimumSizeHint().height());
    const QRect resized = FramelessResize::ResizedGeometry(geometry(), m_resizeDirection, pos, minimum, 0, 0);
    const QPoint snapped = SnapTopPointToScreen(resized.topLeft());
    // The top edge gives way to the screen; the bottom edge stays where the drag put it.
    setGeometry(snapped.x(), snapped.y(), resized.width(), resized.height() + (resized.y() - snapped.y()));
}

void ZelvarFramelessDialog::SetDropShadow()
{
    setAttribute(Qt::WA_TranslucentBackground);
    m_ui->mainFrame->setAutoFillBackground(true);

    // Owned by the frame it is set on; the parent only keeps it from being a stray object.
    auto* effect = new QGraphicsDropShadowEffect(parentWidget());
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
    FramelessResize::FilterMouseEvent(*this, watched, event);
    return ZelvarDialog::eventFilter(watched, event);
}

void ZelvarFramelessDialog::mousePressEvent(QMouseEvent* event)
{
    if (IsResizingDialog())
        return;
    if (HasTitleBar()) {
        const QRect titleBar(m_ui->titleBar->mapToGlobal(QPoint(0, 0)), m_ui->titleBar->size());
        m_titleDrag = titleBar.contains(event->globalPos());
        m_dragOffset = event->globalPos() - mapToGlobal(QPoint(0, 0));
    }
    ZelvarDialog::mousePressEvent(event);
}

void ZelvarFramelessDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (m_titleDrag)
        move(SnapTopPointToScreen(event->globalPos() - m_dragOffset));
    ZelvarDialog::mouseMoveEvent(event);
}

void ZelvarFramelessDialog::mouseReleaseEvent(QMouseEvent* event)
{
    m_titleDrag = false;
    ZelvarDialog::mouseReleaseEvent(event);
}

void ZelvarFramelessDialog::showEvent(QShowEvent* event)
{
    qApp->installEventFilter(this);
    ZelvarDialog::showEvent(event);
}

void ZelvarFramelessDialog::hideEvent(QHideEvent* event)
{
    qApp->removeEventFilter(this);
    m_resizeDirection = ResizeNone;
    m_titleDrag = false;
    ClearDragCursor();
    ZelvarDialog::hideEvent(event);
}
