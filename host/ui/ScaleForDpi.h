#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtCore/QMargins>
#include <QtCore/QSize>

class QPaintDevice;

// Sizes in the toolkit are designed for a 96 dpi screen. These turn such a logical size into the
// pixels of the device that will show it, by the device's logical dpi. A null device stands for
// the primary screen (and for no scaling at all when there is no screen yet).
//
// Qt's own device pixel ratio (QT_SCALE_FACTOR, per-screen factors) is applied by Qt on top of
// this and must not be applied here again.
ZELHOST_UI_EXPORT qreal DpiScaleFactor(const QPaintDevice* device);
ZELHOST_UI_EXPORT int ScaleForDpi(const QPaintDevice* device, int logical);
ZELHOST_UI_EXPORT QSize ScaleForDpi(const QPaintDevice* device, QSize logical);
ZELHOST_UI_EXPORT QMargins ScaleForDpi(const QPaintDevice* device, const QMargins& logical);
