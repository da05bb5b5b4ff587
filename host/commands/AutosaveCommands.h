#pragma once

// The autosave area: the recovered copies of workbooks that the host keeps, to be opened or
// deleted.

#include "host/commands/CommandDeclaration.h"
#include "host/doc/AutosaveFilePresModel.h"

namespace Zel::Commands::Autosave {

ZEL_COMMAND_AREA(AutosaveArea, "gen-command-wrappers/AutosaveCommandWrappers");

ZEL_PARAMETER(AutosaveFiles, 331761380, std::vector<RefCntPtr<AutosaveFilePresModel const>>);
// The GetAutosaveFileId() of each copy, in the order the user selected them.
ZEL_PARAMETER(AutosaveFileIds, 319400967, std::vector<TString>);

// Every recovered copy the host holds, in the host's order; an empty list when there are none.
ZEL_COMMAND(GetAutosaveFiles, 6261624, AutosaveArea, Arguments<>, Results<Required<AutosaveFiles>>);

// Deletes the named copies. The client reloads the list afterwards rather than reading an answer.
ZEL_COMMAND(DeleteAutosaveFiles, 13416952, AutosaveArea, Arguments<Required<AutosaveFileIds>>, Results<>);

using AllCommands = CommandList<GetAutosaveFiles, DeleteAutosaveFiles>;

} // namespace Zel::Commands::Autosave
