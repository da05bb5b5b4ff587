#pragma once

#include "host/doc/TString.h"
#include "host/ui/ZelHostUiExport.h"

#include <QtGui/QColor>

// How a list cell whose text another entry shows too is marked: a tooltip that names the text and
// a soft red background. Alias editors and lists of values share them so the mark reads the same
// everywhere.
ZELHOST_UI_EXPORT TString GetDuplicateTooltip(const TString& shownText);
ZELHOST_UI_EXPORT QColor GetDuplicateBackground();
