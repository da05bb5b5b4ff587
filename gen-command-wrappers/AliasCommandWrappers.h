#pragma once

#include "gen-command-wrappers/CommandFrame.h"
#include "host/commands/AliasCommands.h"

// The commands of the edit-aliases dialog whose answers it reads. Commit and cancel go straight
// through the dispatcher, their answers unread.
ZEL_COMMAND_WRAPPER(Zel::Commands::Alias, StartEditAliases);
ZEL_COMMAND_WRAPPER(Zel::Commands::Alias, ApplyNewAliases);
ZEL_COMMAND_WRAPPER(Zel::Commands::Alias, ClearAliases);
