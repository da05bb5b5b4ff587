#include "widgets/NoOverLapScrollBarStyle.h"

NoOverLapScrollBarStyle::NoOverLapScrollBarStyle() = default;

NoOverLapScrollBarStyle::~NoOverLapScrollBarStyle() = default;

int NoOverLapScrollBarStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    if (metric == PM_ScrollView_ScrollBarOverlap)
        return 1;
    return UnificationStyle::pixelMetric(metric, option, widget);
}
