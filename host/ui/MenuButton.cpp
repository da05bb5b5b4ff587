#include "host/ui/MenuButton.h"

#include "host/ui/ScaleForDpi.h"

#include <QtWidgets/QStyleOptionButton>
#include <QtWidgets/QStylePainter>

namespace {
constexpr int ArrowSize = 8;
constexpr int ArrowPadding = 6;
} // namespace

MenuButton::MenuButton(QWidget* parent)
    : QPushButton(parent)
{
}

MenuButton::MenuButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
{
}

int MenuButton::ArrowAreaWidth() const
{
    return ScaleForDpi(this, ArrowSize + ArrowPadding);
}

QSize MenuButton::sizeHint() const
{
    QSize hint = QPushButton::sizeHint();
    hint.rwidth() += ArrowAreaWidth();
    return hint;
}

QSize MenuButton::minimumSizeHint() const
{
    QSize hint = QPushButton::minimumSizeHint();
    hint.rwidth() += ArrowAreaWidth();
    return hint;
}

void MenuButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    // The bevel takes the whole button; the label is centred in what the arrow leaves, so the text
    // never runs under it.
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    QStyleOptionButton label = option;
    label.rect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    label.rect.setRight(label.rect.right() - ArrowAreaWidth() + ScaleForDpi(this, ArrowPadding) / 2);
    painter.drawControl(QStyle::CE_PushButtonLabel, label);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }

    QStyleOption arrow = option;
    const int size = ScaleForDpi(this, ArrowSize);
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    arrow.rect = QRect(contents.right() - size - ScaleForDpi(this, 1), rect().center().y() - size / 2, size, size);
    if (isDown() || isChecked())
        arrow.rect.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
            style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    painter.drawPrimitive(QStyle::PE_IndicatorArrowDown, arrow);
}
