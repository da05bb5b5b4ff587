#include "main/dialogs/FramelessShadowEffect_p.h"

#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtWidgets/QGraphicsPixmapItem>
#include <QtWidgets/QGraphicsScene>

FramelessShadowEffect::FramelessShadowEffect(QObject* parent)
    : QGraphicsDropShadowEffect(parent)
{
}

FramelessShadowEffect::~FramelessShadowEffect() = default;

bool FramelessShadowEffect::Key::operator==(const Key& other) const
{
    return size == other.size && offset == other.offset && devicePixelRatio == other.devicePixelRatio
        && blurRadius == other.blurRadius && shadowOffset == other.shadowOffset && color == other.color;
}

QImage FramelessShadowEffect::Picture(const QPixmap& source, const QRect& frame) const
{
    // Qt's drop shadow filter over the frame's picture, as a scene item rather than the widget, so
    // that the widget need not be painted a second time: the item's picture is the one just painted.
    // The item holds the frame alone, placed where it is in the padded source, so that the filter
    // pads it exactly as it pads the widget: its blur depends on where the frame's edges fall.
    const qreal ratio = source.devicePixelRatioF();
    QPixmap inside = source.copy(QRect(frame.topLeft() * ratio, frame.size() * ratio));
    inside.setDevicePixelRatio(ratio);
    QGraphicsScene scene;
    QGraphicsPixmapItem* item = scene.addPixmap(inside);
    item->setPos(frame.topLeft());
    auto* shadow = new QGraphicsDropShadowEffect;
    shadow->setBlurRadius(blurRadius());
    shadow->setOffset(offset());
    shadow->setColor(color());
    item->setGraphicsEffect(shadow);

    QImage picture(source.size(), QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const QRectF area(QPointF(0, 0), QSizeF(source.size()) / ratio);
    scene.render(&painter, area, area);
    return picture;
}

void FramelessShadowEffect::draw(QPainter* painter)
{
    QPoint offset;
    const QPixmap source = sourcePixmap(Qt::DeviceCoordinates, &offset, PadToEffectiveBoundingRect);
    if (source.isNull())
        return;
    const Key key {source.size(), offset, source.devicePixelRatioF(), blurRadius(), this->offset(), color()};
    if (m_picture.isNull() || !(key == m_key)) {
        const QRect frame = sourceBoundingRect(Qt::DeviceCoordinates).toAlignedRect().translated(-offset);
        m_picture = Picture(source, frame);
        m_key = key;
        ++m_blurCount;
    }
    const QTransform restore = painter->worldTransform();
    painter->setWorldTransform(QTransform());
    painter->drawImage(offset, m_picture);
    painter->drawPixmap(offset, source);
    painter->setWorldTransform(restore);
}
