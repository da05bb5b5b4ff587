#include "sim/ParameterListArea.h"

#include "sim/SimAreaBinding.h"

#include "host/commands/ParameterCommands.h"
#include "host/doc/ValueFormat.h"

#include <QtCore/QString>

#include <algorithm>
#include <map>
#include <unordered_map>
#include <unordered_set>

namespace Zel::Sim {

namespace {
namespace Cmds = Commands::Parameter;

struct Entry
{
    DataValue value;
    TString alias;
    bool hasAlias = false;
    bool duplicate = false;
    // Identifies the member across moves, for the diff.
    quint64 serial = 0;
};

using RowRange = std::pair<std::size_t, std::size_t>; // [first, end)

} // namespace

struct ParameterListArea::Impl
{
    struct ListEdit
    {
        DataType type = DT_STRING;
        TString format;
        std::vector<Entry> entries;
        // The member that is the current value, while it is in the list.
        std::optional<quint64> current;
        DataValue currentValue;
        bool hasDuplicates = false;
        quint64 nextSerial = 1;
    };

    // The state a diff is computed against: the rows and duplicate marks before a change.
    struct Snapshot
    {
        std::vector<quint64> order;
        std::unordered_map<quint64, bool> duplicate;
    };

    std::map<unsigned int, ListEdit> edits;
    unsigned int nextEditId = 1001;

    static TString Shown(const ListEdit& edit, const Entry& entry)
    {
        return entry.hasAlias ? entry.alias : Format(entry.value, edit.format);
    }

    static std::optional<DataValue> Parse(DataType type, const TString& text)
    {
        const QString typed = text.ToQString();
        if (typed.trimmed().isEmpty())
            return std::nullopt;
        DataValue value = DataValue::FromVariant(type, QVariant(typed));
        if (value.IsNull())
            return std::nullopt;
        return value;
    }

    static bool HoldsValue(const ListEdit& edit, const DataValue& value, const Entry* except)
    {
        return std::any_of(edit.entries.begin(), edit.entries.end(),
            [&](const Entry& entry) { return &entry != except && entry.value == value; });
    }

    static std::optional<std::size_t> CurrentRow(const ListEdit& edit)
    {
        if (!edit.current)
            return std::nullopt;
        for (std::size_t row = 0; row < edit.entries.size(); ++row)
            if (edit.entries[row].serial == *edit.current)
                return row;
        return std::nullopt;
    }

    static unsigned int ValueIndex(const ListEdit& edit)
    {
        return static_cast<unsigned int>(CurrentRow(edit).value_or(0));
    }

    static TString CurrentText(const ListEdit& edit)
    {
        if (const auto row = CurrentRow(edit))
            return Format(edit.entries[*row].value, edit.format);
        return edit.currentValue.GetDataType() == DT_UNKNOWN ? TString() : Format(edit.currentValue, edit.format);
    }

    static void MakeCurrent(ListEdit& edit, const Entry& entry)
    {
        edit.current = entry.serial;
        edit.currentValue = entry.value;
    }

    static void UpdateDuplicates(ListEdit& edit)
    {
        std::unordered_map<TString, int> shown;
        for (const Entry& entry : edit.entries)
            ++shown[Shown(edit, entry)];
        edit.hasDuplicates = false;
        for (Entry& entry : edit.entries) {
            entry.duplicate = shown[Shown(edit, entry)] > 1;
            edit.hasDuplicates = edit.hasDuplicates || entry.duplicate;
        }
    }

    static RefCntPtr<ParameterListDomainMemberPresModel const> Record(const ListEdit& edit, const Entry& entry)
    {
        auto member = MakeRefCnt<ParameterListDomainMemberPresModel>();
        member->SetDisplayValue(Format(entry.value, edit.format));
        member->SetAlias(Shown(edit, entry));
        member->SetHasAlias(entry.hasAlias);
        member->SetIsDuplicate(entry.duplicate);
        return member;
    }

    static RefCntPtr<IndexedDomainMemberPresModel const> Indexed(
        const ListEdit& edit, std::size_t row, const Entry& entry)
    {
        auto indexed = MakeRefCnt<IndexedDomainMemberPresModel>();
        indexed->SetIndex(static_cast<int>(row));
        indexed->SetMember(Record(edit, entry));
        return indexed;
    }

    static Snapshot Take(const ListEdit& edit)
    {
        Snapshot snapshot;
        snapshot.order.reserve(edit.entries.size());
        for (const Entry& entry : edit.entries) {
            snapshot.order.push_back(entry.serial);
            snapshot.duplicate.emplace(entry.serial, entry.duplicate);
        }
        return snapshot;
    }

    // The diff from `before` to the list now. Members that left, and those in `reinserted` (moved),
    // are deleted in runs from the end to the front, so each run's rows are rows of the list as it
    // was; members that arrived or moved are inserted at their rows in rising order; members that
    // stayed are updated when their duplicate mark changed or they are `edited`.
    static RefCntPtr<ParameterListDomainDiffPresModel const> Diff(const ListEdit& edit, const Snapshot& before,
        const std::unordered_set<quint64>& reinserted, std::optional<quint64> edited)
    {
        std::unordered_set<quint64> now;
        now.reserve(edit.entries.size());
        for (const Entry& entry : edit.entries)
            now.insert(entry.serial);

        std::vector<RowRange> runs;
        for (std::size_t row = 0; row < before.order.size(); ++row) {
            const quint64 serial = before.order[row];
            if (now.count(serial) && !reinserted.count(serial))
                continue;
            if (!runs.empty() && runs.back().second == row)
                ++runs.back().second;
            else
                runs.emplace_back(row, row + 1);
        }
        std::vector<RefCntPtr<IndexRangePresModel const>> deleted;
        for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
            auto range = MakeRefCnt<IndexRangePresModel>();
            range->SetStart(static_cast<unsigned int>(it->first));
            range->SetEnd(static_cast<unsigned int>(it->second));
            deleted.push_back(std::move(range));
        }

        std::vector<RefCntPtr<IndexedDomainMemberPresModel const>> added;
        std::vector<RefCntPtr<IndexedDomainMemberPresModel const>> updated;
        for (std::size_t row = 0; row < edit.entries.size(); ++row) {
            const Entry& entry = edit.entries[row];
            const auto old = before.duplicate.find(entry.serial);
            if (old == before.duplicate.end() || reinserted.count(entry.serial))
                added.push_back(Indexed(edit, row, entry));
            else if (old->second != entry.duplicate || entry.serial == edited)
                updated.push_back(Indexed(edit, row, entry));
        }

        auto diff = MakeRefCnt<ParameterListDomainDiffPresModel>();
        diff->SetDeletedMembers(std::move(deleted));
        diff->SetNewMembers(std::move(added));
        diff->SetUpdatedMembers(std::move(updated));
        diff->SetHasDuplicates(edit.hasDuplicates);
        diff->SetValueIndex(ValueIndex(edit));
        diff->SetFormattedValue(CurrentText(edit));
        return diff;
    }

    static void Fill(ListEdit& edit, DataType dataType, const std::vector<ListValue>& values)
    {
        edit.type = dataType;
        edit.entries.clear();
        edit.current.reset();
        for (const ListValue& value : values) {
            const std::optional<DataValue> parsed = value.value.GetDataType() == dataType && !value.value.IsNull()
                ? std::optional<DataValue>(value.value)
                : Parse(dataType, Format(value.value));
            if (!parsed || HoldsValue(edit, *parsed, nullptr))
                continue;
            Entry entry;
            entry.value = *parsed;
            entry.hasAlias = !value.alias.empty() && value.alias != Format(*parsed, edit.format);
            entry.alias = entry.hasAlias ? value.alias : TString();
            entry.serial = edit.nextSerial++;
            edit.entries.push_back(entry);
        }
    }

    static bool MakeCurrentValue(ListEdit& edit, const DataValue& value)
    {
        const auto it = std::find_if(
            edit.entries.begin(), edit.entries.end(), [&value](const Entry& entry) { return entry.value == value; });
        if (it == edit.entries.end())
            return false;
        MakeCurrent(edit, *it);
        return true;
    }

    // Sorted, merged rows of the list as it stands; ranges that do not fit are refused.
    static std::vector<RowRange> Normalise(
        const ListEdit& edit, const std::vector<RefCntPtr<IndexRangePresModel const>>& ranges)
    {
        std::vector<RowRange> rows;
        for (const auto& range : ranges) {
            if (!range)
                Refuse(QStringLiteral("a range holds no record"));
            if (range->GetStart() > range->GetEnd() || range->GetEnd() > edit.entries.size())
                Refuse(QStringLiteral("range [%1, %2) does not fit a list of %3 members")
                           .arg(range->GetStart())
                           .arg(range->GetEnd())
                           .arg(edit.entries.size()));
            if (range->GetStart() < range->GetEnd())
                rows.emplace_back(range->GetStart(), range->GetEnd());
        }
        std::sort(rows.begin(), rows.end());
        std::vector<RowRange> merged;
        for (const RowRange& range : rows) {
            if (!merged.empty() && range.first <= merged.back().second)
                merged.back().second = std::max(merged.back().second, range.second);
            else
                merged.push_back(range);
        }
        return merged;
    }

    static std::vector<bool> RowsIn(const ListEdit& edit, const std::vector<RowRange>& ranges)
    {
        std::vector<bool> in(edit.entries.size(), false);
        for (const RowRange& range : ranges)
            std::fill(in.begin() + static_cast<std::ptrdiff_t>(range.first),
                in.begin() + static_cast<std::ptrdiff_t>(range.second), true);
        return in;
    }

    RefCntPtr<ParameterListDomainDiffPresModel const> Add(ListEdit& edit, const TString& text)
    {
        const std::optional<DataValue> value = Parse(edit.type, text);
        if (!value || HoldsValue(edit, *value, nullptr))
            return {};
        const Snapshot before = Take(edit);
        Entry entry;
        entry.value = *value;
        entry.serial = edit.nextSerial++;
        edit.entries.push_back(entry);
        if (!CurrentRow(edit))
            MakeCurrent(edit, edit.entries.back());
        UpdateDuplicates(edit);
        return Diff(edit, before, {}, std::nullopt);
    }

    RefCntPtr<ParameterListDomainDiffPresModel const> Update(
        ListEdit& edit, int row, const ParameterListDomainMemberPresModel& member, bool valueEdited)
    {
        if (row < 0 || static_cast<std::size_t>(row) >= edit.entries.size())
            Refuse(QStringLiteral("row %1 is outside the list of %2 members").arg(row).arg(edit.entries.size()));
        const Snapshot before = Take(edit);
        Entry& entry = edit.entries[static_cast<std::size_t>(row)];
        if (valueEdited) {
            const std::optional<DataValue> value = Parse(edit.type, member.GetDisplayValue());
            if (!value || HoldsValue(edit, *value, &entry))
                return {};
            entry.value = *value;
            if (edit.current == entry.serial)
                edit.currentValue = entry.value;
        }
        // An alias that reads like the value is no alias; a value edit can make it one.
        const TString alias = valueEdited ? entry.alias : member.GetAlias();
        entry.hasAlias = !alias.empty() && alias != Format(entry.value, edit.format);
        entry.alias = entry.hasAlias ? alias : TString();
        UpdateDuplicates(edit);
        return Diff(edit, before, {}, entry.serial);
    }

    RefCntPtr<ParameterListDomainDiffPresModel const> Delete(
        ListEdit& edit, const std::vector<RefCntPtr<IndexRangePresModel const>>& ranges)
    {
        const std::vector<RowRange> rows = Normalise(edit, ranges);
        const std::vector<bool> gone = RowsIn(edit, rows);
        const Snapshot before = Take(edit);
        const std::optional<std::size_t> currentRow = CurrentRow(edit);
        std::size_t goneBeforeCurrent = 0;
        std::vector<Entry> kept;
        kept.reserve(edit.entries.size());
        for (std::size_t row = 0; row < edit.entries.size(); ++row) {
            if (!gone[row])
                kept.push_back(edit.entries[row]);
            else if (currentRow && row < *currentRow)
                ++goneBeforeCurrent;
        }
        edit.entries.swap(kept);
        if (currentRow && gone[*currentRow]) {
            // The member that takes the deleted current value's row becomes current.
            if (edit.entries.empty())
                edit.current.reset();
            else
                MakeCurrent(edit, edit.entries[std::min(*currentRow - goneBeforeCurrent, edit.entries.size() - 1)]);
        }
        UpdateDuplicates(edit);
        return Diff(edit, before, {}, std::nullopt);
    }

    RefCntPtr<ParameterListDomainDiffPresModel const> Move(ListEdit& edit,
        const std::vector<RefCntPtr<IndexRangePresModel const>>& ranges, unsigned int target, bool beforeGap)
    {
        const std::vector<RowRange> rows = Normalise(edit, ranges);
        const std::vector<bool> moving = RowsIn(edit, rows);
        const Snapshot before = Take(edit);
        std::vector<Entry> moved;
        std::vector<Entry> rest;
        std::size_t movedBeforeTarget = 0;
        const std::size_t gap = std::min<std::size_t>(target, edit.entries.size());
        for (std::size_t row = 0; row < edit.entries.size(); ++row) {
            if (moving[row]) {
                moved.push_back(edit.entries[row]);
                if (row < gap)
                    ++movedBeforeTarget;
            } else {
                rest.push_back(edit.entries[row]);
            }
        }
        const std::size_t position = beforeGap ? gap - movedBeforeTarget : std::min<std::size_t>(target, rest.size());
        std::unordered_set<quint64> reinserted;
        for (const Entry& entry : moved)
            reinserted.insert(entry.serial);
        rest.insert(rest.begin() + static_cast<std::ptrdiff_t>(position), moved.begin(), moved.end());
        edit.entries.swap(rest);
        return Diff(edit, before, reinserted, std::nullopt);
    }
};

TString ParameterListArea::Format(const DataValue& value)
{
    return value.ToDisplayString();
}

TString ParameterListArea::Format(const DataValue& value, const TString& format)
{
    return format.empty() ? Format(value) : ValueFormat::Format(value, format);
}

ParameterListArea::ParameterListArea(SimHost& host)
    : m_impl(std::make_shared<Impl>())
{
    const SimAreaBinding<Impl> area(host, m_impl, QStringLiteral("parameter list area"));
    const auto edits = area.Items<Cmds::EditId>(&Impl::edits, QStringLiteral("list edit"));

    edits.Handle<Cmds::AddListMember>(
        [](Impl& impl, Impl::ListEdit& edit, const SimArguments<Cmds::AddListMember>& args,
            SimResults<Cmds::AddListMember>& out) {
            const auto& indexed = args.Get<Cmds::IndexedMember>();
            if (!indexed || !indexed->GetMember())
                Refuse(QStringLiteral("the new member holds no record"));
            if (auto diff = impl.Add(edit, indexed->GetMember()->GetDisplayValue()))
                out.Set<Cmds::ListDomainDiff>(std::move(diff));
        });
    edits.Handle<Cmds::UpdateListMember>([](Impl& impl, Impl::ListEdit& edit,
                                             const SimArguments<Cmds::UpdateListMember>& args,
                                             SimResults<Cmds::UpdateListMember>& out) {
        const auto& indexed = args.Get<Cmds::IndexedMember>();
        if (!indexed || !indexed->GetMember())
            Refuse(QStringLiteral("the updated member holds no record"));
        if (auto diff = impl.Update(edit, indexed->GetIndex(), *indexed->GetMember(), args.Get<Cmds::IsValueEdited>()))
            out.Set<Cmds::ListDomainDiff>(std::move(diff));
    });
    edits.Handle<Cmds::DeleteListMembers>(
        [](Impl& impl, Impl::ListEdit& edit, const SimArguments<Cmds::DeleteListMembers>& args,
            SimResults<Cmds::DeleteListMembers>& out) {
            out.Set<Cmds::ListDomainDiff>(impl.Delete(edit, args.Get<Cmds::MemberRanges>()));
        });
    edits.Handle<Cmds::MoveListMembers>(
        [](Impl& impl, Impl::ListEdit& edit, const SimArguments<Cmds::MoveListMembers>& args,
            SimResults<Cmds::MoveListMembers>& out) {
            out.Set<Cmds::ListDomainDiff>(
                impl.Move(edit, args.Get<Cmds::MemberRanges>(), args.Get<Cmds::ListIndex>(), true));
        });
    edits.Handle<Cmds::MoveListMembersToRow>(
        [](Impl& impl, Impl::ListEdit& edit, const SimArguments<Cmds::MoveListMembersToRow>& args,
            SimResults<Cmds::MoveListMembersToRow>& out) {
            out.Set<Cmds::ListDomainDiff>(
                impl.Move(edit, args.Get<Cmds::MemberRanges>(), args.Get<Cmds::ListIndex>(), false));
        });
    edits.Handle<Cmds::SetParameterValueIndex>(
        [](Impl&, Impl::ListEdit& edit, const SimArguments<Cmds::SetParameterValueIndex>& args,
            SimResults<Cmds::SetParameterValueIndex>& out) {
            const int row = args.Get<Cmds::ChosenValueIndex>();
            if (row < 0 || static_cast<std::size_t>(row) >= edit.entries.size())
                Refuse(QStringLiteral("row %1 is outside the list of %2 members").arg(row).arg(edit.entries.size()));
            Impl::MakeCurrent(edit, edit.entries[static_cast<std::size_t>(row)]);
            out.Set<Cmds::ListIndex>(static_cast<unsigned int>(row));
            out.Set<Cmds::FormattedValue>(Impl::CurrentText(edit));
        });
}

ParameterListArea::~ParameterListArea() = default;

unsigned int ParameterListArea::OpenListEdit(DataType dataType, const std::vector<ListValue>& values,
    unsigned int currentIndex, std::optional<unsigned int> editId)
{
    const unsigned int id = editId.value_or(m_impl->nextEditId);
    m_impl->nextEditId = std::max(m_impl->nextEditId, id + 1);
    Impl::ListEdit edit;
    Impl::Fill(edit, dataType, values);
    if (!edit.entries.empty())
        Impl::MakeCurrent(edit, edit.entries[std::min<std::size_t>(currentIndex, edit.entries.size() - 1)]);
    Impl::UpdateDuplicates(edit);
    m_impl->edits[id] = std::move(edit);
    return id;
}

void ParameterListArea::CloseEdit(unsigned int editId)
{
    m_impl->edits.erase(editId);
}

bool ParameterListArea::HasEdit(unsigned int editId) const
{
    return m_impl->edits.count(editId) != 0;
}

RefCntPtr<ParameterListDomainPresModel const> ParameterListArea::GetListDomain(unsigned int editId) const
{
    const Impl::ListEdit& edit = m_impl->edits.at(editId);
    std::vector<RefCntPtr<ParameterListDomainMemberPresModel const>> members;
    members.reserve(edit.entries.size());
    for (const Entry& entry : edit.entries)
        members.push_back(Impl::Record(edit, entry));
    auto list = MakeRefCnt<ParameterListDomainPresModel>();
    list->SetMembers(std::move(members));
    list->SetValueIndex(Impl::ValueIndex(edit));
    list->SetHasDuplicates(edit.hasDuplicates);
    return list;
}

std::vector<ListValue> ParameterListArea::Values(unsigned int editId) const
{
    std::vector<ListValue> values;
    for (const Entry& entry : m_impl->edits.at(editId).entries)
        values.push_back(ListValue {entry.value, entry.alias});
    return values;
}

std::vector<TString> ParameterListArea::DisplayValues(unsigned int editId) const
{
    const Impl::ListEdit& edit = m_impl->edits.at(editId);
    std::vector<TString> texts;
    for (const Entry& entry : edit.entries)
        texts.push_back(Format(entry.value, edit.format));
    return texts;
}

unsigned int ParameterListArea::CurrentIndex(unsigned int editId) const
{
    return Impl::ValueIndex(m_impl->edits.at(editId));
}

TString ParameterListArea::FormattedValue(unsigned int editId) const
{
    return Impl::CurrentText(m_impl->edits.at(editId));
}

bool ParameterListArea::HasDuplicates(unsigned int editId) const
{
    return m_impl->edits.at(editId).hasDuplicates;
}

DataValue ParameterListArea::CurrentValue(unsigned int editId) const
{
    const Impl::ListEdit& edit = m_impl->edits.at(editId);
    if (const auto row = Impl::CurrentRow(edit))
        return edit.entries[*row].value;
    return edit.currentValue.GetDataType() == edit.type ? edit.currentValue : DataValue::Null(edit.type);
}

const TString& ParameterListArea::GetFormat(unsigned int editId) const
{
    return m_impl->edits.at(editId).format;
}

void ParameterListArea::SetFormat(unsigned int editId, const TString& format)
{
    Impl::ListEdit& edit = m_impl->edits.at(editId);
    edit.format = format;
    // An alias is dropped once the format shows the value the same way.
    for (Entry& entry : edit.entries) {
        if (entry.hasAlias && entry.alias == Format(entry.value, format)) {
            entry.hasAlias = false;
            entry.alias = TString();
        }
    }
    Impl::UpdateDuplicates(edit);
}

void ParameterListArea::ReplaceValues(
    unsigned int editId, DataType dataType, const std::vector<ListValue>& values, const DataValue& currentValue)
{
    Impl::ListEdit& edit = m_impl->edits.at(editId);
    Impl::Fill(edit, dataType, values);
    if (!Impl::MakeCurrentValue(edit, currentValue)) {
        if (!edit.entries.empty())
            Impl::MakeCurrent(edit, edit.entries.front());
        else
            edit.currentValue = currentValue;
    }
    Impl::UpdateDuplicates(edit);
}

std::size_t ParameterListArea::AppendValues(unsigned int editId, const std::vector<DataValue>& values)
{
    Impl::ListEdit& edit = m_impl->edits.at(editId);
    std::size_t taken = 0;
    for (const DataValue& value : values) {
        if (value.GetDataType() != edit.type || value.IsNull() || Impl::HoldsValue(edit, value, nullptr))
            continue;
        Entry entry;
        entry.value = value;
        entry.serial = edit.nextSerial++;
        edit.entries.push_back(entry);
        ++taken;
    }
    if (!Impl::CurrentRow(edit) && taken != 0 && !Impl::MakeCurrentValue(edit, edit.currentValue))
        Impl::MakeCurrent(edit, edit.entries.front());
    Impl::UpdateDuplicates(edit);
    return taken;
}

bool ParameterListArea::SetCurrentValue(unsigned int editId, const DataValue& value)
{
    return Impl::MakeCurrentValue(m_impl->edits.at(editId), value);
}

} // namespace Zel::Sim
