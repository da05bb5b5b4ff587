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
// cached picture holds Qt's shadow with the frame as it was painted over it, and each paint covers
// that frame with the current one. The shadow comes from Qt's own filter, run on the picture of the
// frame that was painted anyway, so a frame is never painted twice for its shadow; it is the same,
// pixel for pixel, as Qt's effect paints. A change of the source's size or place, of its device
// pixel ratio, or of the blur, offset or colour makes the picture again.
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
    // Qt's shadow of the frame at `frame` in `source` (logical pixels), with `source` drawn over it.
    QImage Picture(const QPixmap& source, const QRect& frame) const;

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
