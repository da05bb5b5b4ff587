#include "TableViewArea.h"

#include "PageCellMaker.h"
#include "SampleWorkbook.h"
#include "SimAreaBinding.h"
#include "TablePageReader.h"

#include "host/commands/TableViewCommands.h"
#include "host/doc/NotificationManager.h"
#include "host/doc/TableViewPresModels.h"

#include <QtCore/QAtomicInteger>
#include <QtCore/QLocale>
#include <QtCore/QTimer>
#include <QtCore/QVariant>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

#include <algorithm>
#include <climits>
#include <map>
#include <vector>

namespace Zel::Sim {

namespace Cmds = Zel::Commands::TableView;

namespace {

constexpr int kIdleCheckMilliseconds = 1000;

QAtomicInteger<int> s_memberTableCounter {0};

QString SqlError(const QSqlQuery& query)
{
    return query.lastError().text();
}

struct Column
{
    TString caption;
    // An SQL expression over the cache's table.
    QString expression;
    DataType type;
};

// Where a cache's rows come from, and how they are ordered before any sort.
struct RowSource
{
    QString table;
    std::vector<Column> columns;
    // An expression true for rows whose first column is special, or empty.
    QString specialExpression;
    // Rows that keep their place above the others whatever the sort, or empty.
    QString pinnedOrder;
    // Run when the cache goes (a temporary table of its own), or empty.
    QString dropStatement;
};

struct HostCache
{
    // The host's own record of the cache's identity, sent with its events.
    RefCntPtr<PageCacheIDPresModel const> id;
    TString title;
    TString rowCountCaption;
    RowSource source;
    qint64 rowCount = 0;
    int pageRowCount = 0;
    int pageColumnCount = 0;

    // The row id of the first row in the natural order; the others follow without gaps.
    qint64 firstRowId = 1;

    bool sorted = false;
    unsigned int sortColumn = 0;
    bool descending = false;
    std::vector<qint64> sortedIds;

    std::chrono::seconds timeout {0};
    std::chrono::steady_clock::time_point lastUsed;

    // Reads every page, with statements prepared once.
    std::unique_ptr<TablePageReader> reader;
};

bool IsWholeTable(const FieldName& name)
{
    const TString& local = name.GetLocalName();
    if (name.GetDataSource().empty())
        return local == SampleWorkbook::DataSourceName();
    return name.GetDataSource() == SampleWorkbook::DataSourceName()
        && (local.empty() || local == SampleWorkbook::DataSourceName());
}

TString CountCaption(qint64 count, const char* singular, const char* plural)
{
    return TString(QLocale(QLocale::English).toString(count) + QLatin1Char(' ')
        + QString::fromLatin1(count == 1 ? singular : plural));
}

} // namespace

struct TableViewArea::Impl
{
    Impl(SampleWorkbook& w)
        : workbook(w)
        , clock([] { return std::chrono::steady_clock::now(); })
    {
        idleTimer.setInterval(kIdleCheckMilliseconds);
    }

    ~Impl()
    {
        // Temporary tables live as long as the connection; the workbook may be used on.
        for (auto& entry : caches)
            DropStorage(*entry.second);
    }

    SampleWorkbook& workbook;
    Clock clock;
    std::map<TUUID, std::unique_ptr<HostCache>> caches;
    QTimer idleTimer;
    long long pagesServed = 0;
    long long sortsMaterialised = 0;
    bool mapped = false;

    QSqlDatabase Database()
    {
        if (!workbook.Open())
            Refuse(QStringLiteral("the sample workbook is not available: ") + workbook.ErrorText());
        QSqlDatabase db = workbook.Database();
        if (!mapped) {
            // A page of a sorted cache reads its rows from all over the file; mapped, each of those
            // is a memory read rather than a system call. SQLite caps the size at what it supports.
            QSqlQuery(db).exec(QStringLiteral("PRAGMA mmap_size=") + QString::number(1ULL << 40));
            mapped = true;
        }
        return db;
    }

    // The cache a description names, marked used now; null when there is none (never created,
    // dropped or discarded).
    HostCache* Find(const RefCntPtr<TableViewCachePresModel const>& description)
    {
        const auto it = caches.find(Guid(description));
        if (it == caches.end())
            return nullptr;
        it->second->lastUsed = clock();
        return it->second.get();
    }

    static const TUUID& Guid(const RefCntPtr<TableViewCachePresModel const>& description)
    {
        if (!description || !description->GetCacheID())
            Refuse(QStringLiteral("the cache description names no cache"));
        return description->GetCacheID()->GetCacheGuid();
    }

    RowSource TableRows()
    {
        RowSource source;
        source.table = SampleWorkbook::TableName();
        for (const SampleField& field : workbook.Fields())
            source.columns.push_back(
                {field.name.GetLocalName(), SampleWorkbook::SqlColumn(field.name), field.dataType});
        return source;
    }

    RowSource FieldMembers(const SampleField& field)
    {
        const QString table
            = QStringLiteral("tv_members_") + QString::number(s_memberTableCounter.fetchAndAddRelaxed(1));
        const QString column = SampleWorkbook::SqlColumn(field.name);
        QSqlQuery query(Database());
        const QStringList statements {
            QStringLiteral("CREATE TEMP TABLE %1 (member, orders INTEGER NOT NULL, special INTEGER NOT NULL)")
                .arg(table),
            QStringLiteral("INSERT INTO %1 SELECT '(All)', COUNT(*), 1 FROM %2")
                .arg(table, SampleWorkbook::TableName()),
            QStringLiteral("INSERT INTO %1 SELECT %2, COUNT(*), %2 IS NULL FROM %3 GROUP BY %2 ORDER BY %2")
                .arg(table, column, SampleWorkbook::TableName()),
        };
        for (const QString& statement : statements) {
            if (!query.exec(statement)) {
                const QString error = SqlError(query);
                query.exec(QStringLiteral("DROP TABLE IF EXISTS temp.") + table);
                Refuse(error);
            }
        }
        RowSource source;
        source.table = QStringLiteral("temp.") + table;
        source.columns.push_back({field.name.GetLocalName(), QStringLiteral("member"), field.dataType});
        source.columns.push_back({TString(QStringLiteral("Orders")), QStringLiteral("orders"), DT_INTEGER});
        source.specialExpression = QStringLiteral("special");
        source.pinnedOrder = QStringLiteral("special DESC");
        source.dropStatement = QStringLiteral("DROP TABLE IF EXISTS ") + source.table;
        return source;
    }

    void DropStorage(HostCache& cache)
    {
        // Its statements first: a table that a statement reads cannot be dropped.
        cache.reader.reset();
        if (!cache.source.dropStatement.isEmpty() && workbook.Open()) {
            QSqlQuery query(workbook.Database());
            query.exec(cache.source.dropStatement);
        }
    }

    // Both sources number their rows from one without gaps (the workbook's generator and the
    // members' insertion in order), so a row position maps to its row id by arithmetic; a source
    // that breaks this is refused rather than paged wrongly.
    void ReadRowIds(HostCache& cache, bool isWorkbookTable)
    {
        // Each aggregate in a subquery of its own: SQLite answers a lone MIN or MAX of the row id
        // from the b-tree's edge, but scans the whole table for both in one select. Counting ten
        // million rows scans it too; the workbook knows its own count.
        const QString& table = cache.source.table;
        QSqlQuery query(Database());
        query.setForwardOnly(true);
        const QString count
            = isWorkbookTable ? QStringLiteral("0") : QStringLiteral("(SELECT COUNT(*) FROM %1)").arg(table);
        if (!query.exec(
                QStringLiteral("SELECT (SELECT MIN(rowid) FROM %1), (SELECT MAX(rowid) FROM %1), %2").arg(table, count))
            || !query.next())
            Refuse(SqlError(query));
        cache.rowCount = isWorkbookTable ? workbook.RowCount() : query.value(2).toLongLong();
        cache.firstRowId = query.value(0).toLongLong();
        if (cache.rowCount > 0 && query.value(1).toLongLong() - cache.firstRowId + 1 != cache.rowCount)
            Refuse(QStringLiteral("the row ids of %1 are not contiguous").arg(table));
    }

    // Applies a description's sort state; true when the order of the rows changed.
    bool ApplySort(HostCache& cache, const TableViewCachePresModel& description)
    {
        const bool sorted = description.GetIsSorted();
        const unsigned int column = description.GetSortColumnIndex();
        const bool descending = description.GetSortDirection() == SortDirection::Descending;
        if (!sorted) {
            if (!cache.sorted)
                return false;
            cache.sorted = false;
            cache.sortedIds = std::vector<qint64>();
            return true;
        }
        if (column >= cache.source.columns.size())
            Refuse(QStringLiteral("there is no column %1 to sort by").arg(column));
        if (cache.sorted && cache.sortColumn == column && cache.descending == descending)
            return false;

        std::vector<qint64> ids;
        ids.reserve(static_cast<std::size_t>(cache.rowCount));
        QSqlQuery query(Database());
        query.setForwardOnly(true);
        QString order = cache.source.columns[column].expression + (descending ? QStringLiteral(" DESC") : QString());
        if (!cache.source.pinnedOrder.isEmpty())
            order = cache.source.pinnedOrder + QStringLiteral(", ") + order;
        // Row ids break ties, so that equal values keep the natural order in either direction.
        if (!query.exec(QStringLiteral("SELECT rowid FROM %1 ORDER BY %2, rowid").arg(cache.source.table, order)))
            Refuse(SqlError(query));
        while (query.next())
            ids.push_back(query.value(0).toLongLong());
        if (static_cast<qint64>(ids.size()) != cache.rowCount)
            Refuse(QStringLiteral("the table changed under its cache"));
        cache.sorted = true;
        cache.sortColumn = column;
        cache.descending = descending;
        cache.sortedIds = std::move(ids);
        ++sortsMaterialised;
        return true;
    }

    void Create(
        const RefCntPtr<TableViewCachePresModel const>& description, SimResults<Cmds::CreateTableViewCache>& out)
    {
        const TUUID& guid = Guid(description);
        const PageCacheIDPresModel& requested = *description->GetCacheID();
        auto existing = caches.find(guid);
        if (existing == caches.end()) {
            auto cache = std::make_unique<HostCache>();
            const FieldName& name = description->GetName();
            bool isWorkbookTable = false;
            if (IsWholeTable(name)) {
                cache->source = TableRows();
                cache->title = SampleWorkbook::DataSourceName();
                isWorkbookTable = true;
            } else if (const SampleField* field = workbook.FindField(name)) {
                cache->source = FieldMembers(*field);
                cache->title = field->name.GetLocalName();
            } else {
                Refuse(QStringLiteral("the workbook has no field ") + name.GetGlobalName().ToQString());
            }
            try {
                ReadRowIds(*cache, isWorkbookTable);
            } catch (...) {
                DropStorage(*cache);
                throw;
            }
            std::vector<TablePageReader::Column> readColumns;
            for (const Column& column : cache->source.columns)
                readColumns.push_back({column.expression, column.type});
            cache->reader = std::make_unique<TablePageReader>(
                Database(), cache->source.table, std::move(readColumns), cache->source.specialExpression);
            cache->rowCountCaption = isWorkbookTable ? CountCaption(cache->rowCount, "row", "rows")
                                                     : CountCaption(cache->rowCount, "member", "members");
            auto id = MakeRefCnt<PageCacheIDPresModel>(requested);
            cache->id = RefCntPtr<PageCacheIDPresModel const>(std::move(id));
            cache->pageRowCount = requested.GetPageRowCount();
            cache->pageColumnCount = requested.GetPageColumnCount();
            cache->timeout = requested.GetCacheTimeout();
            existing = caches.emplace(guid, std::move(cache)).first;
        }
        HostCache& cache = *existing->second;
        cache.lastUsed = clock();
        // A rebuild after a discard comes with the sort state the client last asked for.
        ApplySort(cache, *description);
        if (!idleTimer.isActive())
            idleTimer.start();

        auto info = MakeRefCnt<TableViewInfoPresModel>();
        info->SetTitle(cache.title);
        info->SetRowCountCaption(cache.rowCountCaption);
        info->SetRowCount(static_cast<int>(std::min<qint64>(cache.rowCount, INT_MAX)));
        std::vector<RefCntPtr<TableViewColumnInfoPresModel const>> columns;
        for (const Column& column : cache.source.columns) {
            auto columnInfo = MakeRefCnt<TableViewColumnInfoPresModel>();
            columnInfo->SetCaption(column.caption);
            columnInfo->SetAlignmentFlags(PageCellMaker::Alignment(column.type));
            columns.emplace_back(std::move(columnInfo));
        }
        info->SetColumns(std::move(columns));
        out.Set<Cmds::TableViewInfo>(RefCntPtr<TableViewInfoPresModel const>(std::move(info)));
        out.Set<Cmds::CleanupCommands>(DropCommands(cache));
    }

    RefCntPtr<SimpleCommandsPresModel const> DropCommands(const HostCache& cache)
    {
        auto description = MakeRefCnt<TableViewCachePresModel>();
        description->SetCacheID(cache.id);
        return OneCommandCleanup<Cmds::DropTableViewCache, Cmds::TableViewCache>(
            RefCntPtr<TableViewCachePresModel const>(std::move(description)));
    }

    RefCntPtr<TableViewPagePresModel const> Page(HostCache& cache, unsigned int row, unsigned int column)
    {
        const auto columnTotal = static_cast<unsigned int>(cache.source.columns.size());
        if (row >= cache.rowCount || column >= columnTotal)
            Refuse(QStringLiteral("cell (%1, %2) lies outside the table of %3 rows and %4 columns")
                       .arg(row)
                       .arg(column)
                       .arg(cache.rowCount)
                       .arg(columnTotal));
        const PageCacheIDPresModel& geometry = *cache.id;
        const qint64 firstRow
            = geometry.UsingAllRows() ? 0 : qint64 {geometry.CalculateCacheRow(row)} * cache.pageRowCount;
        const qint64 rowCount = geometry.UsingAllRows()
            ? cache.rowCount
            : std::min<qint64>(cache.pageRowCount, cache.rowCount - firstRow);
        const int firstColumn = geometry.UsingAllColumns()
            ? 0
            : static_cast<int>(geometry.CalculateCacheColumn(column)) * cache.pageColumnCount;
        const int columnCount = geometry.UsingAllColumns()
            ? static_cast<int>(columnTotal)
            : std::min(cache.pageColumnCount, static_cast<int>(columnTotal) - firstColumn);

        // A page of the host's order is a range of row ids; a page of a sorted cache is its slice of
        // the sorted order, which the reader takes in id order.
        TablePageReader::Rows rows = cache.sorted
            ? cache.reader->ReadIds(
                cache.sortedIds.data() + firstRow, static_cast<std::size_t>(rowCount), firstColumn, columnCount)
            : cache.reader->ReadRange(cache.firstRowId + firstRow, rowCount, firstColumn, columnCount);

        PageInfoPresModel info;
        info.SetStartDataRow(static_cast<unsigned int>(firstRow));
        info.SetStartDataColumn(static_cast<unsigned int>(firstColumn));
        info.SetRowCount(static_cast<unsigned int>(rowCount));
        info.SetColumnCount(static_cast<unsigned int>(columnCount));
        auto page = MakeRefCnt<TableViewPagePresModel>();
        page->SetPageInfo(info);
        page->SetRows(std::move(rows));
        ++pagesServed;
        return RefCntPtr<TableViewPagePresModel const>(std::move(page));
    }

    // Removes the cache before telling anyone, so that a client rebuilding it from within the
    // notification finds the guid free.
    bool Discard(const TUUID& guid)
    {
        const auto it = caches.find(guid);
        if (it == caches.end())
            return false;
        std::unique_ptr<HostCache> cache = std::move(it->second);
        caches.erase(it);
        DropStorage(*cache);
        if (caches.empty())
            idleTimer.stop();
        PresentationLayer::NotificationManager::Instance->Notify(Zel::Events::PageCacheDiscarded, cache->id, nullptr);
        return true;
    }

    std::size_t DiscardIdle()
    {
        const auto now = clock();
        std::vector<TUUID> idle;
        for (const auto& entry : caches) {
            const HostCache& cache = *entry.second;
            if (cache.timeout.count() > 0 && now - cache.lastUsed >= cache.timeout)
                idle.push_back(entry.first);
        }
        std::size_t discarded = 0;
        for (const TUUID& guid : idle)
            discarded += Discard(guid) ? 1 : 0;
        return discarded;
    }
};

TableViewArea::TableViewArea(SimHost& host, SampleWorkbook& workbook)
    : m_impl(std::make_shared<Impl>(workbook))
{
    const std::weak_ptr<Impl> weak = m_impl;
    QObject::connect(&m_impl->idleTimer, &QTimer::timeout, [weak] {
        if (std::shared_ptr<Impl> impl = weak.lock())
            impl->DiscardIdle();
    });

    const SimAreaBinding<Impl> area(host, m_impl, QStringLiteral("table view area"));
    area.Handle<Cmds::CreateTableViewCache>(
        [](Impl& impl, const SimArguments<Cmds::CreateTableViewCache>& args,
            SimResults<Cmds::CreateTableViewCache>& out) { impl.Create(args.Get<Cmds::TableViewCache>(), out); });
    area.Handle<Cmds::DropTableViewCache>([](Impl& impl, const SimArguments<Cmds::DropTableViewCache>& args) {
        // Dropping a cache that is already gone is what a late clean-up does; nothing to report.
        const auto it = impl.caches.find(Impl::Guid(args.Get<Cmds::TableViewCache>()));
        if (it == impl.caches.end())
            return;
        impl.DropStorage(*it->second);
        impl.caches.erase(it);
        if (impl.caches.empty())
            impl.idleTimer.stop();
    });

    const auto caches = area.Items<Cmds::TableViewCache, HostCache>(
        [](Impl& impl, const RefCntPtr<TableViewCachePresModel const>& description) { return impl.Find(description); },
        QStringLiteral("table cache"),
        [](const RefCntPtr<TableViewCachePresModel const>& description) {
            return Impl::Guid(description).ToString().ToQString();
        });
    caches.Handle<Cmds::GetTableViewPage>(
        [](Impl& impl, HostCache& cache, const SimArguments<Cmds::GetTableViewPage>& args,
            SimResults<Cmds::GetTableViewPage>& out) {
            out.Set<Cmds::TableViewPage>(
                impl.Page(cache, args.Get<Cmds::RequestedRow>(), args.Get<Cmds::RequestedColumn>()));
        });
    caches.Handle<Cmds::SortTableViewCache>([](Impl& impl, HostCache& cache,
                                                const SimArguments<Cmds::SortTableViewCache>& args) {
        if (impl.ApplySort(cache, *args.Get<Cmds::TableViewCache>()))
            PresentationLayer::NotificationManager::Instance->Notify(Zel::Events::PageCacheChanged, cache.id, nullptr);
    });
}

TableViewArea::~TableViewArea() = default;

std::size_t TableViewArea::CacheCount() const
{
    return m_impl->caches.size();
}

bool TableViewArea::HasCache(const TUUID& guid) const
{
    return m_impl->caches.count(guid) != 0;
}

bool TableViewArea::DiscardCache(const TUUID& guid)
{
    return m_impl->Discard(guid);
}

std::size_t TableViewArea::DiscardAll()
{
    std::vector<TUUID> guids;
    for (const auto& entry : m_impl->caches)
        guids.push_back(entry.first);
    std::size_t discarded = 0;
    for (const TUUID& guid : guids)
        discarded += m_impl->Discard(guid) ? 1 : 0;
    return discarded;
}

std::size_t TableViewArea::DiscardIdle()
{
    return m_impl->DiscardIdle();
}

void TableViewArea::SetClock(Clock clock)
{
    m_impl->clock = std::move(clock);
}

long long TableViewArea::PagesServed() const
{
    return m_impl->pagesServed;
}

long long TableViewArea::SortsMaterialised() const
{
    return m_impl->sortsMaterialised;
}

} // namespace Zel::Sim
