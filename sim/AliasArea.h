#pragma once

#include "sim/ZelSimExport.h"

#include "host/doc/AliasPresModels.h"

#include <memory>
#include <vector>

namespace Zel::Sim {

class SampleWorkbook;
class SimHost;

// The simulated host's alias edits: the members of any dimension field of the sample workbook, read
// from SQLite, with the aliases the workbook shows them with.
//
// StartEditAliases opens a pending copy of the field's aliases and hands out one DiscardEditAliases
// as its clean-up. ApplyNewAliases changes members of the copy, refusing (with a result naming the
// member) a text that another member already shows: its alias, or its name when it has none.
// Typing a member's own name takes its alias away. ClearAliases empties the copy;
// CommitEditAliases makes it the workbook's, where a later edit of the same field starts from it;
// CancelEditAliases puts the copy back to what the workbook has. The edit itself lasts until its
// clean-up drops it.
//
// The member records are shared between the answers of one edit and replaced one by one as members
// change, so a field of a million members is built once per edit. A command naming no open edit,
// a member that is not the field's, or a field that is no dimension of the workbook is refused (a
// null answer and a line in the host log). The handlers hold this area's state weakly: once it is
// destroyed they refuse every command, so it may go before the host. The workbook must outlive it.
class ZELSIM_EXPORT AliasArea
{
public:
    AliasArea(SimHost& host, SampleWorkbook& workbook);
    ~AliasArea();
    AliasArea(const AliasArea&) = delete;
    AliasArea& operator=(const AliasArea&) = delete;

    std::size_t OpenEditCount() const;
    // The ids of the open edits, oldest first.
    std::vector<int> OpenEditIds() const;
    // The list as the edit would answer it now; an unknown edit raises std::out_of_range.
    RefCntPtr<AliasesPresModel const> PendingAliases(int editId) const;

    struct Impl;

private:
    std::shared_ptr<Impl> m_impl;
};

} // namespace Zel::Sim
