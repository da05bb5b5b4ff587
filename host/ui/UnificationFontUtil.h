#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtGui/QFont>

class QPaintDevice;

// The type ramp of the flat look. A font is asked for by role (its size) and weight; sizes are
// logical pixels scaled for the device that shows the text, so text keeps its proportion to the
// ScaleForDpi-scaled layout around it.
class ZELHOST_UI_EXPORT UnificationFontUtil
{
public:
    enum Role : int
    {
        Caption = 0,
        Footnote = 1,
        Small = 2,
        Body = 3,
        Subtitle = 4,
        Title = 5,
        Headline = 6,
        RoleCount
    };

    enum Weight : int
    {
        Regular = 0,
        SemiBold = 1,
        Bold = 2,
        Light = 3,
        WeightCount
    };

    // A role or weight outside the enums raises the logic exception. A null device scales for
    // the primary screen.
    static QFont GetFont(int role, int weight, const QPaintDevice* device);

    // The unscaled size of a role, in logical pixels.
    static int GetPixelSize(int role);
    static QFont::Weight ToQFontWeight(int weight);

    // DejaVu Sans where it is installed, else the application's own font family.
    static QString GetFamily();
    static QString GetMonospaceFamily();
};
