#include "main/models/ValueComboProxyModel.h"

#include "main/models/ParameterMemberModel.h"

#include "host/doc/Exceptions.h"
#include "host/ui/QtSignalBlocker.h"
#include "host/ui/SearchableComboBox.h"

namespace {
constexpr const char* SourcePath = "main/models/ValueComboProxyModel";
}

ValueComboProxyModel::ValueComboProxyModel(SearchableComboBox* combo)
    : QIdentityProxyModel(combo)
    , m_combo(combo)
{
    ZEL_LOGIC_CHECK(SourcePath, combo != nullptr);
}

ValueComboProxyModel::~ValueComboProxyModel() = default;

void ValueComboProxyModel::setSourceModel(QAbstractItemModel* sourceModel)
{
    auto* members = qobject_cast<ParameterMemberModel*>(sourceModel);
    ZEL_LOGIC_CHECK(SourcePath, members != nullptr);
    for (const QMetaObject::Connection& connection : m_connections)
        disconnect(connection);
    m_connections.clear();

    m_members = members;
    QIdentityProxyModel::setSourceModel(sourceModel);

    m_connections.push_back(
        connect(m_combo, QOverload<int>::of(&QComboBox::activated), members, &ParameterMemberModel::OnIndexChanged));
    m_connections.push_back(
        connect(members, &ParameterMemberModel::IndexChanged, this, &ValueComboProxyModel::SelectRow));
    // Connected after the forwarding of the reset, so the combo box has its rows again when it runs.
    m_connections.push_back(connect(members, &QAbstractItemModel::modelReset, this,
        [this] { SelectRow(static_cast<int>(m_members->GetCurrentIndex())); }));
    // The duplicate warning of the alias column is no business of a one-column list.
    disconnect(members, &QAbstractItemModel::headerDataChanged, this, nullptr);
}

void ValueComboProxyModel::SelectRow(int row)
{
    QtSignalBlocker blocker(m_combo);
    m_combo->setCurrentIndex(row);
}

QModelIndex ValueComboProxyModel::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || column != 0 || row < 0 || row >= rowCount())
        return QModelIndex();
    return createIndex(row, 0);
}

QModelIndex ValueComboProxyModel::parent(const QModelIndex&) const
{
    return QModelIndex();
}

QModelIndex ValueComboProxyModel::sibling(int row, int column, const QModelIndex& idx) const
{
    return idx.isValid() ? index(row, column) : QModelIndex();
}

int ValueComboProxyModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_members)
        return 0;
    return m_members->GetNumberOfDataRows();
}

int ValueComboProxyModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool ValueComboProxyModel::hasChildren(const QModelIndex& parent) const
{
    return !parent.isValid();
}

QModelIndex ValueComboProxyModel::mapToSource(const QModelIndex& proxyIndex) const
{
    if (!proxyIndex.isValid() || !m_members)
        return QModelIndex();
    return m_members->index(proxyIndex.row(), ParameterMemberModel::SubitemAlias);
}

QModelIndex ValueComboProxyModel::mapFromSource(const QModelIndex& sourceIndex) const
{
    // The add-new-item row has no entry here.
    if (!sourceIndex.isValid() || !m_members || sourceIndex.row() >= m_members->GetNumberOfDataRows())
        return QModelIndex();
    return createIndex(sourceIndex.row(), 0);
}

QVariant ValueComboProxyModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || !m_members)
        return QVariant();
    return m_members->data(mapToSource(index), Qt::DisplayRole);
}
