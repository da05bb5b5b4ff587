// A QTableView of 1280 x 800 pixels (offscreen) over the orders table of 1,000,000 and 10,000,000
// rows in SQLite, side by side in one run over three models:
//   TableViewModel  - pages of 1000 rows from the simulated host's table cache (5 pages in memory);
//   QSqlQueryModel  - what a developer would reach for: the whole query, fetched as the view scrolls;
//   NullModel       - stores nothing and answers nothing: the cost of the view itself.
//
// The workbook files are generated once under the build folder and reused (10M rows take ~20 s).
// ZEL_BENCH_TABLEVIEW_ROWS=1000000 (a comma-separated list) limits the run to some sizes.
//
// QSqlQueryModel can only reach the last row by fetching every row before it, and keeps every
// fetched row: at 10M rows that is about ten gigabytes. At 10M its jump is therefore measured for
// the first 1,000,000 rows and reported as such (a lower bound of one tenth of the real cost).

#include "BenchSupport.h"

#include "gen-command-wrappers/TableViewCommandWrappers.h"
#include "host/doc/ComponentCleanup.h"
#include "main/models/TableViewModel.h"
#include "sim/SampleWorkbook.h"
#include "sim/SimHost.h"
#include "sim/TableViewArea.h"

#include <QtCore/QAbstractTableModel>
#include <QtCore/QCoreApplication>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlQueryModel>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTableView>

#include <benchmark/benchmark.h>

#if defined(ZEL_BENCH_HAVE_SQLITE3)
#include <sqlite3.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace Zel::Sim;
using namespace ZelBench;
namespace Cmds = Zel::Commands::TableView;

namespace {

constexpr int kPageRows = 1000;
constexpr int kCachedPages = 5;
constexpr int kViewWidth = 1280;
constexpr int kViewHeight = 800;
constexpr int kRandomJumps = 50;
constexpr qint64 kQueryModelFetchLimit = 1000000;

class NullModel final : public QAbstractTableModel
{
public:
    NullModel(int rows, int columns)
        : m_rows(rows)
        , m_columns(columns)
    {
    }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : m_rows; }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_columns;
    }
    QVariant data(const QModelIndex&, int) const override { return QVariant(); }

private:
    int m_rows;
    int m_columns;
};

struct Dataset : SimulatedWorkbook
{
    explicit Dataset(qint64 rowCount)
        : SimulatedWorkbook(rowCount, QStringLiteral(ZEL_BENCH_DATA_DIR), Cmds::GetTableViewPage::id)
    {
        area = std::make_unique<TableViewArea>(*host, *workbook);
        columns = static_cast<int>(workbook->Fields().size());
        QStringList names;
        for (const SampleField& field : workbook->Fields())
            names << SampleWorkbook::SqlColumn(field.name);
        selectAll = QStringLiteral("SELECT ") + names.join(QLatin1Char(',')) + QStringLiteral(" FROM ")
            + SampleWorkbook::TableName();
    }

    std::unique_ptr<TableViewModel> MakeTableViewModel() const
    {
        return std::make_unique<TableViewModel>(dispatcher, FieldName(SampleWorkbook::DataSourceName(), TString()),
            nullptr, kPageRows, -1, kCachedPages, std::chrono::seconds(5400));
    }

    std::unique_ptr<QSqlQueryModel> MakeQueryModel() const
    {
        auto model = std::make_unique<QSqlQueryModel>();
        model->setQuery(selectAll, workbook->Database());
        return model;
    }

    std::unique_ptr<QAbstractItemModel> MakeModel(int kind) const
    {
        switch (kind) {
        case 0:
            return MakeTableViewModel();
        case 1:
            return MakeQueryModel();
        default:
            return std::make_unique<NullModel>(static_cast<int>(rows), columns);
        }
    }

    int columns = 0;
    QString selectAll;
    std::unique_ptr<TableViewArea> area;
    // Row ids by Sales descending, for the raw read of sorted pages; made on first use.
    mutable std::vector<qint64> salesOrder;
};

const char* const kModelNames[] = {"TableViewModel", "QSqlQueryModel", "NullModel"};

// Counts the paints of a view's viewport.
class PaintCounter final : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// The view as the show-members dialog sets it up, shown, laid out and painted once: the events
// are run until the viewport has painted.
std::unique_ptr<QTableView> ShowView(QAbstractItemModel& model)
{
    auto view = std::make_unique<QTableView>();
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(17);
    view->setModel(&model);
    view->resize(kViewWidth, kViewHeight);
    PaintCounter counter;
    view->viewport()->installEventFilter(&counter);
    view->show();
    for (int i = 0; i < 10 && counter.paints == 0; ++i)
        QCoreApplication::processEvents();
    view->viewport()->removeEventFilter(&counter);
    if (counter.paints == 0) {
        std::fprintf(stderr, "the view never painted\n");
        std::exit(1);
    }
    return view;
}

// One synchronous paint of the viewport, as after a scroll.
void Paint(QTableView& view)
{
    view.viewport()->repaint();
}

// Runs what a scroll left pending (the scroll bar's own repaint), outside any timed region.
void Settle()
{
    QCoreApplication::processEvents();
}

std::string Key(const char* what, const char* model, qint64 rows)
{
    return std::string(what) + "/" + model + "/" + std::to_string(rows);
}

void Note(benchmark::State& state, const std::string& key, double seconds, int iterations)
{
    const double mean = seconds / iterations;
    Figures()[key] = mean;
    Samples()[key].push_back(mean);
    state.counters["ms"] = mean * 1000.0;
}

void FirstPaint(benchmark::State& state, const Dataset* data, int kind)
{
    double total = 0;
    int n = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        auto model = data->MakeModel(kind);
        auto view = ShowView(*model);
        const double seconds = Seconds(Clock::now() - start);
        state.SetIterationTime(seconds);
        total += seconds;
        ++n;
        view.reset();
        model.reset();
    }
    Note(state, Key("first_paint", kModelNames[kind], data->rows), total, n);
}

void JumpToLastRow(benchmark::State& state, const Dataset* data, int kind)
{
    double total = 0;
    int n = 0;
    qint64 reached = data->rows;
    double heapGrowth = 0;
    for (auto _ : state) {
        const double heapBefore = HeapMegabytes();
        auto model = data->MakeModel(kind);
        auto view = ShowView(*model);
        const long long fetchesBefore = data->counting->PageFetches();
        const Clock::time_point start = Clock::now();
        if (auto* query = dynamic_cast<QSqlQueryModel*>(model.get())) {
            // The only way such a model reaches the last row is through every row before it.
            while (query->canFetchMore() && query->rowCount() < std::min(data->rows, kQueryModelFetchLimit))
                query->fetchMore();
            reached = query->rowCount();
        }
        view->scrollToBottom();
        Paint(*view);
        const double seconds = Seconds(Clock::now() - start);
        Settle();
        state.SetIterationTime(seconds);
        total += seconds;
        ++n;
        state.counters["page_fetches"] = static_cast<double>(data->counting->PageFetches() - fetchesBefore);
        heapGrowth = HeapMegabytes() - heapBefore;
        view.reset();
        model.reset();
    }
    state.counters["rows_reached"] = static_cast<double>(reached);
    state.counters["heap_MB"] = heapGrowth;
    Note(state, Key("jump_last", kModelNames[kind], data->rows), total, n);
    Figures()[Key("jump_last_rows_reached", kModelNames[kind], data->rows)] = static_cast<double>(reached);
}

std::vector<int> RandomRows(qint64 rows)
{
    std::mt19937_64 random(20240611);
    std::uniform_int_distribution<qint64> pick(0, rows - 1);
    std::vector<int> picked;
    for (int i = 0; i < kRandomJumps; ++i)
        picked.push_back(static_cast<int>(pick(random)));
    return picked;
}

void RandomJumps(benchmark::State& state, const Dataset* data, int kind)
{
    const std::vector<int> rows = RandomRows(data->rows);
    double total = 0;
    int n = 0;
    for (auto _ : state) {
        auto model = data->MakeModel(kind);
        if (auto* query = dynamic_cast<QSqlQueryModel*>(model.get()))
            while (query->canFetchMore())
                query->fetchMore();
        auto view = ShowView(*model);
        const long long fetchesBefore = data->counting->PageFetches();
        double seconds = 0;
        for (int row : rows) {
            const Clock::time_point jump = Clock::now();
            view->scrollTo(model->index(row, 0), QAbstractItemView::PositionAtTop);
            Paint(*view);
            seconds += Seconds(Clock::now() - jump);
            Settle();
        }
        state.SetIterationTime(seconds);
        total += seconds;
        ++n;
        state.counters["page_fetches"] = static_cast<double>(data->counting->PageFetches() - fetchesBefore);
        view.reset();
        model.reset();
    }
    Note(state, Key("random_jumps", kModelNames[kind], data->rows), total, n);
}

// data() of the display role over every cell of a page that is in memory.
void DataOnCachedPage(benchmark::State& state, const Dataset* data, int kind, int role)
{
    auto model = data->MakeModel(kind);
    if (auto* query = dynamic_cast<QSqlQueryModel*>(model.get()))
        while (query->canFetchMore() && query->rowCount() < kPageRows)
            query->fetchMore();
    std::vector<QModelIndex> cells;
    for (int r = 0; r < kPageRows; ++r)
        for (int c = 0; c < data->columns; ++c)
            cells.push_back(model->index(r, c));
    model->data(cells.front(), role);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(model->data(cells[i], role));
        if (++i == cells.size())
            i = 0;
    }
}

// One GetTableViewPage on the host, for the page that holds `row`, on a cache of its own that is
// sorted first when `sortColumn` is not negative.
struct HostCache
{
    HostCache(const Dataset& data, int sortColumn)
        : dispatcher(*data.host)
    {
        auto id = MakeRefCnt<PageCacheIDPresModel>();
        id->SetPageRowCount(kPageRows);
        id->SetPageColumnCount(-1);
        id->SetCacheTimeout(std::chrono::seconds(5400));
        auto model = MakeRefCnt<TableViewCachePresModel>();
        model->SetCacheID(RefCntPtr<PageCacheIDPresModel const>(std::move(id)));
        model->SetTableDataType(TableViewDataType::Field);
        model->SetName(FieldName(SampleWorkbook::DataSourceName(), TString()));
        description = RefCntPtr<TableViewCachePresModel const>(model);
        cleanup = CreateTableViewCache(dispatcher, description).Get<Cmds::CleanupCommands>();
        if (sortColumn >= 0) {
            model->SetIsSorted(true);
            model->SetSortColumnIndex(static_cast<unsigned int>(sortColumn));
            model->SetSortDirection(SortDirection::Descending);
            const Clock::time_point start = Clock::now();
            SortTableViewCache(dispatcher, description);
            sortSeconds = Seconds(Clock::now() - start);
        }
    }
    // The host's clean-up list drops the cache, as the model's own clean-up would.
    ~HostCache() { ComponentCleanup(dispatcher, cleanup); }

    // The seconds until the page is in the caller's hands. Making the cell records of every row
    // (lastAllCells; a view makes those of the rows it shows) and releasing the page (lastRelease; a
    // model pays that when the page leaves its cache) are timed apart.
    double Fetch(unsigned int row)
    {
        const Clock::time_point start = Clock::now();
        auto page = GetTableViewPage(dispatcher, description, row, 0).Get<Cmds::TableViewPage>();
        const Clock::time_point fetched = Clock::now();
        for (unsigned int r = 0; r < page->GetPageInfo().GetRowCount(); ++r)
            benchmark::DoNotOptimize(page->GetRow(r).GetColumn(0).get());
        const Clock::time_point made = Clock::now();
        page.reset();
        lastAllCells = Seconds(made - fetched);
        lastRelease = Seconds(Clock::now() - made);
        return Seconds(fetched - start);
    }

    const ICommandDispatcher& dispatcher;
    RefCntPtr<TableViewCachePresModel const> description;
    RefCntPtr<SimpleCommandsPresModel const> cleanup;
    double sortSeconds = 0;
    double lastAllCells = 0;
    double lastRelease = 0;
};

void HostPageFetch(benchmark::State& state, const Dataset* data, const char* where)
{
    HostCache cache(*data, -1);
    const std::string place = where;
    const std::vector<int> randomRows = RandomRows(data->rows);
    std::size_t i = 0;
    double total = 0;
    double allCells = 0;
    double released = 0;
    int n = 0;
    for (auto _ : state) {
        unsigned int row = 0;
        if (place == "last")
            row = static_cast<unsigned int>(data->rows - 1);
        else if (place == "random")
            row = static_cast<unsigned int>(randomRows[i++ % randomRows.size()]);
        const double seconds = cache.Fetch(row);
        state.SetIterationTime(seconds);
        total += seconds;
        allCells += cache.lastAllCells;
        released += cache.lastRelease;
        ++n;
    }
    state.counters["all_cells_ms"] = allCells / n * 1000.0;
    state.counters["release_ms"] = released / n * 1000.0;
    Note(state, Key((std::string("page_fetch_") + where).c_str(), "host", data->rows), total, n);
    Samples()[Key((std::string("page_release_") + where).c_str(), "host", data->rows)].push_back(released / n);
}

#if defined(ZEL_BENCH_HAVE_SQLITE3)
// The floor of a page fetch: the rows of the same pages read straight from the workbook's file with
// SQLite's own API, on a connection of its own (read-only, without SQLite's mutex, memory-mapped as
// the host's), through one statement prepared once, every value read in its storage class and
// nothing built from it.
class RawPageReader
{
public:
    explicit RawPageReader(const Dataset& data)
        : m_selectAll(data.selectAll)
    {
        const QByteArray path = WorkbookPath(data.rows, QStringLiteral(ZEL_BENCH_DATA_DIR)).toUtf8();
        if (sqlite3_open_v2(path.constData(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK
            || sqlite3_exec(m_db, "PRAGMA mmap_size=1099511627776", nullptr, nullptr, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "cannot read the workbook: %s\n", sqlite3_errmsg(m_db));
            std::exit(1);
        }
        m_range = Prepare((m_selectAll + QStringLiteral(" WHERE rowid BETWEEN ? AND ?")).toUtf8());
    }
    ~RawPageReader()
    {
        sqlite3_finalize(m_range);
        sqlite3_finalize(m_list);
        sqlite3_close(m_db);
    }
    RawPageReader(const RawPageReader&) = delete;
    RawPageReader& operator=(const RawPageReader&) = delete;

    // Reads the page that holds `row`; returns the seconds it took.
    double Read(qint64 row)
    {
        const qint64 first = row / kPageRows * kPageRows + 1;
        const Clock::time_point start = Clock::now();
        sqlite3_bind_int64(m_range, 1, first);
        sqlite3_bind_int64(m_range, 2, first + kPageRows - 1);
        ReadRows(m_range);
        return Seconds(Clock::now() - start);
    }

    // The row ids in the order of `column` descending, as the host's sorted cache has them, for
    // ReadSorted.
    std::vector<qint64> SortedIds(const QString& column)
    {
        std::vector<qint64> ids;
        const QByteArray sql = QStringLiteral("SELECT rowid FROM orders ORDER BY %1 DESC, rowid").arg(column).toUtf8();
        sqlite3_stmt* order = Prepare(sql);
        while (sqlite3_step(order) == SQLITE_ROW)
            ids.push_back(sqlite3_column_int64(order, 0));
        sqlite3_finalize(order);
        return ids;
    }
    void UseSortedIds(const std::vector<qint64>* ids) { m_sorted = ids; }

    // Reads the rows of the sorted page that holds `row`, by their ids in one statement; returns the
    // seconds it took.
    double ReadSorted(qint64 row)
    {
        const std::vector<qint64>& sorted = *m_sorted;
        const std::size_t first = static_cast<std::size_t>(row / kPageRows * kPageRows);
        const std::size_t count = std::min<std::size_t>(kPageRows, sorted.size() - first);
        if (!m_list) {
            QString placeholders = QStringLiteral("?");
            for (int i = 1; i < kPageRows; ++i)
                placeholders += QStringLiteral(",?");
            m_list = Prepare((m_selectAll + QStringLiteral(" WHERE rowid IN (%1)").arg(placeholders)).toUtf8());
        }
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < kPageRows; ++i) {
            if (static_cast<std::size_t>(i) < count)
                sqlite3_bind_int64(m_list, i + 1, sorted[first + static_cast<std::size_t>(i)]);
            else
                sqlite3_bind_null(m_list, i + 1);
        }
        ReadRows(m_list);
        return Seconds(Clock::now() - start);
    }

private:
    sqlite3_stmt* Prepare(const QByteArray& sql)
    {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v3(m_db, sql.constData(), sql.size(), SQLITE_PREPARE_PERSISTENT, &statement, nullptr)
            != SQLITE_OK) {
            std::fprintf(stderr, "cannot read the workbook: %s\n", sqlite3_errmsg(m_db));
            std::exit(1);
        }
        return statement;
    }

    void ReadRows(sqlite3_stmt* statement)
    {
        const int columns = sqlite3_column_count(statement);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                sqlite3_value* value = sqlite3_column_value(statement, c);
                switch (sqlite3_value_type(value)) {
                case SQLITE_INTEGER:
                    m_checksum += static_cast<std::uint64_t>(sqlite3_value_int64(value));
                    break;
                case SQLITE_FLOAT:
                    m_checksum += static_cast<std::uint64_t>(sqlite3_value_double(value));
                    break;
                case SQLITE_TEXT:
                    m_checksum += *sqlite3_value_text(value) + static_cast<std::uint64_t>(sqlite3_value_bytes(value));
                    break;
                default:
                    break;
                }
            }
        }
        sqlite3_reset(statement);
        benchmark::DoNotOptimize(m_checksum);
    }

    QString m_selectAll;
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_range = nullptr;
    sqlite3_stmt* m_list = nullptr;
    const std::vector<qint64>* m_sorted = nullptr;
    std::uint64_t m_checksum = 0;
};

void RawPageRead(benchmark::State& state, const Dataset* data, bool sorted)
{
    RawPageReader reader(*data);
    if (sorted) {
        // Sorted once per run, not once per repetition.
        if (data->salesOrder.empty())
            data->salesOrder = reader.SortedIds(QStringLiteral("Sales"));
        reader.UseSortedIds(&data->salesOrder);
    }
    const std::vector<int> randomRows = RandomRows(data->rows);
    std::size_t i = 0;
    double total = 0;
    int n = 0;
    for (auto _ : state) {
        const int row = randomRows[i++ % randomRows.size()];
        const double seconds = sorted ? reader.ReadSorted(row) : reader.Read(row);
        state.SetIterationTime(seconds);
        total += seconds;
        ++n;
    }
    Note(state, Key(sorted ? "page_read_sorted_random" : "page_read_random", "sqlite", data->rows), total, n);
}
#endif

void HostSortedPageFetch(benchmark::State& state, const Dataset* data)
{
    int sales = 0;
    for (const SampleField& field : data->workbook->Fields()) {
        if (field.name.GetLocalName() == TString(L"Sales"))
            break;
        ++sales;
    }
    HostCache cache(*data, sales);
    Figures()[Key("host_sort", "host", data->rows)] = cache.sortSeconds;
    state.counters["sort_s"] = cache.sortSeconds;
    const std::vector<int> randomRows = RandomRows(data->rows);
    std::size_t i = 0;
    double total = 0;
    int n = 0;
    for (auto _ : state) {
        const double seconds = cache.Fetch(static_cast<unsigned int>(randomRows[i++ % randomRows.size()]));
        state.SetIterationTime(seconds);
        total += seconds;
        ++n;
    }
    Note(state, Key("page_fetch_sorted_random", "host", data->rows), total, n);
}

// Scrolls a viewport at a time through the first pages, repaints without moving, and counts the
// page commands from before the first paint.
void FetchesPerPage(benchmark::State& state, const Dataset* data)
{
    constexpr int kPagesScrolled = 3;
    for (auto _ : state) {
        const long long start = data->counting->PageFetches();
        auto model = data->MakeTableViewModel();
        auto view = ShowView(*model);
        std::set<int> entered;
        auto noteVisible = [&] {
            const int top = view->rowAt(0);
            const int bottom = view->rowAt(view->viewport()->height() - 1);
            entered.insert(top / kPageRows);
            entered.insert((bottom < 0 ? top : bottom) / kPageRows);
        };
        noteVisible();
        QScrollBar* bar = view->verticalScrollBar();
        while (bar->value() < kPagesScrolled * kPageRows) {
            bar->setValue(bar->value() + bar->pageStep());
            Paint(*view);
            Settle();
            noteVisible();
        }
        const long long scrolled = data->counting->PageFetches() - start;
        for (int i = 0; i < 10; ++i) {
            view->viewport()->repaint();
            Settle();
        }
        const long long repaints = data->counting->PageFetches() - start - scrolled;
        state.counters["pages_entered"] = static_cast<double>(entered.size());
        state.counters["page_fetches"] = static_cast<double>(scrolled);
        state.counters["fetches_on_10_repaints"] = static_cast<double>(repaints);
        Figures()[Key("pages_entered", "TableViewModel", data->rows)] = static_cast<double>(entered.size());
        Figures()[Key("page_fetches_scrolling", "TableViewModel", data->rows)] = static_cast<double>(scrolled);
        Figures()[Key("fetches_on_repaint", "TableViewModel", data->rows)] = static_cast<double>(repaints);
    }
}

// Heap in use while a view goes from the first row to the last in kScrollSteps even steps, each
// on a page of its own, against what the view alone costs over the null model and what one page
// costs. Every page of the table would take a page fetch each: minutes at ten million rows, for
// a figure that depends on how many pages are held, not on which.
constexpr int kScrollSteps = 250;

void ScrollWholeTable(benchmark::State& state, const Dataset* data)
{
    for (auto _ : state) {
        const double before = HeapMegabytes();
        double viewCost = 0;
        {
            NullModel null(static_cast<int>(data->rows), data->columns);
            auto view = ShowView(null);
            viewCost = HeapMegabytes() - before;
        }
        double pageCost = 0;
        {
            const HostCache cache(*data, -1);
            const double start = HeapMegabytes();
            auto page = GetTableViewPage(cache.dispatcher, cache.description, 0, 0).Get<Cmds::TableViewPage>();
            pageCost = HeapMegabytes() - start;
        }

        const double base = HeapMegabytes();
        auto model = data->MakeTableViewModel();
        auto view = ShowView(*model);
        double peak = HeapMegabytes() - base;
        double peakFirstHalf = peak;
        QScrollBar* bar = view->verticalScrollBar();
        for (int step = 1; step <= kScrollSteps; ++step) {
            bar->setValue(static_cast<int>(static_cast<qint64>(bar->maximum()) * step / kScrollSteps));
            Paint(*view);
            Settle();
            const double now = HeapMegabytes() - base;
            peak = std::max(peak, now);
            if (step <= kScrollSteps / 2)
                peakFirstHalf = peak;
        }
        view.reset();
        model.reset();

        state.counters["view_MB"] = viewCost;
        state.counters["page_MB"] = pageCost;
        state.counters["peak_MB"] = peak;
        state.counters["peak_first_half_MB"] = peakFirstHalf;
        Figures()[Key("mem_view", "NullModel", data->rows)] = viewCost;
        Figures()[Key("mem_page", "host", data->rows)] = pageCost;
        Figures()[Key("mem_peak", "TableViewModel", data->rows)] = peak;
        Figures()[Key("mem_peak_first_half", "TableViewModel", data->rows)] = peakFirstHalf;
    }
}

std::vector<qint64> Sizes()
{
    const QByteArray env = qgetenv("ZEL_BENCH_TABLEVIEW_ROWS");
    if (env.isEmpty())
        return {1000000, 10000000};
    std::vector<qint64> sizes;
    for (const QByteArray& part : env.split(','))
        sizes.push_back(part.trimmed().toLongLong());
    return sizes;
}

void Register(const Dataset* data)
{
    const std::string n = std::to_string(data->rows);
    auto reg = [&](const std::string& name, auto fn) {
        return benchmark::RegisterBenchmark(name.c_str(), fn)->Unit(benchmark::kMillisecond);
    };
    for (int kind = 0; kind < 3; ++kind) {
        const std::string model = kModelNames[kind];
        reg("first_paint/" + model + "/" + n, [data, kind](benchmark::State& s) { FirstPaint(s, data, kind); })
            ->UseManualTime()
            ->Iterations(5);
    }
    for (int kind = 0; kind < 3; ++kind) {
        const std::string model = kModelNames[kind];
        const bool slow = kind == 1;
        reg("jump_to_last_row/" + model + "/" + n, [data, kind](benchmark::State& s) { JumpToLastRow(s, data, kind); })
            ->UseManualTime()
            ->Iterations(slow ? 1 : 5);
    }
    for (int kind = 0; kind < 3; ++kind) {
        // The query model would have to hold every row of the ten-million table first.
        if (kind == 1 && data->rows > kQueryModelFetchLimit)
            continue;
        const std::string model = kModelNames[kind];
        reg("random_jumps_50/" + model + "/" + n, [data, kind](benchmark::State& s) { RandomJumps(s, data, kind); })
            ->UseManualTime()
            ->Iterations(kind == 1 ? 1 : 3);
    }
    for (const char* where : {"first", "last", "random"})
        reg(std::string("host_page_fetch/") + where + "/" + n,
            [data, where](benchmark::State& s) { HostPageFetch(s, data, where); })
            ->UseManualTime()
            ->Iterations(20);
    reg("host_page_fetch/sorted_random/" + n, [data](benchmark::State& s) { HostSortedPageFetch(s, data); })
        ->UseManualTime()
        ->Iterations(20);
#if defined(ZEL_BENCH_HAVE_SQLITE3)
    reg("raw_sqlite_page_read/random/" + n, [data](benchmark::State& s) { RawPageRead(s, data, false); })
        ->UseManualTime()
        ->Iterations(20);
    reg("raw_sqlite_page_read/sorted_random/" + n, [data](benchmark::State& s) { RawPageRead(s, data, true); })
        ->UseManualTime()
        ->Iterations(20);
#endif
    reg("fetches_per_page_entered/TableViewModel/" + n, [data](benchmark::State& s) {
        FetchesPerPage(s, data);
    })->Iterations(1);
    reg("scroll_whole_table_memory/TableViewModel/" + n, [data](benchmark::State& s) {
        ScrollWholeTable(s, data);
    })->Iterations(1);
    // The query model answers data() from the rows it fetched first; it needs no others for this.
    for (int kind = 0; kind < 3; ++kind) {
        const std::string model = kModelNames[kind];
        benchmark::RegisterBenchmark(("data_display_cached_page/" + model + "/" + n).c_str(),
            [data, kind](benchmark::State& s) { DataOnCachedPage(s, data, kind, Qt::DisplayRole); });
        benchmark::RegisterBenchmark(("data_background_cached_page/" + model + "/" + n).c_str(),
            [data, kind](benchmark::State& s) { DataOnCachedPage(s, data, kind, Qt::BackgroundRole); });
    }
}

// Captures the nanoseconds per data() call from the report (the median when repetitions are
// aggregated), and prints every figure as usual.
class FigureReporter final : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const std::string name = run.run_name.str();
            if (name.rfind("data_", 0) == 0 && (run.aggregate_name.empty() || run.aggregate_name == "median"))
                Figures()[name] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

void PrintTargets(qint64 rows)
{
    auto f = [rows](const char* what, const char* model) {
        const std::string key = Key(what, model, rows);
        if (Samples().count(key))
            return Median(key);
        const auto it = Figures().find(key);
        return it == Figures().end() ? -1.0 : it->second;
    };
    const std::string n = std::to_string(rows);
    auto dataNs = [&n](const char* what, const char* model) {
        const auto it = Figures().find(std::string(what) + "/" + model + "/" + n);
        return it == Figures().end() ? -1.0 : it->second;
    };
    std::printf("\nTargets at %lld rows (medians over repetitions):\n", rows);
    const double firstPaint = f("first_paint", "TableViewModel");
    const double queryPaint = f("first_paint", "QSqlQueryModel");
    const double nullPaint = f("first_paint", "NullModel");
    const double rawRead = f("page_read_random", "sqlite");
    const double fetchFirst = f("page_fetch_first", "host");
    const double fetchLast = f("page_fetch_last", "host");
    const double fetchRandom = f("page_fetch_random", "host");
    const double fetchSorted = f("page_fetch_sorted_random", "host");
    Verdict("first paint <= null model + one page fetch + 5 ms", firstPaint <= nullPaint + fetchFirst + 0.005,
        Format("%.2f ms vs %.2f + %.2f + 5 ms", firstPaint * 1e3, nullPaint * 1e3, fetchFirst * 1e3));
    // The query model has fetched only its first rows when it first paints: it does not know how
    // many the table holds, and its header has a section per row fetched, not per row.
    Verdict("first paint <= QSqlQueryModel's + 2 ms", firstPaint <= queryPaint + 0.002,
        Format("%.2f ms vs %.2f + 2 ms (QSqlQueryModel knows its first 256 rows only)", firstPaint * 1e3,
            queryPaint * 1e3));
    Verdict("page fetch <= 1.5x a raw SQLite read of the same rows", rawRead > 0 && fetchRandom <= 1.5 * rawRead,
        Format("%.2f ms vs %.2f ms (%.2fx, random pages)", fetchRandom * 1e3, rawRead * 1e3, fetchRandom / rawRead));
    const double jump = f("jump_last", "TableViewModel");
    const double queryJump = f("jump_last", "QSqlQueryModel");
    const double reached = f("jump_last_rows_reached", "QSqlQueryModel");
    Verdict("jump to the last row <= 10 ms", jump <= 0.010, Format("%.2f ms", jump * 1e3));
    Verdict("jump to the last row >= 1000x faster than QSqlQueryModel", queryJump / jump >= 1000,
        Format("%.0fx; QSqlQueryModel %.2f s for %.0f rows", queryJump / jump, queryJump, reached)
            + (reached < static_cast<double>(rows) ? ", a lower bound" : ""));
    Verdict("page fetch at the last row <= 1.5x the first", fetchLast <= 1.5 * fetchFirst,
        Format("%.2f ms vs %.2f ms", fetchLast * 1e3, fetchFirst * 1e3));
    Verdict("one fetch per page entered, none on repaint",
        f("page_fetches_scrolling", "TableViewModel") == f("pages_entered", "TableViewModel")
            && f("fetches_on_repaint", "TableViewModel") == 0,
        Format("%.0f fetches for %.0f pages entered; %.0f on 10 repaints",
            f("page_fetches_scrolling", "TableViewModel"), f("pages_entered", "TableViewModel"),
            f("fetches_on_repaint", "TableViewModel")));
    const double peak = f("mem_peak", "TableViewModel");
    const double firstHalf = f("mem_peak_first_half", "TableViewModel");
    const double budget = f("mem_view", "NullModel") + 5 * f("mem_page", "host") + 5;
    Verdict("peak memory flat over the whole table", peak <= firstHalf + 1,
        Format("peak %.1f MB, %.1f MB by half way", peak, firstHalf));
    Verdict("peak memory <= view + 5 pages + 5 MB", peak <= budget, Format("%.1f MB vs %.1f MB", peak, budget));
    Verdict("sorted page fetch <= 1.5x unsorted", fetchSorted <= 1.5 * fetchRandom,
        Format("%.2f ms vs %.2f ms (random pages)", fetchSorted * 1e3, fetchRandom * 1e3));
    // A sorted page's rows lie all over the file: SQLite seeks each one, which the raw read pays too.
    const double rawSorted = f("page_read_sorted_random", "sqlite");
    Verdict("sorted page fetch <= 1.5x a raw SQLite read of the same rows",
        rawSorted > 0 && fetchSorted <= 1.5 * rawSorted,
        Format("%.2f ms vs %.2f ms (%.2fx); the raw sorted read is %.2fx the raw unsorted one", fetchSorted * 1e3,
            rawSorted * 1e3, fetchSorted / rawSorted, rawSorted / rawRead));
    const double display = dataNs("data_display_cached_page", "TableViewModel");
    const double background = dataNs("data_background_cached_page", "TableViewModel");
    const double queryDisplay = dataNs("data_display_cached_page", "QSqlQueryModel");
    Verdict("data() display role <= QSqlQueryModel's", display <= queryDisplay,
        Format("%.1f ns vs %.1f ns", display, queryDisplay));
    Verdict("data() on a cached page <= 30 ns", display <= 30,
        Format("display role %.1f ns, background role %.1f ns", display, background));
}

} // namespace

int main(int argc, char** argv)
{
    PrepareProcess();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    std::vector<std::unique_ptr<Dataset>> datasets;
    for (qint64 rows : Sizes()) {
        datasets.push_back(std::make_unique<Dataset>(rows));
        Register(datasets.back().get());
    }
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const auto& data : datasets)
        PrintTargets(data->rows);
    datasets.clear();
    return 0;
}
