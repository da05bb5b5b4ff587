#include "FrameTestSupport.h"
#include "tests/support/ZelTestCase.h"

#include "host/doc/Preferences.h"
#include "host/ui/ColorObjectUtil.h"

#include <QtTest/QTest>

using FrameTest::LegacyFrame;
using FrameTest::Mouse;

namespace {

const wchar_t* const BackgroundKey = L"nonmodaldialog.background.color";
const wchar_t* const BorderKey = L"nonmodaldialog.border.color";

// Sets the two preference colours for one test and puts the previous ones back.
class PreferenceColours
{
public:
    PreferenceColours(const QColor& background, const QColor& border)
        : m_preferences(SessionContext::Get().GetIPreferences())
        , m_background(m_preferences->GetColor(BackgroundKey))
        , m_border(m_preferences->GetColor(BorderKey))
    {
        m_preferences->SetColor(BackgroundKey, ColorObjectFromQColor(background));
        m_preferences->SetColor(BorderKey, ColorObjectFromQColor(border));
    }
    ~PreferenceColours()
    {
        m_preferences->SetColor(BackgroundKey, m_background);
        m_preferences->SetColor(BorderKey, m_border);
    }

private:
    RefCntPtr<IPreferences> m_preferences;
    ColorObject m_background;
    ColorObject m_border;
};

} // namespace

class LegacyFramelessDialogTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void partsTakeThePreferenceColours()
    {
        const QColor background(0x20, 0x40, 0x60);
        const QColor border(0xC0, 0x30, 0x10);
        PreferenceColours colours(background, border);

        LegacyFrame frame(true, true);
        QCOMPARE(frame.palette().color(QPalette::Window), background);
        QVERIFY(frame.autoFillBackground());
        QVERIFY(!frame.isSizeGripEnabled());
        QVERIFY(FrameTest::ShowAndWait(frame));

        for (QWidget* part : {frame.GetTitleBarWidget(), frame.GetBodyWidget()}) {
            QCOMPARE(part->foregroundRole(), QPalette::Shadow);
            QCOMPARE(part->palette().color(QPalette::Shadow), border);
            QCOMPARE(part->palette().color(part->backgroundRole()), background);
            QVERIFY(part->autoFillBackground());
        }
    }

    void stripsAreStyledAndMaskedOnlyWhenBothExist_data()
    {
        QTest::addColumn<bool>("bottomStrip");
        QTest::addColumn<bool>("rightStrip");

        QTest::newRow("both strips") << true << true;
        QTest::newRow("bottom strip only") << true << false;
        QTest::newRow("right strip only") << false << true;
        QTest::newRow("no strips") << false << false;
    }

    void stripsAreStyledAndMaskedOnlyWhenBothExist()
    {
        QFETCH(bool, bottomStrip);
        QFETCH(bool, rightStrip);

        LegacyFrame frame(bottomStrip, rightStrip);
        QVERIFY(FrameTest::ShowAndWait(frame));
        const bool both = bottomStrip && rightStrip;

        if (QWidget* bottom = frame.GetBottomShadowWidget()) {
            QCOMPARE(bottom->height() == 3, both);
            QCOMPARE(bottom->autoFillBackground(), both);
        }
        if (QWidget* right = frame.GetRightShadowWidget()) {
            QCOMPARE(right->width() == 2, both);
            QCOMPARE(right->autoFillBackground(), both);
        }
        if (!both) {
            QVERIFY(frame.mask().isEmpty());
            return;
        }
        for (QWidget* strip : {frame.GetBottomShadowWidget(), frame.GetRightShadowWidget()})
            QCOMPARE(strip->palette().color(QPalette::Window), QColor(0xD6, 0xD6, 0xD6));

        // The top-right and bottom-left 2 x 3 blocks are cut away, and nothing else.
        const int w = frame.width();
        const int h = frame.height();
        QList<QPoint> kept;
        for (const QPoint& p : {QPoint(w - 1, 0), QPoint(w - 2, 2), QPoint(w - 3, 0), QPoint(w - 1, 3),
                 QPoint(0, h - 1), QPoint(1, h - 3), QPoint(2, h - 1), QPoint(0, h - 4), QPoint(w - 1, h - 1)})
            if (frame.mask().contains(p))
                kept << p;
        QCOMPARE(kept,
            QList<QPoint>(
                {QPoint(w - 3, 0), QPoint(w - 1, 3), QPoint(2, h - 1), QPoint(0, h - 4), QPoint(w - 1, h - 1)}));
    }

    void hitTestLeavesOutTheShadowPixels_data()
    {
        QTest::addColumn<bool>("fixedSize");
        QTest::addColumn<QPoint>("fromBottomRight");
        QTest::addColumn<int>("expected");

        // Offsets from one past the bottom-right pixel of the window. The last column and the last two
        // rows belong to the shadow.
        QTest::newRow("right, last column") << false << QPoint(-1, -100) << 0;
        QTest::newRow("right, second last column") << false << QPoint(-2, -100) << 2;
        QTest::newRow("right, 7 in from the shadow") << false << QPoint(-8, -100) << 2;
        QTest::newRow("right, 8 in from the shadow") << false << QPoint(-9, -100) << 0;
        QTest::newRow("bottom, last row") << false << QPoint(-150, -1) << 0;
        QTest::newRow("bottom, second last row") << false << QPoint(-150, -2) << 0;
        QTest::newRow("bottom, third last row") << false << QPoint(-150, -3) << 4;
        QTest::newRow("bottom, 8 in from the shadow") << false << QPoint(-150, -10) << 0;
        QTest::newRow("bottom right corner") << false << QPoint(-12, -12) << 6;
        QTest::newRow("bottom right, 14 from the shadow") << false << QPoint(-15, -16) << 0;
        QTest::newRow("fixed size, bottom right corner") << true << QPoint(-12, -12) << 0;
    }

    void hitTestLeavesOutTheShadowPixels()
    {
        QFETCH(bool, fixedSize);
        QFETCH(QPoint, fromBottomRight);
        QFETCH(int, expected);

        LegacyFrame frame(true, true);
        if (fixedSize)
            frame.setFixedSize(300, 200);
        QVERIFY(FrameTest::ShowAndWait(frame));
        const QRect before = frame.geometry();
        const QPoint grab = QPoint(before.x() + before.width(), before.y() + before.height()) + fromBottomRight;

        Mouse mouse(frame);
        mouse.Enter(before.center());
        mouse.Move(grab);
        const int shapes[] = {-1, -1, Qt::SizeHorCursor, -1, Qt::SizeVerCursor, -1, Qt::SizeFDiagCursor};
        QCOMPARE(FrameTest::OverrideCursorShape(), shapes[expected]);

        const QPoint delta(6, 5);
        mouse.Drag(grab, grab + delta);
        // The right and bottom edges land 3 and 4 pixels beyond the pointer, to leave room for the strips.
        QCOMPARE(
            frame.geometry(), expected ? FrameTest::Dragged(before, expected, grab + delta, QPoint(3, 4)) : before);
        if (expected)
            QCOMPARE(FrameTest::OverrideCursorShape(), -1);
    }

    void leftAndTopDragsStopAtMinimum()
    {
        LegacyFrame frame(true, true);
        QVERIFY(FrameTest::ShowAndWait(frame));
        const QRect before = frame.geometry();
        const QSize minimum = frame.minimumSize();
        QVERIFY(minimum.width() > 0 && minimum.width() < before.width());

        Mouse mouse(frame);
        mouse.Enter(before.center());
        // Both directions resize in the legacy frame: the top-left corner, dragged past the opposite
        // corner.
        const QPoint grab = before.topLeft() + QPoint(2, 2);
        mouse.Drag(grab, grab + QPoint(500, 500));

        QCOMPARE(frame.size(), minimum);
        QCOMPARE(frame.geometry().bottomRight(), before.bottomRight());
    }

    void pressGoesOnToTheBaseHandlerOnlyWithATitleBarAndNoResize_data()
    {
        QTest::addColumn<bool>("titleBar");
        QTest::addColumn<QPoint>("fromTopLeft");
        QTest::addColumn<bool>("reaches");

        QTest::newRow("title bar") << true << QPoint(60, 15) << true;
        QTest::newRow("body") << true << QPoint(60, 100) << true;
        QTest::newRow("body, no title bar") << false << QPoint(60, 100) << false;
        QTest::newRow("left edge") << true << QPoint(2, 100) << false;
    }

    void pressGoesOnToTheBaseHandlerOnlyWithATitleBarAndNoResize()
    {
        QFETCH(bool, titleBar);
        QFETCH(QPoint, fromTopLeft);
        QFETCH(bool, reaches);

        LegacyFrame frame(true, true);
        if (!titleBar)
            frame.DropTitleBar();
        QVERIFY(FrameTest::ShowAndWait(frame));
        const QRect before = frame.geometry();
        const QPoint at = before.topLeft() + fromTopLeft;

        Mouse mouse(frame);
        mouse.Enter(at);
        QCOMPARE(FrameTest::PressReachesBaseHandler(frame, at), reaches);
        QCOMPARE(frame.geometry(), before);
    }

    void titleBarDragKeepsTitleBarInAvailableArea_data()
    {
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<int>("expectedY");

        const QRect area = FrameTest::AvailableArea();
        QTest::newRow("up past the top") << QPoint(-10, -500) << area.top();
        // Two pixels higher than the newer frame: the title bar's last row stays above the bottom.
        QTest::newRow("down past the bottom") << QPoint(10, 2000) << area.top() + area.height() - 1 - 30;
    }

    void titleBarDragKeepsTitleBarInAvailableArea()
    {
        QFETCH(QPoint, delta);
        QFETCH(int, expectedY);

        LegacyFrame frame(true, true);
        QVERIFY(FrameTest::ShowAndWait(frame));
        const QRect before = frame.geometry();
        const QPoint grab = before.topLeft() + QPoint(60, 20);

        Mouse mouse(frame);
        mouse.Enter(grab);
        mouse.Drag(grab, grab + delta);

        QCOMPARE(frame.pos(), QPoint(before.x() + delta.x(), expectedY));
        QCOMPARE(frame.size(), before.size());

        // A press on the body does not drag.
        const QPoint body = frame.GetBodyWidget()->mapToGlobal(QPoint(40, 40));
        const QPoint at = frame.pos();
        mouse.Drag(body, body + QPoint(15, 15));
        QCOMPARE(frame.pos(), at);
    }
};

QTEST_MAIN(LegacyFramelessDialogTest)

#include "LegacyFramelessDialogTest.moc"
