#pragma once

#include "main/ZelDialogExport.h"

#include "host/doc/ParameterListDomainPresModel.h"
#include "host/ui/AbstractModifiableTableModel.h"

#include <cstdint>
#include <vector>

class ICommandDispatcher;
class ParameterMemberView;

// The list of allowable values of a parameter edit, as an editable two-column table: the value as
// displayed (SubitemValue) and its alias (SubitemAlias), followed by the add-new-item row.
//
// The host owns the list. Every edit is one command with the edit id (AddListMember,
// UpdateListMember, DeleteListMembers, MoveListMembers or MoveListMembersToRow,
// SetParameterValueIndex); the host answers with a diff, which this model applies to its copy of
// the members and announces with row signals, or with the current value's new row and text. A
// diff that does not fit the list raises the logic exception before anything changes.
//
// Owned by its view (the parent); the dispatcher must outlive it.
class ZELDIALOG_EXPORT ParameterMemberModel : public AbstractModifiableTableModel
{
    Q_OBJECT

public:
    using Member = RefCntPtr<ParameterListDomainMemberPresModel const>;
    using Members = std::vector<Member>;
    using Ranges = std::vector<RefCntPtr<IndexRangePresModel const>>;

    static constexpr int SubitemValue = 0;
    static constexpr int SubitemAlias = 1;

    ParameterMemberModel(const ICommandDispatcher& dispatcher, unsigned int editId, ParameterMemberView* parent);
    ~ParameterMemberModel() override;

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    TString GetAddNewItemPrompt() const override;
    bool AddNewItem(const TString& text) override;
    void EraseRow(int row) override;
    bool UpdateItem(const QModelIndex& index, const TString& text) override;
    void MoveItems(const QItemSelection& selection, int targetRow, bool flag) override;
    int GetNumberOfDataRows() const override;
    TString GetItemDisplayString(const QModelIndex& index) const override;

    // Replaces the whole list (a model reset); a member reference that is empty raises the logic
    // exception before anything changes.
    void SetListDomain(Members members);
    const Members& GetListDomain() const { return m_members; }
    // Always announced, even when the index did not change, so that a combo box that lost its
    // selection gets it back.
    void SetCurrentIndex(unsigned int index);
    unsigned int GetCurrentIndex() const { return m_currentIndex; }
    void SetHasDuplicates(bool hasDuplicates);
    bool HasDuplicates() const { return m_hasDuplicates; }
    static int GetDuplicateTrackingColumn() { return SubitemAlias; }
    unsigned int GetEditId() const { return m_editId; }

    // The user picked the member at `row` as the current value (a combo box's activated(int)).
    void OnIndexChanged(int row);

signals:
    void FormattedValueChanged(TString newString);
    void IndexChanged(int i);
    void IsEmptyChanged(bool isEmpty);

protected:
    bool IsIndexOfDuplicate(const QModelIndex& index) const;
    // Sends DeleteListMembers for the ranges and applies the answer with its row signals.
    void DeleteRows(const Ranges& ranges);

private:
    template <typename>
    friend class ModelChangeBracket;
    struct DiffShape;
    struct AppliedDiff;

    void ToggleDuplicatesWarning();
    // Raises the logic exception when the diff does not fit the list; else tells how its rows change.
    DiffShape InspectDiff(const ParameterListDomainDiffPresModel& diff) const;
    // Everything a diff says, in its order: the members, then the duplicate flag, the current value
    // and the emptiness announced. Returns what changed.
    AppliedDiff ApplyDiff(const ParameterListDomainDiffPresModel& diff, const DiffShape& shape);
    // Changes the members, the duplicate flag and the current index of a diff that InspectDiff
    // accepted; announces nothing.
    AppliedDiff ApplyDiffToMembers(const ParameterListDomainDiffPresModel& diff, const DiffShape& shape);
    // Its parts: the deletions and insertions; the members replaced; the duplicate flag, the current
    // index and the formatted value.
    void ApplyRowChanges(const ParameterListDomainDiffPresModel& diff, const DiffShape& shape);
    void ApplyMemberUpdates(const ParameterListDomainDiffPresModel& diff, AppliedDiff& applied);
    void ApplyDiffState(const ParameterListDomainDiffPresModel& diff, AppliedDiff& applied);
    // Announces the flag, the current value and the emptiness, in that order; the emptiness also when
    // a listener of the others raises.
    void AnnounceDiff(const AppliedDiff& applied);
    // Applies the diff inside the row signals that describe it; `editedCell` is the cell an update
    // was made for, reported as changed after the bracket.
    void ApplyDiffWithRowSignals(const ParameterListDomainDiffPresModel& diff, const QModelIndex& editedCell);
    RefCntPtr<ParameterListDomainDiffPresModel const> SendDelete(const Ranges& ranges) const;

    void EraseRanges(const Ranges& ranges);
    void InsertMembers(const std::vector<RefCntPtr<IndexedDomainMemberPresModel const>>& newMembers, bool rising);
    const ParameterListDomainMemberPresModel& MemberAt(const QModelIndex& index) const;

    const ICommandDispatcher& m_dispatcher;
    unsigned int m_editId;
    Members m_members;
    unsigned int m_currentIndex = 0;
    bool m_hasDuplicates = false;
};
