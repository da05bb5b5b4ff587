#include "host/ui/ColorObjectUtil.h"

QColor QColorFromColorObject(const ColorObject& color)
{
    return QColor(color.red, color.green, color.blue, color.alpha);
}

ColorObject ColorObjectFromQColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return ColorObject {static_cast<std::uint8_t>(rgb.red()), static_cast<std::uint8_t>(rgb.green()),
        static_cast<std::uint8_t>(rgb.blue()), static_cast<std::uint8_t>(rgb.alpha())};
}
