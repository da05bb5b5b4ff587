#pragma once

#include "gen-command-wrappers/CommandFrame.h"
#include "host/commands/AutosaveCommands.h"

// The commands of the autosave recovery dialog.
ZEL_COMMAND_WRAPPER(Zel::Commands::Autosave, GetAutosaveFiles);
ZEL_COMMAND_WRAPPER(Zel::Commands::Autosave, DeleteAutosaveFiles);
