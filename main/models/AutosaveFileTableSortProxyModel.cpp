#include "main/models/AutosaveFileTableSortProxyModel.h"

#include "main/models/AutosaveFileTableModel.h"

AutosaveFileTableSortProxyModel::AutosaveFileTableSortProxyModel(QObject* parent)
    : QSortFilterProxyModel(parent)
{
}

AutosaveFileTableSortProxyModel::~AutosaveFileTableSortProxyModel() = default;

bool AutosaveFileTableSortProxyModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const auto* model = qobject_cast<const AutosaveFileTableModel*>(left.model());
    if (!model)
        return false;
    return model->GetRecoveredFile(left)->GetLastModified() < model->GetRecoveredFile(right)->GetLastModified();
}
