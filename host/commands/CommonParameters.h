#pragma once

// Parameters that commands of several areas share. An area declares its own parameters in its own
// table and takes these from here, so that each id is still written once.

#include "host/commands/CommandDeclaration.h"
#include "host/doc/SimpleCommandsPresModel.h"

namespace Zel::Commands::Common {

// The commands that the host wants sent when the client's host-side work is abandoned; the client
// hands them to its ComponentCleanup.
ZEL_PARAMETER(CleanupCommands, 320318980, RefCntPtr<SimpleCommandsPresModel const>);

} // namespace Zel::Commands::Common
