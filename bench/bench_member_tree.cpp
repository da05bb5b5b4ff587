// A member picker of 400 x 300 pixels (offscreen) over the sample cube of a workbook of 10,000,000
// rows in SQLite, side by side in one run over three trees:
//   HierarchySelectWidget - the host's picker: LazyTreeView over HierarchyMemberModel, pages of 200
//                           members from the simulated host, 16 pages in memory;
//   QStandardItemModel     - what a simple picker does: every member made an item up front and shown
//                           in a QTreeView;
//   NullTree               - a model of the same shape that holds nothing, in the picker's own view:
//                           the cost of the view itself.
//
// The hierarchies are [Order] (All and one member per order, about four million at ten million rows)
// and [Geography] (All, 4 regions, 20 states, 60 cities). The workbook file is the one bench_tableview
// makes under the build folder, and the cube's member tables are made in it once and reused after.
// ZEL_BENCH_MEMBER_TREE_ROWS changes the size.
//
// Filling a QStandardItemModel with four million items and laying them out in a QTreeView takes
// gigabytes and minutes, so the simple picker is measured with a tenth of the orders (kStandardShare)
// and its figures are extrapolated linearly, which the summary says.

#include "BenchSupport.h"

#include "gen-command-wrappers/CubeCommandWrappers.h"
#include "host/ui/HierarchyMemberModel.h"
#include "host/ui/HierarchySelectWidget.h"
#include "host/ui/LazyTreeView.h"
#include "sim/CubeArea.h"
#include "sim/OrdersCube.h"
#include "sim/SampleWorkbook.h"
#include "sim/SimHost.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QStandardItemModel>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTreeView>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace Zel::Sim;
using namespace ZelBench;
namespace Cmds = Zel::Commands::Cube;

namespace {

constexpr unsigned int kPage = HierarchyMemberModel::kDefaultPageSize;
constexpr int kViewWidth = 400;
constexpr int kViewHeight = 300;
constexpr qint64 kDefaultRows = 10'000'000;
// The share of the orders the simple picker is filled with; its figures are scaled up from it.
constexpr int kStandardShare = 10;
constexpr int kScrollSteps = 250;
constexpr int kPagesScrolled = 3;
const QString kCity = QStringLiteral("[Geography].[West].[California].[San Diego]");

FieldName Hierarchy(const char* name)
{
    return FieldName(OrdersCube::DataSourceName(), TString::FromUtf8(name));
}

// The shape of a tree without its data: a node has `count` children, which are leaves, or each
// described by `children` when it is not empty (then count == children.size()).
struct Shape
{
    int count = 0;
    std::vector<Shape> children;
};

class NullTree final : public QAbstractItemModel
{
public:
    explicit NullTree(Shape root)
        : m_root(std::move(root))
    {
    }

    // internalId is the parent's Shape.
    QModelIndex index(int row, int column, const QModelIndex& parent) const override
    {
        const Shape* shape = ShapeOf(parent);
        if (!shape || column != 0 || row < 0 || row >= shape->count)
            return {};
        return createIndex(row, 0, const_cast<Shape*>(shape));
    }
    QModelIndex parent(const QModelIndex& child) const override
    {
        if (!child.isValid())
            return {};
        const Shape* parentShape = static_cast<const Shape*>(child.internalPointer());
        return parentShape == &m_root ? QModelIndex() : Locate(m_root, parentShape);
    }
    int rowCount(const QModelIndex& parent) const override
    {
        const Shape* shape = ShapeOf(parent);
        return shape ? shape->count : 0;
    }
    int columnCount(const QModelIndex&) const override { return 1; }
    QVariant data(const QModelIndex&, int) const override { return {}; }

private:
    const Shape* ShapeOf(const QModelIndex& index) const
    {
        if (!index.isValid())
            return &m_root;
        const Shape* parent = static_cast<const Shape*>(index.internalPointer());
        return index.row() < static_cast<int>(parent->children.size())
            ? &parent->children[static_cast<std::size_t>(index.row())]
            : nullptr;
    }
    // The index of `target` below `at`; shapes are few, so a search is fine.
    QModelIndex Locate(const Shape& at, const Shape* target) const
    {
        for (std::size_t i = 0; i < at.children.size(); ++i) {
            if (&at.children[i] == target)
                return createIndex(static_cast<int>(i), 0, const_cast<Shape*>(&at));
            const QModelIndex found = Locate(at.children[i], target);
            if (found.isValid())
                return found;
        }
        return {};
    }

    Shape m_root;
};

struct Dataset : SimulatedWorkbook
{
    explicit Dataset(qint64 rowCount)
        : SimulatedWorkbook(rowCount, QStringLiteral(ZEL_BENCH_DATA_DIR), Cmds::GetMemberChildren::id)
    {
        area = std::make_unique<CubeArea>(*host, *workbook);
        OrdersCube& cube = area->Cube();
        for (const char* name : {"Order", "Geography"}) {
            const Clock::time_point start = Clock::now();
            const OrdersCube::PrepareStats stats = cube.Prepare(cube.FindHierarchy(TString::FromUtf8(name)));
            std::printf("member table of [%s]: %lld members %s in %.1f s\n", name, stats.members,
                stats.reused ? "reused" : "made", Seconds(Clock::now() - start));
        }
        const int order = cube.FindHierarchy(TString(L"Order"));
        orders = static_cast<int>(cube.AllMember(order)->childCount);

        orderShape = Shape {1, {Shape {orders, {}}}};
        const int geography = cube.FindHierarchy(TString(L"Geography"));
        const CubeMember all = *cube.AllMember(geography);
        Shape allShape;
        for (const CubeMember& region : cube.Children(geography, &all, 0, all.childCount)) {
            Shape regionShape;
            for (const CubeMember& state : cube.Children(geography, &region, 0, region.childCount))
                regionShape.children.push_back(Shape {static_cast<int>(state.childCount), {}});
            regionShape.count = static_cast<int>(regionShape.children.size());
            allShape.children.push_back(std::move(regionShape));
        }
        allShape.count = static_cast<int>(allShape.children.size());
        geographyShape = Shape {1, {std::move(allShape)}};
    }

    int orders = 0;
    Shape orderShape;
    Shape geographyShape;
    std::unique_ptr<CubeArea> area;
};

const char* const kTreeNames[] = {"HierarchySelectWidget", "QStandardItemModel", "NullTree"};
enum Tree
{
    kWidget = 0,
    kStandard = 1,
    kNull = 2,
};

// Runs events until a widget has painted (or a few rounds have passed).
void ShowAndPaint(QWidget& window, QWidget& viewport)
{
    window.resize(kViewWidth, kViewHeight);
    window.show();
    QCoreApplication::processEvents();
    viewport.repaint();
}

// One of the three trees, shown: the picker itself, or a view over a model of its own.
struct Shown
{
    std::unique_ptr<HierarchySelectWidget> widget;
    std::unique_ptr<QAbstractItemModel> model;
    std::unique_ptr<QAbstractItemView> view;

    QAbstractItemView& View() const { return widget ? static_cast<QAbstractItemView&>(widget->TreeView()) : *view; }
    QModelIndex Top() const { return View().model()->index(0, 0); }
    void Expand(const QModelIndex& index) const
    {
        if (auto* lazy = dynamic_cast<LazyTreeView*>(&View()))
            lazy->expand(index);
        else
            static_cast<QTreeView&>(View()).expand(index);
    }
    void Paint() const { View().viewport()->repaint(); }
};

// The simple picker's items: the All member over the first `count` orders, as the host names them.
std::unique_ptr<QStandardItemModel> FillStandard(const Dataset& data, int count, double* seconds)
{
    const auto page = GetMemberChildren(
        *data.host, Hierarchy("Order"), TString(L"[Order].[All Order]"), 0, static_cast<unsigned int>(count))
                          .Get<Cmds::MemberPage>();
    const Clock::time_point start = Clock::now();
    auto model = std::make_unique<QStandardItemModel>();
    auto* all = new QStandardItem(QStringLiteral("All Order"));
    QList<QStandardItem*> items;
    items.reserve(count);
    for (unsigned int i = 0; i < page->GetMemberCount(); ++i)
        items << new QStandardItem(page->GetMember(i).GetCaption().ToQString());
    all->appendRows(items);
    model->appendRow(all);
    *seconds = Seconds(Clock::now() - start);
    return model;
}

Shown Open(const Dataset& data, Tree tree, const char* hierarchy, const Shape& shape)
{
    Shown shown;
    if (tree == kWidget) {
        shown.widget = std::make_unique<HierarchySelectWidget>();
        shown.widget->CreateModel(data.dispatcher, Hierarchy(hierarchy));
        ShowAndPaint(*shown.widget, *shown.widget->TreeView().viewport());
        return shown;
    }
    if (tree == kNull) {
        shown.model = std::make_unique<NullTree>(shape);
        shown.view = std::make_unique<LazyTreeView>();
    } else {
        double fill = 0;
        shown.model = FillStandard(data, data.orders / kStandardShare, &fill);
        auto view = std::make_unique<QTreeView>();
        view->setHeaderHidden(true);
        view->setUniformRowHeights(true);
        shown.view = std::move(view);
    }
    shown.view->setModel(shown.model.get());
    ShowAndPaint(*shown.view, *shown.view->viewport());
    return shown;
}

std::string Key(const char* what, Tree tree)
{
    return std::string(what) + "/" + kTreeNames[tree];
}

void Note(benchmark::State& state, const std::string& key, double seconds, int iterations, double scale = 1)
{
    const double mean = seconds / iterations * scale;
    Figures()[key] = mean;
    state.counters["ms"] = mean * 1000.0;
    if (scale != 1)
        state.counters["scaled_by"] = scale;
}

void OpenOrders(benchmark::State& state, const Dataset* data, Tree tree)
{
    double total = 0;
    int n = 0;
    for (auto _ : state) {
        double fill = 0;
        const Clock::time_point start = Clock::now();
        Shown shown;
        if (tree == kStandard) {
            // What a simple picker does when it opens: every member an item, then the view.
            auto model = FillStandard(*data, data->orders / kStandardShare, &fill);
            const Clock::time_point viewStart = Clock::now();
            auto view = std::make_unique<QTreeView>();
            view->setHeaderHidden(true);
            view->setUniformRowHeights(true);
            view->setModel(model.get());
            ShowAndPaint(*view, *view->viewport());
            fill = fill * kStandardShare + Seconds(Clock::now() - viewStart);
            shown.model = std::move(model);
            shown.view = std::move(view);
        } else {
            shown = Open(*data, tree, "Order", data->orderShape);
        }
        const double seconds = tree == kStandard ? fill : Seconds(Clock::now() - start);
        state.SetIterationTime(seconds);
        total += seconds;
        ++n;
    }
    Note(state, Key("open_order", tree), total, n);
}

// Expands the All member and paints, then jumps to its last child and paints.
void ExpandAndJump(benchmark::State& state, const Dataset* data, Tree tree)
{
    const double scale = tree == kStandard ? kStandardShare : 1;
    double expandTotal = 0;
    double jumpTotal = 0;
    int n = 0;
    long long expandFetches = 0;
    long long jumpFetches = 0;
    for (auto _ : state) {
        const Shown shown = Open(*data, tree, "Order", data->orderShape);
        long long before = data->counting->PageFetches();
        Clock::time_point start = Clock::now();
        shown.Expand(shown.Top());
        shown.Paint();
        const double expand = Seconds(Clock::now() - start);
        expandFetches = data->counting->PageFetches() - before;
        QCoreApplication::processEvents();

        before = data->counting->PageFetches();
        start = Clock::now();
        shown.View().scrollToBottom();
        shown.Paint();
        const double jump = Seconds(Clock::now() - start);
        jumpFetches = data->counting->PageFetches() - before;
        QCoreApplication::processEvents();
        state.SetIterationTime(expand + jump);
        expandTotal += expand;
        jumpTotal += jump;
        ++n;
    }
    Note(state, Key("expand_all_member", tree), expandTotal, n, scale);
    // Once laid out, a QTreeView jumps at a cost that hardly grows with its rows: not scaled.
    Figures()[Key("jump_last", tree)] = jumpTotal / n;
    state.counters["jump_ms"] = jumpTotal / n * 1000.0;
    state.counters["expand_fetches"] = static_cast<double>(expandFetches);
    state.counters["jump_fetches"] = static_cast<double>(jumpFetches);
    Figures()[Key("expand_fetches", tree)] = static_cast<double>(expandFetches);
    Figures()[Key("jump_fetches", tree)] = static_cast<double>(jumpFetches);
}

// The whole of [Geography], which is small, as a simple picker holds it: every member an item, its
// unique name beside its caption.
std::unique_ptr<QStandardItemModel> GeographyItems(const Dataset& data)
{
    OrdersCube& cube = data.area->Cube();
    const int h = cube.FindHierarchy(TString(L"Geography"));
    auto item = [](const CubeMember& member) {
        auto* made = new QStandardItem(member.name.ToQString());
        made->setData(member.uniqueName.ToQString(), Qt::UserRole);
        return made;
    };
    std::function<void(QStandardItem&, const CubeMember&)> addChildren
        = [&](QStandardItem& parent, const CubeMember& member) {
              for (const CubeMember& child : cube.Children(h, &member, 0, member.childCount)) {
                  QStandardItem* childItem = item(child);
                  addChildren(*childItem, child);
                  parent.appendRow(childItem);
              }
          };
    auto model = std::make_unique<QStandardItemModel>();
    const CubeMember all = *cube.AllMember(h);
    QStandardItem* allItem = item(all);
    addChildren(*allItem, all);
    model->appendRow(allItem);
    return model;
}

// "Expand All" on [Geography]: the picker opens what shows; the others open everything.
void ExpandAllGeography(benchmark::State& state, const Dataset* data, Tree tree)
{
    double total = 0;
    int n = 0;
    for (auto _ : state) {
        Shown shown;
        std::unique_ptr<QStandardItemModel> standard;
        if (tree == kStandard) {
            standard = GeographyItems(*data);
            auto view = std::make_unique<QTreeView>();
            view->setHeaderHidden(true);
            view->setModel(standard.get());
            ShowAndPaint(*view, *view->viewport());
            shown.view = std::move(view);
        } else {
            shown = Open(*data, tree, "Geography", data->geographyShape);
        }
        const Clock::time_point start = Clock::now();
        if (tree == kWidget)
            shown.widget->ExpandTree(-1, 0, -1);
        else if (tree == kNull)
            static_cast<LazyTreeView&>(shown.View()).expandAsShown(0, -1);
        else
            static_cast<QTreeView&>(shown.View()).expandAll();
        shown.Paint();
        const double seconds = Seconds(Clock::now() - start);
        state.SetIterationTime(seconds);
        total += seconds;
        ++n;
    }
    Note(state, Key("expand_all_geography", tree), total, n);
}

// SetSelectedMember on a city, then brought into view (ExpandTree(-2)) and painted; the simple
// picker finds the city among its items and scrolls to it.
void SelectCity(benchmark::State& state, const Dataset* data, Tree tree)
{
    double total = 0;
    double selectOnly = 0;
    int n = 0;
    for (auto _ : state) {
        if (tree == kWidget) {
            const Shown shown = Open(*data, tree, "Geography", data->geographyShape);
            auto member = MakeRefCnt<Tuple>();
            member->SetHierarchy(Hierarchy("Geography"));
            member->SetUniqueName(TString(kCity));
            const Clock::time_point start = Clock::now();
            shown.widget->SetSelectedMember(member);
            const double select = Seconds(Clock::now() - start);
            shown.widget->ExpandTree(-2, 0, -1);
            shown.Paint();
            const double seconds = Seconds(Clock::now() - start);
            state.SetIterationTime(seconds);
            total += seconds;
            selectOnly += select;
        } else {
            const auto model = GeographyItems(*data);
            QTreeView view;
            view.setHeaderHidden(true);
            view.setModel(model.get());
            ShowAndPaint(view, *view.viewport());
            const Clock::time_point start = Clock::now();
            const QModelIndexList found
                = model->match(model->index(0, 0), Qt::UserRole, kCity, 1, Qt::MatchExactly | Qt::MatchRecursive);
            const double select = Seconds(Clock::now() - start);
            view.setCurrentIndex(found.value(0));
            view.scrollTo(found.value(0), QAbstractItemView::PositionAtCenter);
            view.viewport()->repaint();
            const double seconds = Seconds(Clock::now() - start);
            state.SetIterationTime(seconds);
            total += seconds;
            selectOnly += select;
        }
        ++n;
    }
    Note(state, Key("select_city", tree), total, n);
    Figures()[Key("select_city_only", tree)] = selectOnly / n;
    state.counters["select_only_ms"] = selectOnly / n * 1000.0;
}

// One page of orders on the host, as the picker asks for it.
void HostPageFetch(benchmark::State& state, const Dataset* data, bool last)
{
    const unsigned int first = last ? static_cast<unsigned int>(data->orders / kPage * kPage) : 0;
    double total = 0;
    int n = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        auto page = GetMemberChildren(*data->host, Hierarchy("Order"), TString(L"[Order].[All Order]"), first, kPage)
                        .Get<Cmds::MemberPage>();
        const double seconds = Seconds(Clock::now() - start);
        page.reset();
        state.SetIterationTime(seconds);
        total += seconds;
        ++n;
    }
    Note(state, last ? "page_fetch_last/host" : "page_fetch_first/host", total, n);
}

// Scrolls a screenful at a time through the first pages of the orders and repaints without
// moving: page commands against the pages the rows on screen lay in.
void FetchesPerPage(benchmark::State& state, const Dataset* data)
{
    for (auto _ : state) {
        const Shown shown = Open(*data, kWidget, "Order", data->orderShape);
        shown.Expand(shown.Top());
        const long long start = data->counting->PageFetches();
        LazyTreeView& tree = shown.widget->TreeView();
        std::set<qint64> entered {-1};
        auto noteVisible = [&] {
            const qint64 top = tree.topRow();
            const qint64 bottom
                = std::min(top + tree.viewport()->height() / tree.rowHeight(), tree.visibleRowCount() - 1);
            for (qint64 row = top; row <= bottom; ++row)
                entered.insert(row == 0 ? -1 : (row - 1) / HierarchyMemberModel::kDefaultPageSize);
        };
        shown.Paint();
        noteVisible();
        QScrollBar* bar = tree.verticalScrollBar();
        while (bar->value() < kPagesScrolled * static_cast<int>(HierarchyMemberModel::kDefaultPageSize)) {
            bar->setValue(bar->value() + bar->pageStep());
            shown.Paint();
            noteVisible();
        }
        const long long scrolled = data->counting->PageFetches() - start;
        for (int i = 0; i < 10; ++i)
            shown.Paint();
        const long long repaints = data->counting->PageFetches() - start - scrolled;
        // The top's own page (the All member) was read on opening.
        const double pages = static_cast<double>(entered.size() - 1);
        state.counters["pages_entered"] = pages;
        state.counters["page_fetches"] = static_cast<double>(scrolled);
        state.counters["fetches_on_10_repaints"] = static_cast<double>(repaints);
        Figures()["pages_entered"] = pages;
        Figures()["page_fetches_scrolling"] = static_cast<double>(scrolled);
        Figures()["fetches_on_repaint"] = static_cast<double>(repaints);
    }
}

// Heap while the picker goes from the first order to the last in kScrollSteps even steps, each on a
// page of its own, against the view's own cost over the null tree (scrolled the same way) and what
// the cached pages hold.
void ScrollWholeLevel(benchmark::State& state, const Dataset* data)
{
    auto scroll = [](const Shown& shown, double base, double* peak, double* peakFirstHalf) {
        QScrollBar* bar = shown.View().verticalScrollBar();
        for (int step = 1; step <= kScrollSteps; ++step) {
            bar->setValue(static_cast<int>(static_cast<qint64>(bar->maximum()) * step / kScrollSteps));
            shown.Paint();
            QCoreApplication::processEvents();
            *peak = std::max(*peak, HeapMegabytes() - base);
            if (step <= kScrollSteps / 2)
                *peakFirstHalf = *peak;
        }
    };
    for (auto _ : state) {
        double viewCost = 0;
        {
            const double before = HeapMegabytes();
            const Shown shown = Open(*data, kNull, "Order", data->orderShape);
            shown.Expand(shown.Top());
            double ignored = 0;
            scroll(shown, before, &viewCost, &ignored);
        }
        double pageCost = 0;
        {
            const double before = HeapMegabytes();
            auto page = GetMemberChildren(*data->host, Hierarchy("Order"), TString(L"[Order].[All Order]"), 0, kPage)
                            .Get<Cmds::MemberPage>();
            pageCost = HeapMegabytes() - before;
        }
        const double base = HeapMegabytes();
        const Shown shown = Open(*data, kWidget, "Order", data->orderShape);
        shown.Expand(shown.Top());
        shown.Paint();
        const long long fetchesBefore = data->counting->PageFetches();
        double peak = HeapMegabytes() - base;
        double peakFirstHalf = peak;
        scroll(shown, base, &peak, &peakFirstHalf);
        const double fetches = static_cast<double>(data->counting->PageFetches() - fetchesBefore);
        state.counters["view_MB"] = viewCost;
        state.counters["page_MB"] = pageCost;
        state.counters["peak_MB"] = peak;
        state.counters["peak_first_half_MB"] = peakFirstHalf;
        state.counters["page_fetches"] = fetches;
        Figures()["mem_view"] = viewCost;
        Figures()["mem_page"] = pageCost;
        Figures()["mem_peak"] = peak;
        Figures()["mem_peak_first_half"] = peakFirstHalf;
        Figures()["scroll_fetches"] = fetches;
    }
}

qint64 Rows()
{
    const QByteArray env = qgetenv("ZEL_BENCH_MEMBER_TREE_ROWS");
    return env.isEmpty() ? kDefaultRows : env.trimmed().toLongLong();
}

void Register(const Dataset* data)
{
    auto reg = [](const std::string& name, auto fn) {
        return benchmark::RegisterBenchmark(name.c_str(), fn)->Unit(benchmark::kMillisecond)->UseManualTime();
    };
    for (Tree tree : {kWidget, kStandard, kNull})
        reg(std::string("open_order_first_paint/") + kTreeNames[tree], [data, tree](benchmark::State& s) {
            OpenOrders(s, data, tree);
        })->Iterations(tree == kStandard ? 1 : 5);
    for (Tree tree : {kWidget, kStandard, kNull})
        reg(std::string("expand_all_member_then_jump_to_last/") + kTreeNames[tree], [data, tree](benchmark::State& s) {
            ExpandAndJump(s, data, tree);
        })->Iterations(tree == kStandard ? 1 : 5);
    for (Tree tree : {kWidget, kStandard, kNull})
        reg(std::string("expand_all_geography/") + kTreeNames[tree], [data, tree](benchmark::State& s) {
            ExpandAllGeography(s, data, tree);
        })->Iterations(5);
    for (Tree tree : {kWidget, kStandard})
        reg(std::string("select_city_by_path/") + kTreeNames[tree], [data, tree](benchmark::State& s) {
            SelectCity(s, data, tree);
        })->Iterations(5);
    reg("host_page_fetch/first", [data](benchmark::State& s) { HostPageFetch(s, data, false); })->Iterations(20);
    reg("host_page_fetch/last", [data](benchmark::State& s) { HostPageFetch(s, data, true); })->Iterations(20);
    benchmark::RegisterBenchmark("fetches_per_page_entered/HierarchySelectWidget", [data](benchmark::State& s) {
        FetchesPerPage(s, data);
    })->Iterations(1);
    benchmark::RegisterBenchmark("scroll_whole_level_memory/HierarchySelectWidget", [data](benchmark::State& s) {
        ScrollWholeLevel(s, data);
    })->Iterations(1);
}

void PrintTargets(const Dataset& data)
{
    auto f = [](const std::string& key) {
        const auto it = Figures().find(key);
        return it == Figures().end() ? -1.0 : it->second;
    };
    std::printf("\nTargets at %lld rows (%d orders; the simple picker filled with 1/%d of them, scaled up):\n",
        data.rows, data.orders, kStandardShare);
    const double fetch = std::max(f("page_fetch_first/host"), f("page_fetch_last/host"));
    const double expand = f(Key("expand_all_member", kWidget));
    const double expandNull = f(Key("expand_all_member", kNull));
    Verdict("expand All of [Order] <= null tree + one page fetch + 5 ms", expand <= expandNull + fetch + 0.005,
        Format("%.2f ms vs %.2f + %.2f + 5 ms", expand * 1e3, expandNull * 1e3, fetch * 1e3));
    const double jump = f(Key("jump_last", kWidget));
    const double jumpNull = f(Key("jump_last", kNull));
    Verdict("jump to the last order <= null tree + one page fetch + 5 ms", jump <= jumpNull + fetch + 0.005,
        Format("%.2f ms vs %.2f + %.2f + 5 ms", jump * 1e3, jumpNull * 1e3, fetch * 1e3));
    // A simple picker has every member before it can show any: its expansion is its filling.
    const double fill = f(Key("open_order", kStandard));
    const double standardExpand = f(Key("expand_all_member", kStandard));
    Verdict("expand All of [Order] >= 1000x faster than filling a QStandardItemModel", fill / expand >= 1000,
        Format("%.0fx: %.2f ms vs %.2f s (scaled up from a tenth)", fill / expand, expand * 1e3, fill));
    const double ours = f(Key("open_order", kWidget)) + expand;
    std::printf("  (info) open and expand: %.2f ms; the simple picker's fill and expand %.2f s, %.0fx\n", ours * 1e3,
        fill + standardExpand, (fill + standardExpand) / ours);
    const double peak = f("mem_peak");
    const double firstHalf = f("mem_peak_first_half");
    const double budget = f("mem_view") + HierarchyMemberModel::kDefaultCachedPages * f("mem_page") + 5;
    Verdict("memory flat over the whole level", peak <= firstHalf + 1,
        Format("peak %.1f MB, %.1f MB by half way", peak, firstHalf));
    Verdict("peak memory <= view + 16 cached pages + 5 MB", peak <= budget,
        Format("%.1f MB vs %.1f + 16 x %.2f + 5 MB", peak, f("mem_view"), f("mem_page")));
    Verdict("one page command per page entered, none on repaint",
        f("page_fetches_scrolling") == f("pages_entered") && f("fetches_on_repaint") == 0,
        Format("%.0f commands for %.0f pages entered; %.0f on 10 repaints", f("page_fetches_scrolling"),
            f("pages_entered"), f("fetches_on_repaint")));
    std::printf("  (info) expand: %.0f page command(s), jump: %.0f; whole level in %d steps: %.0f commands\n",
        f(Key("expand_fetches", kWidget)), f(Key("jump_fetches", kWidget)), kScrollSteps, f("scroll_fetches"));
    std::printf("  (info) select a city by path: %.2f ms (SetSelectedMember alone %.2f ms); QStandardItemModel "
                "search %.2f ms (match alone %.2f ms)\n",
        f(Key("select_city", kWidget)) * 1e3, f(Key("select_city_only", kWidget)) * 1e3,
        f(Key("select_city", kStandard)) * 1e3, f(Key("select_city_only", kStandard)) * 1e3);
    std::printf("  (info) Expand All on [Geography]: %.2f ms; null tree %.2f ms; QTreeView::expandAll %.2f ms\n",
        f(Key("expand_all_geography", kWidget)) * 1e3, f(Key("expand_all_geography", kNull)) * 1e3,
        f(Key("expand_all_geography", kStandard)) * 1e3);
}

} // namespace

int main(int argc, char** argv)
{
    PrepareProcess();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    auto data = std::make_unique<Dataset>(Rows());
    Register(data.get());
    benchmark::RunSpecifiedBenchmarks();
    PrintTargets(*data);
    data.reset();
    return 0;
}
