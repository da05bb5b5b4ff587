#include "main/models/TableViewModel.h"

#include "gen-command-wrappers/TableViewCommandWrappers.h"
#include "host/doc/Exceptions.h"
#include "host/doc/TableViewPresModels.h"
#include "public/models/TablePageCache.h"

#include <QtGui/QColor>

#include <climits>
#include <cstdint>
#include <limits>

namespace {

constexpr const char* kSource = "main/models/TableViewModel";

using TableViewPage = RefCntPtr<TableViewPagePresModel const>;
namespace Cmds = Zel::Commands::TableView;

// The table data type that names "the table of a field"; what that table holds is the host's.
constexpr int kFieldTableDataType = 1;
constexpr int kAscending = 0;
constexpr int kDescending = 1;

// A count that stands for "to the end of the table" in a page's rectangle.
constexpr quint64 kToTheEnd = std::numeric_limits<std::uint32_t>::max();

// The background of a cell. Special cells (nulls, a member standing for all others) must stand out
// from the alternating rows: the same shade with less blue. The four are made once: a colour does
// not fit in a variant, and a new one per call would cost an allocation where a copy costs a count.
const QVariant& Background(bool oddRow, bool special)
{
    auto make = [](int shade, bool tinted) { return QVariant(QColor(shade, shade, tinted ? shade - 30 : shade, 255)); };
    static const QVariant backgrounds[2][2]
        = {{make(255, false), make(255, true)}, {make(250, false), make(250, true)}};
    return backgrounds[oddRow ? 1 : 0][special ? 1 : 0];
}

} // namespace

// The concrete page cache: sends the create and load commands, keeps the table description that
// the host answered and the cache description with its sort state.
class TableViewModel::TableViewerPageCache final : public TablePageCache<TableViewPage>
{
public:
    TableViewerPageCache(const ICommandDispatcher& dispatcher, RefCntPtr<TableViewCachePresModel> cacheModel,
        CacheDimensions<1> capacity)
        : TablePageCache<TableViewPage>(dispatcher, cacheModel->GetCacheID(), capacity)
        , m_cacheModel(std::move(cacheModel))
    {
    }

    const RefCntPtr<TableViewInfoPresModel const>& GetTableInfo() const noexcept { return m_tableInfo; }

    PagePtr LoadPage(unsigned int row, unsigned int column) override
    {
        auto result = GetTableViewPage(GetDispatcher(), Description(), row, column);
        return std::make_shared<LoadedTablePage<TableViewPage>>(result.Get<Cmds::TableViewPage>());
    }

    void CreateCache() override
    {
        auto result = CreateTableViewCache(GetDispatcher(), Description());
        RefCntPtr<TableViewInfoPresModel const> info = result.Get<Cmds::TableViewInfo>();
        RefCntPtr<SimpleCommandsPresModel const> cleanup = result.Get<Cmds::CleanupCommands>();
        // Checked before anything changes: views count rows and columns in ints, so a table the
        // host describes beyond that, or below zero, cannot be shown.
        ZEL_LOGIC_CHECK(kSource, info != nullptr);
        ZEL_LOGIC_CHECK(kSource, info->GetRowCount() >= 0);
        ZEL_LOGIC_CHECK(kSource, info->GetColumnCount() <= static_cast<unsigned int>(INT_MAX));
        m_tableInfo = std::move(info);
        GetCleanup().AddCommand(std::move(cleanup));
    }

    // Calls `read` with the cell at (row, column), or with null for a cell of a placeholder page
    // (which reads as an empty, plain cell), and returns what it returns. The cell is read under
    // the page store's lock, so neither the page nor the cell is counted once more for it: a view
    // asks for every visible cell several times per repaint.
    template <typename Read>
    auto ReadItem(int row, int column, Read&& read)
    {
        const auto tableRow = static_cast<std::uint64_t>(static_cast<std::int64_t>(row));
        const auto tableColumn = static_cast<std::uint64_t>(static_cast<std::int64_t>(column));
        return UsePage(tableRow, tableColumn, [&](const Page& page) {
            const TableViewPage& pageModel = page.GetPageModel();
            if (!pageModel)
                return read(static_cast<const TableViewPageItemPresModel*>(nullptr));
            const TableViewPageRowPresModel& rowModel
                = pageModel->GetRow(static_cast<unsigned int>(page.GetRelativeRow(tableRow)));
            return read(rowModel.GetColumn(static_cast<unsigned int>(page.GetRelativeColumn(tableColumn))).get());
        });
    }

    void Sort(int column, Qt::SortOrder order)
    {
        const bool sorted = column >= 0;
        const auto columnIndex = static_cast<unsigned int>(column);
        const int direction = order == Qt::DescendingOrder ? kDescending : kAscending;
        if (sorted == m_cacheModel->GetIsSorted() && columnIndex == m_cacheModel->GetSortColumnIndex()
            && direction == static_cast<int>(m_cacheModel->GetSortDirection()))
            return;
        m_cacheModel->SetIsSorted(sorted);
        m_cacheModel->SetSortColumnIndex(columnIndex);
        m_cacheModel->SetSortDirection(static_cast<SortDirection>(direction));
        // The pages stay until the host reports the new order (its page-cache-changed event).
        SortTableViewCache(GetDispatcher(), Description());
    }

private:
    RefCntPtr<TableViewCachePresModel const> Description() const { return m_cacheModel; }

    RefCntPtr<TableViewInfoPresModel const> m_tableInfo;
    RefCntPtr<TableViewCachePresModel> m_cacheModel;
};

TableViewModel::TableViewModel(const std::shared_ptr<ICommandDispatcher const>& dispatcher, const FieldName& name,
    QObject* parent, int pageRowCount, int pageColumnCount, CacheDimensions<1> cacheCapacity,
    const std::chrono::seconds& cacheTimeout)
    : QAbstractTableModel(parent)
{
    ZEL_LOGIC_CHECK(kSource, dispatcher != nullptr);

    auto cacheId = MakeRefCnt<PageCacheIDPresModel>();
    cacheId->SetPageRowCount(pageRowCount);
    cacheId->SetPageColumnCount(pageColumnCount);
    cacheId->SetCacheTimeout(cacheTimeout);

    auto cacheModel = MakeRefCnt<TableViewCachePresModel>();
    cacheModel->SetCacheID(RefCntPtr<PageCacheIDPresModel const>(std::move(cacheId)));
    cacheModel->SetTableDataType(static_cast<TableViewDataType>(kFieldTableDataType));
    cacheModel->SetName(name);
    cacheModel->SetIsSorted(false);
    cacheModel->SetSortDirection(static_cast<SortDirection>(kDescending));

    m_cache = std::make_unique<TableViewerPageCache>(*dispatcher, std::move(cacheModel), cacheCapacity);
    connect(
        m_cache.get(), &TablePageCacheSignalProvider::pageDiscarded, m_cache.get(),
        [this](quint64 startRow, quint64 startColumn, quint64 rowCount, quint64 columnCount) {
            OnPageDiscarded(startRow, startColumn, rowCount, columnCount);
        },
        Qt::DirectConnection);

    m_cache->CreateTableCache();
}

TableViewModel::~TableViewModel() = default;

int TableViewModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return m_cache->GetTableInfo()->GetRowCount();
}

int TableViewModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return static_cast<int>(m_cache->GetTableInfo()->GetColumnCount());
}

QVariant TableViewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return m_cache->ReadItem(index.row(), index.column(), [](const TableViewPageItemPresModel* item) {
            // Copied once, into the variant.
            return item ? QVariant(item->GetDisplayQString()) : QVariant(QString());
        });
    case Qt::TextAlignmentRole:
        return m_cache->ReadItem(index.row(), index.column(),
            [](const TableViewPageItemPresModel* item) { return QVariant(item ? item->GetAlignmentFlags() : 0); });
    case Qt::BackgroundRole: {
        const bool special = m_cache->ReadItem(index.row(), index.column(),
            [](const TableViewPageItemPresModel* item) { return item && item->GetIsSpecial(); });
        return Background(index.row() % 2 != 0, special);
    }
    default:
        return QVariant();
    }
}

QVariant TableViewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return m_cache->GetTableInfo()->GetColumn(static_cast<unsigned int>(section)).GetCaption().ToQString();
    case Qt::TextAlignmentRole:
        return m_cache->GetTableInfo()->GetColumn(static_cast<unsigned int>(section)).GetAlignmentFlags();
    default:
        return QVariant();
    }
}

void TableViewModel::sort(int column, Qt::SortOrder order)
{
    m_cache->Sort(column, order);
}

const TString& TableViewModel::GetTitle() const
{
    return m_cache->GetTableInfo()->GetTitle();
}

const TString& TableViewModel::GetRowCountCaption() const
{
    return m_cache->GetTableInfo()->GetRowCountCaption();
}

void TableViewModel::OnPageDiscarded(quint64 startRow, quint64 startColumn, quint64 rowCount, quint64 columnCount)
{
    const RefCntPtr<TableViewInfoPresModel const>& info = m_cache->GetTableInfo();
    if (!info)
        return;
    const auto tableRows = static_cast<quint64>(info->GetRowCount());
    const auto tableColumns = static_cast<quint64>(info->GetColumnCount());
    // A page of a table that has since shrunk, or an empty one, covers no cell a view could show.
    if (startRow >= tableRows || startColumn >= tableColumns || rowCount == 0 || columnCount == 0)
        return;
    const quint64 lastRow
        = rowCount == kToTheEnd || rowCount > tableRows - startRow ? tableRows - 1 : startRow + rowCount - 1;
    const quint64 lastColumn = columnCount == kToTheEnd || columnCount > tableColumns - startColumn
        ? tableColumns - 1
        : startColumn + columnCount - 1;
    emit dataChanged(index(static_cast<int>(startRow), static_cast<int>(startColumn)),
        index(static_cast<int>(lastRow), static_cast<int>(lastColumn)), QVector<int>());
}
