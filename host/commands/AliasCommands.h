#pragma once

// The alias area: editing the aliases (display names) of the members of one field. The host keeps
// the changes of an open edit apart from the workbook until the edit is committed.

#include "host/commands/CommonParameters.h"
#include "host/doc/AliasPresModels.h"

namespace Zel::Commands::Alias {

ZEL_COMMAND_AREA(AliasArea, "gen-command-wrappers/AliasCommandWrappers");

ZEL_PARAMETER(AliasField, 304680728, FieldName);
ZEL_PARAMETER(Aliases, 327917484, RefCntPtr<AliasesPresModel const>);
ZEL_PARAMETER(NewAliases, 322993523, RefCntPtr<NewAliasesPresModel const>);
ZEL_PARAMETER(AliasResults, 335406021, RefCntPtr<AliasResultsPresModel const>);
// The GetID() of the edit's AliasesPresModel.
ZEL_PARAMETER(AliasEditId, 332884746, int);
ZEL_PARAMETER(ClearedAliases, 322124673, RefCntPtr<AliasesPresModel const>);
using Common::CleanupCommands;

// Opens an alias edit of the field: every member with its alias, and the commands that drop the
// edit again.
ZEL_COMMAND(StartEditAliases, 7863925, AliasArea, Arguments<Required<AliasField>>,
    Results<Required<CleanupCommands>, Required<Aliases>>);

// Changes the members of the request in the open edit, unless one of them would show the same text
// as another member; each refused member comes back with the member that shows it already.
ZEL_COMMAND(ApplyNewAliases, 7444570, AliasArea, Arguments<Required<NewAliases>>, Results<Required<AliasResults>>);

// Removes every alias of the open edit and answers the list as it is then.
ZEL_COMMAND(ClearAliases, 5778383, AliasArea, Arguments<Required<AliasEditId>>, Results<Required<ClearedAliases>>);

// Makes the edit's aliases the workbook's, resp. forgets the edit's changes. Nobody reads the answer.
ZEL_COMMAND(CommitEditAliases, 8611404, AliasArea, Arguments<Required<AliasEditId>>, Results<>);
ZEL_COMMAND(CancelEditAliases, 780704, AliasArea, Arguments<Required<AliasEditId>>, Results<>);

// The host's own clean-up command, handed out by StartEditAliases and sent back by the client's
// ComponentCleanup after the edit was committed or cancelled; the client never sends it by name.
ZEL_COMMAND(DiscardEditAliases, 7863926, AliasArea, Arguments<Required<AliasEditId>>, Results<>);

using AllCommands = CommandList<StartEditAliases, ApplyNewAliases, ClearAliases, CommitEditAliases, CancelEditAliases,
    DiscardEditAliases>;

} // namespace Zel::Commands::Alias
