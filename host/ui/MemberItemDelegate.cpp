#include "host/ui/MemberItemDelegate.h"

#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>

MemberItemDelegate::MemberItemDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
}

MemberItemDelegate::~MemberItemDelegate() = default;

QSize MemberItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (m_mark != Mark::None)
        opt.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    return style->sizeFromContents(QStyle::CT_ItemViewItem, &opt, QSize(), widget);
}

void MemberItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (m_mark == Mark::None) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const bool selected = opt.state & QStyle::State_Selected;
    opt.features |= QStyleOptionViewItem::HasCheckIndicator;
    opt.checkState = selected ? Qt::Checked : Qt::Unchecked;
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    if (m_mark == Mark::CheckBox) {
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        return;
    }

    // The style draws a check box for an item's indicator; a radio button goes in its place, with
    // the background, text and focus frame laid out as the style lays them out around a check box.
    const QRect markRect = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, widget);
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    painter->save();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);
    QStyleOptionButton radio;
    radio.rect = markRect;
    radio.state = (opt.state & QStyle::State_Enabled) | (selected ? QStyle::State_On : QStyle::State_Off);
    style->drawPrimitive(QStyle::PE_IndicatorRadioButton, &radio, painter, widget);
    const QPalette::ColorGroup group = opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    painter->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(opt.font);
    painter->drawText(textRect.adjusted(2, 0, -2, 0), opt.displayAlignment | Qt::AlignVCenter,
        opt.fontMetrics.elidedText(opt.text, opt.textElideMode, textRect.width() - 4));
    if (opt.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(opt);
        focus.rect = opt.rect;
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}
