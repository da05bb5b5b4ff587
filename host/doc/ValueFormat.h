#pragma once

#include "DataValue.h"
#include "TString.h"

#include <vector>

// One display format that the host offers for a data type, with the caption its pickers show.
struct FormatChoice
{
    TString format;
    TString caption;
};

// The host's display formats of values. Numeric formats are a letter and a digit count: "n<d>" a
// number with group separators and d decimals, "c<d>" currency, "p<d>" a percentage (the value times
// 100), "e<d>" scientific. Date and date-time formats are date/time patterns ("yyyy-MM-dd"). The
// empty format is the automatic one. Results are in English whatever the machine's locale, so that
// a workbook shows the same text everywhere.
namespace ValueFormat {
// The formats offered for a data type, the automatic one ("", "Automatic") first. Strings and
// booleans have only the automatic one.
ZELHOST_DOC_EXPORT std::vector<FormatChoice> ChoicesFor(DataType type);
// The value's text through the format. The automatic format gives integers plain, reals with up to 6
// significant digits without trailing zeros, dates "yyyy-MM-dd", date-times "yyyy-MM-dd HH:mm:ss",
// booleans "True"/"False", strings as they are and nulls "Null". A format that does not fit the
// value's type is treated as automatic.
ZELHOST_DOC_EXPORT TString Format(const DataValue& value, const TString& format);
// Whether the format fits the type: automatic always does.
ZELHOST_DOC_EXPORT bool IsValidFormat(DataType type, const TString& format);
} // namespace ValueFormat
