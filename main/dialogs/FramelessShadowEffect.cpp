#include "main/dialogs/FramelessShadowEffect_p.h"

#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtGui/QTransform>
#include <QtWidgets/QGraphicsRectItem>
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
    const Key key {source.size(), offset, source.devicePixelRatioF(), blurRadius(), this->offset(), color()};
    if (m_picture.isNull() || !(key == m_key)) {
        const QRect frame = sourceBoundingRect(Qt::DeviceCoordinates).toAlignedRect().translated(-offset);
        m_picture = Picture(source.size(), source.devicePixelRatioF(), frame);
        m_key = key;
        ++m_blurCount;
    }
    const QTransform restore = painter->worldTransform();
    painter->setWorldTransform(QTransform());
    painter->drawImage(offset, m_picture);
    painter->drawPixmap(offset, source);
    painter->setWorldTransform(restore);
}
