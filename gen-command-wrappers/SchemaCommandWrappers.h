#pragma once

#include "gen-command-wrappers/CommandFrame.h"
#include "host/commands/SchemaCommands.h"

// The commands of the host's schema level tree.
ZEL_COMMAND_WRAPPER(Zel::Commands::Schema, GetSchemaLevels);
ZEL_COMMAND_WRAPPER(Zel::Commands::Schema, SetSchemaLevels);
