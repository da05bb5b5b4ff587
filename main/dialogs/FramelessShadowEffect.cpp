#include "main/dialogs/FramelessShadowEffect_p.h"

#include "public/utility/MruCache.h"

#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtGui/QTransform>
#include <QtWidgets/QGraphicsRectItem>
#include <QtWidgets/QGraphicsScene>

namespace {

// A few dialog-sized pictures: a frame of 500 x 700 logical pixels takes 1.4 MB at a device pixel
// ratio of 1 and four times that at 2.
constexpr std::uint64_t SharedPictureBytes = 8 * 1024 * 1024;

using PictureCache = MruCache<const FramelessShadowEffect::Key, QImage, 1>;

PictureCache& SharedPictures()
{
    static PictureCache cache(SharedPictureBytes);
    return cache;
}

std::int64_t Thousandths(qreal value)
{
    return qRound64(value * 1000);
}

} // namespace

FramelessShadowEffect::FramelessShadowEffect(QObject* parent)
    : QGraphicsDropShadowEffect(parent)
{
}

FramelessShadowEffect::~FramelessShadowEffect() = default;

QImage FramelessShadowEffect::Picture(const QSize& pixels, qreal ratio, const QRect& frame) const
{
    // Qt's drop shadow filter over a scene item rather than the widget, so that the widget need not
    // be painted a second time. The filter reads only the alpha of what it shadows, so an opaque
    // rectangle where the frame is in the padded source stands for the frame; at the frame's place
    // the filter pads it exactly as it pads the widget (the blur depends on where the edges fall).
    QGraphicsScene scene;
    QGraphicsRectItem* item = scene.addRect(QRectF(frame), Qt::NoPen, Qt::black);
    auto* shadow = new QGraphicsDropShadowEffect;
    shadow->setBlurRadius(blurRadius());
    shadow->setOffset(offset());
    shadow->setColor(color());
    item->setGraphicsEffect(shadow);

    QImage picture(pixels, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const QRectF area(QPointF(0, 0), QSizeF(pixels) / ratio);
    scene.render(&painter, area, area);
    return picture;
}

void FramelessShadowEffect::draw(QPainter* painter)
{
    QPoint offset;
    const QPixmap source = sourcePixmap(Qt::DeviceCoordinates, &offset, PadToEffectiveBoundingRect);
    if (source.isNull())
        return;
    const QRect frame = sourceBoundingRect(Qt::DeviceCoordinates).toAlignedRect().translated(-offset);
    const qreal ratio = source.devicePixelRatioF();
    const Key key {source.width(), source.height(), frame.x(), frame.y(), frame.width(), frame.height(),
        Thousandths(ratio), Thousandths(blurRadius()), Thousandths(this->offset().x()), Thousandths(this->offset().y()),
        color().rgba()};
    if (m_picture.isNull() || key != m_key) {
        m_picture = SharedPictures().GetOrInsert(
            key,
            [&] {
                ++m_blurCount;
                return Picture(source.size(), ratio, frame);
            },
            static_cast<std::uint64_t>(std::int64_t {source.width()} * source.height() * 4));
        m_key = key;
    }
    const QTransform restore = painter->worldTransform();
    painter->setWorldTransform(QTransform());
    painter->drawImage(offset, m_picture);
    painter->drawPixmap(offset, source);
    painter->setWorldTransform(restore);
}
