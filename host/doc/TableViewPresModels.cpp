#include "TableViewPresModels.h"

#include "Exceptions.h"

namespace {
constexpr const char* kSource = "host/doc/TableViewPresModels";
}

TableViewCachePresModel::~TableViewCachePresModel() = default;
TableViewColumnInfoPresModel::~TableViewColumnInfoPresModel() = default;
TableViewInfoPresModel::~TableViewInfoPresModel() = default;
TableViewPageItemPresModel::~TableViewPageItemPresModel() = default;
TableViewPageRowPresModel::~TableViewPageRowPresModel() = default;
PageInfoPresModel::~PageInfoPresModel() = default;
TableViewPagePresModel::~TableViewPagePresModel() = default;

const TableViewColumnInfoPresModel& TableViewInfoPresModel::GetColumn(unsigned int column) const
{
    ZEL_LOGIC_CHECK(kSource, column < m_Columns.size());
    const RefCntPtr<TableViewColumnInfoPresModel const>& info = m_Columns[column];
    ZEL_LOGIC_CHECK(kSource, info != nullptr);
    return *info;
}

const RefCntPtr<TableViewPageItemPresModel const>& TableViewPageRowPresModel::GetColumn(unsigned int column) const
{
    ZEL_LOGIC_CHECK(kSource, column < m_Columns.size());
    const RefCntPtr<TableViewPageItemPresModel const>& item = m_Columns[column];
    ZEL_LOGIC_CHECK(kSource, item != nullptr);
    return item;
}

const TableViewPageRowPresModel& TableViewPagePresModel::GetRow(unsigned int row) const
{
    ZEL_LOGIC_CHECK(kSource, row < m_Rows.size());
    const RefCntPtr<TableViewPageRowPresModel const>& record = m_Rows[row];
    ZEL_LOGIC_CHECK(kSource, record != nullptr);
    return *record;
}
