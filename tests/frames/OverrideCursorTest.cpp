#include "FrameTestSupport.h"
#include "tests/support/ZelTestCase.h"

#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>

#include <map>
#include <memory>

using FrameTest::Mouse;

// Whatever the user does with the mouse, and however the dialog goes away, the application's
// override-cursor stack ends where it was: a cursor pushed by someone else before is still on top,
// and nothing of the frame's is left above it.
class OverrideCursorTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void stackIsBackWhereItWas_data()
    {
        QTest::addColumn<bool>("legacy");
        QTest::addColumn<QString>("script");

        // Steps: "hover:X" moves to a place (edge names, "corner", "middle", "away" outside the
        // window), "press", "release", "drag" (a move while pressed), "leave" (the pointer left for
        // a window of another program, which moves no more over this one), "back" (the stack is
        // where it was, now), "hide", "destroy".
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
            QStringLiteral("hover:right leave back"),
            QStringLiteral("hover:corner leave back hover:top hover:middle"),
        };
        for (const bool legacy : {false, true}) {
            for (const QString& script : scripts)
                QTest::addRow("%s: %s", legacy ? "legacy" : "frameless", qPrintable(script)) << legacy << script;
        }
    }

    void stackIsBackWhereItWas()
    {
        QFETCH(bool, legacy);
        QFETCH(QString, script);

        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        {
            std::unique_ptr<QDialog> frame = legacy ? std::unique_ptr<QDialog>(new FrameTest::LegacyFrame(false, false))
                                                    : std::make_unique<FrameTest::TestFrame>();
            QVERIFY(FrameTest::ShowAndWait(*frame));
            const QRect g = frame->geometry();
            Mouse mouse(*frame);
            mouse.Enter(g.center());
            QPoint at = g.center();
            const std::map<QString, QPoint> places = {{QStringLiteral("left"), QPoint(g.left() + 2, g.center().y())},
                {QStringLiteral("right"), QPoint(g.right() - 3, g.center().y())},
                {QStringLiteral("top"), QPoint(g.center().x(), g.top() + 2)},
                {QStringLiteral("bottom"), QPoint(g.center().x(), g.bottom() - 4)},
                {QStringLiteral("corner"), g.topLeft() + QPoint(3, 3)},
                {QStringLiteral("away"), g.bottomRight() + QPoint(40, 40)}, {QStringLiteral("middle"), g.center()}};

            for (const QString& step : script.split(QLatin1Char(' '))) {
                if (step.startsWith(QLatin1String("hover:"))) {
                    at = places.at(step.mid(6));
                    mouse.Move(at);
                } else if (step == QLatin1String("press")) {
                    mouse.Press(at);
                } else if (step == QLatin1String("release")) {
                    mouse.Release(at);
                } else if (step == QLatin1String("drag")) {
                    at += QPoint(-12, -9);
                    mouse.Move(at);
                } else if (step == QLatin1String("leave")) {
                    QEvent leave(QEvent::Leave);
                    QApplication::sendEvent(frame.get(), &leave);
                } else if (step == QLatin1String("back")) {
                    QCOMPARE(FrameTest::OverrideCursorShape(), int(Qt::WaitCursor));
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
};

QTEST_MAIN(OverrideCursorTest)

#include "OverrideCursorTest.moc"
