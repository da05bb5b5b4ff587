#pragma once

#include "gen-command-wrappers/CommandFrame.h"
#include "host/commands/ParameterCommands.h"

// The commands of a parameter edit.
ZEL_COMMAND_WRAPPER(Zel::Commands::Parameter, AddListMember);
ZEL_COMMAND_WRAPPER(Zel::Commands::Parameter, UpdateListMember);
ZEL_COMMAND_WRAPPER(Zel::Commands::Parameter, DeleteListMembers);
ZEL_COMMAND_WRAPPER(Zel::Commands::Parameter, MoveListMembers);
ZEL_COMMAND_WRAPPER(Zel::Commands::Parameter, MoveListMembersToRow);
ZEL_COMMAND_WRAPPER(Zel::Commands::Parameter, SetParameterValueIndex);
