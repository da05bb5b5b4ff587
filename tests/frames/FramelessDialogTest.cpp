#include "FrameTestSupport.h"
#include "tests/support/ZelTestCase.h"

#include "host/ui/ScaleForDpi.h"

#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QGraphicsDropShadowEffect>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLayout>

#include <memory>

using FrameTest::Dragged;
using FrameTest::Mouse;
using FrameTest::TestFrame;

namespace {

// Where on the window a test position is measured from: the corners and edge midpoints of the
// geometry, right and bottom taken one past the last pixel, as the hit test takes them.
enum Anchor
{
    TopLeft,
    Top,
    TopRight,
    Right,
    BottomRight,
    Bottom,
    BottomLeft,
    Left,
    Centre
};

QPoint AnchorPoint(const QRect& g, int anchor)
{
    // In halves of the size from the top-left corner.
    static const int halves[][2] = {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}, {0, 1}, {1, 1}};
    return {g.x() + halves[anchor][0] * g.width() / 2, g.y() + halves[anchor][1] * g.height() / 2};
}

Qt::CursorShape ShapeFor(int direction)
{
    if (direction == 1 || direction == 4)
        return Qt::SizeVerCursor;
    if (direction == 2 || direction == 8)
        return Qt::SizeHorCursor;
    return direction == 3 || direction == 12 ? Qt::SizeBDiagCursor : Qt::SizeFDiagCursor;
}

enum Mode
{
    Resizable,
    FixedSize,
    FixedLayout,
    VerticalOnly,
    HorizontalOnly
};

} // namespace

class FramelessDialogTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void hitTestFindsEdgesAndCorners_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("anchor");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<int>("expected");

        // The edges: within 8 pixels inside the window (the margin is exclusive), never outside it.
        QTest::newRow("top, first row") << int(Resizable) << int(Top) << QPoint(0, 0) << 1;
        QTest::newRow("top, 7 in") << int(Resizable) << int(Top) << QPoint(0, 7) << 1;
        QTest::newRow("top, 8 in") << int(Resizable) << int(Top) << QPoint(0, 8) << 0;
        QTest::newRow("top, 1 above") << int(Resizable) << int(Top) << QPoint(0, -1) << 0;
        QTest::newRow("right, last column") << int(Resizable) << int(Right) << QPoint(-1, 0) << 2;
        QTest::newRow("right, 7 in") << int(Resizable) << int(Right) << QPoint(-7, 0) << 2;
        QTest::newRow("right, 8 in") << int(Resizable) << int(Right) << QPoint(-8, 0) << 0;
        QTest::newRow("right, 1 beyond") << int(Resizable) << int(Right) << QPoint(0, 0) << 0;
        QTest::newRow("bottom, last row") << int(Resizable) << int(Bottom) << QPoint(0, -1) << 4;
        QTest::newRow("bottom, 8 in") << int(Resizable) << int(Bottom) << QPoint(0, -8) << 0;
        QTest::newRow("left, first column") << int(Resizable) << int(Left) << QPoint(0, 0) << 8;
        QTest::newRow("left, 7 in") << int(Resizable) << int(Left) << QPoint(7, 0) << 8;
        QTest::newRow("left, 8 in") << int(Resizable) << int(Left) << QPoint(8, 0) << 0;
        QTest::newRow("middle") << int(Resizable) << int(Centre) << QPoint(0, 0) << 0;

        // The corners: 14 pixels from both edges, winning over a single edge found within 8.
        QTest::newRow("top left, 1 in") << int(Resizable) << int(TopLeft) << QPoint(1, 1) << 9;
        QTest::newRow("top left, 13 in") << int(Resizable) << int(TopLeft) << QPoint(13, 13) << 9;
        QTest::newRow("top left, 14 in") << int(Resizable) << int(TopLeft) << QPoint(14, 14) << 0;
        QTest::newRow("top left, edge within 8 becomes corner") << int(Resizable) << int(TopLeft) << QPoint(13, 3) << 9;
        QTest::newRow("top left, 14 across stays top edge") << int(Resizable) << int(TopLeft) << QPoint(14, 3) << 1;
        QTest::newRow("top right, 10 in") << int(Resizable) << int(TopRight) << QPoint(-10, 10) << 3;
        QTest::newRow("top right, 1 in") << int(Resizable) << int(TopRight) << QPoint(-1, 1) << 3;
        QTest::newRow("bottom right, 10 in") << int(Resizable) << int(BottomRight) << QPoint(-10, -10) << 6;
        QTest::newRow("bottom right, 1 in") << int(Resizable) << int(BottomRight) << QPoint(-1, -1) << 6;
        QTest::newRow("bottom left, 10 in") << int(Resizable) << int(BottomLeft) << QPoint(10, -10) << 12;
        QTest::newRow("bottom left, edge within 8 becomes corner")
            << int(Resizable) << int(BottomLeft) << QPoint(3, -12) << 12;

        // A size that cannot change has no edges at all.
        for (const int mode : {int(FixedSize), int(FixedLayout)}) {
            const char* name = mode == FixedSize ? "fixed size" : "fixed layout";
            QTest::addRow("%s, top", name) << mode << int(Top) << QPoint(0, 2) << 0;
            QTest::addRow("%s, right", name) << mode << int(Right) << QPoint(-2, 0) << 0;
            QTest::addRow("%s, bottom left", name) << mode << int(BottomLeft) << QPoint(3, -3) << 0;
        }

        // One direction disallowed: its edges give nothing, corners give the other direction's edge.
        QTest::newRow("vertical only, left") << int(VerticalOnly) << int(Left) << QPoint(2, 0) << 0;
        QTest::newRow("vertical only, right") << int(VerticalOnly) << int(Right) << QPoint(-2, 0) << 0;
        QTest::newRow("vertical only, top left") << int(VerticalOnly) << int(TopLeft) << QPoint(3, 3) << 1;
        QTest::newRow("vertical only, bottom right") << int(VerticalOnly) << int(BottomRight) << QPoint(-3, -3) << 4;
        QTest::newRow("vertical only, top left 10 in") << int(VerticalOnly) << int(TopLeft) << QPoint(10, 10) << 0;
        QTest::newRow("horizontal only, top") << int(HorizontalOnly) << int(Top) << QPoint(0, 2) << 0;
        QTest::newRow("horizontal only, top left") << int(HorizontalOnly) << int(TopLeft) << QPoint(3, 3) << 8;
        QTest::newRow("horizontal only, bottom right")
            << int(HorizontalOnly) << int(BottomRight) << QPoint(-3, -3) << 2;
    }

    void hitTestFindsEdgesAndCorners()
    {
        QFETCH(int, mode);
        QFETCH(int, anchor);
        QFETCH(QPoint, offset);
        QFETCH(int, expected);

        TestFrame frame;
        if (mode == FixedSize)
            frame.setFixedSize(300, 200);
        else if (mode == FixedLayout)
            frame.SetSizeConstraintFixed();
        frame.AllowHorizontalResize(mode != VerticalOnly);
        frame.AllowVerticalResize(mode != HorizontalOnly);
        QVERIFY(FrameTest::ShowAndWait(frame));
        QCOMPARE(frame.IsSizeFixed(), mode == FixedSize || mode == FixedLayout);

        const QRect before = frame.geometry();
        const QPoint pos = AnchorPoint(before, anchor) + offset;
        Mouse mouse(frame);
        mouse.Enter(frame.geometry().center());
        QCOMPARE(FrameTest::OverrideCursorShape(), -1);

        // Hovering shows the shape of the direction; a drag moves exactly the edges of the direction.
        mouse.Move(pos);
        QCOMPARE(FrameTest::OverrideCursorShape(), expected ? int(ShapeFor(expected)) : -1);
        const QPoint delta(5, 5);
        mouse.Press(pos);
        QCOMPARE(frame.IsResizingDialog(), expected != 0);
        mouse.Move(pos + delta);
        mouse.Release(pos + delta);
        if (expected)
            QCOMPARE(frame.geometry(), Dragged(before, expected, pos + delta));
        else
            QCOMPARE(frame.size(), before.size());
        QVERIFY(!frame.IsResizingDialog());
    }

    void resizeFromLeftOrTopStopsAtMinimumWithOppositeEdgeKept_data()
    {
        QTest::addColumn<int>("anchor");
        QTest::addColumn<QPoint>("overshoot");

        QTest::newRow("left edge past the right edge") << int(Left) << QPoint(600, 0);
        QTest::newRow("top edge past the bottom edge") << int(Top) << QPoint(0, 600);
        QTest::newRow("top left corner past both") << int(TopLeft) << QPoint(600, 600);
        QTest::newRow("right edge past the left edge") << int(Right) << QPoint(-600, 0);
        QTest::newRow("bottom edge past the top edge") << int(Bottom) << QPoint(0, -600);
    }

    void resizeFromLeftOrTopStopsAtMinimumWithOppositeEdgeKept()
    {
        QFETCH(int, anchor);
        QFETCH(QPoint, overshoot);

        TestFrame frame;
        QVERIFY(FrameTest::ShowAndWait(frame));
        const QRect before = frame.geometry();
        const QSize minimum = frame.minimumSize();
        QVERIFY(minimum.width() > 0 && minimum.width() < before.width());
        QVERIFY(minimum.height() > 0 && minimum.height() < before.height());

        const QPoint grab = AnchorPoint(before, anchor) + QPoint(anchor == Right ? -2 : 2, anchor == Bottom ? -2 : 2);
        Mouse mouse(frame);
        mouse.Enter(before.center());
        mouse.Drag(grab, grab + overshoot);

        // The edge that was not dragged stays where it was.
        QRect expected = before;
        if (overshoot.x() != 0)
            expected.setWidth(minimum.width());
        if (overshoot.x() > 0)
            expected.moveRight(before.right());
        if (overshoot.y() != 0)
            expected.setHeight(minimum.height());
        if (overshoot.y() > 0)
            expected.moveBottom(before.bottom());
        QCOMPARE(frame.geometry(), expected);
    }

    void titleBarDragKeepsTitleBarInAvailableArea_data()
    {
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<int>("expectedY");

        const QRect area = FrameTest::AvailableArea();
        // The title bar's height is known only once the frame is laid out; -1 stands for the lowest
        // place, which the test computes.
        QTest::newRow("within the screen") << QPoint(30, 20) << 60;
        QTest::newRow("up past the top") << QPoint(-20, -500) << area.top();
        QTest::newRow("down past the bottom") << QPoint(20, 2000) << -1;
    }

    void titleBarDragKeepsTitleBarInAvailableArea()
    {
        QFETCH(QPoint, delta);
        QFETCH(int, expectedY);

        TestFrame frame;
        QVERIFY(FrameTest::ShowAndWait(frame));
        const QRect before = frame.geometry();
        const QRect area = FrameTest::AvailableArea();
        const int titleHeight = frame.GetTitleBar()->height();
        QVERIFY(titleHeight > 0);
        if (expectedY == -1)
            expectedY = area.top() + area.height() - titleHeight + 1;

        const QPoint grab(before.x() + 40, before.y() + titleHeight / 2);
        Mouse mouse(frame);
        mouse.Enter(grab);
        mouse.Drag(grab, grab + delta);

        QCOMPARE(frame.pos(), QPoint(before.x() + delta.x(), expectedY));
        QCOMPARE(frame.size(), before.size());
        QCOMPARE(frame.SnapTopPointToScreen(QPoint(7, area.top() - 1)), QPoint(7, area.top()));
    }

    void resizingTheTopEdgeAboveTheScreenKeepsTheBottomEdge()
    {
        TestFrame frame;
        QVERIFY(FrameTest::ShowAndWait(frame));
        const QRect before = frame.geometry();
        const QPoint grab = AnchorPoint(before, Top) + QPoint(0, 2);

        Mouse mouse(frame);
        mouse.Enter(before.center());
        mouse.Drag(grab, QPoint(grab.x(), FrameTest::AvailableArea().top() - 30));

        QCOMPARE(frame.geometry().top(), FrameTest::AvailableArea().top());
        QCOMPARE(frame.geometry().bottom(), before.bottom());
    }

    void hiddenTitleBarDoesNotDrag()
    {
        TestFrame frame;
        frame.HideTitleWidget();
        QVERIFY(FrameTest::ShowAndWait(frame));
        QVERIFY(!frame.GetTitleBar()->isVisible());
        QVERIFY(!frame.GetCloseButton()->isVisible());
        const QRect before = frame.geometry();
        const QPoint grab = before.topLeft() + QPoint(60, 20);

        Mouse mouse(frame);
        mouse.Enter(grab);
        mouse.Drag(grab, grab + QPoint(30, 30));

        QCOMPARE(frame.geometry(), before);
    }

    void pressGoesOnToTheBaseHandlerUnlessItStartsAResize_data()
    {
        QTest::addColumn<bool>("titleBarHidden");
        QTest::addColumn<int>("anchor");
        QTest::addColumn<bool>("reaches");

        // Top stands for the middle of the title bar; a hidden title bar leaves content there.
        QTest::newRow("title bar") << false << int(Top) << true;
        QTest::newRow("content") << false << int(Centre) << true;
        QTest::newRow("title bar hidden") << true << int(Top) << true;
        QTest::newRow("left edge") << false << int(Left) << false;
        QTest::newRow("left edge, title bar hidden") << true << int(Left) << false;
    }

    void pressGoesOnToTheBaseHandlerUnlessItStartsAResize()
    {
        QFETCH(bool, titleBarHidden);
        QFETCH(int, anchor);
        QFETCH(bool, reaches);

        TestFrame frame;
        if (titleBarHidden)
            frame.HideTitleWidget();
        QVERIFY(FrameTest::ShowAndWait(frame));
        const QRect before = frame.geometry();
        QPoint at = AnchorPoint(before, anchor);
        if (anchor == Top)
            at.ry() += 20;
        else if (anchor == Left)
            at.rx() += 2;

        Mouse mouse(frame);
        mouse.Enter(at);
        QCOMPARE(FrameTest::PressReachesBaseHandler(frame, at), reaches);
        QVERIFY(!frame.IsResizingDialog());
        QCOMPARE(frame.geometry(), before);
    }

    void titleBarShowsTheTitleAndClosingRejects()
    {
        TestFrame frame;
        auto* title = frame.findChild<QLabel*>(QStringLiteral("defaultTitle"));
        QVERIFY(title);
        QCOMPARE(title->text(), QStringLiteral("Frame under test"));
        frame.setWindowTitle(QStringLiteral("Renamed"));
        QCOMPARE(title->text(), QStringLiteral("Renamed"));

        QAbstractButton* close = frame.GetCloseButton();
        QVERIFY(close);
        QVERIFY(!close->toolTip().isEmpty());
        QVERIFY(!close->accessibleName().isEmpty());
        frame.setResult(QDialog::Accepted);
        QTimer::singleShot(0, close, [close] { QTest::mouseClick(close, Qt::LeftButton); });
        QCOMPARE(frame.exec(), int(QDialog::Rejected));
        QVERIFY(!frame.isVisible());
    }

    void replacedContentAndTitleWidgetsAreDeletedLater()
    {
        TestFrame frame;
        auto* container = frame.findChild<QWidget*>(QStringLiteral("contentContainer"));
        auto* defaultTitle = frame.findChild<QLabel*>(QStringLiteral("defaultTitle"));
        QVERIFY(container && defaultTitle);
        QVERIFY(FrameTest::ShowAndWait(frame));

        QPointer<QWidget> first = new QLabel(QStringLiteral("first"));
        QPointer<QWidget> second = new QLabel(QStringLiteral("second"));
        frame.SetContentWidget(first);
        frame.SetContentWidget(first);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(first, "setting the same content again must not delete it");
        QCOMPARE(first->parentWidget(), container);

        frame.SetContentWidget(second);
        QVERIFY2(first, "the replaced content goes later, not at once");
        QVERIFY(first->isHidden());
        QCOMPARE(container->layout()->indexOf(first), -1);
        QVERIFY(container->layout()->indexOf(second) >= 0);
        ZelTest::FlushDeferredDeletes();
        QVERIFY(!first);
        QVERIFY(second);

        QPointer<QWidget> titleWidget = new QLabel(QStringLiteral("custom title"));
        frame.SetTitleWidget(titleWidget);
        QVERIFY(defaultTitle->isHidden());
        QTRY_VERIFY(titleWidget->isVisible());
        frame.SetTitleWidget(nullptr);
        QVERIFY(!defaultTitle->isHidden());
        QVERIFY(titleWidget);
        ZelTest::FlushDeferredDeletes();
        QVERIFY(!titleWidget);

        // A content widget that its owner deleted is simply gone; replacing it is harmless.
        delete second;
        frame.SetContentWidget(nullptr);
    }

    void shadowBandIsOutsideTheRequestedSize()
    {
        TestFrame frame;
        auto* mainFrame = frame.findChild<QFrame*>(QStringLiteral("mainFrame"));
        QVERIFY(mainFrame && qobject_cast<QGraphicsDropShadowEffect*>(mainFrame->graphicsEffect()));
        const int blur = ScaleForDpi(&frame, 7);
        QCOMPARE(frame.layout()->contentsMargins(), QMargins(0, 0, blur, blur));

        frame.ResizeDialog(240, 160);
        QVERIFY(FrameTest::ShowAndWait(frame));
        QCOMPARE(frame.size(), QSize(240 + blur, 160 + blur));
        QCOMPARE(mainFrame->size(), QSize(240, 160));
    }
};

QTEST_MAIN(FramelessDialogTest)

#include "FramelessDialogTest.moc"
