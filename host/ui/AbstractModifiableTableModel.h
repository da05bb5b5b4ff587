#pragma once

#include "host/doc/TString.h"
#include "host/ui/ZelHostUiExport.h"

#include <QtCore/QAbstractTableModel>
#include <QtCore/QItemSelection>

// A table whose rows the user edits in place, adds to and rearranges (ModifiableTableView). After
// the data rows comes one more row, the add-new-item row, which shows a prompt; what the user types
// there is handed to AddNewItem. A subclass supplies the data rows and performs the edits; this class
// supplies the row count, the flags, the texts and the drag data.
//
// Row drags carry RowsMimeType(): the dragging model's address and the rows, so that a drop is only
// taken by the view of the same model.
class ZELHOST_UI_EXPORT AbstractModifiableTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The add-new-item row's prompt, as a view shows it in place of a text (a placeholder). It is no
    // display text: the row holds none, so views and proxies see it unchanged when the prompt changes
    // with the number of rows.
    static constexpr int PromptRole = Qt::UserRole + 0x5a1;

    explicit AbstractModifiableTableModel(QObject* parent = nullptr);
    ~AbstractModifiableTableModel() override;

    // The texts of data rows (display and edit role); the add-new-item row has an empty text, the
    // prompt (PromptRole, column 0) and the placeholder colour.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    virtual TString GetAddNewItemPrompt() const = 0;
    // Adds a row for text typed into the add-new-item row; false when the text was refused.
    virtual bool AddNewItem(const TString& text) = 0;
    virtual void EraseRow(int row) = 0;
    // Sets the text of one cell of a data row; false when the text was refused.
    virtual bool UpdateItem(const QModelIndex& index, const TString& text) = 0;
    // Moves the selected rows (see ModifiableTableView::MoveSelectedItems for the target and the
    // flag); a negative target deletes them.
    virtual void MoveItems(const QItemSelection& selection, int targetRow, bool flag) = 0;
    virtual int GetNumberOfDataRows() const = 0;
    virtual TString GetItemDisplayString(const QModelIndex& index) const = 0;

    // The data rows plus the add-new-item row.
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Edits made through the model itself (not the view) go to AddNewItem and UpdateItem alike.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(
        const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent) const override;

    int GetAddNewItemRow() const { return GetNumberOfDataRows(); }
    bool IsAddNewItemRow(int row) const { return row == GetNumberOfDataRows(); }

    static QString RowsMimeType();
    // The rows a drag of this model carries, ascending; empty for data from anything else.
    std::vector<int> RowsFromMimeData(const QMimeData* data) const;
};
