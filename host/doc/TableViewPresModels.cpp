#include "TableViewPresModels.h"

#include "Exceptions.h"

#include <utility>

namespace {
constexpr const char* kSource = "host/doc/TableViewPresModels";
}

TableViewCachePresModel::~TableViewCachePresModel() = default;
TableViewColumnInfoPresModel::~TableViewColumnInfoPresModel() = default;
TableViewInfoPresModel::~TableViewInfoPresModel() = default;
TableViewPageItemPresModel::~TableViewPageItemPresModel() = default;
TableViewPageCellSource::~TableViewPageCellSource() = default;
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

TableViewPageRowPresModel::TableViewPageRowPresModel(
    RefCntPtr<TableViewPageCellSource const> source, unsigned int sourceRow, unsigned int columnCount)
    : m_made(false)
    , m_source(std::move(source))
    , m_sourceRow(sourceRow)
    , m_columnCount(columnCount)
{
    ZEL_LOGIC_CHECK(kSource, m_source != nullptr);
}

void TableViewPageRowPresModel::SetColumns(Cells cells)
{
    m_columnCount = static_cast<unsigned int>(cells.size());
    m_columns = std::move(cells);
    m_source.reset();
    m_made.store(true, std::memory_order_release);
}

const RefCntPtr<TableViewPageItemPresModel const>& TableViewPageRowPresModel::GetColumn(unsigned int column) const
{
    ZEL_LOGIC_CHECK(kSource, column < m_columnCount);
    if (!m_made.load(std::memory_order_acquire))
        MakeCells();
    const RefCntPtr<TableViewPageItemPresModel const>& item = m_columns[column];
    ZEL_LOGIC_CHECK(kSource, item != nullptr);
    return item;
}

void TableViewPageRowPresModel::MakeCells() const
{
    const std::lock_guard<std::mutex> lock(m_source->m_making);
    if (m_made.load(std::memory_order_relaxed))
        return;
    Cells cells = m_source->MakeCells(m_sourceRow);
    ZEL_LOGIC_CHECK(kSource, cells.size() == m_columnCount);
    m_columns = std::move(cells);
    m_made.store(true, std::memory_order_release);
}

const TableViewPageRowPresModel& TableViewPagePresModel::GetRow(unsigned int row) const
{
    ZEL_LOGIC_CHECK(kSource, row < m_Rows.size());
    const RefCntPtr<TableViewPageRowPresModel const>& record = m_Rows[row];
    ZEL_LOGIC_CHECK(kSource, record != nullptr);
    return *record;
}
