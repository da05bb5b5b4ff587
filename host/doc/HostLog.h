#pragma once

#include "TString.h"

#include <vector>

// One line in the host log. The log keeps its lines in memory (and echoes them to the debug
// output when ZEL_HOST_LOG_ECHO is set) so that tests and the demo can read what was written.
ZELHOST_DOC_EXPORT void LogMessage(const TString& text);

namespace HostLog {
ZELHOST_DOC_EXPORT std::vector<TString> Lines();
ZELHOST_DOC_EXPORT void Clear();
} // namespace HostLog
