#pragma once

#include "TString.h"

#include <cstdint>

using StringId = std::int32_t;
using QtZelResourceId = std::int32_t;

// The localised text of a string id. An id the table does not hold gives a visible marker and a
// log line rather than an empty text, so a missing entry shows up on screen.
ZELHOST_DOC_EXPORT TString LookupTStr(StringId id);
// The same text as a format string to be filled with arg().
ZELHOST_DOC_EXPORT TFormatString LookupTFmtStr(StringId id);
ZELHOST_DOC_EXPORT bool HasTStr(StringId id);

// The Qt resource path of an icon id (":/zel/icons/<id>.svg").
ZELHOST_DOC_EXPORT TString LookupDefaultQtZelRes(QtZelResourceId id);
ZELHOST_DOC_EXPORT bool IsKnownQtZelRes(QtZelResourceId id);
