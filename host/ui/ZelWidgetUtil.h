#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtGui/QFont>

class QPaintDevice;

// The host's numbered fonts. Older widgets ask for a font by id rather than by role and weight;
// each id maps onto the type ramp of UnificationFontUtil, so both kinds of widget agree.
class ZELHOST_UI_EXPORT ZelWidgetUtil
{
public:
    enum FontId : int
    {
        Font_Default = 0,
        Font_Small = 1,
        Font_Bold = 2,
        Font_Italic = 3,
        Font_Link = 4,
        Font_Code = 5,
        Font_Caption = 6,
        Font_Footnote = 7,
        Font_SemiBold = 8,
        Font_Subtitle = 10,
        Font_SubtitleSemiBold = 11,
        Font_Title = 20,
        Font_Headline = 21,
        Font_DialogTitle = 26,
        Font_SectionHeading = 30,
    };

    // With `scaled` the size is scaled for `device` (null: the primary screen); without, it is
    // the logical size. An id that is not in the table raises the logic exception.
    static QFont GetFont(int fontId, const QPaintDevice* device, bool scaled);
    static QFont GetFont(int fontId, bool scaled);

    static bool IsKnownFontId(int fontId);
};
