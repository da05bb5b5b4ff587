#pragma once

#include "gen-command-wrappers/CommandFrame.h"
#include "host/commands/CalculatedMembersCommands.h"

// The commands of a calculations editing context.
ZEL_COMMAND_WRAPPER(Zel::Commands::CalculatedMembers, GetCalculatedMembersForEditing);
ZEL_COMMAND_WRAPPER(Zel::Commands::CalculatedMembers, GetNewMeasureName);
ZEL_COMMAND_WRAPPER(Zel::Commands::CalculatedMembers, GetNewMemberName);
ZEL_COMMAND_WRAPPER(Zel::Commands::CalculatedMembers, CreateCalculatedMember);
ZEL_COMMAND_WRAPPER(Zel::Commands::CalculatedMembers, UpdateCalculatedMember);
ZEL_COMMAND_WRAPPER(Zel::Commands::CalculatedMembers, DeleteCalculatedMember);
ZEL_COMMAND_WRAPPER(Zel::Commands::CalculatedMembers, MoveCalculatedMember);
ZEL_COMMAND_WRAPPER(Zel::Commands::CalculatedMembers, ApplyCalculatedMembers);
ZEL_COMMAND_WRAPPER(Zel::Commands::CalculatedMembers, ValidateMeasureName);
ZEL_COMMAND_WRAPPER(Zel::Commands::CalculatedMembers, ValidateMemberName);
ZEL_COMMAND_WRAPPER(Zel::Commands::CalculatedMembers, CheckCalculatedMemberFormula);
