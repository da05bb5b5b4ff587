#pragma once

#include "main/ZelDialogExport.h"

#include <QtCore/QSortFilterProxyModel>

// Orders the rows of an AutosaveFileTableModel by the time of each copy's last change, whichever
// column is sorted: two copies of one workbook differ only in time, so ordering by name would
// leave them in the host's order. Over any other source model every row compares equal.
class ZELDIALOG_EXPORT AutosaveFileTableSortProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit AutosaveFileTableSortProxyModel(QObject* parent);
    ~AutosaveFileTableSortProxyModel() override;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};
