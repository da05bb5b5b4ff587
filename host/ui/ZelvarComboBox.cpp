#include "host/ui/ZelvarComboBox.h"

#include "host/doc/Exceptions.h"
#include "host/ui/QtSignalBlocker.h"
#include "host/ui/ScaleForDpi.h"
#include "host/ui/UnificationButtonStyle.h"
#include "host/ui/UnificationColors.h"
#include "host/ui/UnificationConstants.h"

#include <QtGui/QPainter>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QStyleOptionComboBox>
#include <QtWidgets/QStyledItemDelegate>

#include <algorithm>

namespace {
constexpr const char* SourcePath = "host/ui/ZelvarComboBox";
constexpr int TextPadding = 8;
constexpr int ArrowAreaWidth = 24;
constexpr int ItemHeight = 24;

// Items of the open list as tall as a row of the toolkit's tables, with the field's text padding.
class ItemDelegate final : public QStyledItemDelegate
{
public:
    explicit ItemDelegate(QWidget* combo)
        : QStyledItemDelegate(combo)
        , m_combo(combo)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize hint = QStyledItemDelegate::sizeHint(option, index);
        hint.setHeight(std::max(hint.height(), ScaleForDpi(m_combo, ItemHeight)));
        hint.rwidth() += 2 * ScaleForDpi(m_combo, TextPadding);
        return hint;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QString text = item.text;
        item.text.clear();
        const QWidget* widget = item.widget;
        QStyle* style = widget ? widget->style() : m_combo->style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
        // The text lines up with the closed field's text.
        const QRect textRect = item.rect.adjusted(ScaleForDpi(m_combo, TextPadding), 0, -ScaleForDpi(m_combo, 4), 0);
        const bool selected = item.state & QStyle::State_Selected;
        const QPalette::ColorGroup group = item.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        painter->save();
        painter->setFont(item.font);
        painter->setPen(item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
            QFontMetrics(item.font).elidedText(text, item.textElideMode, textRect.width()));
        painter->restore();
    }

private:
    QWidget* m_combo;
};
} // namespace

ZelvarComboBox::ZelvarComboBox(QWidget* parent)
    : QComboBox(parent)
{
    setAttribute(Qt::WA_Hover);
    // A flat list instead of the menu-like pop-up some styles use, so every look drops the same list.
    setItemDelegate(new ItemDelegate(this));
    view()->setTextElideMode(m_elideMode);
}

void ZelvarComboBox::SetComboBoxLook(int look)
{
    ZEL_LOGIC_CHECK(SourcePath, look >= CBL_Native && look <= CBL_Lightweight);
    if (m_look == look)
        return;
    m_look = look;
    UpdateEditorGeometry();
    updateGeometry();
    update();
}

void ZelvarComboBox::setModel(QAbstractItemModel* model, bool selectFirstItem)
{
    if (selectFirstItem) {
        QComboBox::setModel(model);
    } else {
        QtSignalBlocker blocker(this);
        QComboBox::setModel(model);
        setCurrentIndex(-1);
    }
    HandleModelChanged();
}

void ZelvarComboBox::setTextElideMode(Qt::TextElideMode mode)
{
    m_elideMode = mode;
    view()->setTextElideMode(mode);
    update();
}

QSize ZelvarComboBox::sizeHint() const
{
    QSize hint = QComboBox::sizeHint();
    if (m_look == CBL_Native)
        return hint;
    hint.setHeight(std::max(hint.height(), ScaleForDpi(this, UnificationConstants::Get().GetControlHeight())));
    // The widest item beside the look's own padding and chevron, which the style's measure of a
    // native combo box does not know.
    const QFontMetrics metrics = fontMetrics();
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
    const QRect textArea = GetTextRect();
    const int around = width() - textArea.width();
    hint.setWidth(std::max(hint.width(), widest + around + ScaleForDpi(this, 2)));
    return hint;
}

QSize ZelvarComboBox::minimumSizeHint() const
{
    QSize hint = QComboBox::minimumSizeHint();
    if (m_look != CBL_Native)
        hint.setHeight(std::max(hint.height(), ScaleForDpi(this, UnificationConstants::Get().GetControlHeight())));
    return hint;
}

QRect ZelvarComboBox::GetArrowRect() const
{
    const int width = ScaleForDpi(this, ArrowAreaWidth);
    return QRect(rect().right() - width + 1, 0, width, height());
}

QRect ZelvarComboBox::GetTextRect() const
{
    const int padding = m_look == CBL_Lightweight ? ScaleForDpi(this, 2) : ScaleForDpi(this, TextPadding);
    return rect().adjusted(padding, 0, -GetArrowRect().width(), 0);
}

void ZelvarComboBox::PaintFrame(QPainter& painter) const
{
    const auto& colors = UnificationColors::Get();
    const bool enabled = isEnabled();
    const bool focused = hasFocus() || (lineEdit() && lineEdit()->hasFocus());
    if (m_look == CBL_Unification) {
        const QColor background = enabled ? colors.GetSurfaceColor() : colors.GetAlternateSurfaceColor();
        const QColor border = !enabled ? colors.GetBorderColor()
            : m_hovered                ? colors.GetStrongBorderColor()
                                       : colors.GetBorderColor();
        UnificationButtonStyle::PaintButtonShape(painter, rect(), background, border, focused && enabled, false,
            ScaleForDpi(this, UnificationConstants::Get().GetCornerRadius()));
    } else {
        const QColor line = !enabled ? colors.GetBorderColor()
            : focused                ? colors.GetFocusColor()
            : m_hovered              ? colors.GetStrongBorderColor()
                                     : colors.GetBorderColor();
        painter.fillRect(QRect(0, height() - 1, width(), 1), line);
    }
    const int arrowSize = ScaleForDpi(this, UnificationConstants::Get().GetDropArrowSize());
    QRect arrow(0, 0, arrowSize, arrowSize);
    arrow.moveCenter(GetArrowRect().center());
    UnificationButtonStyle::PaintDropArrow(
        painter, arrow, enabled ? colors.GetSecondaryTextColor() : colors.GetDisabledTextColor());
}

void ZelvarComboBox::paintEvent(QPaintEvent* event)
{
    if (m_look == CBL_Native) {
        QComboBox::paintEvent(event);
        return;
    }
    QPainter painter(this);
    PaintFrame(painter);
    // An editable combo box shows its line edit over the text area.
    if (isEditable())
        return;

    QStyleOptionComboBox option;
    initStyleOption(&option);
    QRect textRect = GetTextRect();
    if (!option.currentIcon.isNull()) {
        const int iconSize = ScaleForDpi(this, UnificationConstants::Get().GetSmallIconSize());
        QRect iconRect(textRect.left(), 0, iconSize, iconSize);
        iconRect.moveTop((height() - iconSize) / 2);
        option.currentIcon.paint(&painter, iconRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
        textRect.setLeft(iconRect.right() + 1 + ScaleForDpi(this, UnificationConstants::Get().GetSmallSpacing()));
    }
    const auto& colors = UnificationColors::Get();
    painter.setPen(isEnabled() ? colors.GetTextColor() : colors.GetDisabledTextColor());
    painter.setFont(font());
    const QString text = fontMetrics().elidedText(option.currentText, m_elideMode, textRect.width());
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

void ZelvarComboBox::enterEvent(QEvent* event)
{
    m_hovered = true;
    update();
    QComboBox::enterEvent(event);
}

void ZelvarComboBox::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QComboBox::leaveEvent(event);
}

void ZelvarComboBox::resizeEvent(QResizeEvent* event)
{
    QComboBox::resizeEvent(event);
    UpdateEditorGeometry();
}

void ZelvarComboBox::showEvent(QShowEvent* event)
{
    QComboBox::showEvent(event);
    UpdateEditorGeometry();
}

void ZelvarComboBox::UpdateEditorGeometry()
{
    if (m_look == CBL_Native || !lineEdit())
        return;
    // Inside the border, so that the field's outline and focus ring stay visible around the editor.
    const int inset = ScaleForDpi(this, 2);
    lineEdit()->setGeometry(GetTextRect().adjusted(0, inset, 0, -inset));
}
