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
ZEL_COMMAND_WRAPPER(Zel::Commands::Parameter, SetParameterDisplayInfo);
ZEL_COMMAND_WRAPPER(Zel::Commands::Parameter, SetParameterDataType);
ZEL_COMMAND_WRAPPER(Zel::Commands::Parameter, SetParameterDomainType);
ZEL_COMMAND_WRAPPER(Zel::Commands::Parameter, SetParameterValue);
ZEL_COMMAND_WRAPPER(Zel::Commands::Parameter, SetParameterFormat);
ZEL_COMMAND_WRAPPER(Zel::Commands::Parameter, CommitParameter);
ZEL_COMMAND_WRAPPER(Zel::Commands::Parameter, SetParameterRangeDomain);
ZEL_COMMAND_WRAPPER(Zel::Commands::Parameter, ClearListDomain);
ZEL_COMMAND_WRAPPER(Zel::Commands::Parameter, PasteListMembers);
ZEL_COMMAND_WRAPPER(Zel::Commands::Parameter, SetDomainFromField);
