// The edit-aliases dialog over a field of 1,000,000 members, beside what one would write instead:
// the same form, the same QSortFilterProxyModel sorting without regard to case, over a
// QStandardItemModel filled with the same rows from the host's list.
//
// The host's answers (the member list, the list after clearing, the answer to a change) are built
// once before anything is measured and handed out at once, so every figure is the dialog's own
// work; what the host takes to answer is the host's.
//
// Cases (manual timing, each iteration on a fresh dialog unless said):
//   Open/*         construction, the proxy's sort, show() and the first paint;
//   Sort/*         the proxy's case-insensitive sort alone over the model, no view;
//   Data/*         one data() call for the member column, rows in order or at random;
//   CompareNames   the case-insensitive comparison of two names that the proxy makes per pair;
//   Commit/*       one accepted edit on an open dialog: for the dialog, Return in the editor through
//                  to the repainted table (the command, the proxy's re-sort of the row, the view);
//                  for the plain form, setData of the two cells through the proxy and a repaint;
//   EditGesture    the whole edit as a user makes it: click, type eight keys, Return;
//   Clear/*        Clear Aliases on an open dialog with 1,000 aliases, through to the repainted
//                  table; the plain form refills a new model from the host's cleared list.
// Counters: heap_MB (heap held by the open dialog above what was in use before it was made, the
// host's list not counted), data_calls (data() calls the open made; the sort makes nearly all).

#include "ui_EditAliasesDialog.h"

#include "BenchSupport.h"

#include "apps/drivers/EditAliasesDialogDriver.h"
#include "host/commands/AliasCommands.h"
#include "host/doc/CommandDispatcher.h"
#include "main/dialogs/EditAliasesDialog.h"
#include "main/models/AliasesTableModel.h"

#include <QtCore/QSortFilterProxyModel>
#include <QtGui/QStandardItemModel>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableView>

#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

namespace Cmds = Zel::Commands::Alias;
using ZelBench::HeapMegabytes;
using ZelBench::PrepareProcess;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kMembers = 1'000'000;
constexpr int kAliased = 1'000;
constexpr int kEditId = 1;
constexpr int kDataSamples = 1'000'000;

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// The machine is shared: the processor time of this thread shows the work itself when other
// processes stretch the wall-clock time.
double ThreadCpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Times one region by the wall clock (the benchmark's figure) and by this thread's processor time
// (the counter cpu_ms, a mean over the iterations).
class RegionTimer
{
public:
    explicit RegionTimer(benchmark::State& state)
        : m_state(state)
    {
    }
    ~RegionTimer()
    {
        if (m_regions > 0)
            m_state.counters["cpu_ms"] = m_cpu * 1000.0 / static_cast<double>(m_regions);
    }
    void Start()
    {
        m_wallStart = Clock::now();
        m_cpuStart = ThreadCpuSeconds();
    }
    void Stop()
    {
        m_cpu += ThreadCpuSeconds() - m_cpuStart;
        ++m_regions;
        m_state.SetIterationTime(Seconds(Clock::now() - m_wallStart));
    }

private:
    benchmark::State& m_state;
    Clock::time_point m_wallStart;
    double m_cpuStart = 0;
    double m_cpu = 0;
    int m_regions = 0;
};

// Order ids as the sample workbook has them ("ORD-2021-0123456"), in a shuffled order (a host lists
// members in its own order, not by name), every thousandth with an alias.
RefCntPtr<AliasesPresModel const> MakeList(bool withAliases)
{
    std::vector<int> numbers(kMembers);
    std::iota(numbers.begin(), numbers.end(), 100'001);
    std::shuffle(numbers.begin(), numbers.end(), std::mt19937(20'240'514));
    std::vector<RefCntPtr<AliasItemPresModel const>> items;
    items.reserve(kMembers);
    for (int i = 0; i < kMembers; ++i) {
        auto item = MakeRefCnt<AliasItemPresModel>();
        item->SetIndex(static_cast<unsigned int>(i));
        item->SetMemberName(
            TString(QStringLiteral("ORD-%1-%2").arg(2020 + numbers[i] % 4).arg(numbers[i], 7, 10, QLatin1Char('0'))));
        if (withAliases && i % (kMembers / kAliased) == 0) {
            item->SetHasAlias(true);
            item->SetAlias(TString(QStringLiteral("Priority order %1").arg(i)));
        }
        items.push_back(std::move(item));
    }
    auto list = MakeRefCnt<AliasesPresModel>();
    list->SetID(kEditId);
    list->SetColumnCaption(TString(L"Order ID"));
    list->SetAliases(std::move(items));
    list->SetNumOfAssignedAliases(withAliases ? kAliased : 0);
    return list;
}

// The heap the host's list takes, measured as it is made.
double g_listMegabytes = 0;

RefCntPtr<AliasesPresModel const> MeasuredList()
{
    const double before = HeapMegabytes();
    RefCntPtr<AliasesPresModel const> list = MakeList(true);
    g_listMegabytes = HeapMegabytes() - before;
    return list;
}

struct HostAnswers
{
    RefCntPtr<AliasesPresModel const> list = MeasuredList();
    RefCntPtr<AliasesPresModel const> cleared = MakeList(false);
    RefCntPtr<AliasResultsPresModel const> accepted = MakeRefCnt<AliasResultsPresModel>();
};

const HostAnswers& Answers()
{
    static const HostAnswers answers;
    return answers;
}

// Answers the dialog's commands at once with answers made beforehand.
class InstantHost final : public ICommandDispatcher
{
public:
    RefCntPtr<IParameters const> ExecuteCommand(int commandId, RefCntPtr<IParameters const>, void*) const override
    {
        RefCntPtr<IParameters> results = ContextParameters::Create();
        if (commandId == Cmds::ApplyNewAliases::id)
            SetValParameter<RefCntPtr<AliasResultsPresModel const>>(
                *results, Cmds::AliasResults::id, Answers().accepted);
        else if (commandId == Cmds::ClearAliases::id)
            SetValParameter<RefCntPtr<AliasesPresModel const>>(*results, Cmds::ClearedAliases::id, Answers().cleared);
        return results;
    }
};

// What one would write instead: the form, a QStandardItemModel filled from the host's list, the
// same proxy and table settings.
class PlainAliasesDialog : public QDialog
{
public:
    explicit PlainAliasesDialog(const AliasesPresModel& list)
    {
        m_ui.setupUi(this);
        m_proxy.setSortCaseSensitivity(Qt::CaseInsensitive);
        SetList(list);
        m_ui.table->setModel(&m_proxy);
        m_ui.table->sortByColumn(0, Qt::AscendingOrder);
    }

    // A new model from the host's list, as after Clear Aliases.
    void SetList(const AliasesPresModel& list)
    {
        auto model = std::make_unique<QStandardItemModel>(static_cast<int>(list.GetAliasCount()), 3);
        model->setHorizontalHeaderLabels(
            {QStringLiteral("Member"), QStringLiteral("Has Alias"), QStringLiteral("Value (Alias)")});
        for (unsigned int row = 0; row < list.GetAliasCount(); ++row) {
            const AliasItemPresModel& item = *list.GetAliases()[row];
            const QString name = item.GetMemberName().ToQString();
            auto* member = new QStandardItem(name);
            member->setEditable(false);
            auto* mark = new QStandardItem(item.GetHasAlias() ? QStringLiteral("*") : QStringLiteral(" "));
            mark->setEditable(false);
            const int at = static_cast<int>(row);
            model->setItem(at, 0, member);
            model->setItem(at, 1, mark);
            model->setItem(at, 2, new QStandardItem(item.GetHasAlias() ? item.GetAlias().ToQString() : name));
        }
        m_proxy.setSourceModel(model.get());
        m_model = std::move(model);
    }

    QTableView& Table() const { return *m_ui.table; }
    QSortFilterProxyModel& Proxy() { return m_proxy; }

private:
    Ui::EditAliasesDialog m_ui;
    QSortFilterProxyModel m_proxy;
    std::unique_ptr<QStandardItemModel> m_model;
};

// Forwards to a model and counts the data() calls made of it.
class CountingModel final : public QAbstractTableModel
{
public:
    explicit CountingModel(const QAbstractItemModel& inner)
        : m_inner(inner)
    {
    }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override { return m_inner.rowCount(parent); }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override { return m_inner.columnCount(parent); }
    QVariant data(const QModelIndex& index, int role) const override
    {
        ++m_calls;
        return m_inner.index(index.row(), index.column()).data(role);
    }
    long long Calls() const { return m_calls; }

private:
    const QAbstractItemModel& m_inner;
    mutable long long m_calls = 0;
};

void Shown(QWidget& window)
{
    window.show();
    QCoreApplication::processEvents();
    window.repaint();
}

template <typename Window, typename Make>
void TimeOpen(benchmark::State& state, Make make)
{
    double heap = 0;
    RegionTimer timer(state);
    for (auto _ : state) {
        const double before = HeapMegabytes();
        timer.Start();
        std::unique_ptr<Window> window = make();
        Shown(*window);
        timer.Stop();
        heap = HeapMegabytes() - before;
        window.reset();
        QCoreApplication::processEvents();
    }
    state.counters["heap_MB"] = heap;
}

void BM_Open_EditAliasesDialog(benchmark::State& state)
{
    const InstantHost host;
    TimeOpen<EditAliasesDialog>(state, [&] { return std::make_unique<EditAliasesDialog>(host, Answers().list); });
    state.counters["host_list_MB"] = g_listMegabytes;
}

void BM_Open_StandardItemModel(benchmark::State& state)
{
    TimeOpen<PlainAliasesDialog>(state, [] { return std::make_unique<PlainAliasesDialog>(*Answers().list); });
}

void TimeSort(benchmark::State& state, QAbstractItemModel& model)
{
    RegionTimer timer(state);
    for (auto _ : state) {
        QSortFilterProxyModel proxy;
        proxy.setSortCaseSensitivity(Qt::CaseInsensitive);
        proxy.setSourceModel(&model);
        timer.Start();
        proxy.sort(0, Qt::AscendingOrder);
        timer.Stop();
    }
    // Once more, untimed, through a model that counts the calls on their way.
    CountingModel counting(model);
    QSortFilterProxyModel proxy;
    proxy.setSortCaseSensitivity(Qt::CaseInsensitive);
    proxy.setSourceModel(&counting);
    proxy.sort(0, Qt::AscendingOrder);
    state.counters["data_calls"] = static_cast<double>(counting.Calls());
}

void BM_Sort_AliasesTableModel(benchmark::State& state)
{
    const InstantHost host;
    EditAliasesDialog::AliasesTableModel model(host, Answers().list);
    TimeSort(state, model);
}

void BM_Sort_StandardItemModel(benchmark::State& state)
{
    PlainAliasesDialog plain(*Answers().list);
    TimeSort(state, *plain.Proxy().sourceModel());
}

// One data() call for the member column, the rows either in a random order (what a sort's merges
// come to on a shuffled list) or in order (rows next to each other, as a paint asks).
template <typename Model>
void TimeData(benchmark::State& state, const Model& model)
{
    const bool random = state.range(0) != 0;
    std::vector<QModelIndex> cells;
    cells.reserve(kDataSamples);
    std::mt19937 generator(7);
    std::uniform_int_distribution<int> anyRow(0, kMembers - 1);
    for (int i = 0; i < kDataSamples; ++i)
        cells.push_back(model.index(random ? anyRow(generator) : i % kMembers, 0));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(model.data(cells[i], Qt::DisplayRole));
        if (++i == cells.size())
            i = 0;
    }
}

void BM_Data_AliasesTableModel(benchmark::State& state)
{
    const InstantHost host;
    const EditAliasesDialog::AliasesTableModel model(host, Answers().list);
    // Names converted, as after the first sort.
    for (int row = 0; row < kMembers; ++row)
        benchmark::DoNotOptimize(model.index(row, 0).data());
    TimeData(state, model);
}

void BM_Data_StandardItemModel(benchmark::State& state)
{
    const PlainAliasesDialog plain(*Answers().list);
    TimeData(state, *const_cast<PlainAliasesDialog&>(plain).Proxy().sourceModel());
}

// The comparison the proxy makes of two names it has: case-insensitive, of ids that share their
// first ten characters or so.
void BM_CompareNames(benchmark::State& state)
{
    const QString a = QStringLiteral("ORD-2021-0523417");
    const QString b = QStringLiteral("ORD-2021-0523481");
    for (auto _ : state)
        benchmark::DoNotOptimize(QString::compare(a, b, Qt::CaseInsensitive));
}

// Rows spread over the table, each edited once per run.
int EditedRow(std::int64_t iteration)
{
    return static_cast<int>((iteration * 7'919) % kMembers);
}

// Return in an open editor, through to the repainted table. The editor's text is typed before
// the clock starts. key_ms is the key alone: for the dialog that is the whole edit (the commit, the
// host's answer, the proxy, closing the editor), while the table's own delegate only queues its
// commit there. paint_ms is what follows: posted events (that queued commit) and the repaint,
// which redraws the visible rows since the table takes the focus back from the closed editor.
template <typename Window>
void TimeCommit(
    benchmark::State& state, Window& window, const std::function<QLineEdit*(int row, const QString& text)>& openEditor)
{
    RegionTimer timer(state);
    double key = 0;
    double paint = 0;
    std::int64_t n = 0;
    for (auto _ : state) {
        QLineEdit* editor = openEditor(EditedRow(n), QStringLiteral("Alias %1").arg(n));
        ++n;
        timer.Start();
        const double keyStart = ThreadCpuSeconds();
        QTest::keyClick(editor, Qt::Key_Return);
        const double paintStart = ThreadCpuSeconds();
        QCoreApplication::processEvents();
        window.repaint();
        paint += ThreadCpuSeconds() - paintStart;
        key += paintStart - keyStart;
        timer.Stop();
        if (editor->isVisible())
            state.SkipWithError("the editor stayed open after Return");
        // The closed editor goes as the dialog's event loop would take it.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    state.counters["key_ms"] = key * 1000.0 / static_cast<double>(state.iterations());
    state.counters["paint_ms"] = paint * 1000.0 / static_cast<double>(state.iterations());
}

void BM_Commit_EditAliasesDialog(benchmark::State& state)
{
    const InstantHost host;
    EditAliasesDialog dialog(host, Answers().list);
    Shown(dialog);
    const Zel::Drivers::EditAliasesDialogDriver driver(dialog);
    TimeCommit(state, dialog, [&](int row, const QString& text) {
        driver.ClickRow(row);
        driver.TypeInEditor(text);
        return driver.Editor();
    });
}

// The table's default editing: the delegate's editor on the shown text, committed by Return.
void BM_Commit_StandardItemModel(benchmark::State& state)
{
    PlainAliasesDialog dialog(*Answers().list);
    Shown(dialog);
    QTableView& table = dialog.Table();
    TimeCommit(state, dialog, [&](int row, const QString& text) -> QLineEdit* {
        const QModelIndex cell = dialog.Proxy().index(row, 2);
        table.scrollTo(cell);
        table.setCurrentIndex(cell);
        table.edit(cell);
        QLineEdit* editor = qobject_cast<QLineEdit*>(table.indexWidget(cell));
        editor->selectAll();
        QTest::keyClicks(editor, text);
        return editor;
    });
}

void BM_EditGesture_EditAliasesDialog(benchmark::State& state)
{
    const InstantHost host;
    EditAliasesDialog dialog(host, Answers().list);
    Shown(dialog);
    const Zel::Drivers::EditAliasesDialogDriver driver(dialog);
    RegionTimer timer(state);
    std::int64_t n = 0;
    for (auto _ : state) {
        const int row = EditedRow(n);
        driver.Table().scrollTo(driver.Table().model()->index(row, 0));
        QCoreApplication::processEvents();
        timer.Start();
        driver.ClickRow(row);
        driver.TypeInEditor(QStringLiteral("Alias %1").arg(n++ % 10, 2, 10, QLatin1Char('0')));
        driver.PressInEditor(Qt::Key_Return);
        dialog.repaint();
        timer.Stop();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Clear Aliases on a freshly opened window each time (opening and closing not counted).
template <typename Window>
void TimeClear(benchmark::State& state, const std::function<std::unique_ptr<Window>()>& open,
    const std::function<void(Window&)>& clear)
{
    RegionTimer timer(state);
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Window> window = open();
        Shown(*window);
        state.ResumeTiming();
        timer.Start();
        clear(*window);
        window->repaint();
        timer.Stop();
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_Clear_EditAliasesDialog(benchmark::State& state)
{
    const InstantHost host;
    TimeClear<EditAliasesDialog>(
        state, [&] { return std::make_unique<EditAliasesDialog>(host, Answers().list); },
        [](EditAliasesDialog& dialog) { Zel::Drivers::EditAliasesDialogDriver(dialog).ClearAliases(); });
}

// One would fill a new model from the host's list after clearing.
void BM_Clear_StandardItemModel(benchmark::State& state)
{
    TimeClear<PlainAliasesDialog>(
        state, [] { return std::make_unique<PlainAliasesDialog>(*Answers().list); },
        [](PlainAliasesDialog& dialog) { dialog.SetList(*Answers().cleared); });
}

} // namespace

BENCHMARK(BM_Open_EditAliasesDialog)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Open_StandardItemModel)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Sort_AliasesTableModel)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Sort_StandardItemModel)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Data_AliasesTableModel)->ArgName("random")->Arg(0)->Arg(1);
BENCHMARK(BM_Data_StandardItemModel)->ArgName("random")->Arg(0)->Arg(1);
BENCHMARK(BM_CompareNames);
BENCHMARK(BM_Commit_EditAliasesDialog)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_Commit_StandardItemModel)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_EditGesture_EditAliasesDialog)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_Clear_EditAliasesDialog)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Clear_StandardItemModel)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    PrepareProcess();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Answers();
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
