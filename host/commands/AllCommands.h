#pragma once

// Every command of every area, for code that must meet them all: the fuzzing of command results
// answers each one in turn. An area that is added to host/commands adds its AllCommands here.

#include "host/commands/AutosaveCommands.h"
#include "host/commands/ParameterCommands.h"
#include "host/commands/TableViewCommands.h"

namespace Zel::Commands {

using AllAreaCommands = ConcatCommandLists<Autosave::AllCommands, Parameter::AllCommands, TableView::AllCommands>::type;

} // namespace Zel::Commands
