#pragma once

#include "main/ZelDialogExport.h"

#include <QtCore/QPersistentModelIndex>
#include <QtWidgets/QStyledItemDelegate>

class QAbstractItemView;

// Starts and ends the in-place edits of the alias table, which has no edit triggers of its own: a
// plain left click (press and release on a cell without moving) or F2 edits the shown text of the
// clicked or current row, whatever its column. In the editor, Tab and Down commit and move to the
// next row, Backtab and Up to the one before, Return commits, Escape abandons, and leaving the
// editor commits; PageUp and PageDown do nothing there.
//
// After an edit the row's first cell is current again, so that a later F2 edits the same row. The
// view is the caller's and must outlive the delegate; sends no commands itself (committing goes
// through the view to the model).
class ZELDIALOG_EXPORT EditAliasesItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    EditAliasesItemDelegate(QAbstractItemView* view, QObject* parent);
    ~EditAliasesItemDelegate() override;

    bool eventFilter(QObject* object, QEvent* event) override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
        const QModelIndex& index) override;

private:
    void StartEdit(const QModelIndex& index);
    void FinishEdit(QWidget* editor, bool commit);
    // Commits, then edits the same column `rows` rows away when there is such a row.
    void MoveEdit(QWidget* editor, int rows);

    QAbstractItemView* m_view;
    // Persistent: committing re-sorts the proxy under the view before the next edit starts.
    QPersistentModelIndex m_editIndex;
    bool m_pressed = false;
};
