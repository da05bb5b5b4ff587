#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtGui/QColor>

#include <array>

// The colour table of the flat light look: white and near-white surfaces, dark grey text, green
// for the primary action, blue for focus and links, red for attention. Widgets read their colours
// here by name so that the whole toolkit changes together.
class ZELHOST_UI_EXPORT UnificationColors
{
public:
    enum ColorId : int
    {
        TitleBarBackground,
        TitleText,
        Text,
        SecondaryText,
        DisabledText,
        PlaceholderText,
        Surface,
        AlternateSurface,
        WindowBackground,
        Border,
        StrongBorder,
        Hover,
        Pressed,
        Selection,
        SelectionText,
        Focus,
        Link,
        LinkHover,
        GreenPrimary,
        GreenPrimaryHover,
        GreenPrimaryPressed,
        GreenPrimaryDisabled,
        OnFilledText,
        GreyFill,
        GreyFillHover,
        GreyFillPressed,
        Attention,
        AttentionHover,
        AttentionPressed,
        AttentionText,
        Warning,
        Success,
        BalloonTipBackground,
        BalloonTipBorder,
        BalloonTipText,
        DuplicateBackground,
        DropShadow,
        DarkSurface,
        OnDarkText,
        ColorCount
    };

    static const UnificationColors& Get();

    // An id outside the table raises the logic exception.
    QColor GetColor(int id) const;

    QColor GetTitleBarBackgroundColor() const { return GetColor(TitleBarBackground); }
    QColor GetTitleTextColor() const { return GetColor(TitleText); }
    QColor GetTextColor() const { return GetColor(Text); }
    QColor GetSecondaryTextColor() const { return GetColor(SecondaryText); }
    QColor GetDisabledTextColor() const { return GetColor(DisabledText); }
    QColor GetPlaceholderTextColor() const { return GetColor(PlaceholderText); }
    QColor GetSurfaceColor() const { return GetColor(Surface); }
    QColor GetAlternateSurfaceColor() const { return GetColor(AlternateSurface); }
    QColor GetWindowBackgroundColor() const { return GetColor(WindowBackground); }
    QColor GetBorderColor() const { return GetColor(Border); }
    QColor GetStrongBorderColor() const { return GetColor(StrongBorder); }
    QColor GetHoverColor() const { return GetColor(Hover); }
    QColor GetPressedColor() const { return GetColor(Pressed); }
    QColor GetSelectionColor() const { return GetColor(Selection); }
    QColor GetSelectionTextColor() const { return GetColor(SelectionText); }
    QColor GetFocusColor() const { return GetColor(Focus); }
    QColor GetLinkColor() const { return GetColor(Link); }
    QColor GetLinkHoverColor() const { return GetColor(LinkHover); }
    QColor GetGreenPrimaryColor() const { return GetColor(GreenPrimary); }
    QColor GetGreenPrimaryHoverColor() const { return GetColor(GreenPrimaryHover); }
    QColor GetGreenPrimaryPressedColor() const { return GetColor(GreenPrimaryPressed); }
    QColor GetGreenPrimaryDisabledColor() const { return GetColor(GreenPrimaryDisabled); }
    QColor GetOnFilledTextColor() const { return GetColor(OnFilledText); }
    QColor GetGreyFillColor() const { return GetColor(GreyFill); }
    QColor GetGreyFillHoverColor() const { return GetColor(GreyFillHover); }
    QColor GetGreyFillPressedColor() const { return GetColor(GreyFillPressed); }
    QColor GetAttentionColor() const { return GetColor(Attention); }
    QColor GetAttentionHoverColor() const { return GetColor(AttentionHover); }
    QColor GetAttentionPressedColor() const { return GetColor(AttentionPressed); }
    QColor GetAttentionTextColor() const { return GetColor(AttentionText); }
    QColor GetWarningColor() const { return GetColor(Warning); }
    QColor GetSuccessColor() const { return GetColor(Success); }
    QColor GetBalloonTipBackgroundColor() const { return GetColor(BalloonTipBackground); }
    QColor GetBalloonTipBorderColor() const { return GetColor(BalloonTipBorder); }
    QColor GetBalloonTipTextColor() const { return GetColor(BalloonTipText); }
    QColor GetDuplicateBackgroundColor() const { return GetColor(DuplicateBackground); }
    QColor GetDropShadowColor() const { return GetColor(DropShadow); }
    QColor GetDarkSurfaceColor() const { return GetColor(DarkSurface); }
    QColor GetOnDarkTextColor() const { return GetColor(OnDarkText); }

private:
    UnificationColors();

    std::array<QColor, ColorCount> m_colors;
};
