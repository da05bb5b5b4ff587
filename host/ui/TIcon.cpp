#include "host/ui/TIcon.h"

#include "host/doc/Exceptions.h"

#include <QtGui/QIconEngine>
#include <QtGui/QPainter>
#include <QtGui/QPixmapCache>
#include <QtSvg/QSvgRenderer>

#include <cmath>

namespace {
constexpr const char* SourcePath = "host/ui/TIcon";

QRectF FitCentred(const QSizeF& drawing, const QRectF& target)
{
    if (drawing.isEmpty())
        return target;
    const QSizeF fitted = drawing.scaled(target.size(), Qt::KeepAspectRatio);
    QRectF rect(QPointF(0, 0), fitted);
    rect.moveCenter(target.center());
    return rect;
}

void Render(QSvgRenderer& renderer, QPainter& painter, const QRectF& target)
{
    renderer.render(&painter, FitCentred(renderer.defaultSize(), target));
}

QPixmap RenderPixmap(const QString& path, const QSize& logicalSize, qreal devicePixelRatio, bool disabled)
{
    if (path.isEmpty() || logicalSize.isEmpty() || devicePixelRatio <= 0)
        return QPixmap();
    const QSize deviceSize(static_cast<int>(std::ceil(logicalSize.width() * devicePixelRatio)),
        static_cast<int>(std::ceil(logicalSize.height() * devicePixelRatio)));
    const QString key = QStringLiteral("zel-icon:%1:%2x%3:%4")
                            .arg(path, QString::number(deviceSize.width()), QString::number(deviceSize.height()),
                                QLatin1String(disabled ? "d" : "n"));
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;

    // A missing or broken image gives a null pixmap rather than a blank one, so that it shows up.
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return QPixmap();
    pixmap = QPixmap(deviceSize);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        // A disabled icon is the same drawing, faded, as the rest of the disabled control is.
        if (disabled)
            painter.setOpacity(0.4);
        Render(renderer, painter, QRectF(QPointF(0, 0), QSizeF(deviceSize)));
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

// Renders the drawing at whatever size a view or button asks for, independent of whether the
// platform's SVG icon plug-in is installed.
class SvgIconEngine final : public QIconEngine
{
public:
    explicit SvgIconEngine(QString path)
        : m_path(std::move(path))
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        if (!painter)
            return;
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QPixmap image = RenderPixmap(m_path, rect.size(), dpr, mode == QIcon::Disabled);
        if (!image.isNull())
            painter->drawPixmap(rect, image);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        return RenderPixmap(m_path, size, 1.0, mode == QIcon::Disabled);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }

    QIconEngine* clone() const override { return new SvgIconEngine(m_path); }

    QString key() const override { return QStringLiteral("zel-svg"); }

private:
    QString m_path;
};
} // namespace

TIcon::TIcon(QtZelResourceId id)
    : m_id(id)
{
    ZEL_LOGIC_CHECK(SourcePath, IsKnownQtZelRes(id));
    m_path = LookupDefaultQtZelRes(id).ToQString();
}

TIcon TIcon::FromResourcePath(const QString& path)
{
    TIcon icon;
    icon.m_path = path;
    return icon;
}

QSize TIcon::GetDefaultSize() const
{
    if (IsNull())
        return QSize();
    QSvgRenderer renderer(m_path);
    return renderer.isValid() ? renderer.defaultSize() : QSize();
}

QPixmap TIcon::GetPixmap(const QSize& logicalSize, qreal devicePixelRatio) const
{
    return RenderPixmap(m_path, logicalSize, devicePixelRatio, false);
}

void TIcon::Paint(QPainter& painter, const QRectF& target) const
{
    if (IsNull())
        return;
    QSvgRenderer renderer(m_path);
    if (renderer.isValid())
        Render(renderer, painter, target);
}

QIcon TIcon::ToQIcon() const
{
    if (IsNull())
        return QIcon();
    return QIcon(new SvgIconEngine(m_path));
}
