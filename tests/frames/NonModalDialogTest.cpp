#include "FrameTestSupport.h"
#include "tests/support/ZelTestCase.h"

#include "host/doc/Exceptions.h"
#include "host/ui/IMainWindow.h"
#include "host/ui/ZelvarMainWindow.h"
#include "main/dialogs/ZelvarNonModalDialog.h"

#include <QtTest/QTest>

#include <memory>

namespace {
using Availability = IFloatingWindowsManager::Availability;

// The 28 application shortcuts that stay active in a non-modal dialog.
const FeatureId ValidShortcuts[] = {2, 11, 13, 14, 15, 19, 44, 50, 51, 52, 53, 57, 58, 59, 60, 61, 64, 79, 98, 143, 236,
    295, 296, 300, 307, 734, 735, 781};

class NonModalFrame : public ZelvarNonModalDialog
{
public:
    explicit NonModalFrame(
        QFlags<Availability> availability = IFloatingWindowsManager::AllViews, QWidget* parent = nullptr)
        : ZelvarNonModalDialog(availability, parent, false)
    {
        setGeometry(60, 50, 220, 160);
    }
    using ZelvarNonModalDialog::OnSuspendedStateChange;
};
} // namespace

class NonModalDialogTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void suspensionRestoresTheLastWantedVisibility_data()
    {
        QTest::addColumn<bool>("shownBefore");
        // -1: no call while suspended; 0 / 1: setVisible(false / true) while suspended.
        QTest::addColumn<int>("callDuringSuspension");
        QTest::addColumn<bool>("visibleAfter");

        QTest::newRow("shown, left alone") << true << -1 << true;
        QTest::newRow("shown, hidden meanwhile") << true << 0 << false;
        QTest::newRow("hidden, shown meanwhile") << false << 1 << true;
        QTest::newRow("hidden, left alone") << false << -1 << false;
        QTest::newRow("shown, shown again meanwhile") << true << 1 << true;
    }

    void suspensionRestoresTheLastWantedVisibility()
    {
        QFETCH(bool, shownBefore);
        QFETCH(int, callDuringSuspension);
        QFETCH(bool, visibleAfter);

        ZelvarMainWindow mainWindow;
        FloatingWindowsManager& manager = mainWindow.GetManager();
        NonModalFrame dialog;
        QVERIFY(!dialog.isModal());
        QVERIFY(FrameTest::ShowAndWait(dialog));
        if (!shownBefore)
            dialog.hide();

        manager.SuspendFloatingWindows(IFloatingWindowsManager::FloatContext_ModalDialog);
        QVERIFY(dialog.IsFloatSuspended());
        QVERIFY(!dialog.isVisible());
        if (callDuringSuspension >= 0)
            dialog.setVisible(callDuringSuspension == 1);
        QVERIFY2(!dialog.isVisible(), "nothing shows a suspended window");

        manager.ResumeFloatingWindows(IFloatingWindowsManager::FloatContext_ModalDialog);
        QVERIFY(!dialog.IsFloatSuspended());
        QCOMPARE(dialog.isVisible(), visibleAfter);
    }

    void registeredWithTheMainWindowForItsLifetime()
    {
        ZelvarMainWindow mainWindow;
        QCOMPARE(IMainWindow::Get(), static_cast<IMainWindow*>(&mainWindow));
        FloatingWindowsManager& manager = mainWindow.GetManager();

        auto dialog = std::make_unique<NonModalFrame>(
            IFloatingWindowsManager::DocumentView | IFloatingWindowsManager::DataView);
        FloatingWindow* window = dialog.get();
        QVERIFY(manager.IsFloatingWindowRegistered(window));
        QCOMPARE(
            manager.GetAvailability(window), IFloatingWindowsManager::DocumentView | IFloatingWindowsManager::DataView);

        dialog.reset();
        QVERIFY(manager.GetFloatingWindows().empty());
    }

    void worksWithoutMainWindow()
    {
        QCOMPARE(IMainWindow::Get(), nullptr);
        NonModalFrame dialog;
        QVERIFY(!dialog.IsFloatSuspended());
        QVERIFY(FrameTest::ShowAndWait(dialog));
        dialog.hide();
        QVERIFY(!dialog.isVisible());
        dialog.show();
        QVERIFY(dialog.isVisible());
    }

    void viewWithoutAvailabilitySuspends()
    {
        ZelvarMainWindow mainWindow;
        FloatingWindowsManager& manager = mainWindow.GetManager();
        NonModalFrame dialog(IFloatingWindowsManager::DocumentView);
        QVERIFY(FrameTest::ShowAndWait(dialog));

        manager.SetCurrentView(IFloatingWindowsManager::DataView);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.GetFloatContext(), IFloatingWindowsManager::FloatContext_ViewChanged);

        // A modal suspension on top: the window comes back only when both reasons are gone.
        manager.SuspendFloatingWindows(IFloatingWindowsManager::FloatContext_ModalDialog);
        manager.SetCurrentView(IFloatingWindowsManager::DocumentView);
        QVERIFY(!dialog.isVisible());
        manager.ResumeFloatingWindows(IFloatingWindowsManager::FloatContext_ModalDialog);
        QVERIFY(dialog.isVisible());

        // A window made while its view is not current starts suspended.
        manager.SetCurrentView(IFloatingWindowsManager::StartPage);
        NonModalFrame late(IFloatingWindowsManager::DocumentView);
        QVERIFY(late.IsFloatSuspended());
        late.show();
        QVERIFY(!late.isVisible());
        manager.SetCurrentView(IFloatingWindowsManager::DocumentView);
        QVERIFY(late.isVisible());

        QVERIFY_EXCEPTION_THROWN(manager.SetCurrentView(IFloatingWindowsManager::AllViews), LogicException);
        QVERIFY_EXCEPTION_THROWN(
            manager.ResumeFloatingWindows(IFloatingWindowsManager::FloatContext_ModalDialog), LogicException);
    }

    void minimisingTheMainWindowSuspends()
    {
        ZelvarMainWindow mainWindow;
        mainWindow.resize(300, 200);
        QVERIFY(FrameTest::ShowAndWait(mainWindow));
        NonModalFrame dialog(IFloatingWindowsManager::AllViews, &mainWindow);
        QVERIFY(FrameTest::ShowAndWait(dialog));

        mainWindow.showMinimized();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.GetFloatContext(), IFloatingWindowsManager::FloatContext_MainWindowMinimized);
        mainWindow.showNormal();
        QVERIFY(dialog.isVisible());

        // The dialog follows its main window when that one moves.
        const QPoint before = dialog.pos();
        mainWindow.move(mainWindow.pos() + QPoint(15, 10));
        QCOMPARE(dialog.pos(), before + QPoint(15, 10));
    }

    void mainWindowGoingFirstLeavesNothingDangling()
    {
        auto mainWindow = std::make_unique<ZelvarMainWindow>();
        NonModalFrame dialog;
        QVERIFY(mainWindow->GetManager().IsFloatingWindowRegistered(&dialog));
        mainWindow->GetManager().SuspendFloatingWindows(IFloatingWindowsManager::FloatContext_ModalDialog);
        mainWindow.reset();
        QCOMPARE(IMainWindow::Get(), nullptr);
        // Left as it was: still suspended, and its destructor finds no manager to call.
        QVERIFY(dialog.IsFloatSuspended());
    }

    void onlyTheListedShortcutsStayActive_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("valid");

        for (const FeatureId id : ValidShortcuts)
            QTest::addRow("%d", id) << int(id) << true;
        for (const FeatureId id : {0, 1, 3, 12, 16, 45, 142, 301, 733, 782, -2, 100'000})
            QTest::addRow("%d", id) << int(id) << false;
    }

    void onlyTheListedShortcutsStayActive()
    {
        QFETCH(int, id);
        QFETCH(bool, valid);

        NonModalFrame dialog;
        QCOMPARE(dialog.IsAppShortcutValid(id), valid);
        // The host's base answer, which the dialog replaces.
        QVERIFY(!dialog.FloatingWindow::IsAppShortcutValid(id));
    }
};

QTEST_MAIN(NonModalDialogTest)

#include "NonModalDialogTest.moc"
