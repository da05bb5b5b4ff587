#include "host/ui/BalloonTipWidget.h"

#include "host/ui/ScaleForDpi.h"
#include "host/ui/UnificationColors.h"

#include <QtCore/QTimer>
#include <QtCore/QVariantAnimation>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGraphicsOpacityEffect>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>

namespace {
// Logical pixels.
constexpr int ShadowMargin = 8;
constexpr int TailHeight = 8;
constexpr int TailHalfWidth = 8;
constexpr int CornerRadius = 6;
constexpr int Padding = 12;
// How far right of the body's left edge the tail sits when the screen leaves room for it.
constexpr int TailInset = 28;
constexpr int FadeMilliseconds = 180;
constexpr int DefaultAutoHideMilliseconds = 10000;
} // namespace

// The painted balloon, and the parent of the content. The outer widget only places it, so that the
// fade (an opacity effect on this frame) never touches a window of its own.
class BalloonTipWidget::Frame final : public QWidget
{
public:
    explicit Frame(QWidget* parent)
        : QWidget(parent)
    {
        UpdateMargins();
    }

    void SetTail(bool above, int tailX)
    {
        m_above = above;
        m_tailX = tailX;
        UpdateMargins();
        update();
    }

    void UpdateMargins()
    {
        const int shadow = ScaleForDpi(this, ShadowMargin);
        const int padding = ScaleForDpi(this, Padding);
        const int tail = ScaleForDpi(this, TailHeight);
        setContentsMargins(shadow + padding, shadow + padding + (m_above ? 0 : tail), shadow + padding,
            shadow + padding + (m_above ? tail : 0));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const auto& colors = UnificationColors::Get();
        const qreal shadow = ScaleForDpi(this, ShadowMargin);
        const qreal tail = ScaleForDpi(this, TailHeight);
        const qreal halfWidth = ScaleForDpi(this, TailHalfWidth);
        const qreal radius = ScaleForDpi(this, CornerRadius);

        QRectF body = QRectF(rect()).adjusted(shadow, shadow, -shadow, -shadow);
        if (m_above)
            body.setBottom(body.bottom() - tail);
        else
            body.setTop(body.top() + tail);
        body.adjust(0.5, 0.5, -0.5, -0.5);

        const qreal minX = body.left() + radius + halfWidth;
        const qreal maxX = body.right() - radius - halfWidth;
        const qreal tipX = std::clamp<qreal>(m_tailX + 0.5, minX, std::max(minX, maxX));
        QPainterPath path;
        path.addRoundedRect(body, radius, radius);
        QPolygonF triangle;
        if (m_above)
            triangle << QPointF(tipX - halfWidth, body.bottom() - 1) << QPointF(tipX, body.bottom() + tail)
                     << QPointF(tipX + halfWidth, body.bottom() - 1);
        else
            triangle << QPointF(tipX - halfWidth, body.top() + 1) << QPointF(tipX, body.top() - tail)
                     << QPointF(tipX + halfWidth, body.top() + 1);
        QPainterPath tailPath;
        tailPath.addPolygon(triangle);
        tailPath.closeSubpath();
        path = path.united(tailPath).simplified();

        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        // A soft shadow, a little lower than the balloon: strokes that grow wider and fainter.
        QColor shade = colors.GetDropShadowColor();
        const int steps = std::max(1, static_cast<int>(shadow));
        painter.save();
        painter.translate(0, std::max(1.0, shadow / 4));
        for (int i = steps; i >= 1; --i) {
            shade.setAlphaF(0.018 * (steps - i + 1) / steps * 3);
            painter.setPen(QPen(shade, 2.0 * i, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(path);
        }
        painter.restore();
        painter.setPen(QPen(colors.GetBalloonTipBorderColor(), 1.0));
        painter.setBrush(colors.GetBalloonTipBackgroundColor());
        painter.drawPath(path);
    }

private:
    bool m_above = true;
    int m_tailX = 0;
};

BalloonTipWidget::BalloonTipWidget(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_frame = new Frame(this);
    outer->addWidget(m_frame);
    m_contentLayout = new QVBoxLayout(m_frame);
    m_contentLayout->setSpacing(ScaleForDpi(this, 4));
    m_contentLayout->setSizeConstraint(QLayout::SetMinimumSize);

    m_opacity = new QGraphicsOpacityEffect(m_frame);
    m_opacity->setOpacity(1.0);
    m_opacity->setEnabled(false);
    m_frame->setGraphicsEffect(m_opacity);

    m_fade = new QVariantAnimation(this);
    m_fade->setDuration(FadeMilliseconds);
    m_fade->setEndValue(0.0);
    connect(
        m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) { SetOpacity(value.toReal()); });
    connect(m_fade, &QVariantAnimation::finished, this, [this] { hide(); });

    m_autoHide = new QTimer(this);
    m_autoHide->setSingleShot(true);
    m_autoHide->setInterval(DefaultAutoHideMilliseconds);
    connect(m_autoHide, &QTimer::timeout, this, &BalloonTipWidget::FadeOutToHide);
    hide();
}

BalloonTipWidget::~BalloonTipWidget()
{
    WatchForDismissal(false);
}

void BalloonTipWidget::SetEnabledFloatingTooltipMode(bool enabled)
{
    if (m_floating == enabled)
        return;
    const bool wasVisible = isVisible();
    m_floating = enabled;
    if (enabled) {
        setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint | Qt::WindowDoesNotAcceptFocus
            | Qt::WindowTransparentForInput);
        setAttribute(Qt::WA_TranslucentBackground);
    } else {
        setWindowFlags(Qt::Widget);
        setAttribute(Qt::WA_TranslucentBackground, false);
    }
    if (wasVisible)
        Place();
}

void BalloonTipWidget::SetAutoHideDelay(int milliseconds)
{
    m_autoHide->setInterval(std::max(0, milliseconds));
}

bool BalloonTipWidget::IsFadingOut() const
{
    return m_fade->state() == QAbstractAnimation::Running;
}

void BalloonTipWidget::SetOpacity(qreal opacity)
{
    m_opacity->setOpacity(opacity);
    // Drawn directly while opaque: sharper text, and a grab shows exactly what the screen shows.
    m_opacity->setEnabled(opacity < 1.0);
}

void BalloonTipWidget::ShowTip(const QPoint& globalTarget, bool above, QWidget* anchor)
{
    m_fade->stop();
    SetOpacity(1.0);
    if (m_anchor != anchor && m_anchor)
        m_anchor->removeEventFilter(this);
    m_anchor = anchor;
    m_target = globalTarget;
    m_above = above;
    Place();
    show();
    raise();
    WatchForDismissal(m_floating);
    if (m_floating && m_autoHide->interval() > 0)
        m_autoHide->start();
}

void BalloonTipWidget::Place()
{
    ensurePolished();
    m_frame->SetTail(m_above, 0);
    if (layout())
        layout()->activate();
    // Wrapped text is as tall as the width it gets.
    QSize size = sizeHint().expandedTo(minimumSizeHint());
    if (hasHeightForWidth())
        size.setHeight(std::max(size.height(), heightForWidth(size.width())));
    const int shadow = ScaleForDpi(this, ShadowMargin);
    const int tailInset = shadow + ScaleForDpi(this, TailInset);

    QRect area;
    if (m_floating || !parentWidget()) {
        const QScreen* screen = QGuiApplication::screenAt(m_target);
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        area = screen ? screen->availableGeometry() : QRect(m_target - QPoint(10000, 10000), QSize(20000, 20000));
    } else {
        area = QRect(parentWidget()->mapToGlobal(QPoint(0, 0)), parentWidget()->size());
    }

    // The tip of the tail lies inside the shadow margin's edge.
    const int topAbove = m_target.y() - (size.height() - shadow);
    const int topBelow = m_target.y() - shadow;
    if (m_above && topAbove < area.top() && topBelow + size.height() <= area.bottom())
        m_above = false;
    else if (!m_above && topBelow + size.height() > area.bottom() + 1 && topAbove >= area.top())
        m_above = true;
    const int top = m_above ? topAbove : topBelow;
    int left = m_target.x() - tailInset;
    left = std::max(area.left(), std::min(left, area.right() + 1 - size.width()));

    m_frame->SetTail(m_above, m_target.x() - left);
    const QRect global(QPoint(left, top), size);
    if (isWindow())
        setGeometry(global);
    else
        setGeometry(QRect(parentWidget()->mapFromGlobal(global.topLeft()), size));
}

void BalloonTipWidget::FadeOutToHide()
{
    m_autoHide->stop();
    if (isHidden() || IsFadingOut())
        return;
    m_fade->setStartValue(m_opacity->isEnabled() ? m_opacity->opacity() : 1.0);
    m_fade->start();
}

void BalloonTipWidget::WatchForDismissal(bool watch)
{
    if (watch == m_watching)
        return;
    m_watching = watch;
    if (watch) {
        qApp->installEventFilter(this);
        if (m_anchor)
            m_anchor->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
        if (m_anchor)
            m_anchor->removeEventFilter(this);
    }
}

bool BalloonTipWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (m_watching) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Wheel:
        case QEvent::ApplicationDeactivate:
            FadeOutToHide();
            break;
        case QEvent::Leave:
        case QEvent::Hide:
            if (watched == m_anchor)
                FadeOutToHide();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BalloonTipWidget::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_fade->stop();
    m_autoHide->stop();
    SetOpacity(1.0);
    WatchForDismissal(false);
    emit TipHidden();
}
