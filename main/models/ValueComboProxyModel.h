#pragma once

#include "main/ZelDialogExport.h"

#include <QtCore/QIdentityProxyModel>

class ParameterMemberModel;
class SearchableComboBox;

// The members of a ParameterMemberModel as the one-column list of a current-value combo box: one
// entry per member (never the add-new-item row), showing the member's alias column. It also ties
// the combo box to the model's current index: a pick in the combo box goes to the model
// (OnIndexChanged), and the model's current index (after a change or a reset) selects the combo
// box's entry without a signal of the combo box.
//
// Owned by the combo box (its parent). Its source must be a ParameterMemberModel.
class ZELDIALOG_EXPORT ValueComboProxyModel : public QIdentityProxyModel
{
    Q_OBJECT

public:
    explicit ValueComboProxyModel(SearchableComboBox* combo);
    ~ValueComboProxyModel() override;

    // Any other model than a ParameterMemberModel (or none) raises the logic exception.
    void setSourceModel(QAbstractItemModel* sourceModel) override;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    QModelIndex sibling(int row, int column, const QModelIndex& idx) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void SelectRow(int row);

    SearchableComboBox* m_combo;
    ParameterMemberModel* m_members = nullptr;
    std::vector<QMetaObject::Connection> m_connections;
};
