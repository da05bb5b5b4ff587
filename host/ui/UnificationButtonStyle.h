#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtGui/QColor>

#include <array>

class QPainter;
class QPushButton;
class QRect;

// The colours and shape of one kind of button, per state. Sizes are logical pixels.
struct ZELHOST_UI_EXPORT UnificationButtonLook
{
    enum State : int
    {
        Normal = 0,
        Disabled = 1,
        Pressed = 2,
        Hover = 3,
        StateCount
    };

    std::array<QColor, StateCount> background;
    std::array<QColor, StateCount> border;
    std::array<QColor, StateCount> text;
    bool drawBorder = true;
    // A filled button separates its focus ring from its fill with a thin inner line.
    bool filled = false;
    int cornerRadius = 3;
    int horizontalPadding = 14;
    int verticalPadding = 5;
};

// The button kinds of the flat look. A plain QPushButton is given a style object that paints the
// kind it carries, while its text colour stays in its palette: fonts and palettes keep flowing into
// it from its parent (a style sheet would stop that), and a caller may still recolour the text
// afterwards (SetButtonTextColor). A ZelvarButton paints itself and takes the look directly.
class ZELHOST_UI_EXPORT UnificationButtonStyle
{
public:
    enum Kind : int
    {
        GreenFilled,
        GreyFilled,
        Outline,
        LightOutline,
        Text,
        DeprecatedText,
        Attention,
        KindCount
    };

    // The primary action of a dialog: white text on green.
    static void ApplyGreenFilledButtonStyling(QPushButton& button);
    // A secondary action that still needs weight (delete, remove).
    static void ApplyGreyFilledButtonStyling(QPushButton& button);
    // The ordinary secondary action (Cancel): white with a grey outline.
    static void ApplyOutlineButtonStyling(QPushButton& button);
    static void ApplyOutlineStyleButtonStyling(QPushButton& button) { ApplyOutlineButtonStyling(button); }
    // For dark backgrounds: transparent with a white outline and white text.
    static void ApplyLightOutlineButtonStyling(QPushButton& button);
    static void ApplyLightOutlineStyleButtonStyling(QPushButton& button) { ApplyLightOutlineButtonStyling(button); }
    // A link-like action in blue text without a frame.
    static void ApplyTextButtonStyling(QPushButton& button);
    // The older frameless text button: dark grey text, a light fill under the mouse.
    static void ApplyDeprecatedTextButtonStyling(QPushButton& button);
    // A destructive action: white text on red.
    static void ApplyAttentionButtonStyling(QPushButton& button);

    // A kind outside the enum raises the logic exception.
    static void ApplyStyling(QPushButton& button, int kind);
    static UnificationButtonLook GetLook(int kind);

    // Recolours the text of a styled button in its enabled states.
    static void SetButtonTextColor(QPushButton& button, const QColor& color);

    // The kind a button was styled with, or -1.
    static int GetStyling(const QPushButton& button);

    // The shape shared by every styled button: the rounded fill, then either the border or, with
    // keyboard focus, the blue focus ring (inside a thin white line on filled buttons).
    static void PaintButtonShape(QPainter& painter, const QRect& rect, const QColor& background, const QColor& border,
        bool focusRing, bool filled, qreal radius);
    // The chevron of a button that opens a menu, centred in `rect`.
    static void PaintDropArrow(QPainter& painter, const QRect& rect, const QColor& color);
};
