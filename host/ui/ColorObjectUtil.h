#pragma once

#include "host/doc/Preferences.h"
#include "host/ui/ZelHostUiExport.h"

#include <QtGui/QColor>

ZELHOST_UI_EXPORT QColor QColorFromColorObject(const ColorObject& color);
ZELHOST_UI_EXPORT ColorObject ColorObjectFromQColor(const QColor& color);
