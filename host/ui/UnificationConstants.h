#pragma once

#include "host/ui/ZelHostUiExport.h"

// Spacing and shape constants of the flat look, in logical (96 dpi) pixels: pass them through
// ScaleForDpi before use.
class ZELHOST_UI_EXPORT UnificationConstants
{
public:
    static const UnificationConstants& Get();

    int GetSmallSpacing() const { return 4; }
    int GetMediumSpacing() const { return 12; }
    int GetLargeSpacing() const { return 18; }
    int GetExtraLargeSpacing() const { return 24; }

    int GetCornerRadius() const { return 3; }
    int GetBorderWidth() const { return 1; }
    int GetFocusBorderWidth() const { return 1; }

    int GetControlHeight() const { return 28; }
    int GetButtonHorizontalPadding() const { return 14; }
    int GetButtonVerticalPadding() const { return 5; }
    int GetMinimalButtonHorizontalPadding() const { return 4; }
    int GetMinimalButtonVerticalPadding() const { return 2; }
    int GetButtonIconTextSpacing() const { return 6; }
    int GetDropArrowSize() const { return 8; }

    int GetIndicatorSize() const { return 14; }
    int GetSmallIconSize() const { return 16; }
    int GetLargeIconSize() const { return 32; }
    int GetScrollBarExtent() const { return 12; }

private:
    UnificationConstants() = default;
};
