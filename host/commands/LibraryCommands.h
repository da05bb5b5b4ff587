#pragma once

// Every command area at once: the library's own areas, whose commands a real host must answer, and
// the host's areas that only its stand-in widgets use. A new area adds its AllCommands to one of
// the two lists; a test checks that no id of the second list equals one of the first.

#include "host/commands/AliasCommands.h"
#include "host/commands/AutosaveCommands.h"
#include "host/commands/CalculatedMembersCommands.h"
#include "host/commands/CubeCommands.h"
#include "host/commands/ParameterCommands.h"
#include "host/commands/TableViewCommands.h"

namespace Zel::Commands {

using LibraryCommands = ConcatCommandLists<Autosave::AllCommands, Parameter::AllCommands, TableView::AllCommands,
    CalculatedMembers::AllCommands, Alias::AllCommands>::type;

using HostWidgetCommands = ConcatCommandLists<Cube::AllCommands>::type;

} // namespace Zel::Commands
