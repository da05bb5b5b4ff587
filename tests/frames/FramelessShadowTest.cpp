// The frame's drop shadow is blurred once per size and reused. What it paints must stay what Qt's
// own QGraphicsDropShadowEffect paints however the frame's content changes, and a change of size
// or colour must blur it again.

#include "tests/support/ZelTestCase.h"

#include "main/dialogs/ZelvarFramelessDialog.h"

#include <QtTest/QTest>
#include <QtWidgets/QFrame>
#include <QtWidgets/QGraphicsDropShadowEffect>
#include <QtWidgets/QLabel>

#include <algorithm>
#include <cstdlib>

namespace {

enum class Change
{
    None,
    ContentRepainted,
    FrameResized,
    ShadowRecoloured
};

} // namespace

Q_DECLARE_METATYPE(Change)

namespace {

// The frame with a label as its content. The shadows are shared by every frame of the process, so
// each test gives its frames a width of their own.
struct Frame
{
    explicit Frame(int width)
        : dialog(nullptr, true)
        , label(new QLabel(QStringLiteral("Sheet 1")))
    {
        dialog.setWindowTitle(QStringLiteral("Rename Sheet"));
        dialog.SetContentWidget(label);
        dialog.ResizeDialog(width, 180);
    }

    QFrame& MainFrame() { return *dialog.findChild<QFrame*>(QStringLiteral("mainFrame")); }
    QGraphicsDropShadowEffect& Effect()
    {
        return *qobject_cast<QGraphicsDropShadowEffect*>(MainFrame().graphicsEffect());
    }

    // The frame's own effect answers its count; another (Qt's) none.
    int BlurCount()
    {
        const QVariant count = Effect().property("blurCount");
        return count.isValid() ? count.toInt() : -1;
    }

    void Apply(Change change)
    {
        dialog.grab();
        switch (change) {
        case Change::ContentRepainted:
            label->setText(QStringLiteral("Quarterly figures, second sheet"));
            break;
        case Change::FrameResized:
            dialog.ResizeDialog(dialog.width() + 90, 230);
            break;
        case Change::ShadowRecoloured:
            Effect().setColor(QColor(0x20, 0x40, 0x80, 140));
            break;
        case Change::None:
            break;
        }
    }

    // What Qt's own effect paints with the frame's settings in place of the frame's effect.
    QImage PaintedByQt()
    {
        auto* plain = new QGraphicsDropShadowEffect;
        plain->setBlurRadius(Effect().blurRadius());
        plain->setOffset(Effect().offset());
        plain->setColor(Effect().color());
        MainFrame().setGraphicsEffect(plain); // deletes the frame's own
        return dialog.grab().toImage();
    }

    ZelvarFramelessDialog dialog;
    QLabel* label;
};

// The largest difference of one premultiplied channel between two pictures of the same size.
int LargestDifference(const QImage& first, const QImage& second)
{
    const QImage a = first.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = second.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qAlpha(p) - qAlpha(q)), std::abs(qRed(p) - qRed(q)),
                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

} // namespace

class FramelessShadowTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void theShadowIsQtsAfterAnyChange_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<Change>("change");
        QTest::addColumn<int>("blurs");
        QTest::newRow("first paint") << 300 << Change::None << 1;
        QTest::newRow("content repainted") << 301 << Change::ContentRepainted << 1;
        QTest::newRow("frame resized") << 302 << Change::FrameResized << 2;
        QTest::newRow("shadow recoloured") << 303 << Change::ShadowRecoloured << 2;
    }

    void theShadowIsQtsAfterAnyChange()
    {
        QFETCH(int, width);
        QFETCH(Change, change);
        QFETCH(int, blurs);
        Frame ours(width);
        Frame qts(width);
        ours.Apply(change);
        qts.Apply(change);
        const QImage painted = ours.dialog.grab().toImage();
        QCOMPARE(ours.BlurCount(), blurs);
        // The second frame found every shadow it needed made by the first.
        QCOMPARE(qts.BlurCount(), 0);

        const QImage expected = qts.PaintedByQt();
        QCOMPARE(painted.size(), expected.size());
        const int difference = LargestDifference(painted, expected);
        QVERIFY2(difference == 0, qPrintable(QStringLiteral("a channel differs by %1").arg(difference)));
    }

    void theFrameInsideTheShadowIsPaintedAsItIsNow()
    {
        // A stale picture of the frame under the current one must never show through.
        Frame ours(310);
        ours.Apply(Change::ContentRepainted);
        const QImage painted = ours.dialog.grab().toImage();
        const qreal ratio = painted.devicePixelRatioF();
        const QRect frame = ours.MainFrame().geometry();
        const QImage inside = painted.copy(QRect(frame.topLeft() * ratio, frame.size() * ratio));
        QCOMPARE(inside, ours.MainFrame().grab().toImage().convertToFormat(inside.format()));
    }

    void aFrameOpenedAgainAtItsSizeIsNotBlurredAgain()
    {
        QImage first;
        {
            Frame frame(320);
            first = frame.dialog.grab().toImage();
            QCOMPARE(frame.BlurCount(), 1);
        }
        Frame again(320);
        QCOMPARE(again.dialog.grab().toImage(), first);
        QCOMPARE(again.BlurCount(), 0);
    }
};

QTEST_MAIN(FramelessShadowTest)

#include "FramelessShadowTest.moc"
