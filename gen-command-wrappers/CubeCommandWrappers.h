#pragma once

#include "gen-command-wrappers/CommandFrame.h"
#include "host/commands/CubeCommands.h"

// The commands of the host's member trees and of its default-member setting.
ZEL_COMMAND_WRAPPER(Zel::Commands::Cube, GetHierarchyRoot);
ZEL_COMMAND_WRAPPER(Zel::Commands::Cube, GetMemberChildren);
ZEL_COMMAND_WRAPPER(Zel::Commands::Cube, GetMemberPath);
ZEL_COMMAND_WRAPPER(Zel::Commands::Cube, SearchMembers);
ZEL_COMMAND_WRAPPER(Zel::Commands::Cube, GetHierarchyDefaultMember);
ZEL_COMMAND_WRAPPER(Zel::Commands::Cube, SetHierarchyDefaultMember);
