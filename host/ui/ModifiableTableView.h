#pragma once

#include "host/doc/TString.h"
#include "host/ui/ZelHostUiExport.h"

#include <QtWidgets/QTableView>

#include <vector>

class AbstractModifiableTableModel;

// The table view over an AbstractModifiableTableModel, edited in place:
// - any cell of a data row is edited by typing, double-clicking or F2/Return; the text goes to
//   UpdateItem (nothing is sent when it did not change);
// - the add-new-item row after the data rows spans the table and shows the model's prompt; clicking
//   it or typing on it opens an editor, and the text goes to AddNewItem; the row stays current, so
//   values can be typed one after another;
// - Delete or Backspace removes the selected rows;
// - Ctrl+Up and Ctrl+Down move the selected rows by one, and rows can be dragged to a place between
//   other rows; both go through MoveSelectedItems.
// After a move or a deletion the view selects what the user will act on next: the moved rows, or
// the row that took the place of the first deleted one.
class ZELHOST_UI_EXPORT ModifiableTableView : public QTableView
{
    Q_OBJECT

public:
    explicit ModifiableTableView(QWidget* parent = nullptr);
    ~ModifiableTableView() override;

    // The view does not own the model.
    void SetTableModel(AbstractModifiableTableModel* model);
    AbstractModifiableTableModel* GetTableModel() const { return m_model; }

    // What the editor hands over; false when the model refused the text.
    virtual bool AddNewItem(const TString& text);
    virtual bool UpdateItem(int row, int column, const TString& text);

    // Moves the selected data rows, gathered in list order. With `insertBefore` the target is a gap
    // of the list as it stands (the rows go before row targetRow; the row count: to the end), as a
    // drop gives it; without, it is the row that the first moved row occupies afterwards, as a move
    // by one row from the keyboard gives it. A negative target deletes the rows.
    void MoveSelectedItems(int targetRow, bool insertBefore);
    void DeleteSelectedItems();
    // The selected data rows, ascending (never the add-new-item row).
    std::vector<int> GetSelectedDataRows() const;
    // Makes the add-new-item row current and opens its editor.
    void EditAddNewItemRow();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The gap of the list that a drop at `position` (viewport coordinates) goes into.
    int DropTargetRow(const QPoint& position) const;

private:
    class ItemDelegate;
    class HeaderView;

    void UpdateAddNewItemSpan();
    void SelectDataRows(int first, int count);
    void MoveSelectionByOne(bool down);

    AbstractModifiableTableModel* m_model = nullptr;
};
