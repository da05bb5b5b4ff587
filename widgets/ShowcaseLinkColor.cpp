#include "widgets/ShowcaseLinkColor.h"

#include "host/doc/Preferences.h"
#include "host/ui/ColorObjectUtil.h"

QColor ShowcaseLinkColor()
{
    return QColorFromColorObject(SessionContext::Get().GetIPreferences()->GetColor(TString(L"ui.openpane.link.color")));
}
