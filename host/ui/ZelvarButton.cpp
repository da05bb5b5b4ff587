#include "host/ui/ZelvarButton.h"

#include "host/doc/Exceptions.h"
#include "host/ui/ScaleForDpi.h"
#include "host/ui/UnificationColors.h"
#include "host/ui/UnificationConstants.h"

#include <QtGui/QPainter>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOption>

#include <algorithm>

namespace {
constexpr const char* SourcePath = "host/ui/ZelvarButton";
constexpr int ElementsPerState = 3;
} // namespace

ZelvarButton::ZelvarButton(QWidget* parent)
    : ZelvarButton(QString(), parent)
{
}

ZelvarButton::ZelvarButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
    , m_look(UnificationButtonStyle::GetLook(UnificationButtonStyle::Outline))
    , m_minimalHorizontalPadding(UnificationConstants::Get().GetMinimalButtonHorizontalPadding())
    , m_minimalVerticalPadding(UnificationConstants::Get().GetMinimalButtonVerticalPadding())
{
    setAttribute(Qt::WA_Hover);
}

void ZelvarButton::SetPaddingMode(int mode)
{
    ZEL_LOGIC_CHECK(SourcePath, mode == PaddingMode_Standard || mode == PaddingMode_Minimal);
    if (m_paddingMode == mode)
        return;
    m_paddingMode = mode;
    updateGeometry();
    update();
}

void ZelvarButton::SetMinimalHorizontalPadding(int logicalPixels)
{
    ZEL_LOGIC_CHECK(SourcePath, logicalPixels >= 0);
    m_minimalHorizontalPadding = logicalPixels;
    updateGeometry();
    update();
}

void ZelvarButton::SetMinimalVerticalPadding(int logicalPixels)
{
    ZEL_LOGIC_CHECK(SourcePath, logicalPixels >= 0);
    m_minimalVerticalPadding = logicalPixels;
    updateGeometry();
    update();
}

void ZelvarButton::SetOverrideColor(int slot, const QColor& color)
{
    ZEL_LOGIC_CHECK(SourcePath, slot >= 0 && slot < ColorSlotCount);
    m_overrideColors[static_cast<std::size_t>(slot)] = color;
    update();
}

void ZelvarButton::ClearOverrideColor(int slot)
{
    SetOverrideColor(slot, QColor());
}

void ZelvarButton::ClearOverrideColors()
{
    m_overrideColors.fill(QColor());
    update();
}

bool ZelvarButton::HasOverrideColor(int slot) const
{
    ZEL_LOGIC_CHECK(SourcePath, slot >= 0 && slot < ColorSlotCount);
    return m_overrideColors[static_cast<std::size_t>(slot)].isValid();
}

QColor ZelvarButton::GetColor(int slot) const
{
    if (HasOverrideColor(slot))
        return m_overrideColors[static_cast<std::size_t>(slot)];
    const auto state = static_cast<std::size_t>(slot / ElementsPerState);
    switch (slot % ElementsPerState) {
    case 0:
        return m_look.background[state];
    case 1:
        return m_look.border[state];
    default:
        return m_look.text[state];
    }
}

void ZelvarButton::SetDrawBorderEnabled(bool enabled)
{
    if (m_drawBorder == enabled)
        return;
    m_drawBorder = enabled;
    updateGeometry();
    update();
}

void ZelvarButton::SetDropArrowMatchesTextColor(bool matches)
{
    m_dropArrowMatchesText = matches;
    update();
}

void ZelvarButton::SetLook(const UnificationButtonLook& look)
{
    m_look = look;
    updateGeometry();
    update();
}

int ZelvarButton::GetVisualState() const
{
    if (!isEnabled())
        return UnificationButtonLook::Disabled;
    if (isDown() || isChecked())
        return UnificationButtonLook::Pressed;
    if (underMouse())
        return UnificationButtonLook::Hover;
    return UnificationButtonLook::Normal;
}

int ZelvarButton::HorizontalPadding() const
{
    return ScaleForDpi(
        this, m_paddingMode == PaddingMode_Minimal ? m_minimalHorizontalPadding : m_look.horizontalPadding);
}

int ZelvarButton::VerticalPadding() const
{
    return ScaleForDpi(this, m_paddingMode == PaddingMode_Minimal ? m_minimalVerticalPadding : m_look.verticalPadding);
}

int ZelvarButton::DropArrowWidth() const
{
    return menu() ? ScaleForDpi(this, UnificationConstants::Get().GetDropArrowSize()) : 0;
}

QSize ZelvarButton::ContentSize() const
{
    const QFontMetrics metrics = fontMetrics();
    const int gap = ScaleForDpi(this, UnificationConstants::Get().GetButtonIconTextSpacing());
    const bool hasText = !text().isEmpty();
    const bool hasIcon = !icon().isNull();

    int width = 0;
    int height = 0;
    if (hasText) {
        const QSize textSize = metrics.size(Qt::TextShowMnemonic, text());
        width += textSize.width();
        height = std::max(textSize.height(), metrics.height());
    }
    if (hasIcon) {
        width += iconSize().width() + (hasText ? gap : 0);
        height = std::max(height, iconSize().height());
    }
    if (menu())
        width += DropArrowWidth() + (width > 0 ? gap : 0);
    if (height == 0)
        height = metrics.height();
    return QSize(width, height);
}

QSize ZelvarButton::sizeHint() const
{
    const int border = (m_drawBorder && m_look.drawBorder) ? UnificationConstants::Get().GetBorderWidth() : 0;
    const QSize content = ContentSize();
    return QSize(
        content.width() + 2 * (HorizontalPadding() + border), content.height() + 2 * (VerticalPadding() + border));
}

QSize ZelvarButton::minimumSizeHint() const
{
    return sizeHint();
}

void ZelvarButton::enterEvent(QEvent* event)
{
    QPushButton::enterEvent(event);
    update();
}

void ZelvarButton::leaveEvent(QEvent* event)
{
    QPushButton::leaveEvent(event);
    update();
}

void ZelvarButton::paintEvent(QPaintEvent*)
{
    const auto& colors = UnificationColors::Get();
    const int state = GetVisualState();
    QColor background = GetColor(ElementsPerState * state + 0);
    QColor border = GetColor(ElementsPerState * state + 1);
    const QColor textColor = GetColor(ElementsPerState * state + 2);
    // A flat button shows its shape only while it is being used.
    if (isFlat() && state == UnificationButtonLook::Normal) {
        background = Qt::transparent;
        border = Qt::transparent;
    }

    QPainter painter(this);
    const bool focusRing = hasFocus() && focusPolicy() != Qt::NoFocus && state != UnificationButtonLook::Disabled
        && window()->testAttribute(Qt::WA_KeyboardFocusChange);
    UnificationButtonStyle::PaintButtonShape(painter, rect(), background,
        (m_drawBorder && m_look.drawBorder) ? border : QColor(Qt::transparent), focusRing, m_look.filled,
        ScaleForDpi(this, m_look.cornerRadius));

    const int borderWidth = (m_drawBorder && m_look.drawBorder) ? UnificationConstants::Get().GetBorderWidth() : 0;
    const int hPad = HorizontalPadding() + borderWidth;
    const int vPad = VerticalPadding() + borderWidth;
    QRect content = rect().marginsRemoved(QMargins(hPad, vPad, hPad, vPad));
    const int gap = ScaleForDpi(this, UnificationConstants::Get().GetButtonIconTextSpacing());

    QRect arrowRect;
    if (menu()) {
        const int arrowWidth = DropArrowWidth();
        arrowRect = QRect(content.right() - arrowWidth + 1, content.top(), arrowWidth, content.height());
        content.setRight(arrowRect.left() - gap - 1);
    }

    const bool hasText = !text().isEmpty();
    const bool hasIcon = !icon().isNull();
    const QFontMetrics metrics = fontMetrics();
    const int textWidth = hasText ? metrics.size(Qt::TextShowMnemonic, text()).width() : 0;
    const int iconWidth = hasIcon ? iconSize().width() : 0;
    const int total = textWidth + iconWidth + (hasText && hasIcon ? gap : 0);
    int x = content.left() + std::max(0, (content.width() - total) / 2);

    if (hasIcon) {
        const QRect iconRect(
            x, content.top() + (content.height() - iconSize().height()) / 2, iconSize().width(), iconSize().height());
        const QIcon::Mode mode = state == UnificationButtonLook::Disabled ? QIcon::Disabled
            : state == UnificationButtonLook::Hover                       ? QIcon::Active
                                                                          : QIcon::Normal;
        icon().paint(&painter, iconRect, Qt::AlignCenter, mode, isChecked() ? QIcon::On : QIcon::Off);
        x += iconWidth + (hasText ? gap : 0);
    }
    if (hasText) {
        QStyleOption option;
        option.initFrom(this);
        const bool underline = style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this);
        painter.setPen(textColor);
        painter.setFont(font());
        const QRect textRect(x, content.top(), std::min(textWidth, content.right() - x + 1), content.height());
        painter.drawText(textRect,
            Qt::AlignLeft | Qt::AlignVCenter | (underline ? Qt::TextShowMnemonic : Qt::TextHideMnemonic), text());
    }
    if (menu()) {
        const QColor arrowColor = m_dropArrowMatchesText ? textColor
            : state == UnificationButtonLook::Disabled   ? colors.GetDisabledTextColor()
                                                         : colors.GetSecondaryTextColor();
        UnificationButtonStyle::PaintDropArrow(painter, arrowRect, arrowColor);
    }
}
