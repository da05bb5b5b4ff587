// The three dialog frames as real windows of an X server, driven by the server's own pointer
// (XTest), not by synthetic Qt events: each edge and corner resizes by the frame's rules and stops
// at the minimum size, the title bar keeps to the available area however far it is dragged, a
// hovered edge leaves no override cursor behind once the pointer leaves, and a screenshot of the
// real windows is written to the test's output folder. Run again with the screen scaled by 2.

#include "tests/frames/FrameTestSupport.h"
#include "tests/support/ZelTestCase.h"
#include "tests/x11/XTestPointer.h"

#include "main/dialogs/ZelvarFramelessDialog.h"
#include "main/dialogs/ZelvarFramelessDialog_Deprecated.h"
#include "main/dialogs/ZelvarNonModalDialog.h"

#include <QtCore/QDir>
#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPixmap>
#include <QtGui/QScreen>
#include <QtTest/QTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>

#include <functional>
#include <initializer_list>
#include <memory>

namespace {

enum FrameKind
{
    Frameless,
    Legacy,
    NonModal
};

// Directions as the frames number them: top 1, right 2, bottom 4, left 8.
enum Edge
{
    Top = 1,
    Right = 2,
    Bottom = 4,
    Left = 8
};

const QRect kStartGeometry(60, 50, 300, 220);
const QSize kMinimumSize(180, 140);
// How far inside an edge the pointer grabs it: within the 8-pixel edge margin.
constexpr int kGrabInset = 3;
constexpr int kDragDistance = 30;

std::unique_ptr<ZelvarDialog> MakeFrame(FrameKind kind)
{
    std::unique_ptr<ZelvarDialog> frame;
    if (kind == Legacy) {
        frame = std::make_unique<FrameTest::LegacyFrame>(false, false);
    } else {
        std::unique_ptr<ZelvarFramelessDialog> frameless = kind == NonModal
            ? std::make_unique<ZelvarNonModalDialog>(IFloatingWindowsManager::Availabilities(), nullptr, true)
            : std::make_unique<ZelvarFramelessDialog>(nullptr, true);
        frameless->SetContentWidget(new QLabel(QStringLiteral("Content")));
        frame = std::move(frameless);
    }
    frame->setWindowTitle(QStringLiteral("Frame under a real pointer"));
    frame->setMinimumSize(kMinimumSize);
    frame->setGeometry(kStartGeometry);
    return frame;
}

QWidget* TitleBarOf(ZelvarDialog& frame, FrameKind kind)
{
    if (kind == Legacy)
        return static_cast<FrameTest::LegacyFrame&>(frame).GetTitleBarWidget();
    return static_cast<ZelvarFramelessDialog&>(frame).GetTitleBar();
}

// What sets the frames apart in their geometry rules: the legacy frame leaves 1 pixel at the right
// and 2 at the bottom out of its hit test, puts a dragged right or bottom edge 3 or 4 pixels past
// the pointer, and keeps its title bar 2 pixels higher above the bottom of the available area.
QRect HitArea(const QRect& geometry, FrameKind kind)
{
    return kind == Legacy ? geometry.adjusted(0, 0, -1, -2) : geometry;
}
int RightExtra(FrameKind kind)
{
    return kind == Legacy ? 3 : 0;
}
int BottomExtra(FrameKind kind)
{
    return kind == Legacy ? 4 : 0;
}
int LowestTop(const QRect& area, int titleHeight, FrameKind kind)
{
    return kind == Legacy ? area.top() + area.height() - 1 - titleHeight : area.top() + area.height() - titleHeight + 1;
}

// A point kGrabInset inside the edges of `direction` (right and bottom taken one past the last
// pixel, as the hit test takes them), halfway along the others.
QPoint GrabPoint(const QRect& hit, int direction)
{
    const int right = hit.x() + hit.width();
    const int bottom = hit.y() + hit.height();
    const int x = direction & Left ? hit.x() + kGrabInset : direction & Right ? right - kGrabInset : hit.center().x();
    const int y = direction & Top ? hit.y() + kGrabInset : direction & Bottom ? bottom - kGrabInset : hit.center().y();
    return {x, y};
}

QPoint Outward(int direction, int distance)
{
    return {direction & Left    ? -distance
            : direction & Right ? distance
                                : 0,
        direction & Top          ? -distance
            : direction & Bottom ? distance
                                 : 0};
}

Qt::CursorShape ShapeFor(int direction)
{
    switch (direction) {
    case Top:
    case Bottom:
        return Qt::SizeVerCursor;
    case Left:
    case Right:
        return Qt::SizeHorCursor;
    case Top | Right:
    case Bottom | Left:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::SizeFDiagCursor;
    }
}

int OverrideShape()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? cursor->shape() : -1;
}

QRect AvailableArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

double ScreenScale()
{
    return QGuiApplication::primaryScreen()->devicePixelRatio();
}

// Where the pointer rests between cases: on the root window, away from every frame.
const QPoint kRestingPlace(4, 4);

void AddFrameRows(const char* what, const std::function<void(const QByteArray&, FrameKind)>& add)
{
    add(QByteArray("frameless, ") + what, Frameless);
    add(QByteArray("legacy, ") + what, Legacy);
    add(QByteArray("non-modal, ") + what, NonModal);
}

// Columns `kind` and `direction`: each named direction on each frame.
void AddDirectionRows(std::initializer_list<std::pair<const char*, int>> directions)
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("direction");
    for (const auto& [name, direction] : directions)
        AddFrameRows(name, [direction = direction](const QByteArray& row, FrameKind kind) {
            QTest::newRow(row.constData()) << int(kind) << direction;
        });
}

} // namespace

class RealWindowTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void initTestCase();
    void edgesAndCornersFollowThePointer_data();
    void edgesAndCornersFollowThePointer();
    void edgesStopAtTheMinimumWithTheOppositeEdgeKept_data();
    void edgesStopAtTheMinimumWithTheOppositeEdgeKept();
    void titleBarDragKeepsTheTitleBarOnTheScreen_data();
    void titleBarDragKeepsTheTitleBarOnTheScreen();
    void leavingAHoveredEdgeLeavesNoOverrideCursor_data();
    void leavingAHoveredEdgeLeavesNoOverrideCursor();
    void screenshotOfTheRealWindows();

private:
    // The row's frame shown (kind and direction from the row), with the pointer over its middle.
    struct EdgeCase
    {
        FrameKind kind = Frameless;
        int direction = 0;
        std::unique_ptr<ZelvarDialog> frame;
        QRect before;
        // kGrabInset inside the row's edges.
        QPoint grab;
    };
    EdgeCase ShowForEdge();
    std::unique_ptr<ZelvarDialog> Show(FrameKind kind);

    std::unique_ptr<XTestPointer> m_pointer;
};

void RealWindowTest::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return QTest::qSkip("needs an X server: run under tests/x11/with-xvfb", __FILE__, __LINE__);
    m_pointer = std::make_unique<XTestPointer>(ScreenScale());
    if (!m_pointer->IsReady())
        return QTest::qSkip("the X server has no XTest extension", __FILE__, __LINE__);
}

std::unique_ptr<ZelvarDialog> RealWindowTest::Show(FrameKind kind)
{
    m_pointer->MoveTo(kRestingPlace);
    auto frame = MakeFrame(kind);
    frame->show();
    if (!QTest::qWaitForWindowExposed(frame.get()))
        return nullptr;
    QTest::qWait(100);
    return frame;
}

RealWindowTest::EdgeCase RealWindowTest::ShowForEdge()
{
    QFETCH(int, kind);
    QFETCH(int, direction);
    EdgeCase edge;
    edge.kind = static_cast<FrameKind>(kind);
    edge.direction = direction;
    edge.frame = Show(edge.kind);
    if (edge.frame) {
        edge.before = edge.frame->geometry();
        edge.grab = GrabPoint(HitArea(edge.before, edge.kind), direction);
        m_pointer->MoveTo(edge.before.center());
    }
    return edge;
}

void RealWindowTest::edgesAndCornersFollowThePointer_data()
{
    AddDirectionRows({{"top", Top}, {"right", Right}, {"bottom", Bottom}, {"left", Left}, {"top right", Top | Right},
        {"bottom right", Bottom | Right}, {"bottom left", Bottom | Left}, {"top left", Top | Left}});
}

void RealWindowTest::edgesAndCornersFollowThePointer()
{
    const EdgeCase edge = ShowForEdge();
    QVERIFY(edge.frame);
    const QPoint to = edge.grab + Outward(edge.direction, kDragDistance);

    m_pointer->MoveTo(edge.grab);
    QTRY_COMPARE(OverrideShape(), int(ShapeFor(edge.direction)));
    m_pointer->Drag(edge.grab, to);

    QTRY_COMPARE(edge.frame->geometry(),
        FrameTest::Dragged(edge.before, edge.direction, to, QPoint(RightExtra(edge.kind), BottomExtra(edge.kind))));
    QTRY_COMPARE(OverrideShape(), -1);
}

void RealWindowTest::edgesStopAtTheMinimumWithTheOppositeEdgeKept_data()
{
    AddDirectionRows({{"left past the right", Left}, {"top past the bottom", Top}, {"right past the left", Right},
        {"bottom past the top", Bottom}, {"top left past both", Top | Left}});
}

void RealWindowTest::edgesStopAtTheMinimumWithTheOppositeEdgeKept()
{
    const EdgeCase edge = ShowForEdge();
    QVERIFY(edge.frame);
    const int direction = edge.direction;
    const QRect before = edge.before;
    m_pointer->Drag(edge.grab, edge.grab - Outward(direction, 400));

    if (direction & (Left | Right))
        QTRY_COMPARE(edge.frame->width(), kMinimumSize.width());
    if (direction & (Top | Bottom))
        QTRY_COMPARE(edge.frame->height(), kMinimumSize.height());
    const QRect after = edge.frame->geometry();
    if (direction & (Left | Right)) {
        QCOMPARE(after.width(), kMinimumSize.width());
        QCOMPARE(direction & Left ? after.right() : after.left(), direction & Left ? before.right() : before.left());
    } else {
        QCOMPARE(after.width(), before.width());
    }
    if (direction & (Top | Bottom)) {
        QCOMPARE(after.height(), kMinimumSize.height());
        QCOMPARE(direction & Top ? after.bottom() : after.top(), direction & Top ? before.bottom() : before.top());
    } else {
        QCOMPARE(after.height(), before.height());
    }
}

void RealWindowTest::titleBarDragKeepsTheTitleBarOnTheScreen_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("up");
    AddFrameRows("up past the top",
        [](const QByteArray& row, FrameKind kind) { QTest::newRow(row.constData()) << int(kind) << true; });
    AddFrameRows("down past the bottom",
        [](const QByteArray& row, FrameKind kind) { QTest::newRow(row.constData()) << int(kind) << false; });
}

void RealWindowTest::titleBarDragKeepsTheTitleBarOnTheScreen()
{
    QFETCH(int, kind);
    QFETCH(bool, up);
    const auto frameKind = static_cast<FrameKind>(kind);
    auto frame = Show(frameKind);
    QVERIFY(frame);
    const QRect before = frame->geometry();
    const QWidget* titleBar = TitleBarOf(*frame, frameKind);
    const int titleHeight = titleBar->height();
    QVERIFY(titleHeight > 0);
    const QPoint grab = titleBar->mapToGlobal(QPoint(40, titleHeight / 2));
    const QRect area = AvailableArea();

    // The server keeps the pointer on the screen: past the edge, the pointer stops there and the
    // window would follow it past the edge by the grab offset unless it is snapped.
    m_pointer->MoveTo(grab);
    m_pointer->Drag(grab, QPoint(grab.x(), up ? area.top() - 2000 : area.bottom() + 2000));

    QTRY_COMPARE(frame->pos(), QPoint(before.x(), up ? area.top() : LowestTop(area, titleHeight, frameKind)));
    QCOMPARE(frame->size(), before.size());
}

void RealWindowTest::leavingAHoveredEdgeLeavesNoOverrideCursor_data()
{
    AddDirectionRows({{"right edge", Right}, {"bottom right corner", Bottom | Right}});
}

void RealWindowTest::leavingAHoveredEdgeLeavesNoOverrideCursor()
{
    const EdgeCase edge = ShowForEdge();
    QVERIFY(edge.frame);
    m_pointer->MoveTo(edge.grab);
    QTRY_COMPARE(OverrideShape(), int(ShapeFor(edge.direction)));
    // Straight out of the window onto the root window, where no Qt window sees the pointer move.
    m_pointer->MoveTo(edge.grab + Outward(edge.direction, 150));
    QTRY_COMPARE(OverrideShape(), -1);
    QCOMPARE(edge.frame->geometry(), edge.before);
}

void RealWindowTest::screenshotOfTheRealWindows()
{
    const QByteArray outputDir = qgetenv("ZEL_TEST_OUTPUT");
    if (outputDir.isEmpty())
        return QTest::qSkip("ZEL_TEST_OUTPUT names no folder for the screenshot", __FILE__, __LINE__);
    m_pointer->MoveTo(kRestingPlace);
    std::vector<std::unique_ptr<ZelvarDialog>> frames;
    for (FrameKind kind : {Frameless, Legacy, NonModal}) {
        auto frame = MakeFrame(kind);
        frame->setGeometry(20 + 260 * static_cast<int>(frames.size()), 40, 240, 200);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        frames.push_back(std::move(frame));
    }
    QTest::qWait(200);

    // From the X server: what the windows look like on the screen, not what they would paint.
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    QVERIFY(!shot.isNull());
    QVERIFY(QDir().mkpath(QString::fromLocal8Bit(outputDir)));
    const QString file = QDir(QString::fromLocal8Bit(outputDir)).filePath(QStringLiteral("frames.png"));
    QVERIFY(shot.save(file));
    // Each frame's middle shows the frame, not the black root window.
    const double scale = ScreenScale();
    for (const auto& frame : frames) {
        const QPoint middle = frame->geometry().center() * scale;
        QVERIFY2(shot.pixelColor(middle) != QColor(Qt::black), qPrintable(frame->metaObject()->className()));
    }
}

QTEST_MAIN(RealWindowTest)
#include "RealWindowTest.moc"
