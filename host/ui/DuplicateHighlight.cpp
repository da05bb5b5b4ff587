#include "host/ui/DuplicateHighlight.h"

#include "host/doc/StringTable.h"
#include "host/ui/UnificationColors.h"

TString GetDuplicateTooltip(const TString& shownText)
{
    return LookupTFmtStr(1526846369).arg(shownText).ToTString();
}

QColor GetDuplicateBackground()
{
    return UnificationColors::Get().GetDuplicateBackgroundColor();
}
