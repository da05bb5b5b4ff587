#include "host/ui/UnificationButtonStyle.h"

#include "host/doc/Exceptions.h"
#include "host/ui/ScaleForDpi.h"
#include "host/ui/UnificationColors.h"
#include "host/ui/UnificationConstants.h"
#include "host/ui/UnificationStyle.h"
#include "host/ui/ZelvarButton.h"

#include <QtCore/QPointer>
#include <QtCore/QVariant>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyleOption>

#include <algorithm>

namespace {
constexpr const char* SourcePath = "host/ui/UnificationButtonStyle";
constexpr const char* KindProperty = "zelButtonKind";

using Look = UnificationButtonLook;

void SetStates(std::array<QColor, Look::StateCount>& byState, const QColor& normal, const QColor& disabled,
    const QColor& pressed, const QColor& hover)
{
    byState[Look::Normal] = normal;
    byState[Look::Disabled] = disabled;
    byState[Look::Pressed] = pressed;
    byState[Look::Hover] = hover;
}

QColor WithAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

void SetPaletteText(QPushButton& button, const QColor& enabled, const QColor& disabled)
{
    QPalette palette = button.palette();
    for (auto group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::ButtonText, enabled);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, disabled);
    button.setPalette(palette);
}

int KindOf(const QWidget* widget)
{
    if (!widget)
        return -1;
    const QVariant kind = widget->property(KindProperty);
    return kind.isValid() ? kind.toInt() : -1;
}

int StateOf(const QStyleOption& option)
{
    if (!(option.state & QStyle::State_Enabled))
        return Look::Disabled;
    if (option.state & (QStyle::State_Sunken | QStyle::State_On))
        return Look::Pressed;
    if (option.state & QStyle::State_MouseOver)
        return Look::Hover;
    return Look::Normal;
}

// Paints plain QPushButtons that carry a kind; every other widget is drawn as UnificationStyle
// draws it, so the one instance can serve any button.
class PushButtonLookStyle final : public UnificationStyle
{
public:
    void drawControl(
        ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override
    {
        const int kind = KindOf(widget);
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        if (kind < 0 || !button || !painter) {
            UnificationStyle::drawControl(element, option, painter, widget);
            return;
        }
        if (element == CE_PushButton) {
            // As the common style does, without its dotted focus rectangle: the bevel draws the ring.
            proxy()->drawControl(CE_PushButtonBevel, button, painter, widget);
            QStyleOptionButton label(*button);
            label.rect = proxy()->subElementRect(SE_PushButtonContents, button, widget);
            proxy()->drawControl(CE_PushButtonLabel, &label, painter, widget);
            return;
        }
        if (element == CE_PushButtonBevel) {
            const Look look = UnificationButtonStyle::GetLook(kind);
            const int state = StateOf(*button);
            QColor background = look.background[state];
            QColor border = look.drawBorder ? look.border[state] : QColor(Qt::transparent);
            if ((button->features & QStyleOptionButton::Flat) && state == Look::Normal) {
                background = Qt::transparent;
                border = Qt::transparent;
            }
            const bool focusRing = (button->state & State_HasFocus) && (button->state & State_KeyboardFocusChange)
                && (button->state & State_Enabled);
            UnificationButtonStyle::PaintButtonShape(*painter, button->rect, background, border, focusRing, look.filled,
                ScaleForDpi(widget, look.cornerRadius));
            if (button->features & QStyleOptionButton::HasMenu) {
                const QRect contents = proxy()->subElementRect(SE_PushButtonContents, button, widget);
                const int arrow = ScaleForDpi(widget, UnificationConstants::Get().GetDropArrowSize());
                const QRect arrowRect(contents.right() - arrow + 1, contents.top(), arrow, contents.height());
                UnificationButtonStyle::PaintDropArrow(*painter, arrowRect,
                    button->palette.color(
                        state == Look::Disabled ? QPalette::Disabled : QPalette::Active, QPalette::ButtonText));
            }
            return;
        }
        UnificationStyle::drawControl(element, option, painter, widget);
    }

    QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const override
    {
        const int kind = KindOf(widget);
        if (element != SE_PushButtonContents || kind < 0 || !option)
            return UnificationStyle::subElementRect(element, option, widget);
        const Look look = UnificationButtonStyle::GetLook(kind);
        const int border = UnificationConstants::Get().GetBorderWidth();
        const int h = ScaleForDpi(widget, look.horizontalPadding) + border;
        const int v = ScaleForDpi(widget, look.verticalPadding) + border;
        return option->rect.marginsRemoved(QMargins(h, v, h, v));
    }

    QSize sizeFromContents(
        ContentsType type, const QStyleOption* option, const QSize& contents, const QWidget* widget) const override
    {
        const int kind = KindOf(widget);
        if (type != CT_PushButton || kind < 0)
            return UnificationStyle::sizeFromContents(type, option, contents, widget);
        const Look look = UnificationButtonStyle::GetLook(kind);
        const int border = UnificationConstants::Get().GetBorderWidth();
        return QSize(contents.width() + 2 * (ScaleForDpi(widget, look.horizontalPadding) + border),
            contents.height() + 2 * (ScaleForDpi(widget, look.verticalPadding) + border));
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_MenuButtonIndicator && KindOf(widget) >= 0) {
            const auto& constants = UnificationConstants::Get();
            return ScaleForDpi(widget, constants.GetDropArrowSize() + constants.GetButtonIconTextSpacing());
        }
        if (metric == PM_ButtonShiftHorizontal || metric == PM_ButtonShiftVertical)
            return 0;
        return UnificationStyle::pixelMetric(metric, option, widget);
    }

    static PushButtonLookStyle* Shared()
    {
        ZEL_LOGIC_CHECK(SourcePath, qApp != nullptr);
        static QPointer<PushButtonLookStyle> shared;
        if (!shared) {
            shared = new PushButtonLookStyle;
            shared->setParent(qApp);
        }
        return shared;
    }
};
} // namespace

UnificationButtonLook UnificationButtonStyle::GetLook(int kind)
{
    const auto& c = UnificationColors::Get();
    const auto& k = UnificationConstants::Get();
    const QColor transparent(0, 0, 0, 0);

    Look look;
    look.cornerRadius = k.GetCornerRadius();
    look.horizontalPadding = k.GetButtonHorizontalPadding();
    look.verticalPadding = k.GetButtonVerticalPadding();

    switch (kind) {
    case GreenFilled:
        look.filled = true;
        SetStates(look.background, c.GetGreenPrimaryColor(), c.GetGreenPrimaryDisabledColor(),
            c.GetGreenPrimaryPressedColor(), c.GetGreenPrimaryHoverColor());
        look.border = look.background;
        look.text.fill(c.GetOnFilledTextColor());
        break;
    case Attention:
        look.filled = true;
        SetStates(look.background, c.GetAttentionColor(), WithAlpha(c.GetAttentionColor(), 90),
            c.GetAttentionPressedColor(), c.GetAttentionHoverColor());
        look.border = look.background;
        look.text.fill(c.GetOnFilledTextColor());
        break;
    case GreyFilled:
        look.filled = true;
        SetStates(look.background, c.GetGreyFillColor(), c.GetAlternateSurfaceColor(), c.GetGreyFillPressedColor(),
            c.GetGreyFillHoverColor());
        look.border = look.background;
        SetStates(look.text, c.GetTextColor(), c.GetDisabledTextColor(), c.GetTextColor(), c.GetTextColor());
        break;
    case Outline:
        SetStates(look.background, c.GetSurfaceColor(), c.GetSurfaceColor(), c.GetPressedColor(), c.GetHoverColor());
        SetStates(look.border, c.GetStrongBorderColor(), c.GetBorderColor(), c.GetStrongBorderColor(),
            c.GetSecondaryTextColor());
        SetStates(look.text, c.GetTextColor(), c.GetDisabledTextColor(), c.GetTextColor(), c.GetTextColor());
        break;
    case LightOutline: {
        const QColor onDark = c.GetOnDarkTextColor();
        SetStates(look.background, transparent, transparent, WithAlpha(onDark, 60), WithAlpha(onDark, 30));
        SetStates(look.border, WithAlpha(onDark, 210), WithAlpha(onDark, 90), onDark, onDark);
        SetStates(look.text, onDark, WithAlpha(onDark, 110), onDark, onDark);
        break;
    }
    case Text:
        look.drawBorder = false;
        SetStates(look.background, transparent, transparent, c.GetPressedColor(), c.GetHoverColor());
        look.border.fill(transparent);
        SetStates(look.text, c.GetLinkColor(), c.GetDisabledTextColor(), c.GetLinkHoverColor(), c.GetLinkHoverColor());
        look.horizontalPadding = 2 * k.GetSmallSpacing();
        break;
    case DeprecatedText:
        look.drawBorder = false;
        SetStates(look.background, transparent, transparent, c.GetGreyFillColor(), c.GetAlternateSurfaceColor());
        look.border.fill(transparent);
        SetStates(look.text, c.GetTextColor(), c.GetDisabledTextColor(), c.GetTextColor(), c.GetTextColor());
        look.horizontalPadding = 2 * k.GetSmallSpacing();
        break;
    default:
        ThrowLogicException(SourcePath, __LINE__, "kind >= 0 && kind < KindCount");
    }
    return look;
}

void UnificationButtonStyle::ApplyStyling(QPushButton& button, int kind)
{
    const Look look = GetLook(kind);
    button.setProperty(KindProperty, kind);
    if (auto* zelvarButton = qobject_cast<ZelvarButton*>(&button)) {
        zelvarButton->SetLook(look);
        return;
    }
    button.setAttribute(Qt::WA_Hover);
    SetPaletteText(button, look.text[Look::Normal], look.text[Look::Disabled]);
    // Set even when it is already the button's style: that re-polishes it and drops the size hint
    // the button cached for its previous kind.
    button.setStyle(PushButtonLookStyle::Shared());
}

int UnificationButtonStyle::GetStyling(const QPushButton& button)
{
    return KindOf(&button);
}

void UnificationButtonStyle::ApplyGreenFilledButtonStyling(QPushButton& button)
{
    ApplyStyling(button, GreenFilled);
}

void UnificationButtonStyle::ApplyGreyFilledButtonStyling(QPushButton& button)
{
    ApplyStyling(button, GreyFilled);
}

void UnificationButtonStyle::ApplyOutlineButtonStyling(QPushButton& button)
{
    ApplyStyling(button, Outline);
}

void UnificationButtonStyle::ApplyLightOutlineButtonStyling(QPushButton& button)
{
    ApplyStyling(button, LightOutline);
}

void UnificationButtonStyle::ApplyTextButtonStyling(QPushButton& button)
{
    ApplyStyling(button, Text);
}

void UnificationButtonStyle::ApplyDeprecatedTextButtonStyling(QPushButton& button)
{
    ApplyStyling(button, DeprecatedText);
}

void UnificationButtonStyle::ApplyAttentionButtonStyling(QPushButton& button)
{
    ApplyStyling(button, Attention);
}

void UnificationButtonStyle::SetButtonTextColor(QPushButton& button, const QColor& color)
{
    if (auto* zelvarButton = qobject_cast<ZelvarButton*>(&button)) {
        for (int slot : {ZelvarButton::TextNormal, ZelvarButton::TextPressed, ZelvarButton::TextHover})
            zelvarButton->SetOverrideColor(slot, color);
        return;
    }
    SetPaletteText(button, color, button.palette().color(QPalette::Disabled, QPalette::ButtonText));
}

void UnificationButtonStyle::PaintButtonShape(QPainter& painter, const QRect& rect, const QColor& background,
    const QColor& border, bool focusRing, bool filled, qreal radius)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Half a pixel in, so that one pixel lines fall on whole pixels.
    const QRectF shape = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    if (background.alpha() > 0) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(background);
        painter.drawRoundedRect(shape, radius, radius);
    }
    painter.setBrush(Qt::NoBrush);
    if (focusRing) {
        painter.setPen(QPen(UnificationColors::Get().GetFocusColor(), 1.0));
        painter.drawRoundedRect(shape, radius, radius);
        if (filled && background.alpha() > 0) {
            const qreal inner = std::max<qreal>(radius - 1, 0);
            painter.setPen(QPen(UnificationColors::Get().GetOnFilledTextColor(), 1.0));
            painter.drawRoundedRect(shape.adjusted(1, 1, -1, -1), inner, inner);
        }
    } else if (border.alpha() > 0) {
        painter.setPen(QPen(border, 1.0));
        painter.drawRoundedRect(shape, radius, radius);
    }
    painter.restore();
}

void UnificationButtonStyle::PaintDropArrow(QPainter& painter, const QRect& rect, const QColor& color)
{
    const qreal width = rect.width();
    const qreal height = width / 2.0;
    const QPointF centre = QRectF(rect).center();
    QPainterPath chevron;
    chevron.moveTo(centre.x() - width / 2 + 0.5, centre.y() - height / 2);
    chevron.lineTo(centre.x(), centre.y() + height / 2);
    chevron.lineTo(centre.x() + width / 2 - 0.5, centre.y() - height / 2);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(color, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(chevron);
    painter.restore();
}
