#pragma once

// The names of the host's icon resource ids, declared from the one table of icons:
// TIcon(Zel::Icons::Close), LookupDefaultQtZelRes(Zel::Icons::Error).

#include "host/doc/StringTable.h"

namespace Zel::Icons {
#define ZEL_RESOURCE(Name, Id, File) inline constexpr QtZelResourceId Name = Id;
#include "host/doc/ResourceIds.inc"
#undef ZEL_RESOURCE
} // namespace Zel::Icons
