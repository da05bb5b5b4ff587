#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtCore/QRect>

class QWidget;

namespace QtUtil {

// The parent for a new window: the given one, else the application's active window, else none.
ZELHOST_UI_EXPORT QWidget* ResolveParent(QWidget* parent);

// A rectangle of `size` centred on `anchor` (on `available` when `anchor` is empty) and moved,
// and if need be shrunk, so that it lies inside `available`.
ZELHOST_UI_EXPORT QRect ComputeWidgetGeometry(const QSize& size, const QRect& anchor, const QRect& available);

// Where a window of `size` opens: centred over the window of `parent`, or over the screen when
// there is no parent, inside the available area of the screen the parent (or the cursor) is on.
ZELHOST_UI_EXPORT QRect ComputeWidgetGeometry(const QSize& size, const QWidget* parent);

// Places `widget` (its current size, or its size hint before it was ever resized) as above over
// its parent widget, sets its geometry and returns it. A null widget raises the logic exception.
ZELHOST_UI_EXPORT QRect ComputeWidgetGeometry(QWidget* widget);

} // namespace QtUtil
