#include "host/ui/DuplicateHighlight.h"

#include "host/doc/StringIds.h"
#include "host/doc/StringTable.h"
#include "host/ui/UnificationColors.h"

TString GetDuplicateTooltip(const TString& shownText)
{
    return LookupTFmtStr(Zel::Strings::DuplicateValueTooltip).arg(shownText).ToTString();
}

QColor GetDuplicateBackground()
{
    return UnificationColors::Get().GetDuplicateBackgroundColor();
}
