#pragma once

#include <QtGui/QImage>
#include <QtWidgets/QGraphicsDropShadowEffect>

#include <cstdint>
#include <tuple>

// The frame's drop shadow, drawn as Qt's QGraphicsDropShadowEffect draws it, but blurred once per
// size of the frame rather than on every paint. A widget effect renders its whole source again
// whenever anything inside it is repainted, and the blur of a dialog-sized shadow costs more than
// painting the dialog itself; the shadow of an opaque frame, though, depends only on the frame's
// size and the effect's settings.
//
// It relies on the frame filling its background (opaque everywhere inside its rectangle): the
// picture holds Qt's shadow under an opaque rectangle where the frame is, and each paint covers
// that rectangle with the frame as it is now. The shadow comes from Qt's own filter, so it is the
// same, pixel for pixel, as Qt's effect paints, and the frame is never painted twice for it. A
// change of the source's size, of the frame's place in it, of the device pixel ratio, or of the
// blur, offset or colour makes the picture again.
//
// The pictures are shared by every frame of the process through a small most-recently-used cache
// (a few dialog-sized pictures), since a dialog is usually opened again at the size it had: its
// first paint then skips the blur too. Each effect keeps a reference to the picture it paints.
class FramelessShadowEffect final : public QGraphicsDropShadowEffect
{
    Q_OBJECT
    // Read by the tests through the meta-object: the class is not exported.
    Q_PROPERTY(int blurCount READ BlurCount)

public:
    explicit FramelessShadowEffect(QObject* parent = nullptr);
    ~FramelessShadowEffect() override;

    // Times this effect blurred its shadow rather than finding it made, for tests and benchmarks.
    int BlurCount() const noexcept { return m_blurCount; }

    // What the picture depends on: the source's size in device pixels, the frame's rectangle in it
    // (logical pixels), and the device pixel ratio, blur radius, offset and colour (ARGB), the
    // fractional ones in thousandths.
    using Key = std::tuple<int, int, int, int, int, int, std::int64_t, std::int64_t, std::int64_t, std::int64_t,
        unsigned int>;

protected:
    void draw(QPainter* painter) override;

private:
    // Qt's shadow of an opaque `frame` (logical pixels) in a padded source of `pixels` device
    // pixels at `ratio`, with the frame's rectangle drawn opaque over it.
    QImage Picture(const QSize& pixels, qreal ratio, const QRect& frame) const;

    Key m_key {};
    QImage m_picture;
    int m_blurCount = 0;
};
