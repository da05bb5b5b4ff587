#pragma once

#include <QtGui/QColor>
#include <QtGui/QImage>
#include <QtWidgets/QGraphicsDropShadowEffect>

// The frame's drop shadow, drawn as Qt's QGraphicsDropShadowEffect draws it, but blurred once per
// size of the frame rather than on every paint. A widget effect renders its whole source again
// whenever anything inside it is repainted, and the blur of a dialog-sized shadow costs more than
// painting the dialog itself; the shadow of an opaque frame, though, depends only on the frame's
// size and the effect's settings.
//
// It relies on the frame filling its background (opaque everywhere inside its rectangle): the
// cached picture holds Qt's shadow under an opaque rectangle where the frame is, and each paint
// covers that rectangle with the frame as it is now. The shadow comes from Qt's own filter, so it is
// the same, pixel for pixel, as Qt's effect paints, and the frame is never painted twice for it. A
// change of the source's size or place, of its device pixel ratio, or of the blur, offset or colour
// makes the picture again.
class FramelessShadowEffect final : public QGraphicsDropShadowEffect
{
    Q_OBJECT

public:
    explicit FramelessShadowEffect(QObject* parent = nullptr);
    ~FramelessShadowEffect() override;

    // Times the shadow was blurred, for tests and benchmarks.
    int BlurCount() const noexcept { return m_blurCount; }

protected:
    void draw(QPainter* painter) override;

private:
    // Qt's shadow of an opaque `frame` (logical pixels) in a padded source of `pixels` device
    // pixels at `ratio`, with the frame's rectangle drawn opaque over it.
    QImage Picture(const QSize& pixels, qreal ratio, const QRect& frame) const;

    struct Key
    {
        QSize size;
        QPoint offset;
        qreal devicePixelRatio = 0;
        qreal blurRadius = 0;
        QPointF shadowOffset;
        QColor color;

        bool operator==(const Key& other) const;
    };

    Key m_key;
    QImage m_picture;
    int m_blurCount = 0;
};
