#include "host/ui/ScaleForDpi.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QPaintDevice>
#include <QtGui/QScreen>

#include <cmath>

namespace {
constexpr qreal DesignDpi = 96.0;

qreal LogicalDpi(const QPaintDevice* device)
{
    if (device) {
        const int dpi = device->logicalDpiX();
        if (dpi > 0)
            return dpi;
    }
    if (qGuiApp) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            return screen->logicalDotsPerInchX();
    }
    return DesignDpi;
}
} // namespace

qreal DpiScaleFactor(const QPaintDevice* device)
{
    return LogicalDpi(device) / DesignDpi;
}

int ScaleForDpi(const QPaintDevice* device, int logical)
{
    return static_cast<int>(std::lround(logical * DpiScaleFactor(device)));
}

QSize ScaleForDpi(const QPaintDevice* device, QSize logical)
{
    const qreal factor = DpiScaleFactor(device);
    return QSize(static_cast<int>(std::lround(logical.width() * factor)),
        static_cast<int>(std::lround(logical.height() * factor)));
}

QMargins ScaleForDpi(const QPaintDevice* device, const QMargins& logical)
{
    const qreal factor = DpiScaleFactor(device);
    auto scale = [factor](int v) { return static_cast<int>(std::lround(v * factor)); };
    return QMargins(scale(logical.left()), scale(logical.top()), scale(logical.right()), scale(logical.bottom()));
}
