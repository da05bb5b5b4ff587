#include "host/ui/UnificationStyle.h"

#include "host/doc/Exceptions.h"
#include "host/ui/ScaleForDpi.h"
#include "host/ui/UnificationColors.h"
#include "host/ui/UnificationConstants.h"

#include <QtCore/QPointer>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFrame>
#include <QtWidgets/QStyleFactory>
#include <QtWidgets/QStyleOption>

#include <algorithm>

namespace {
constexpr const char* SourcePath = "host/ui/UnificationStyle";

QStyle* FusionOr(QStyle* base)
{
    return base ? base : QStyleFactory::create(QStringLiteral("Fusion"));
}

// The largest square centred in `rect`, inset by half a pixel so that a one pixel pen lands on
// whole pixels.
QRectF IndicatorSquare(const QRect& rect)
{
    const qreal side = std::min(rect.width(), rect.height());
    QRectF square(0, 0, side, side);
    square.moveCenter(QRectF(rect).center());
    return square.adjusted(0.5, 0.5, -0.5, -0.5);
}

bool IsPlain(const QStyleOption& option)
{
    return !(option.state & (QStyle::State_Sunken | QStyle::State_Raised));
}

void DrawCheckIndicator(const QStyleOption& option, QPainter& painter, const QWidget* widget)
{
    const auto& colors = UnificationColors::Get();
    const bool enabled = option.state & QStyle::State_Enabled;
    const bool on = option.state & QStyle::State_On;
    const bool partial = option.state & QStyle::State_NoChange;
    const bool hover = option.state & QStyle::State_MouseOver;
    const bool sunken = option.state & QStyle::State_Sunken;

    const QRectF box = IndicatorSquare(option.rect);
    const QColor accent = enabled ? colors.GetFocusColor() : colors.GetDisabledTextColor();
    QColor fill = enabled ? colors.GetSurfaceColor() : colors.GetAlternateSurfaceColor();
    QColor border = !enabled ? colors.GetBorderColor() : hover ? colors.GetFocusColor() : colors.GetStrongBorderColor();
    if (on || partial) {
        fill = accent;
        border = accent;
    } else if (sunken && enabled) {
        fill = colors.GetPressedColor();
    }

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(border, 1.0));
    painter.setBrush(fill);
    const qreal radius = std::max<qreal>(1.5, ScaleForDpi(widget, 2));
    painter.drawRoundedRect(box, radius, radius);

    const qreal side = box.width();
    QPen markPen(
        colors.GetOnFilledTextColor(), std::max<qreal>(1.5, side / 8.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(markPen);
    painter.setBrush(Qt::NoBrush);
    auto at = [&box, side](qreal x, qreal y) { return QPointF(box.left() + x * side, box.top() + y * side); };
    if (partial) {
        painter.drawLine(at(0.27, 0.5), at(0.73, 0.5));
    } else if (on) {
        QPainterPath mark;
        mark.moveTo(at(0.24, 0.52));
        mark.lineTo(at(0.42, 0.70));
        mark.lineTo(at(0.77, 0.31));
        painter.drawPath(mark);
    }
    painter.restore();
}

void DrawRadioIndicator(const QStyleOption& option, QPainter& painter)
{
    const auto& colors = UnificationColors::Get();
    const bool enabled = option.state & QStyle::State_Enabled;
    const bool on = option.state & QStyle::State_On;
    const bool hover = option.state & QStyle::State_MouseOver;
    const bool sunken = option.state & QStyle::State_Sunken;

    const QRectF circle = IndicatorSquare(option.rect);
    const QColor accent = enabled ? colors.GetFocusColor() : colors.GetDisabledTextColor();
    QColor border = !enabled ? colors.GetBorderColor() : hover ? colors.GetFocusColor() : colors.GetStrongBorderColor();
    if (on)
        border = accent;
    const QColor fill = !enabled ? colors.GetAlternateSurfaceColor()
        : sunken                 ? colors.GetPressedColor()
                                 : colors.GetSurfaceColor();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(border, on ? 1.5 : 1.0));
    painter.setBrush(fill);
    painter.drawEllipse(circle);
    if (on) {
        const qreal dot = circle.width() * 0.27;
        painter.setPen(Qt::NoPen);
        painter.setBrush(accent);
        painter.drawEllipse(circle.center(), dot, dot);
    }
    painter.restore();
}

void DrawFocusRect(const QStyleOption& option, QPainter& painter, const QWidget* widget)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QColor focus = UnificationColors::Get().GetFocusColor();
    focus.setAlpha(200);
    painter.setPen(QPen(focus, 1.0));
    painter.setBrush(Qt::NoBrush);
    const qreal radius = ScaleForDpi(widget, UnificationConstants::Get().GetCornerRadius());
    painter.drawRoundedRect(QRectF(option.rect).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.restore();
}
} // namespace

UnificationStyle::UnificationStyle()
    : UnificationStyle(nullptr)
{
}

UnificationStyle::UnificationStyle(QStyle* base)
    : QProxyStyle(FusionOr(base))
{
    setObjectName(QStringLiteral("unification"));
}

int UnificationStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    const auto& constants = UnificationConstants::Get();
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        return ScaleForDpi(widget, constants.GetIndicatorSize());
    case PM_ScrollBarExtent:
        return ScaleForDpi(widget, constants.GetScrollBarExtent());
    case PM_ScrollBarSliderMin:
        return ScaleForDpi(widget, 24);
    case PM_SmallIconSize:
    case PM_ButtonIconSize:
        return ScaleForDpi(widget, constants.GetSmallIconSize());
    case PM_MessageBoxIconSize:
        return ScaleForDpi(widget, constants.GetLargeIconSize());
    case PM_CheckBoxLabelSpacing:
    case PM_RadioButtonLabelSpacing:
        return ScaleForDpi(widget, 6);
    // Hairlines stay one device pixel wide at every dpi.
    case PM_DefaultFrameWidth:
    case PM_MenuPanelWidth:
    case PM_ToolTipLabelFrameWidth:
        return 1;
    case PM_MenuHMargin:
    case PM_MenuVMargin:
        return ScaleForDpi(widget, constants.GetSmallSpacing());
    case PM_HeaderMargin:
        return ScaleForDpi(widget, 6);
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int UnificationStyle::styleHint(
    StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* returnData) const
{
    switch (hint) {
    case SH_DialogButtonBox_ButtonsHaveIcons:
    case SH_EtchDisabledText:
    case SH_DitherDisabledText:
        return 0;
    case SH_ItemView_ShowDecorationSelected:
        return 1;
    case SH_ToolTipLabel_Opacity:
        return 255;
    case SH_MessageBox_TextInteractionFlags:
        return Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

void UnificationStyle::drawPrimitive(
    PrimitiveElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    if (option && painter) {
        switch (element) {
        case PE_IndicatorCheckBox:
        case PE_IndicatorItemViewItemCheck:
            DrawCheckIndicator(*option, *painter, widget);
            return;
        case PE_IndicatorRadioButton:
            DrawRadioIndicator(*option, *painter);
            return;
        case PE_FrameFocusRect:
            DrawFocusRect(*option, *painter, widget);
            return;
        default:
            break;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void UnificationStyle::drawControl(
    ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    // Plain boxes and lines are drawn in the light border colour rather than in the text colour
    // that the common style uses, which reads as heavy on white surfaces.
    if (element == CE_ShapedFrame && painter) {
        if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option); frame && IsPlain(*frame)) {
            const QColor border = UnificationColors::Get().GetBorderColor();
            const int lineWidth = std::max(frame->lineWidth, 1);
            switch (frame->frameShape) {
            case QFrame::Box:
            case QFrame::Panel:
            case QFrame::StyledPanel: {
                painter->save();
                painter->setPen(Qt::NoPen);
                painter->setBrush(border);
                const QRect r = frame->rect;
                painter->drawRect(QRect(r.left(), r.top(), r.width(), lineWidth));
                painter->drawRect(QRect(r.left(), r.bottom() - lineWidth + 1, r.width(), lineWidth));
                painter->drawRect(QRect(r.left(), r.top(), lineWidth, r.height()));
                painter->drawRect(QRect(r.right() - lineWidth + 1, r.top(), lineWidth, r.height()));
                painter->restore();
                return;
            }
            case QFrame::HLine:
            case QFrame::VLine: {
                painter->save();
                painter->setPen(Qt::NoPen);
                painter->setBrush(border);
                const QRect r = frame->rect;
                if (frame->frameShape == QFrame::HLine)
                    painter->drawRect(QRect(r.left(), r.center().y(), r.width(), lineWidth));
                else
                    painter->drawRect(QRect(r.center().x(), r.top(), lineWidth, r.height()));
                painter->restore();
                return;
            }
            default:
                break;
            }
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

QPalette UnificationStyle::CreatePalette()
{
    const auto& c = UnificationColors::Get();
    QPalette palette;
    auto setAll
        = [&palette](QPalette::ColorRole role, const QColor& color) { palette.setColor(QPalette::All, role, color); };
    setAll(QPalette::Window, c.GetSurfaceColor());
    setAll(QPalette::WindowText, c.GetTextColor());
    setAll(QPalette::Base, c.GetSurfaceColor());
    setAll(QPalette::AlternateBase, c.GetAlternateSurfaceColor());
    setAll(QPalette::Text, c.GetTextColor());
    setAll(QPalette::Button, c.GetSurfaceColor());
    setAll(QPalette::ButtonText, c.GetTextColor());
    setAll(QPalette::BrightText, c.GetOnFilledTextColor());
    setAll(QPalette::Light, c.GetSurfaceColor());
    setAll(QPalette::Midlight, c.GetAlternateSurfaceColor());
    setAll(QPalette::Mid, c.GetBorderColor());
    setAll(QPalette::Dark, c.GetStrongBorderColor());
    setAll(QPalette::Shadow, c.GetSecondaryTextColor());
    // Item views and text fields mark selection and focus with the one accent blue.
    setAll(QPalette::Highlight, c.GetFocusColor());
    setAll(QPalette::HighlightedText, c.GetOnFilledTextColor());
    setAll(QPalette::Link, c.GetLinkColor());
    setAll(QPalette::LinkVisited, c.GetLinkHoverColor());
    setAll(QPalette::ToolTipBase, c.GetBalloonTipBackgroundColor());
    setAll(QPalette::ToolTipText, c.GetBalloonTipTextColor());
    setAll(QPalette::PlaceholderText, c.GetPlaceholderTextColor());

    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, c.GetDisabledTextColor());
    palette.setColor(QPalette::Disabled, QPalette::Base, c.GetAlternateSurfaceColor());
    palette.setColor(QPalette::Disabled, QPalette::Button, c.GetAlternateSurfaceColor());
    palette.setColor(QPalette::Disabled, QPalette::Highlight, c.GetStrongBorderColor());
    return palette;
}

QPalette UnificationStyle::standardPalette() const
{
    return CreatePalette();
}

void UnificationStyle::polish(QPalette& palette)
{
    palette = CreatePalette();
}

UnificationStyle* UnificationStyle::Shared()
{
    ZEL_LOGIC_CHECK(SourcePath, qApp != nullptr);
    static QPointer<UnificationStyle> shared;
    if (!shared) {
        shared = new UnificationStyle;
        // Owned by the application so that it outlives every widget that can use it.
        shared->setParent(qApp);
    }
    return shared;
}
