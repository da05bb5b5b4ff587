#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtWidgets/QStyledItemDelegate>

// Paints the members of a member tree, with a mark in front of each that shows whether it is
// selected: a check box where several members may be picked, a radio button where one is, or no
// mark at all. The mark is the selection: the view's selection state is drawn, nothing else is kept.
class ZELHOST_UI_EXPORT MemberItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    enum class Mark
    {
        None,
        CheckBox,
        RadioButton,
    };

    explicit MemberItemDelegate(QObject* parent = nullptr);
    ~MemberItemDelegate() override;

    void SetMark(Mark mark) noexcept { m_mark = mark; }
    Mark GetMark() const noexcept { return m_mark; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    Mark m_mark = Mark::None;
};
