#include "host/ui/UnificationFontUtil.h"

#include "host/doc/Exceptions.h"
#include "host/ui/ScaleForDpi.h"

#include <QtGui/QFontDatabase>
#include <QtGui/QGuiApplication>

#include <array>

namespace {
constexpr const char* SourcePath = "host/ui/UnificationFontUtil";

constexpr std::array<int, UnificationFontUtil::RoleCount> PixelSizes = {
    10, // Caption
    11, // Footnote
    12, // Small
    13, // Body
    15, // Subtitle
    18, // Title
    24, // Headline
};

QString PreferredFamily(const QString& wanted, QFont::StyleHint fallbackHint)
{
    // The font database needs a GUI application; without one the preference is the best answer.
    if (!qGuiApp)
        return wanted;
    if (QFontDatabase().families().contains(wanted))
        return wanted;
    if (fallbackHint == QFont::Monospace)
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    return QGuiApplication::font().family();
}
} // namespace

QString UnificationFontUtil::GetFamily()
{
    static const QString family = PreferredFamily(QStringLiteral("DejaVu Sans"), QFont::SansSerif);
    return family;
}

QString UnificationFontUtil::GetMonospaceFamily()
{
    static const QString family = PreferredFamily(QStringLiteral("DejaVu Sans Mono"), QFont::Monospace);
    return family;
}

int UnificationFontUtil::GetPixelSize(int role)
{
    ZEL_LOGIC_CHECK(SourcePath, role >= 0 && role < RoleCount);
    return PixelSizes[static_cast<std::size_t>(role)];
}

QFont::Weight UnificationFontUtil::ToQFontWeight(int weight)
{
    switch (weight) {
    case Regular:
        return QFont::Normal;
    case SemiBold:
        return QFont::DemiBold;
    case Bold:
        return QFont::Bold;
    case Light:
        return QFont::Light;
    default:
        ThrowLogicException(SourcePath, __LINE__, "weight >= 0 && weight < WeightCount");
    }
}

QFont UnificationFontUtil::GetFont(int role, int weight, const QPaintDevice* device)
{
    const int pixelSize = GetPixelSize(role);
    QFont font(GetFamily());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(ScaleForDpi(device, pixelSize));
    font.setWeight(ToQFontWeight(weight));
    return font;
}
