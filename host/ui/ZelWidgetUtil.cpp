#include "host/ui/ZelWidgetUtil.h"

#include "host/doc/Exceptions.h"
#include "host/ui/ScaleForDpi.h"
#include "host/ui/UnificationFontUtil.h"

#include <algorithm>
#include <iterator>

namespace {
constexpr const char* SourcePath = "host/ui/ZelWidgetUtil";

struct FontEntry
{
    int id;
    int role;
    int weight;
    bool italic;
    bool underline;
    bool monospace;
};

using F = UnificationFontUtil;
using W = ZelWidgetUtil;

constexpr FontEntry FontTable[] = {
    {W::Font_Default, F::Body, F::Regular, false, false, false},
    {W::Font_Small, F::Small, F::Regular, false, false, false},
    {W::Font_Bold, F::Body, F::Bold, false, false, false},
    {W::Font_Italic, F::Body, F::Regular, true, false, false},
    {W::Font_Link, F::Body, F::Regular, false, true, false},
    // Code reads better a step smaller than body text in a proportional layout.
    {W::Font_Code, F::Small, F::Regular, false, false, true},
    {W::Font_Caption, F::Caption, F::Regular, false, false, false},
    {W::Font_Footnote, F::Footnote, F::Regular, false, false, false},
    {W::Font_SemiBold, F::Body, F::SemiBold, false, false, false},
    {W::Font_Subtitle, F::Subtitle, F::Regular, false, false, false},
    {W::Font_SubtitleSemiBold, F::Subtitle, F::SemiBold, false, false, false},
    {W::Font_Title, F::Title, F::Regular, false, false, false},
    {W::Font_Headline, F::Headline, F::Regular, false, false, false},
    {W::Font_DialogTitle, F::Subtitle, F::SemiBold, false, false, false},
    {W::Font_SectionHeading, F::Title, F::SemiBold, false, false, false},
};

const FontEntry* FindFont(int fontId)
{
    auto it = std::find_if(
        std::begin(FontTable), std::end(FontTable), [fontId](const FontEntry& entry) { return entry.id == fontId; });
    return it == std::end(FontTable) ? nullptr : &*it;
}
} // namespace

bool ZelWidgetUtil::IsKnownFontId(int fontId)
{
    return FindFont(fontId) != nullptr;
}

QFont ZelWidgetUtil::GetFont(int fontId, const QPaintDevice* device, bool scaled)
{
    const FontEntry* entry = FindFont(fontId);
    ZEL_LOGIC_CHECK(SourcePath, entry != nullptr);

    QFont font(entry->monospace ? UnificationFontUtil::GetMonospaceFamily() : UnificationFontUtil::GetFamily());
    font.setStyleHint(entry->monospace ? QFont::Monospace : QFont::SansSerif);
    const int logicalSize = UnificationFontUtil::GetPixelSize(entry->role);
    font.setPixelSize(scaled ? ScaleForDpi(device, logicalSize) : logicalSize);
    font.setWeight(UnificationFontUtil::ToQFontWeight(entry->weight));
    font.setItalic(entry->italic);
    font.setUnderline(entry->underline);
    return font;
}

QFont ZelWidgetUtil::GetFont(int fontId, bool scaled)
{
    return GetFont(fontId, nullptr, scaled);
}
