#pragma once

// The names of the host's string ids, declared from the one table of texts. Code and tests write
// LookupTStr(Zel::Strings::ClearSort), never the number.

#include "host/doc/StringTable.h"

namespace Zel::Strings {
#define ZEL_STRING(Name, Id, Text) inline constexpr StringId Name = Id;
#include "host/doc/StringTableData.inc"
#undef ZEL_STRING
} // namespace Zel::Strings
