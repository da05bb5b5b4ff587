// Random lists and random answers to every list edit, through ParameterMemberModel with a fatal
// QAbstractItemModelTester attached. A plain list beside the model says what each answer must do:
// a diff that fits is applied exactly (the same records in the same rows, the current value and the
// duplicate flag from the diff); one that does not fit, or an answer that is no diff, is refused
// with one of the library's exceptions before any row signal, and the model keeps its rows.

#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/HostileValues.h"

#include "host/commands/ParameterCommands.h"
#include "host/doc/CommandDispatcher.h"
#include "main/models/ParameterMemberModel.h"

#include <QtCore/QItemSelection>
#include <QtTest/QAbstractItemModelTester>

#include <memory>
#include <optional>

namespace {

namespace Cmds = Zel::Commands::Parameter;
using MemberRecord = ParameterListDomainMemberPresModel;
using Member = RefCntPtr<MemberRecord const>;
using Diff = ParameterListDomainDiffPresModel;
using Rows = std::vector<const MemberRecord*>;

constexpr std::size_t kMaxInitialMembers = 12;
constexpr int kMaxSteps = 16;

Member MakeMember(FuzzedDataProvider& in)
{
    auto member = MakeRefCnt<MemberRecord>();
    member->SetDisplayValue(ZelFuzz::MakeHostileText(in));
    member->SetHasAlias(in.ConsumeBool());
    member->SetAlias(member->GetHasAlias() ? ZelFuzz::MakeHostileText(in) : member->GetDisplayValue());
    member->SetIsDuplicate(in.ConsumeBool());
    return Member(std::move(member));
}

// A row index near the list (where most mistakes are) or anywhere at all.
unsigned int HostileRow(FuzzedDataProvider& in, std::size_t size)
{
    if (in.ConsumeIntegralInRange(0, 7) == 0)
        return in.ConsumeIntegral<unsigned int>();
    return in.ConsumeIntegralInRange<unsigned int>(0, static_cast<unsigned int>(size) + 2);
}

RefCntPtr<IndexedDomainMemberPresModel const> MakeIndexed(FuzzedDataProvider& in, std::size_t size)
{
    const int shape = in.ConsumeIntegralInRange(0, 15);
    if (shape == 0)
        return nullptr;
    auto indexed = MakeRefCnt<IndexedDomainMemberPresModel>();
    indexed->SetIndex(shape == 1 ? -1 : static_cast<int>(HostileRow(in, size)));
    if (shape != 2)
        indexed->SetMember(MakeMember(in));
    return RefCntPtr<IndexedDomainMemberPresModel const>(std::move(indexed));
}

RefCntPtr<Diff const> MakeDiff(FuzzedDataProvider& in, std::size_t size)
{
    auto diff = MakeRefCnt<Diff>();
    std::vector<RefCntPtr<IndexRangePresModel const>> deleted(in.ConsumeIntegralInRange<std::size_t>(0, 3));
    for (auto& range : deleted) {
        if (in.ConsumeIntegralInRange(0, 15) == 0)
            continue;
        auto made = MakeRefCnt<IndexRangePresModel>();
        made->SetStart(HostileRow(in, size));
        made->SetEnd(in.ConsumeBool() ? made->GetStart() + in.ConsumeIntegralInRange(0u, 3u) : HostileRow(in, size));
        range = RefCntPtr<IndexRangePresModel const>(std::move(made));
    }
    diff->SetDeletedMembers(std::move(deleted));
    std::vector<RefCntPtr<IndexedDomainMemberPresModel const>> added(in.ConsumeIntegralInRange<std::size_t>(0, 3));
    for (auto& member : added)
        member = MakeIndexed(in, size);
    diff->SetNewMembers(std::move(added));
    std::vector<RefCntPtr<IndexedDomainMemberPresModel const>> updated(in.ConsumeIntegralInRange<std::size_t>(0, 3));
    for (auto& member : updated)
        member = MakeIndexed(in, size);
    diff->SetUpdatedMembers(std::move(updated));
    diff->SetHasDuplicates(in.ConsumeBool());
    diff->SetValueIndex(HostileRow(in, size));
    diff->SetFormattedValue(ZelFuzz::MakeHostileText(in));
    return RefCntPtr<Diff const>(std::move(diff));
}

// The plain meaning of a diff: each deleted range, each new member, each update, in that order,
// each to the list that the ones before it left. Empty when the diff does not fit.
std::optional<Rows> ApplyPlainly(Rows rows, const Diff& diff)
{
    for (const auto& range : diff.GetDeletedMembers()) {
        if (!range || range->GetStart() > range->GetEnd() || range->GetEnd() > rows.size())
            return std::nullopt;
        rows.erase(rows.begin() + range->GetStart(), rows.begin() + range->GetEnd());
    }
    for (const auto& added : diff.GetNewMembers()) {
        if (!added || !added->GetMember() || added->GetIndex() < 0
            || static_cast<std::size_t>(added->GetIndex()) > rows.size())
            return std::nullopt;
        rows.insert(rows.begin() + added->GetIndex(), added->GetMember().get());
    }
    for (const auto& updated : diff.GetUpdatedMembers()) {
        if (!updated || !updated->GetMember() || updated->GetIndex() < 0
            || static_cast<std::size_t>(updated->GetIndex()) >= rows.size())
            return std::nullopt;
        rows[static_cast<std::size_t>(updated->GetIndex())] = updated->GetMember().get();
    }
    return rows;
}

// How the host answers the next command.
enum class Answer
{
    Diff, // the diff under its id, of its type
    NoSet, // no result set at all
    Missing, // a set without the diff
    WrongType, // the diff's id holding a value of another type
    NullRecord, // the diff's id holding an empty record reference
};

class ListHost final : public ICommandDispatcher
{
public:
    void Prepare(Answer answer, RefCntPtr<Diff const> diff, unsigned int index, TString formatted)
    {
        m_answer = answer;
        m_diff = std::move(diff);
        m_index = index;
        m_formatted = std::move(formatted);
        m_sent = 0;
    }
    int Sent() const { return m_sent; }
    void Release() { m_diff.reset(); }

    RefCntPtr<IParameters const> ExecuteCommand(int commandId, RefCntPtr<IParameters const>, void*) const override
    {
        ++m_sent;
        if (m_answer == Answer::NoSet)
            return nullptr;
        auto set = ContextParameters::Create();
        if (commandId == Cmds::SetParameterValueIndex::id) {
            if (m_answer == Answer::Diff)
                SetValParameter<unsigned int>(*set, Cmds::ListIndex::id, m_index);
            else if (m_answer == Answer::WrongType)
                SetValParameter<int>(*set, Cmds::ListIndex::id, static_cast<int>(m_index));
            if (m_answer != Answer::Missing)
                SetValParameter<TString>(*set, Cmds::FormattedValue::id, m_formatted);
        } else if (m_answer == Answer::Diff) {
            SetValParameter(*set, Cmds::ListDomainDiff::id, m_diff);
        } else if (m_answer == Answer::WrongType) {
            SetValParameter(*set, Cmds::ListDomainDiff::id, RefCntPtr<ParameterListDomainPresModel const>());
        } else if (m_answer == Answer::NullRecord) {
            SetValParameter(*set, Cmds::ListDomainDiff::id, RefCntPtr<Diff const>());
        }
        return RefCntPtr<IParameters const>(std::move(set));
    }

private:
    Answer m_answer = Answer::NoSet;
    RefCntPtr<Diff const> m_diff;
    unsigned int m_index = 0;
    TString m_formatted;
    mutable int m_sent = 0;
};

Rows RowsOf(const ParameterMemberModel& model)
{
    Rows rows;
    for (const Member& member : model.GetListDomain())
        rows.push_back(member.get());
    return rows;
}

void Expect(bool condition, const char* what)
{
    if (!condition)
        ZelFuzz::Fail(what);
}

enum class Edit
{
    Add,
    Update,
    Erase,
    Move,
    PickCurrent,
};

void RunInput(FuzzedDataProvider& in)
{
    ListHost host;
    ParameterMemberModel model(host, in.ConsumeIntegral<unsigned int>(), nullptr);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);

    std::vector<Member> initial(in.ConsumeIntegralInRange<std::size_t>(0, kMaxInitialMembers));
    for (Member& member : initial)
        member = MakeMember(in);
    model.SetListDomain(initial);
    Rows reference = RowsOf(model);

    bool rowSignal = false;
    const auto noteRowSignal = [&rowSignal] { rowSignal = true; };
    QObject::connect(&model, &QAbstractItemModel::rowsAboutToBeInserted, noteRowSignal);
    QObject::connect(&model, &QAbstractItemModel::rowsAboutToBeRemoved, noteRowSignal);
    QObject::connect(&model, &QAbstractItemModel::rowsAboutToBeMoved, noteRowSignal);
    QObject::connect(&model, &QAbstractItemModel::modelAboutToBeReset, noteRowSignal);
    QObject::connect(&model, &QAbstractItemModel::layoutAboutToBeChanged, noteRowSignal);

    for (int step = 0; step < kMaxSteps && in.remaining_bytes() > 0; ++step) {
        const auto edit = static_cast<Edit>(in.ConsumeIntegralInRange(0, 4));
        const auto answer
            = static_cast<Answer>(in.ConsumeIntegralInRange(0, 7) < 4 ? 0 : in.ConsumeIntegralInRange(1, 4));
        RefCntPtr<Diff const> diff = MakeDiff(in, reference.size());
        const unsigned int newIndex = HostileRow(in, reference.size());
        host.Prepare(answer, diff, newIndex, ZelFuzz::MakeHostileText(in));
        const unsigned int indexBefore = model.GetCurrentIndex();
        const int row = in.ConsumeIntegralInRange(0, 7) == 0
            ? in.ConsumeIntegral<int>()
            : in.ConsumeIntegralInRange(-1, static_cast<int>(reference.size()) + 1);
        const int column = in.ConsumeIntegralInRange(0, 2);
        const TString text = ZelFuzz::MakeHostileText(in);

        rowSignal = false;
        bool added = false;
        ZelFuzz::Outcome outcome = ZelFuzz::Outcome::Completed;
        switch (edit) {
        case Edit::Add:
            outcome = ZelFuzz::Attempt([&] { added = model.AddNewItem(text); });
            break;
        case Edit::Update:
            outcome = ZelFuzz::Attempt([&] { added = model.UpdateItem(model.index(row, column), text); });
            break;
        case Edit::Erase:
            outcome = ZelFuzz::Attempt([&] { model.EraseRow(row); });
            break;
        case Edit::Move: {
            QItemSelection selection;
            const int count = model.GetNumberOfDataRows();
            for (int i = in.ConsumeIntegralInRange(0, 2); i > 0 && count > 0; --i) {
                const int top = in.ConsumeIntegralInRange(0, count - 1);
                const int bottom = in.ConsumeIntegralInRange(top, count - 1);
                selection.select(model.index(top, 0), model.index(bottom, 1));
            }
            outcome = ZelFuzz::Attempt([&] { model.MoveItems(selection, row, in.ConsumeBool()); });
            break;
        }
        case Edit::PickCurrent:
            outcome = ZelFuzz::Attempt([&] { model.OnIndexChanged(row); });
            break;
        }

        const Rows now = RowsOf(model);
        const bool sent = host.Sent() > 0;
        Expect(host.Sent() <= 1, "one edit sent more than one command");
        if (edit == Edit::PickCurrent) {
            Expect(now == reference, "picking the current value changed the rows");
            Expect(!rowSignal, "picking the current value announced rows");
            if (sent && outcome == ZelFuzz::Outcome::Completed)
                Expect(answer == Answer::Diff && model.GetCurrentIndex() == newIndex,
                    "the current value is not the row the host answered");
            if (outcome == ZelFuzz::Outcome::Refused || !sent)
                Expect(model.GetCurrentIndex() == indexBefore, "a refused pick changed the current value");
            continue;
        }

        const std::optional<Rows> expected = ApplyPlainly(reference, *diff);
        const bool optionalDiff = edit == Edit::Add || edit == Edit::Update;
        const bool appliedByHost = sent && answer == Answer::Diff && expected.has_value();
        if (outcome == ZelFuzz::Outcome::Completed && (!optionalDiff || added)) {
            Expect(sent, "an edit completed without asking the host");
            Expect(appliedByHost, "a diff that does not fit, or no diff at all, was taken");
            Expect(now == *expected, "the model's rows differ from the diff applied plainly");
            Expect(model.GetCurrentIndex() == diff->GetValueIndex(), "the current value is not the diff's");
            Expect(model.HasDuplicates() == diff->GetHasDuplicates(), "the duplicate flag is not the diff's");
            reference = *expected;
        } else {
            Expect(now == reference, "a refused answer changed the rows");
            Expect(edit == Edit::Move || !rowSignal, "a refused answer announced rows");
            Expect(!appliedByHost || (optionalDiff && !sent), "a diff that fits was refused");
            Expect(model.GetCurrentIndex() == indexBefore, "a refused answer changed the current value");
        }
        Expect(model.rowCount() == static_cast<int>(reference.size()) + 1, "the row count is off");
    }
    host.Release();
}

} // namespace

ZEL_FUZZ_HARNESS(RunInput)
