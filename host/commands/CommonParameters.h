#pragma once

// Parameters that commands of several areas share. An area declares its own parameters in its own
// table and takes these from here, so that each id is still written once.

#include "host/commands/CommandDeclaration.h"
#include "host/doc/DataValue.h"
#include "host/doc/FieldName.h"
#include "host/doc/SimpleCommandsPresModel.h"

namespace Zel::Commands::Common {

// The commands that the host wants sent when the client's host-side work is abandoned; the client
// hands them to its ComponentCleanup.
ZEL_PARAMETER(CleanupCommands, 320318980, RefCntPtr<SimpleCommandsPresModel const>);

// The host-side edit (a parameter edit, a calculations editing context) that a command works on.
ZEL_PARAMETER(EditId, 329978885, unsigned int);

// A field, hierarchy or measure by name.
ZEL_PARAMETER(Field, 304680728, FieldName);

// One value of the workbook: a parameter's new value, a calculated member as the host names it.
ZEL_PARAMETER(Value, 329699389, DataValue);

} // namespace Zel::Commands::Common
