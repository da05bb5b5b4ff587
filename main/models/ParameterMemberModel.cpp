#include "main/models/ParameterMemberModel.h"

#include "main/models/ModelChangeBracket_p.h"

#include "gen-command-wrappers/ParameterCommandWrappers.h"
#include "widgets/ParameterMemberView.h"

#include "host/doc/ResourceIds.h"
#include "host/doc/StringIds.h"
#include "host/doc/StringTable.h"
#include "host/ui/DuplicateHighlight.h"
#include "host/ui/TIcon.h"

#include <QtGui/QPalette>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <algorithm>
#include <optional>

namespace {
constexpr const char* SourcePath = "main/models/ParameterMemberModel";

namespace Cmds = Zel::Commands::Parameter;

[[noreturn]] void ThrowDiffMismatch(int line, const QString& text)
{
    ThrowLogicException(SourcePath, line, TString(text));
}

// Order statistics over slots that are free or taken, in O(log n) per step: which slot is the k-th
// free one. Lets diffs in any order be applied in O((n + changes) log n) instead of O(n) per change.
class FreeSlots
{
public:
    explicit FreeSlots(std::size_t size)
        : m_tree(size + 1, 0)
    {
        // Every slot free: built bottom-up in linear time.
        for (std::size_t i = 1; i <= size; ++i) {
            m_tree[i] += 1;
            const std::size_t parent = i + (i & (~i + 1));
            if (parent <= size)
                m_tree[parent] += m_tree[i];
        }
        m_top = 1;
        while (m_top * 2 <= size)
            m_top *= 2;
    }

    // The slot holding the k-th (0-based) free one; it must exist.
    std::size_t FindFree(std::size_t k) const
    {
        std::size_t position = 0;
        std::size_t remaining = k + 1;
        for (std::size_t step = m_top; step > 0; step /= 2) {
            const std::size_t next = position + step;
            if (next < m_tree.size() && m_tree[next] < remaining) {
                position = next;
                remaining -= m_tree[next];
            }
        }
        return position; // 0-based slot = (position + 1) - 1
    }

    void Take(std::size_t slot)
    {
        for (std::size_t i = slot + 1; i < m_tree.size(); i += i & (~i + 1))
            m_tree[i] -= 1;
    }

private:
    std::vector<std::size_t> m_tree;
    std::size_t m_top = 1;
};

QColor DisabledTextColor(const QObject* parent)
{
    const auto* widget = qobject_cast<const QWidget*>(parent);
    const QPalette palette = widget ? widget->palette() : QApplication::palette();
    return palette.color(QPalette::Disabled, QPalette::Text);
}
} // namespace

// How a diff changes the rows, which decides the signals that bracket it.
struct ParameterMemberModel::DiffShape
{
    // InsertRows: rows [first, last] of the list after the change are new; RemoveRows: rows
    // [first, last] of the list before the change are gone; Reset: anything else.
    ModelChangeKind kind = ModelChangeKind::None;
    int first = 0;
    int last = -1;
    // Each new member's row is above the one before it, so each lands where its index says.
    bool risingInsertions = true;
};

// What ApplyDiffToMembers changed and still has to announce.
struct ParameterMemberModel::AppliedDiff
{
    bool wasEmpty = false;
    bool duplicatesChanged = false;
    TString formattedValue;
    // Rows whose replaced member shows another text (value, alias) or mark (alias column) than before.
    struct ChangedRow
    {
        int row;
        bool value;
        bool alias;
    };
    std::vector<ChangedRow> changedRows;
};

ParameterMemberModel::ParameterMemberModel(
    const ICommandDispatcher& dispatcher, unsigned int editId, ParameterMemberView* parent)
    : AbstractModifiableTableModel(parent)
    , m_dispatcher(dispatcher)
    , m_editId(editId)
{
    qRegisterMetaType<TString>("TString");
}

ParameterMemberModel::~ParameterMemberModel() = default;

int ParameterMemberModel::columnCount(const QModelIndex&) const
{
    return 2;
}

int ParameterMemberModel::GetNumberOfDataRows() const
{
    return static_cast<int>(m_members.size());
}

const ParameterListDomainMemberPresModel& ParameterMemberModel::MemberAt(const QModelIndex& index) const
{
    ZEL_LOGIC_CHECK(
        SourcePath, index.isValid() && index.row() >= 0 && index.row() < static_cast<int>(m_members.size()));
    return *m_members[static_cast<std::size_t>(index.row())];
}

TString ParameterMemberModel::GetItemDisplayString(const QModelIndex& index) const
{
    const ParameterListDomainMemberPresModel& member = MemberAt(index);
    return index.column() == SubitemValue ? member.GetDisplayValue() : member.GetAlias();
}

bool ParameterMemberModel::IsIndexOfDuplicate(const QModelIndex& index) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= GetNumberOfDataRows())
        return false;
    return MemberAt(index).GetIsDuplicate();
}

QVariant ParameterMemberModel::data(const QModelIndex& index, int role) const
{
    if (index.isValid() && index.column() == SubitemAlias && index.row() >= 0 && index.row() < GetNumberOfDataRows()) {
        if (role == Qt::ForegroundRole && !MemberAt(index).GetHasAlias())
            return DisabledTextColor(QObject::parent());
        if (IsIndexOfDuplicate(index)) {
            if (role == Qt::ToolTipRole)
                return GetDuplicateTooltip(GetItemDisplayString(index)).ToQString();
            if (role == Qt::BackgroundRole)
                return GetDuplicateBackground();
        }
    }
    return AbstractModifiableTableModel::data(index, role);
}

QVariant ParameterMemberModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return LookupTStr(section == SubitemValue ? Zel::Strings::ValueHeader : Zel::Strings::DisplayAsHeader)
            .ToQString();
    case Qt::DecorationRole:
        if (section == SubitemAlias && m_hasDuplicates)
            return TIcon(Zel::Icons::DuplicateWarning).ToQIcon();
        return QVariant();
    default:
        return QVariant();
    }
}

TString ParameterMemberModel::GetAddNewItemPrompt() const
{
    return LookupTStr(m_members.empty() ? Zel::Strings::StartListPrompt : Zel::Strings::AddNewValuePrompt);
}

void ParameterMemberModel::SetListDomain(Members members)
{
    ZEL_LOGIC_CHECK_MSG(SourcePath, std::all_of(members.begin(), members.end(), [](const Member& m) { return m; }),
        "every member of the list holds a record");
    const bool wasEmpty = m_members.empty();
    {
        const ModelChangeBracket reset(*this, ModelChangeKind::Reset);
        m_members = std::move(members);
    }
    if (wasEmpty != m_members.empty())
        emit IsEmptyChanged(m_members.empty());
}

void ParameterMemberModel::SetCurrentIndex(unsigned int index)
{
    m_currentIndex = index;
    emit IndexChanged(static_cast<int>(m_currentIndex));
}

void ParameterMemberModel::SetHasDuplicates(bool hasDuplicates)
{
    if (m_hasDuplicates == hasDuplicates)
        return;
    m_hasDuplicates = hasDuplicates;
    ToggleDuplicatesWarning();
}

void ParameterMemberModel::ToggleDuplicatesWarning()
{
    emit headerDataChanged(Qt::Horizontal, 0, 1);
}

bool ParameterMemberModel::AddNewItem(const TString& text)
{
    auto member = MakeRefCnt<ParameterListDomainMemberPresModel>();
    member->SetDisplayValue(text);
    auto indexed = MakeRefCnt<IndexedDomainMemberPresModel>();
    indexed->SetMember(std::move(member));
    // A diff of another type counts as left out, as a refusal.
    const auto diff = AddListMember(m_dispatcher, m_editId, std::move(indexed)).FindOfType<Cmds::ListDomainDiff>();
    if (!diff)
        return false;
    ApplyDiffWithRowSignals(**diff, QModelIndex());
    return true;
}

bool ParameterMemberModel::UpdateItem(const QModelIndex& index, const TString& text)
{
    if (!index.isValid() || index.model() != this || index.row() < 0 || index.row() >= GetNumberOfDataRows())
        return false;
    auto member = MakeRefCnt<ParameterListDomainMemberPresModel>();
    if (index.column() == SubitemValue)
        member->SetDisplayValue(text);
    else if (index.column() == SubitemAlias)
        member->SetAlias(text);
    else
        return false;
    auto indexed = MakeRefCnt<IndexedDomainMemberPresModel>();
    indexed->SetIndex(index.row());
    indexed->SetMember(std::move(member));
    const auto diff = ::UpdateListMember(m_dispatcher, m_editId, std::move(indexed), index.column() == SubitemValue)
                          .FindOfType<Cmds::ListDomainDiff>();
    if (!diff)
        return false;
    ApplyDiffWithRowSignals(**diff, index);
    return true;
}

RefCntPtr<ParameterListDomainDiffPresModel const> ParameterMemberModel::SendDelete(const Ranges& ranges) const
{
    return DeleteListMembers(m_dispatcher, m_editId, ranges).Get<Cmds::ListDomainDiff>();
}

void ParameterMemberModel::EraseRow(int row)
{
    ZEL_LOGIC_CHECK(SourcePath, row >= 0 && row < GetNumberOfDataRows());
    auto range = MakeRefCnt<IndexRangePresModel>();
    range->SetStart(static_cast<unsigned int>(row));
    range->SetEnd(static_cast<unsigned int>(row) + 1);
    DeleteRows({range});
}

void ParameterMemberModel::DeleteRows(const Ranges& ranges)
{
    const auto diff = SendDelete(ranges);
    ApplyDiffWithRowSignals(*diff, QModelIndex());
}

void ParameterMemberModel::MoveItems(const QItemSelection& selection, int targetRow, bool flag)
{
    Ranges ranges;
    for (const QItemSelectionRange& range : selection) {
        if (!range.isValid())
            break;
        auto indexRange = MakeRefCnt<IndexRangePresModel>();
        indexRange->SetStart(static_cast<unsigned int>(range.top()));
        indexRange->SetEnd(static_cast<unsigned int>(range.bottom()) + 1);
        ranges.push_back(std::move(indexRange));
    }

    // Views read the rows again however this ends: a failed command leaves them as they were, a
    // listener that raises finds them changed.
    const ModelChangeBracket reset(*this, ModelChangeKind::Reset);
    RefCntPtr<ParameterListDomainDiffPresModel const> diff;
    if (targetRow < 0)
        diff = SendDelete(ranges);
    else if (flag)
        diff = MoveListMembers(m_dispatcher, m_editId, ranges, static_cast<unsigned int>(targetRow))
                   .Get<Cmds::ListDomainDiff>();
    else
        diff = MoveListMembersToRow(m_dispatcher, m_editId, ranges, static_cast<unsigned int>(targetRow))
                   .Get<Cmds::ListDomainDiff>();
    ApplyDiff(*diff, InspectDiff(*diff));
}

void ParameterMemberModel::OnIndexChanged(int row)
{
    if (row < 0 || static_cast<unsigned int>(row) == m_currentIndex)
        return;
    const auto result = ::SetParameterValueIndex(m_dispatcher, m_editId, row);
    const unsigned int index = result.Get<Cmds::ListIndex>();
    const TString formatted = result.Get<Cmds::FormattedValue>();
    m_currentIndex = index;
    emit FormattedValueChanged(formatted);
    emit IndexChanged(static_cast<int>(m_currentIndex));
}

ParameterMemberModel::DiffShape ParameterMemberModel::InspectDiff(const ParameterListDomainDiffPresModel& diff) const
{
    std::size_t size = m_members.size();
    DiffShape shape;

    int removalRanges = 0;
    const auto& deleted = diff.GetDeletedMembers();
    for (std::size_t i = 0; i < deleted.size(); ++i) {
        if (!deleted[i])
            ThrowDiffMismatch(__LINE__, QStringLiteral("deleted range %1 of the diff holds no record").arg(i));
        const unsigned int start = deleted[i]->GetStart();
        const unsigned int end = deleted[i]->GetEnd();
        if (start > end || end > size)
            ThrowDiffMismatch(__LINE__,
                QStringLiteral("deleted range %1 [%2, %3) does not fit the %4 members left by the deletions before it")
                    .arg(i)
                    .arg(start)
                    .arg(end)
                    .arg(size));
        if (start == end)
            continue;
        size -= end - start;
        if (++removalRanges == 1) {
            shape.first = static_cast<int>(start);
            shape.last = static_cast<int>(end) - 1;
        }
    }

    int insertions = 0;
    int previous = 0;
    bool contiguous = true;
    const auto& added = diff.GetNewMembers();
    for (std::size_t i = 0; i < added.size(); ++i) {
        if (!added[i] || !added[i]->GetMember())
            ThrowDiffMismatch(__LINE__, QStringLiteral("new member %1 of the diff holds no record").arg(i));
        const int index = added[i]->GetIndex();
        if (index < 0 || static_cast<std::size_t>(index) > size)
            ThrowDiffMismatch(__LINE__,
                QStringLiteral("new member %1 at row %2 does not fit a list of %3 members")
                    .arg(i)
                    .arg(index)
                    .arg(size));
        if (insertions == 0)
            shape.first = index;
        else if (index != shape.first + insertions)
            contiguous = false;
        if (insertions > 0 && index <= previous)
            shape.risingInsertions = false;
        previous = index;
        ++insertions;
        ++size;
    }

    const auto& updated = diff.GetUpdatedMembers();
    for (std::size_t i = 0; i < updated.size(); ++i) {
        if (!updated[i] || !updated[i]->GetMember())
            ThrowDiffMismatch(__LINE__, QStringLiteral("updated member %1 of the diff holds no record").arg(i));
        const int index = updated[i]->GetIndex();
        if (index < 0 || static_cast<std::size_t>(index) >= size)
            ThrowDiffMismatch(__LINE__,
                QStringLiteral("updated member %1 at row %2 is outside the list of %3 members")
                    .arg(i)
                    .arg(index)
                    .arg(size));
    }

    if (removalRanges == 0 && insertions == 0) {
        shape.kind = ModelChangeKind::None;
    } else if (removalRanges == 1 && insertions == 0) {
        shape.kind = ModelChangeKind::RemoveRows;
    } else if (removalRanges == 0 && contiguous) {
        shape.kind = ModelChangeKind::InsertRows;
        shape.last = shape.first + insertions - 1;
    } else {
        shape.kind = ModelChangeKind::Reset;
    }
    return shape;
}

void ParameterMemberModel::EraseRanges(const Ranges& ranges)
{
    // Turn the ranges, each given in rows of the list that the ones before it left, into ranges of
    // the list as it is now: directly when they run from the end to the front or from the front to
    // the end, through the order statistics otherwise.
    std::vector<std::pair<std::size_t, std::size_t>> original;
    original.reserve(ranges.size());
    bool descending = true;
    bool ascending = true;
    std::size_t previousStart = 0;
    bool first = true;
    for (const auto& range : ranges) {
        const std::size_t start = range->GetStart();
        const std::size_t end = range->GetEnd();
        if (start == end)
            continue;
        if (!first) {
            descending = descending && end <= previousStart;
            ascending = ascending && start >= previousStart;
        }
        previousStart = start;
        first = false;
    }

    if (descending) {
        for (auto it = ranges.rbegin(); it != ranges.rend(); ++it)
            if ((*it)->GetStart() != (*it)->GetEnd())
                original.emplace_back((*it)->GetStart(), (*it)->GetEnd());
    } else if (ascending) {
        std::size_t removed = 0;
        for (const auto& range : ranges) {
            const std::size_t length = range->GetEnd() - range->GetStart();
            if (length == 0)
                continue;
            const std::size_t start = range->GetStart() + removed;
            // Ranges that meet after the shift are one range of the list as it is now.
            if (!original.empty() && original.back().second == start)
                original.back().second += length;
            else
                original.emplace_back(start, start + length);
            removed += length;
        }
    } else {
        FreeSlots alive(m_members.size());
        std::vector<char> gone(m_members.size(), 0);
        for (const auto& range : ranges) {
            for (std::size_t i = range->GetStart(); i < range->GetEnd(); ++i) {
                // Deleting the row at `start` brings the next one there.
                const std::size_t slot = alive.FindFree(range->GetStart());
                gone[slot] = 1;
                alive.Take(slot);
            }
        }
        for (std::size_t i = 0; i < gone.size();) {
            if (!gone[i]) {
                ++i;
                continue;
            }
            const std::size_t start = i;
            while (i < gone.size() && gone[i])
                ++i;
            original.emplace_back(start, i);
        }
    }

    // One pass: the kept members move forward over the deleted ones, which release their records.
    std::size_t write = 0;
    std::size_t read = 0;
    for (const auto& [start, end] : original) {
        if (write != read)
            std::move(m_members.begin() + static_cast<std::ptrdiff_t>(read),
                m_members.begin() + static_cast<std::ptrdiff_t>(start),
                m_members.begin() + static_cast<std::ptrdiff_t>(write));
        write += start - read;
        read = end;
    }
    if (write != read)
        std::move(m_members.begin() + static_cast<std::ptrdiff_t>(read), m_members.end(),
            m_members.begin() + static_cast<std::ptrdiff_t>(write));
    write += m_members.size() - read;
    m_members.resize(write);
}

void ParameterMemberModel::InsertMembers(
    const std::vector<RefCntPtr<IndexedDomainMemberPresModel const>>& added, bool rising)
{
    const std::size_t total = m_members.size() + added.size();
    if (rising && (m_members.empty() || static_cast<std::size_t>(added.front()->GetIndex()) >= m_members.size())) {
        // Appended: the common case of typing or pasting values.
        m_members.reserve(total);
        for (const auto& indexed : added)
            m_members.push_back(indexed->GetMember());
        return;
    }

    // Where each new member ends up once all are inserted: its own index when the indexes rise (each
    // insertion then lands after the earlier ones), else found from the last insertion backwards.
    std::vector<std::size_t> finalRow(added.size());
    if (rising) {
        for (std::size_t i = 0; i < added.size(); ++i)
            finalRow[i] = static_cast<std::size_t>(added[i]->GetIndex());
    } else {
        FreeSlots free(total);
        for (std::size_t i = added.size(); i-- > 0;) {
            finalRow[i] = free.FindFree(static_cast<std::size_t>(added[i]->GetIndex()));
            free.Take(finalRow[i]);
        }
    }

    std::vector<std::size_t> order(added.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    if (!rising)
        std::sort(order.begin(), order.end(),
            [&finalRow](std::size_t a, std::size_t b) { return finalRow[a] < finalRow[b]; });

    Members merged;
    merged.reserve(total);
    std::size_t next = 0;
    auto old = m_members.begin();
    for (std::size_t row = 0; row < total; ++row) {
        if (next < order.size() && finalRow[order[next]] == row)
            merged.push_back(added[order[next++]]->GetMember());
        else
            merged.push_back(std::move(*old++));
    }
    m_members.swap(merged);
}

void ParameterMemberModel::ApplyRowChanges(const ParameterListDomainDiffPresModel& diff, const DiffShape& shape)
{
    if (!diff.GetDeletedMembers().empty())
        EraseRanges(diff.GetDeletedMembers());
    if (!diff.GetNewMembers().empty())
        InsertMembers(diff.GetNewMembers(), shape.risingInsertions);
}

void ParameterMemberModel::ApplyMemberUpdates(const ParameterListDomainDiffPresModel& diff, AppliedDiff& applied)
{
    for (const auto& indexed : diff.GetUpdatedMembers()) {
        Member& slot = m_members[static_cast<std::size_t>(indexed->GetIndex())];
        const Member& replacement = indexed->GetMember();
        const bool valueChanged = slot->GetDisplayValue() != replacement->GetDisplayValue();
        const bool aliasChanged = slot->GetAlias() != replacement->GetAlias()
            || slot->GetHasAlias() != replacement->GetHasAlias()
            || slot->GetIsDuplicate() != replacement->GetIsDuplicate();
        if (valueChanged || aliasChanged)
            applied.changedRows.push_back({indexed->GetIndex(), valueChanged, aliasChanged});
        // The replacement's reference is taken before the old one is dropped.
        slot = replacement;
    }
}

void ParameterMemberModel::ApplyDiffState(const ParameterListDomainDiffPresModel& diff, AppliedDiff& applied)
{
    applied.duplicatesChanged = diff.GetHasDuplicates() != m_hasDuplicates;
    m_hasDuplicates = diff.GetHasDuplicates();
    m_currentIndex = diff.GetValueIndex();
    applied.formattedValue = diff.GetFormattedValue();
}

ParameterMemberModel::AppliedDiff ParameterMemberModel::ApplyDiffToMembers(
    const ParameterListDomainDiffPresModel& diff, const DiffShape& shape)
{
    AppliedDiff applied;
    applied.wasEmpty = m_members.empty();
    ApplyRowChanges(diff, shape);
    ApplyMemberUpdates(diff, applied);
    ApplyDiffState(diff, applied);
    return applied;
}

void ParameterMemberModel::AnnounceDiff(const AppliedDiff& applied)
{
    const auto announceEmptiness = [this, &applied] {
        if (applied.wasEmpty != m_members.empty())
            emit IsEmptyChanged(m_members.empty());
    };
    try {
        if (applied.duplicatesChanged)
            ToggleDuplicatesWarning();
        emit FormattedValueChanged(applied.formattedValue);
        emit IndexChanged(static_cast<int>(m_currentIndex));
    } catch (...) {
        announceEmptiness();
        throw;
    }
    announceEmptiness();
}

ParameterMemberModel::AppliedDiff ParameterMemberModel::ApplyDiff(
    const ParameterListDomainDiffPresModel& diff, const DiffShape& shape)
{
    AppliedDiff applied = ApplyDiffToMembers(diff, shape);
    AnnounceDiff(applied);
    return applied;
}

void ParameterMemberModel::ApplyDiffWithRowSignals(
    const ParameterListDomainDiffPresModel& diff, const QModelIndex& editedCell)
{
    // Rows are announced by the shape of what the host did, so that views stay right whatever the
    // host chose to do (a sorted insertion, a refusal that changes nothing). A diff that does not fit
    // raises before the bracket opens; a listener that raises inside it finds the rows changed, so
    // the bracket is closed on the way out.
    const DiffShape shape = InspectDiff(diff);
    AppliedDiff applied;
    if (shape.kind == ModelChangeKind::InsertRows || shape.kind == ModelChangeKind::RemoveRows) {
        // Inside an insertion or a removal only those rows may change: a view or a proxy reads the
        // rows beside them when the bracket ends. Members the diff replaces are replaced after it,
        // and reported changed below; if a listener raises, they are still replaced.
        applied.wasEmpty = m_members.empty();
        try {
            const ModelChangeBracket rows(*this, shape.kind, shape.first, shape.last);
            ApplyRowChanges(diff, shape);
            ApplyDiffState(diff, applied);
            AnnounceDiff(applied);
        } catch (...) {
            ApplyMemberUpdates(diff, applied);
            throw;
        }
        ApplyMemberUpdates(diff, applied);
    } else {
        const ModelChangeBracket rows(*this, shape.kind, shape.first, shape.last);
        applied = ApplyDiff(diff, shape);
    }
    if (shape.kind == ModelChangeKind::Reset)
        return;

    if (shape.kind == ModelChangeKind::None && editedCell.isValid())
        emit dataChanged(editedCell, editedCell);
    // Other cells whose text or mark the diff changed (the alias that mirrors an edited value, the
    // other members of a new duplicate pair), in runs of neighbouring rows.
    auto& rows = applied.changedRows;
    if (shape.kind == ModelChangeKind::None && editedCell.isValid()) {
        // The edited cell is reported already.
        for (auto& changed : rows)
            if (changed.row == editedCell.row())
                (editedCell.column() == SubitemValue ? changed.value : changed.alias) = false;
        rows.erase(
            std::remove_if(rows.begin(), rows.end(), [](const auto& c) { return !c.value && !c.alias; }), rows.end());
    }
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.row < b.row; });
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t j = i;
        bool value = false;
        bool alias = false;
        while (j < rows.size() && rows[j].row - rows[i].row == static_cast<int>(j - i)) {
            value = value || rows[j].value;
            alias = alias || rows[j].alias;
            ++j;
        }
        emit dataChanged(index(rows[i].row, value ? SubitemValue : SubitemAlias),
            index(rows[j - 1].row, alias ? SubitemAlias : SubitemValue));
        i = j;
    }
}
