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

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <thread>
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

struct Dataset
{
    explicit Dataset(qint64 rowCount)
        : rows(rowCount)
    {
        workbook = OpenWorkbook(rows, QStringLiteral(ZEL_BENCH_DATA_DIR));
        host = std::make_unique<SimHost>();
        host->SetExchangeLogEnabled(false);
        area = std::make_unique<TableViewArea>(*host, *workbook);
        counting = std::make_unique<CountingDispatcher>(*host, Cmds::GetTableViewPage::id);
        dispatcher = std::shared_ptr<ICommandDispatcher const>(counting.get(), [](const ICommandDispatcher*) {});
        columns = static_cast<int>(workbook->Fields().size());
        QStringList names;
        for (const SampleField& field : workbook->Fields())
            names << SampleWorkbook::SqlColumn(field.name);
        selectAll = QStringLiteral("SELECT ") + names.join(QLatin1Char(',')) + QStringLiteral(" FROM ")
            + SampleWorkbook::TableName();
    }

    ~Dataset()
    {
        area.reset();
        host.reset();
        workbook.reset();
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

    qint64 rows;
    int columns = 0;
    QString selectAll;
    std::unique_ptr<SampleWorkbook> workbook;
    std::unique_ptr<SimHost> host;
    std::unique_ptr<TableViewArea> area;
    std::unique_ptr<CountingDispatcher> counting;
    std::shared_ptr<ICommandDispatcher const> dispatcher;
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

    double Fetch(unsigned int row) const
    {
        const Clock::time_point start = Clock::now();
        auto page = GetTableViewPage(dispatcher, description, row, 0).Get<Cmds::TableViewPage>();
        page.reset();
        return Seconds(Clock::now() - start);
    }

    const ICommandDispatcher& dispatcher;
    RefCntPtr<TableViewCachePresModel const> description;
    RefCntPtr<SimpleCommandsPresModel const> cleanup;
    double sortSeconds = 0;
};

void HostPageFetch(benchmark::State& state, const Dataset* data, const char* where)
{
    const HostCache cache(*data, -1);
    const std::string place = where;
    const std::vector<int> randomRows = RandomRows(data->rows);
    std::size_t i = 0;
    double total = 0;
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
        ++n;
    }
    Note(state, Key((std::string("page_fetch_") + where).c_str(), "host", data->rows), total, n);
}

void HostSortedPageFetch(benchmark::State& state, const Dataset* data)
{
    int sales = 0;
    for (const SampleField& field : data->workbook->Fields()) {
        if (field.name.GetLocalName() == TString(L"Sales"))
            break;
        ++sales;
    }
    const HostCache cache(*data, sales);
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
    reg("fetches_per_page_entered/TableViewModel/" + n, [data](benchmark::State& s) {
        FetchesPerPage(s, data);
    })->Iterations(1);
    reg("scroll_whole_table_memory/TableViewModel/" + n, [data](benchmark::State& s) {
        ScrollWholeTable(s, data);
    })->Iterations(1);
    for (int kind = 0; kind < 3; ++kind) {
        if (kind == 1 && data->rows > kQueryModelFetchLimit)
            continue;
        const std::string model = kModelNames[kind];
        benchmark::RegisterBenchmark(("data_display_cached_page/" + model + "/" + n).c_str(),
            [data, kind](benchmark::State& s) { DataOnCachedPage(s, data, kind, Qt::DisplayRole); });
        benchmark::RegisterBenchmark(("data_background_cached_page/" + model + "/" + n).c_str(),
            [data, kind](benchmark::State& s) { DataOnCachedPage(s, data, kind, Qt::BackgroundRole); });
    }
}

// Captures the nanoseconds per data() call from the report, and prints every figure as usual.
class FigureReporter final : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const std::string name = run.benchmark_name();
            if (name.rfind("data_", 0) == 0)
                Figures()[name] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

void PrintTargets(qint64 rows)
{
    auto f = [rows](const char* what, const char* model) {
        const auto it = Figures().find(Key(what, model, rows));
        return it == Figures().end() ? -1.0 : it->second;
    };
    const std::string n = std::to_string(rows);
    auto dataNs = [&n](const char* what, const char* model) {
        const auto it = Figures().find(std::string(what) + "/" + model + "/" + n);
        return it == Figures().end() ? -1.0 : it->second;
    };
    std::printf("\nTargets at %lld rows:\n", rows);
    const double firstPaint = f("first_paint", "TableViewModel");
    const double nullPaint = f("first_paint", "NullModel");
    const double fetchFirst = f("page_fetch_first", "host");
    const double fetchLast = f("page_fetch_last", "host");
    const double fetchRandom = f("page_fetch_random", "host");
    const double fetchSorted = f("page_fetch_sorted_random", "host");
    Verdict("first paint <= null model + one page fetch + 5 ms", firstPaint <= nullPaint + fetchFirst + 0.005,
        Format("%.2f ms vs %.2f + %.2f + 5 ms", firstPaint * 1e3, nullPaint * 1e3, fetchFirst * 1e3));
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
    const double display = dataNs("data_display_cached_page", "TableViewModel");
    const double background = dataNs("data_background_cached_page", "TableViewModel");
    Verdict("data() on a cached page <= 30 ns", display <= 30,
        Format("display role %.1f ns, background role %.1f ns", display, background));
}

} // namespace

int main(int argc, char** argv)
{
    // glibc drops the atomic instructions of shared_ptr counts while a process has never had a
    // second thread; a host application always has more than one, so the figures are taken as
    // in one.
    std::thread([] {}).join();
    qputenv("QT_QPA_PLATFORM", "offscreen");
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
