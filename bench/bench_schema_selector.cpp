// The schema selector over a generated cube of 2,000 levels (100 dimensions of 4 hierarchies of 5
// levels), side by side in one run with what a developer would write instead: a QTreeWidget of the
// same three columns, filled item by item from the same host answer, with the same toggle button.
//
//   SchemaSelectorDialog - the library's dialog: the frameless frame, the content form, the host's
//                          SchemaLevelSelectWidget (its model over the host's level records);
//   QTreeWidget/framed   - the QTreeWidget in the same frameless frame (ZelvarFramelessDialog),
//                          which the dialog must have: the tree is what differs;
//   QTreeWidget/bare     - the QTreeWidget in a plain QDialog, without the frame's drop shadow.
//
// Every contender sends GetSchemaLevels to the same simulated host, shows every row expanded, and
// is measured at the same window size.
//
// Cases (each the median of its repetitions, wall time of the GUI thread, offscreen):
//   open_first_paint - from the constructor to the first picture of the window (grab()), the host's
//                      answer included, at the same size every time: a dialog opened again, whose
//                      frame finds its drop shadow made by the dialog before;
//   open_new_size    - the same at a window size not drawn in the last 16 openings (one to 15
//                      pixels wider), so that the frame's shadow is blurred afresh: a dialog opened
//                      at a size the process has not drawn lately;
//   toggle_hide_all  - "Hide All Fields" clicked (every row greyed out, or shown again) and the
//                      window painted again; the QTreeWidget disables or enables every item.
// Target: each case of the dialog within 1.5x of the QTreeWidget.

#include "BenchSupport.h"

#include "gen-command-wrappers/SchemaCommandWrappers.h"
#include "host/ui/SchemaLevelSelectWidget.h"
#include "main/dialogs/SchemaSelectorDialog.h"
#include "main/dialogs/ZelvarFramelessDialog.h"
#include "sim/CubeArea.h"
#include "sim/SampleWorkbook.h"
#include "sim/SchemaArea.h"
#include "sim/SimHost.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTreeWidget>
#include <QtWidgets/QVBoxLayout>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

using namespace Zel::Sim;
using namespace ZelBench;
namespace Cmds = Zel::Commands::Schema;

namespace {

constexpr qint64 kWorkbookRows = 1'000;
const QSize kWindowSize(504, 700);

// The simulated host with the schema area; the sample cube under it is never read.
struct Host
{
    Host()
        : workbook(SampleWorkbook::Options {kWorkbookRows, {}})
        , cube(host, workbook)
        , schema(host, cube.Cube())
        , shared(&host, [](const ICommandDispatcher*) {})
    {
        host.SetExchangeLogEnabled(false);
    }

    SampleWorkbook workbook;
    SimHost host;
    CubeArea cube;
    SchemaArea schema;
    std::shared_ptr<ICommandDispatcher const> shared;
};

Host* g_host = nullptr;

std::unique_ptr<SchemaSelectorDialog> OpenDialog(QSize size = kWindowSize)
{
    auto dialog = std::make_unique<SchemaSelectorDialog>(
        g_host->shared, SchemaArea::LargeDataSourceName(), TString(), QualifiedName());
    dialog->resize(size);
    return dialog;
}

// What a developer writes without the host's widget: the same answer, one item per node, in the
// frame the dialog has (`framed`) or in a plain dialog.
std::unique_ptr<QDialog> OpenTreeWidget(bool framed, QSize size = kWindowSize)
{
    const RefCntPtr<SchemaPresModel const> schema
        = GetSchemaLevels(g_host->host, SchemaArea::LargeDataSourceName(), TString()).Get<Cmds::Schema>();
    std::unique_ptr<QDialog> dialog;
    auto* content = new QWidget;
    if (framed) {
        auto frame = std::make_unique<ZelvarFramelessDialog>(nullptr, true);
        frame->SetContentWidget(content);
        dialog = std::move(frame);
    } else {
        dialog = std::make_unique<QDialog>();
        (new QVBoxLayout(dialog.get()))->addWidget(content);
    }
    auto* layout = new QVBoxLayout(content);
    auto* button = new QPushButton(QStringLiteral("Hide All Fields"), content);
    layout->addWidget(button, 0, Qt::AlignRight);
    auto* tree = new QTreeWidget(content);
    tree->setColumnCount(3);
    tree->setHeaderLabels({QStringLiteral("Schema"), QString(), QStringLiteral("Unique Name")});
    tree->setUniformRowHeights(true);
    tree->setAlternatingRowColors(true);
    layout->addWidget(tree);

    QTreeWidgetItem* dimension = nullptr;
    QTreeWidgetItem* hierarchy = nullptr;
    TString dimensionName;
    TString hierarchyName;
    for (std::size_t i = 0; i < schema->GetLevelCount(); ++i) {
        const SchemaLevelPresModel& level = schema->GetLevel(i);
        if (!dimension || level.GetDimensionCaption() != dimensionName) {
            dimensionName = level.GetDimensionCaption();
            dimension = new QTreeWidgetItem(tree, {dimensionName.ToQString()});
            hierarchy = nullptr;
        }
        if (!hierarchy || level.GetHierarchyUniqueName() != hierarchyName) {
            hierarchyName = level.GetHierarchyUniqueName();
            hierarchy = new QTreeWidgetItem(
                dimension, {level.GetHierarchyCaption().ToQString(), QString(), hierarchyName.ToQString()});
        }
        auto* item = new QTreeWidgetItem(
            hierarchy, {level.GetCaption().ToQString(), QString(), level.GetUniqueName().ToQString()});
        item->setCheckState(1, level.GetIsSelected() ? Qt::Checked : Qt::Unchecked);
    }
    tree->expandAll();
    tree->setColumnWidth(0, 208);
    tree->setColumnWidth(1, 24);
    dialog->resize(size);
    return dialog;
}

// The window size of the next opening at a new size: the widths cycle through 16 values, more
// than the frames' shared shadows hold pictures of this size.
QSize NewSize()
{
    static int opened = 0;
    return kWindowSize + QSize(opened++ % 16, 0);
}

template <typename Open>
void OpenFirstPaint(benchmark::State& state, Open open)
{
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const auto window = open();
        benchmark::DoNotOptimize(window->grab());
        state.SetIterationTime(Seconds(Clock::now() - start));
    }
}

void ToggleDialog(benchmark::State& state)
{
    const auto dialog = OpenDialog();
    dialog->grab();
    auto* button = dialog->findChild<QPushButton*>(QStringLiteral("m_hideAllFieldsButton"));
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        button->click();
        benchmark::DoNotOptimize(dialog->grab());
        state.SetIterationTime(Seconds(Clock::now() - start));
    }
}

void ToggleTreeWidget(benchmark::State& state, bool framed)
{
    const auto dialog = OpenTreeWidget(framed);
    dialog->grab();
    auto* tree = dialog->findChild<QTreeWidget*>();
    bool hidden = false;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        hidden = !hidden;
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            (*it)->setDisabled(hidden);
        benchmark::DoNotOptimize(dialog->grab());
        state.SetIterationTime(Seconds(Clock::now() - start));
    }
}

void Register()
{
    auto reg = [](const char* name, auto fn) {
        return benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);
    };
    reg("open_first_paint/SchemaSelectorDialog",
        [](benchmark::State& s) { OpenFirstPaint(s, [] { return OpenDialog(); }); });
    reg("open_first_paint/QTreeWidget/framed",
        [](benchmark::State& s) { OpenFirstPaint(s, [] { return OpenTreeWidget(true); }); });
    reg("open_first_paint/QTreeWidget/bare",
        [](benchmark::State& s) { OpenFirstPaint(s, [] { return OpenTreeWidget(false); }); });
    reg("open_new_size/SchemaSelectorDialog",
        [](benchmark::State& s) { OpenFirstPaint(s, [] { return OpenDialog(NewSize()); }); });
    reg("open_new_size/QTreeWidget/framed",
        [](benchmark::State& s) { OpenFirstPaint(s, [] { return OpenTreeWidget(true, NewSize()); }); });
    reg("open_new_size/QTreeWidget/bare",
        [](benchmark::State& s) { OpenFirstPaint(s, [] { return OpenTreeWidget(false, NewSize()); }); });
    reg("toggle_hide_all/SchemaSelectorDialog", ToggleDialog);
    reg("toggle_hide_all/QTreeWidget/framed", [](benchmark::State& s) { ToggleTreeWidget(s, true); });
    reg("toggle_hide_all/QTreeWidget/bare", [](benchmark::State& s) { ToggleTreeWidget(s, false); });
}

// Keeps the median of each case's repetitions for the summary of targets.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                Figures()[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

void PrintTargets()
{
    std::printf("\nTargets (medians):\n");
    for (const char* task : {"open_first_paint", "open_new_size", "toggle_hide_all"}) {
        for (const char* baseline : {"framed", "bare"}) {
            const auto ours = Figures().find(std::string(task) + "/SchemaSelectorDialog");
            const auto theirs = Figures().find(std::string(task) + "/QTreeWidget/" + baseline);
            if (ours == Figures().end() || theirs == Figures().end()) {
                std::printf("  (run with --benchmark_repetitions for the medians of %s)\n", task);
                break;
            }
            const double ratio = ours->second / theirs->second;
            const std::string target = std::string(task) + " vs the " + baseline + " QTreeWidget";
            Verdict(target.c_str(), ratio <= 1.5,
                Format("%.2f ms vs %.2f ms: %.2fx, target 1.5x", ours->second, theirs->second, ratio));
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    PrepareProcess();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Host host;
    g_host = &host;
    const std::size_t levels
        = GetSchemaLevels(host.host, SchemaArea::LargeDataSourceName(), TString()).Get<Cmds::Schema>()->GetLevelCount();
    if (levels != 2'000) {
        std::fprintf(stderr, "the generated data source has %zu levels, not 2,000\n", levels);
        return 1;
    }
    Register();
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintTargets();
    g_host = nullptr;
    return 0;
}
