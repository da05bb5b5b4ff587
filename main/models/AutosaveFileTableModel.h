#pragma once

#include "host/doc/AutosaveFilePresModel.h"
#include "main/ZelDialogExport.h"

#include <QtCore/QAbstractTableModel>

#include <vector>

// The recovered copies of workbooks as a read-only table: column 0 the workbook's name, column 1
// the time of the copy's last change. The rows keep the host's order; AutosaveFileTableSortProxyModel
// orders them for the view. The model shares the host's records and sends no commands.
class ZELDIALOG_EXPORT AutosaveFileTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column : int
    {
        WorkbookColumn = 0,
        LastModifiedColumn = 1,
        ColumnCount
    };

    explicit AutosaveFileTableModel(QObject* parent);
    ~AutosaveFileTableModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Replaces every row. A null record in the list raises the logic exception and changes nothing.
    void SetRecoveredFiles(const std::vector<RefCntPtr<AutosaveFilePresModel const>>& files);

    // The record of the index's row, whatever its column. An index that is not a row of this model
    // (an empty model, an invalid index, a row past the end, an index of another model such as a
    // proxy's) raises the logic exception.
    RefCntPtr<AutosaveFilePresModel const> GetRecoveredFile(const QModelIndex& index) const;

    // The row (in column 0) of the newest copy of the workbook at `originalPath`, the first such row
    // among copies of equal time; invalid when the workbook has no copy.
    QModelIndex FindMostRecentFile(const TString& originalPath) const;

private:
    std::vector<RefCntPtr<AutosaveFilePresModel const>> m_recoveredFiles;
};
