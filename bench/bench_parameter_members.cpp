// The parameter member model applying large list diffs, beside QStandardItemModel doing the same
// row operations: a paste of many values into an empty list, a deletion of many ranges, a move of
// many members to the middle of the list. Every figure is the time of the operation alone (manual
// timing); building the host's answer and the list before it is not counted.

#include "gen-command-wrappers/ParameterCommandWrappers.h"
#include "main/models/ParameterMemberModel.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QStandardItemModel>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <numeric>
#include <random>

namespace {

namespace Cmds = Zel::Commands::Parameter;
using Clock = std::chrono::steady_clock;
using Member = RefCntPtr<ParameterListDomainMemberPresModel const>;

constexpr int kRanges = 1000;
constexpr int kMovedRanges = 10;

// Answers every command with the one diff it was given, as a host that has the answer ready.
class AnsweringDispatcher final : public ICommandDispatcher
{
public:
    void SetDiff(RefCntPtr<ParameterListDomainDiffPresModel const> diff)
    {
        auto set = ContextParameters::Create();
        SetValParameter<RefCntPtr<ParameterListDomainDiffPresModel const>>(*set, Cmds::ListDomainDiff::id, diff);
        m_answer = RefCntPtr<IParameters const>(set);
    }
    RefCntPtr<IParameters const> ExecuteCommand(int, RefCntPtr<IParameters const>, void*) const override
    {
        return m_answer;
    }

private:
    RefCntPtr<IParameters const> m_answer;
};

std::vector<Member> MakeMembers(int count)
{
    std::vector<Member> members;
    members.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        auto member = MakeRefCnt<ParameterListDomainMemberPresModel>();
        member->SetDisplayValue(TString::number(static_cast<long long>(i)));
        member->SetAlias(TString::number(static_cast<long long>(i)));
        members.push_back(std::move(member));
    }
    return members;
}

RefCntPtr<IndexRangePresModel const> Range(int start, int end)
{
    auto range = MakeRefCnt<IndexRangePresModel>();
    range->SetStart(static_cast<unsigned int>(start));
    range->SetEnd(static_cast<unsigned int>(end));
    return range;
}

RefCntPtr<IndexedDomainMemberPresModel const> Indexed(int index, Member member)
{
    auto indexed = MakeRefCnt<IndexedDomainMemberPresModel>();
    indexed->SetIndex(index);
    indexed->SetMember(std::move(member));
    return indexed;
}

std::vector<QStandardItem*> MakeItems(int count)
{
    std::vector<QStandardItem*> items;
    items.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        auto* item = new QStandardItem(QString::number(i));
        item->setData(QString::number(i), Qt::UserRole);
        items.push_back(item);
    }
    return items;
}

// One row per member, one item per row (the alias in a role of the same item): the leanest way to
// hold the list in a QStandardItemModel.
// Removing all rows releases a QStandardItemModel's items in linear time, where destroying the
// model takes quadratic time. Done after the measured part.
void Empty(QStandardItemModel& model)
{
    model.removeRows(0, model.rowCount());
}

// After rows were removed from its middle, a QStandardItemModel looks for each item it releases from
// where the item used to be: releasing a million such rows takes minutes. Those models are kept,
// unmeasured, until the process ends.
void Abandon(QStandardItemModel* model)
{
    static std::vector<QStandardItemModel*> abandoned;
    abandoned.push_back(model);
}

void Fill(QStandardItemModel& model, int count)
{
    const std::vector<QStandardItem*> items = MakeItems(count);
    model.setColumnCount(1);
    model.insertRows(0, count);
    for (int i = 0; i < count; ++i)
        model.setItem(i, 0, items[static_cast<std::size_t>(i)]);
}

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void Finish(benchmark::State& state, int size)
{
    state.SetComplexityN(size);
    state.SetItemsProcessed(state.iterations() * size);
}

// --- A paste: size new members into an empty list.

void BM_Members_InsertIntoEmpty(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    std::vector<RefCntPtr<IndexedDomainMemberPresModel const>> added;
    int row = 0;
    for (Member& member : MakeMembers(size))
        added.push_back(Indexed(row++, std::move(member)));
    auto diff = MakeRefCnt<ParameterListDomainDiffPresModel>();
    diff->SetNewMembers(std::move(added));
    AnsweringDispatcher dispatcher;
    dispatcher.SetDiff(diff);
    ParameterMemberModel model(dispatcher, 1, nullptr);
    for (auto _ : state) {
        model.SetListDomain({});
        const auto start = Clock::now();
        model.AddNewItem(TString(L"pasted"));
        state.SetIterationTime(Seconds(start));
        if (model.GetNumberOfDataRows() != size)
            state.SkipWithError("wrong row count");
    }
    Finish(state, size);
}

void BM_QStandardItemModel_InsertIntoEmpty(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    for (auto _ : state) {
        QStandardItemModel model;
        model.setColumnCount(1);
        const std::vector<QStandardItem*> items = MakeItems(size);
        const auto start = Clock::now();
        model.insertRows(0, size);
        for (int i = 0; i < size; ++i)
            model.setItem(i, 0, items[static_cast<std::size_t>(i)]);
        state.SetIterationTime(Seconds(start));
        if (model.rowCount() != size)
            state.SkipWithError("wrong row count");
        Empty(model);
    }
    Finish(state, size);
}

void BM_QStandardItemModel_InsertIntoEmpty_AppendRow(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    for (auto _ : state) {
        QStandardItemModel model;
        model.setColumnCount(1);
        const std::vector<QStandardItem*> items = MakeItems(size);
        const auto start = Clock::now();
        for (QStandardItem* item : items)
            model.appendRow(item);
        state.SetIterationTime(Seconds(start));
        if (model.rowCount() != size)
            state.SkipWithError("wrong row count");
        Empty(model);
    }
    Finish(state, size);
}

// --- size members deleted in 1000 ranges spread over a list of 2 * size.

enum RangeOrder
{
    FromTheEnd = 0, // as the host sends them: each range in rows of the list as it was
    FromTheFront = 1,
    AnyOrder = 2,
};

// Range i of the list as it was: [i * stride, i * stride + length).
std::vector<RefCntPtr<IndexRangePresModel const>> DeletedRanges(int size, RangeOrder order)
{
    const int stride = 2 * size / kRanges;
    const int length = size / kRanges;
    std::vector<int> sequence(kRanges);
    std::iota(sequence.begin(), sequence.end(), 0);
    if (order == FromTheEnd)
        std::reverse(sequence.begin(), sequence.end());
    else if (order == AnyOrder)
        std::shuffle(sequence.begin(), sequence.end(), std::mt19937(7));
    // Each range in rows of the list that the ranges before it left.
    std::vector<RefCntPtr<IndexRangePresModel const>> ranges;
    std::vector<int> done;
    for (int i : sequence) {
        const int removedBefore
            = length * static_cast<int>(std::count_if(done.begin(), done.end(), [i](int d) { return d < i; }));
        ranges.push_back(Range(i * stride - removedBefore, i * stride - removedBefore + length));
        done.push_back(i);
    }
    return ranges;
}

void DeleteRanges(benchmark::State& state, RangeOrder order)
{
    const int size = static_cast<int>(state.range(0));
    auto diff = MakeRefCnt<ParameterListDomainDiffPresModel>();
    diff->SetDeletedMembers(DeletedRanges(size, order));
    AnsweringDispatcher dispatcher;
    dispatcher.SetDiff(diff);
    ParameterMemberModel model(dispatcher, 1, nullptr);
    for (auto _ : state) {
        // The model holds the only references, so the deleted members are released here as
        // QStandardItemModel deletes its items.
        model.SetListDomain(MakeMembers(2 * size));
        const auto start = Clock::now();
        model.EraseRow(0);
        state.SetIterationTime(Seconds(start));
        if (model.GetNumberOfDataRows() != size)
            state.SkipWithError("wrong row count");
    }
    Finish(state, size);
}

void BM_Members_DeleteRanges(benchmark::State& state)
{
    DeleteRanges(state, FromTheEnd);
}

void BM_Members_DeleteRanges_FromTheFront(benchmark::State& state)
{
    DeleteRanges(state, FromTheFront);
}

void BM_Members_DeleteRanges_AnyOrder(benchmark::State& state)
{
    DeleteRanges(state, AnyOrder);
}

void BM_QStandardItemModel_DeleteRanges(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    const int stride = 2 * size / kRanges;
    const int length = size / kRanges;
    for (auto _ : state) {
        auto* model = new QStandardItemModel;
        Fill(*model, 2 * size);
        const auto start = Clock::now();
        for (int i = kRanges - 1; i >= 0; --i)
            model->removeRows(i * stride, length);
        state.SetIterationTime(Seconds(start));
        if (model->rowCount() != size)
            state.SkipWithError("wrong row count");
        Abandon(model);
    }
    Finish(state, size);
}

// --- size / 10 members, in 10 ranges spread over a list of size, moved to the middle.

struct MovePlan
{
    std::vector<std::pair<int, int>> ranges; // [start, end) of the list as it is
    int gap; // the moved rows go before this row of the list as it is
    int position; // where the first moved row ends up
    int moved;
};

MovePlan PlanMove(int size)
{
    MovePlan plan;
    const int length = size / 10 / kMovedRanges;
    for (int j = 0; j < kMovedRanges; ++j)
        plan.ranges.emplace_back(j * size / kMovedRanges, j * size / kMovedRanges + length);
    plan.gap = size / 2 + size / 20;
    plan.moved = length * kMovedRanges;
    int before = 0;
    for (const auto& [start, end] : plan.ranges)
        before += std::max(0, std::min(end, plan.gap) - start);
    plan.position = plan.gap - before;
    return plan;
}

void BM_Members_Move(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    const MovePlan plan = PlanMove(size);
    const std::vector<Member> members = MakeMembers(size);
    // The host's answer: the ranges deleted from the end to the front, the members inserted in order.
    auto diff = MakeRefCnt<ParameterListDomainDiffPresModel>();
    std::vector<RefCntPtr<IndexRangePresModel const>> deleted;
    for (auto it = plan.ranges.rbegin(); it != plan.ranges.rend(); ++it)
        deleted.push_back(Range(it->first, it->second));
    std::vector<RefCntPtr<IndexedDomainMemberPresModel const>> added;
    int row = plan.position;
    for (const auto& [start, end] : plan.ranges)
        for (int i = start; i < end; ++i)
            added.push_back(Indexed(row++, members[static_cast<std::size_t>(i)]));
    diff->SetDeletedMembers(std::move(deleted));
    diff->SetNewMembers(std::move(added));
    AnsweringDispatcher dispatcher;
    dispatcher.SetDiff(diff);
    ParameterMemberModel model(dispatcher, 1, nullptr);
    for (auto _ : state) {
        model.SetListDomain(members);
        QItemSelection selection;
        for (const auto& [start, end] : plan.ranges)
            selection.select(model.index(start, 0), model.index(end - 1, 1));
        const auto start = Clock::now();
        model.MoveItems(selection, plan.gap, true);
        state.SetIterationTime(Seconds(start));
        if (model.GetNumberOfDataRows() != size
            || model.GetListDomain()[static_cast<std::size_t>(plan.position)] != members.front())
            state.SkipWithError("wrong rows");
    }
    Finish(state, size);
}

void BM_QStandardItemModel_Move(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    const MovePlan plan = PlanMove(size);
    for (auto _ : state) {
        auto* model = new QStandardItemModel;
        Fill(*model, size);
        const QStandardItem* first = model->item(0, 0);
        const auto start = Clock::now();
        // The items are taken out of their rows, the rows removed, and the items put into new rows.
        std::vector<QStandardItem*> moving;
        moving.reserve(static_cast<std::size_t>(plan.moved));
        for (auto it = plan.ranges.rbegin(); it != plan.ranges.rend(); ++it) {
            for (int i = it->second - 1; i >= it->first; --i)
                moving.push_back(model->takeItem(i, 0));
            model->removeRows(it->first, it->second - it->first);
        }
        std::reverse(moving.begin(), moving.end());
        model->insertRows(plan.position, plan.moved);
        for (int k = 0; k < plan.moved; ++k)
            model->setItem(plan.position + k, 0, moving[static_cast<std::size_t>(k)]);
        state.SetIterationTime(Seconds(start));
        if (model->rowCount() != size || model->item(plan.position, 0) != first)
            state.SkipWithError("wrong rows");
        Abandon(model);
    }
    Finish(state, size);
}

void Sizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Arg(10000)->Arg(100000)->Arg(1000000);
    benchmark->UseManualTime()->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN)->MinTime(0.3);
}

// A fixed number of runs per size, since every run keeps its model (see Abandon).
void AbandoningRuns(benchmark::internal::Benchmark* benchmark, int size, int runs)
{
    benchmark->Arg(size)->Iterations(runs)->UseManualTime()->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Members_InsertIntoEmpty)->Apply(Sizes);
BENCHMARK(BM_QStandardItemModel_InsertIntoEmpty)->Apply(Sizes);
BENCHMARK(BM_QStandardItemModel_InsertIntoEmpty_AppendRow)->Apply(Sizes);
BENCHMARK(BM_Members_DeleteRanges)->Apply(Sizes);
BENCHMARK(BM_Members_DeleteRanges_FromTheFront)->Apply(Sizes);
BENCHMARK(BM_Members_DeleteRanges_AnyOrder)->Apply(Sizes);
BENCHMARK(BM_QStandardItemModel_DeleteRanges)->Apply([](auto* b) { AbandoningRuns(b, 10000, 20); });
BENCHMARK(BM_QStandardItemModel_DeleteRanges)->Apply([](auto* b) { AbandoningRuns(b, 100000, 5); });
BENCHMARK(BM_QStandardItemModel_DeleteRanges)->Apply([](auto* b) { AbandoningRuns(b, 1000000, 2); });
BENCHMARK(BM_Members_Move)->Apply(Sizes);
BENCHMARK(BM_QStandardItemModel_Move)->Apply([](auto* b) { AbandoningRuns(b, 10000, 20); });
BENCHMARK(BM_QStandardItemModel_Move)->Apply([](auto* b) { AbandoningRuns(b, 100000, 5); });
BENCHMARK(BM_QStandardItemModel_Move)->Apply([](auto* b) { AbandoningRuns(b, 1000000, 2); });

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
