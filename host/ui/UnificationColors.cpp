#include "host/ui/UnificationColors.h"

#include "host/doc/Exceptions.h"

namespace {
constexpr const char* SourcePath = "host/ui/UnificationColors";
}

const UnificationColors& UnificationColors::Get()
{
    static const UnificationColors colors;
    return colors;
}

UnificationColors::UnificationColors()
{
    auto set = [this](ColorId id, QRgb rgb, int alpha = 255) {
        QColor color(rgb);
        color.setAlpha(alpha);
        m_colors[id] = color;
    };
    set(TitleBarBackground, 0xF3F4F6);
    set(TitleText, 0x1F2328);
    set(Text, 0x333333);
    set(SecondaryText, 0x6B6F76);
    set(DisabledText, 0xA6A9AE);
    set(PlaceholderText, 0x8C9096);
    set(Surface, 0xFFFFFF);
    set(AlternateSurface, 0xF5F5F5);
    set(WindowBackground, 0xFAFAFA);
    set(Border, 0xD5D8DC);
    set(StrongBorder, 0xA9AEB4);
    set(Hover, 0xEEF1F4);
    set(Pressed, 0xE0E5EA);
    set(Selection, 0xD3E6F8);
    set(SelectionText, 0x1F2328);
    set(Focus, 0x2F7BD3);
    set(Link, 0x1F6FB5);
    set(LinkHover, 0x17578F);
    set(GreenPrimary, 0x23874B);
    set(GreenPrimaryHover, 0x1D7541);
    set(GreenPrimaryPressed, 0x176236);
    set(GreenPrimaryDisabled, 0xB9D7C4);
    set(OnFilledText, 0xFFFFFF);
    set(GreyFill, 0xE7E9EC);
    set(GreyFillHover, 0xDCDFE3);
    set(GreyFillPressed, 0xCED2D7);
    set(Attention, 0xC8373C);
    set(AttentionHover, 0xB02F33);
    set(AttentionPressed, 0x95272B);
    set(AttentionText, 0xC42B30);
    set(Warning, 0xD98A00);
    set(Success, 0x23874B);
    set(BalloonTipBackground, 0xFFFFFF);
    set(BalloonTipBorder, 0xC9CDD2);
    set(BalloonTipText, 0x333333);
    set(DuplicateBackground, 0xFBE3E4);
    set(DropShadow, 0x000000, 76);
    set(DarkSurface, 0x355C80);
    set(OnDarkText, 0xFFFFFF);
}

QColor UnificationColors::GetColor(int id) const
{
    ZEL_LOGIC_CHECK(SourcePath, id >= 0 && id < ColorCount);
    return m_colors[static_cast<std::size_t>(id)];
}
