#include "FrameTestSupport.h"
#include "tests/support/ZelTestCase.h"

#include "main/dialogs/ZelvarFramelessDialog.h"
#include "main/dialogs/ZelvarFramelessDialog_Deprecated.h"

#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>
#include <QtTest/QTest>
#include <QtWidgets/QVBoxLayout>

#include <memory>

using FrameTest::Mouse;

namespace {

class LegacyFrame : public ZelvarFramelessDialog_Deprecated
{
public:
    LegacyFrame()
        : ZelvarFramelessDialog_Deprecated(nullptr)
    {
        auto* layout = new QVBoxLayout(this);
        m_title = new QWidget(this);
        m_title->setFixedHeight(30);
        layout->addWidget(m_title);
        layout->addStretch();
        resize(300, 200);
    }
    QWidget* GetTitleBarWidget() const override { return m_title; }
    QWidget* GetBodyWidget() const override { return nullptr; }
    QWidget* GetBottomShadowWidget() const override { return nullptr; }
    QWidget* GetRightShadowWidget() const override { return nullptr; }

private:
    QWidget* m_title = nullptr;
};

std::unique_ptr<QDialog> MakeFrame(bool legacy)
{
    if (legacy)
        return std::make_unique<LegacyFrame>();
    auto frame = std::make_unique<ZelvarFramelessDialog>(nullptr, true);
    frame->setGeometry(50, 40, 300, 200);
    return frame;
}

} // namespace

// Whatever the user does with the mouse, and however the dialog goes away, the application's
// override-cursor stack ends where it was: a cursor pushed by someone else before is still on top,
// and nothing of the frame's is left above it.
class OverrideCursorTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void stackIsBackWhereItWas_data();
    void stackIsBackWhereItWas();
};

void OverrideCursorTest::stackIsBackWhereItWas_data()
{
    QTest::addColumn<bool>("legacy");
    QTest::addColumn<QString>("script");

    // Steps: "hover:X" moves to a place (edge names, "corner", "middle", "away" outside the
    // window), "press", "release", "drag" (a move while pressed), "hide", "destroy".
    const QStringList scripts {
        QStringLiteral("hover:left hover:middle"),
        QStringLiteral("hover:left hover:corner hover:top hover:away"),
        QStringLiteral("hover:right hide"),
        QStringLiteral("hover:corner destroy"),
        QStringLiteral("hover:bottom press drag release"),
        QStringLiteral("hover:bottom press drag release hover:bottom hover:middle"),
        QStringLiteral("hover:left press drag hide"),
        QStringLiteral("hover:top press drag destroy"),
        QStringLiteral("hover:middle press drag release"),
        QStringLiteral("hover:left press release press release hover:away"),
        QStringLiteral("release hover:corner hide release"),
    };
    for (const bool legacy : {false, true}) {
        for (const QString& script : scripts)
            QTest::addRow("%s: %s", legacy ? "legacy" : "frameless", qPrintable(script)) << legacy << script;
    }
}

void OverrideCursorTest::stackIsBackWhereItWas()
{
    QFETCH(bool, legacy);
    QFETCH(QString, script);

    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    {
        std::unique_ptr<QDialog> frame = MakeFrame(legacy);
        QVERIFY(FrameTest::ShowAndWait(*frame));
        const QRect g = frame->geometry();
        Mouse mouse(*frame);
        mouse.Enter(g.center());
        QPoint at = g.center();

        for (const QString& step : script.split(QLatin1Char(' '))) {
            if (step.startsWith(QLatin1String("hover:"))) {
                const QString place = step.mid(6);
                if (place == QLatin1String("left"))
                    at = QPoint(g.left() + 2, g.center().y());
                else if (place == QLatin1String("right"))
                    at = QPoint(g.right() - 3, g.center().y());
                else if (place == QLatin1String("top"))
                    at = QPoint(g.center().x(), g.top() + 2);
                else if (place == QLatin1String("bottom"))
                    at = QPoint(g.center().x(), g.bottom() - 4);
                else if (place == QLatin1String("corner"))
                    at = g.topLeft() + QPoint(3, 3);
                else if (place == QLatin1String("away"))
                    at = g.bottomRight() + QPoint(40, 40);
                else
                    at = g.center();
                mouse.Move(at);
            } else if (step == QLatin1String("press")) {
                mouse.Press(at);
            } else if (step == QLatin1String("release")) {
                mouse.Release(at);
            } else if (step == QLatin1String("drag")) {
                at += QPoint(-12, -9);
                mouse.Move(at);
            } else if (step == QLatin1String("hide")) {
                frame->hide();
            } else if (step == QLatin1String("destroy")) {
                frame.reset();
                break;
            }
        }
        if (frame && frame->isVisible()) {
            mouse.Release(at);
            mouse.Move(g.center());
            QCOMPARE(FrameTest::OverrideCursorShape(), int(Qt::WaitCursor));
        }
    }
    QCOMPARE(FrameTest::OverrideCursorShape(), int(Qt::WaitCursor));
    QGuiApplication::restoreOverrideCursor();
    QCOMPARE(FrameTest::OverrideCursorShape(), -1);
}

QTEST_MAIN(OverrideCursorTest)

#include "OverrideCursorTest.moc"
