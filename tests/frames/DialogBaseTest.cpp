#include "FrameTestSupport.h"
#include "host/doc/ResourceIds.h"
#include "tests/support/ZelTestCase.h"

#include "host/doc/Preferences.h"
#include "host/ui/ScaleForDpi.h"
#include "host/ui/ZelvarDialog.h"
#include "host/ui/ZelvarImageButton.h"

#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <stdexcept>

namespace {

// Records the show hooks, with whether the window was up when each ran.
class HookedDialog : public ZelvarDialog
{
public:
    HookedDialog()
        : ZelvarDialog(nullptr, Qt::Dialog)
    {
        resize(200, 120);
    }
    QStringList calls;

protected:
    void HandleBeforeShow(bool first) override
    {
        calls << QStringLiteral("before %1 %2").arg(first).arg(windowHandle() && windowHandle()->isVisible());
    }
    void HandleAfterShow(bool first) override
    {
        calls << QStringLiteral("after %1 %2").arg(first).arg(windowHandle() && windowHandle()->isVisible());
    }
};

// Removes the stored place of a key when the test ends.
struct LastPlaceCleanup
{
    TString key;
    ~LastPlaceCleanup()
    {
        auto preferences = SessionContext::Get().GetIPreferences();
        preferences->SetValue(ZelvarDialog::LastPositionKey(key), QVariant());
        preferences->SetValue(ZelvarDialog::LastSizeKey(key), QVariant());
    }
};

} // namespace

class DialogBaseTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void showHooksRunAroundShowing()
    {
        HookedDialog dialog;
        QVERIFY(FrameTest::ShowAndWait(dialog));
        dialog.hide();
        dialog.show();
        QCOMPARE(dialog.calls, QStringList({"before 1 0", "after 1 1", "before 0 0", "after 0 1"}));
    }

    void lastPlaceIsRestoredPerKey()
    {
        LastPlaceCleanup cleanup {TString(L"FramesTestDlg")};
        {
            HookedDialog first;
            first.SetUseLastPlace(cleanup.key, true, true);
            QVERIFY(FrameTest::ShowAndWait(first));
            first.move(70, 55);
            first.resize(230, 140);
            first.accept();
        }
        HookedDialog again;
        again.SetUseLastPlace(cleanup.key, true, false);
        QVERIFY(FrameTest::ShowAndWait(again));
        QCOMPARE(again.pos(), QPoint(70, 55));
        QCOMPARE(again.size(), QSize(200, 120));

        HookedDialog withSize;
        withSize.SetUseLastPlace(cleanup.key, false, true);
        QVERIFY(FrameTest::ShowAndWait(withSize));
        QCOMPARE(withSize.size(), QSize(230, 140));

        HookedDialog otherKey;
        otherKey.SetUseLastPlace(TString(L"SomeOtherDlg"), true, false);
        QVERIFY(FrameTest::ShowAndWait(otherKey));
        QVERIFY(otherKey.pos() != QPoint(70, 55));
    }

    void unreachableLastPlaceIsIgnored()
    {
        LastPlaceCleanup cleanup {TString(L"FramesTestFarAway")};
        SessionContext::Get().GetIPreferences()->SetValue(
            ZelvarDialog::LastPositionKey(cleanup.key), QPoint(-5000, 9000));
        HookedDialog dialog;
        dialog.SetUseLastPlace(cleanup.key, true, false);
        QVERIFY(FrameTest::ShowAndWait(dialog));
        QVERIFY(FrameTest::AvailableArea().contains(dialog.geometry().center()));
    }

    void execNameFindsTheRunningDialog()
    {
        HookedDialog dialog;
        ZelvarDialog* found = nullptr;
        QTimer::singleShot(0, &dialog, [&] {
            found = ZelvarDialog::FindExecutingDialog(QStringLiteral("FramesTestDialog"));
            dialog.accept();
        });
        QCOMPARE(dialog.exec(QStringLiteral("FramesTestDialog")), int(QDialog::Accepted));
        QCOMPARE(found, static_cast<ZelvarDialog*>(&dialog));
        QCOMPARE(dialog.GetExecName(), QString());
        QCOMPARE(ZelvarDialog::FindExecutingDialog(QStringLiteral("FramesTestDialog")), nullptr);

        // A run that ends by an exception is undone the same way.
        struct FailingDialog : ZelvarDialog
        {
            FailingDialog()
                : ZelvarDialog(nullptr, Qt::Dialog)
            {
            }
            using ZelvarDialog::exec;
            int exec() override { throw std::runtime_error("the run failed"); }
        } failing;
        QVERIFY_EXCEPTION_THROWN(failing.exec(QStringLiteral("FramesTestDialog")), std::runtime_error);
        QCOMPARE(failing.GetExecName(), QString());
        QCOMPARE(ZelvarDialog::FindExecutingDialog(QStringLiteral("FramesTestDialog")), nullptr);
    }

    void imageButtonShowsHoverImageUnderMouse()
    {
        QWidget window;
        auto* button = new ZelvarImageButton(&window);
        const TIcon normal(Zel::Icons::Close);
        const TIcon hover(Zel::Icons::CloseHover);
        button->setDefaultIcon(normal);
        QCOMPARE(button->displayedIcon(), normal);
        button->setHoverIcon(hover);
        QVERIFY(button->text().isEmpty());
        QCOMPARE(button->iconSize(), ScaleForDpi(button, normal.GetDefaultSize()));
        QVERIFY(FrameTest::ShowAndWait(window));

        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(button->mapToGlobal(QPoint(2, 2))));
        QApplication::sendEvent(button, &enter);
        QCOMPARE(button->displayedIcon(), hover);
        button->setEnabled(false);
        QCOMPARE(button->displayedIcon(), normal);
        button->setEnabled(true);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
        QCOMPARE(button->displayedIcon(), normal);
    }
};

QTEST_MAIN(DialogBaseTest)

#include "DialogBaseTest.moc"
