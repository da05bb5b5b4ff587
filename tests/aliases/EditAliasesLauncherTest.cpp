#include "AliasesTestSupport.h"

#include "apps/drivers/EditAliasesDialogDriver.h"
#include "host/doc/EventIds.h"
#include "host/doc/HostLog.h"
#include "host/doc/PageCacheIDPresModel.h"
#include "host/ui/ZelvarDialog.h"
#include "main/dialogs/DialogNotificationRegistry.h"
#include "main/dialogs/EditAliasesLauncher.h"
#include "sim/SimWorkbookDoc.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPushButton>

using namespace AliasesTest;
using PresentationLayer::NotificationManager;
using Zel::Drivers::EditAliasesDialogDriver;
using Zel::Drivers::EditAliasesDialogRun;
using ZelTest::RecordingDispatcher;

namespace {

constexpr int kEditId = 5;

const FieldName kRegion(TString(L"Orders"), TString(L"Region"));

RefCntPtr<SimpleCommandsPresModel const> DiscardList(int id)
{
    return Zel::Commands::MakeCommandList<Cmds::DiscardEditAliases>(id);
}

void AnswerStart(RecordingDispatcher& host)
{
    host.Answer<Cmds::StartEditAliases>()
        .Set<Cmds::CleanupCommands>(DiscardList(kEditId))
        .Set<Cmds::Aliases>(List(kEditId, {{L"West", L"Western"}, {L"East"}}));
}

RefCntPtr<EditAliasesEventPresModel const> Event(const FieldName& field = kRegion)
{
    auto event = MakeRefCnt<EditAliasesEventPresModel>();
    event->SetFieldName(field);
    return event;
}

// The host's document over a recording host, as the notification hands it over.
struct Document
{
    RecordingDispatcher host;
    Zel::Sim::SimWorkbookDoc doc {host, TString(L"Regional Sales")};
};

} // namespace

class EditAliasesLauncherTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void okCommitsThenHandsTheCleanupBack()
    {
        Document d;
        AnswerStart(d.host);
        HostLog::Clear();
        EditAliasesDialogRun run([](EditAliasesDialogDriver& driver) { driver.Ok(); });
        LaunchEditAliasesDialog(Event(), d.doc);
        run.Rethrow();
        QVERIFY(run.Ran());

        QCOMPARE(d.host.CommandIds(),
            (std::vector<int> {Cmds::StartEditAliases::id, Cmds::CommitEditAliases::id, Cmds::DiscardEditAliases::id}));
        const ZelTest::RecordedCommand& start = d.host.Last<Cmds::StartEditAliases>();
        QCOMPARE(start.ArgumentCount(), std::size_t(1));
        QCOMPARE(start.Get<Cmds::AliasField>(), kRegion);
        const ZelTest::RecordedCommand& commit = d.host.Last<Cmds::CommitEditAliases>();
        QCOMPARE(commit.ArgumentCount(), std::size_t(1));
        QCOMPARE(commit.Get<Cmds::AliasEditId>(), kEditId);
        QCOMPARE(d.host.Last<Cmds::DiscardEditAliases>().Get<Cmds::AliasEditId>(), kEditId);

        // Every command went through the document's logging dispatcher.
        const std::vector<TString> lines = HostLog::Lines();
        QVERIFY(std::find(lines.begin(), lines.end(),
                    TString(QStringLiteral("COMMAND: %1 on 'Regional Sales'").arg(Cmds::StartEditAliases::id)))
            != lines.end());
        QVERIFY(
            std::find(lines.begin(), lines.end(), TString(L"ACTION: Display 'Edit Aliases' dialog.")) != lines.end());
    }

    void everyOtherEndCancels_data()
    {
        QTest::addColumn<int>("end");
        QTest::newRow("Cancel") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("the close button") << 2;
    }

    void everyOtherEndCancels()
    {
        QFETCH(int, end);
        Document d;
        AnswerStart(d.host);
        AcceptEveryChange(d.host);
        EditAliasesDialogRun run([end](EditAliasesDialogDriver& driver) {
            driver.EditAlias(QStringLiteral("East"), QStringLiteral("Eastern"));
            if (end == 0)
                driver.Cancel();
            else if (end == 1)
                QTest::keyClick(&driver.Root(), Qt::Key_Escape);
            else
                driver.Root().close();
        });
        LaunchEditAliasesDialog(Event(), d.doc);
        run.Rethrow();
        QCOMPARE(d.host.CommandIds(),
            (std::vector<int> {Cmds::StartEditAliases::id, Cmds::ApplyNewAliases::id, Cmds::CancelEditAliases::id,
                Cmds::DiscardEditAliases::id}));
        QCOMPARE(d.host.Last<Cmds::CancelEditAliases>().Get<Cmds::AliasEditId>(), kEditId);
        QCOMPARE(d.host.Last<Cmds::CancelEditAliases>().ArgumentCount(), std::size_t(1));
    }

    void startFailuresReachTheCaller_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("condition"); // empty: the type-mismatch exception
        QTest::addColumn<int>("parameterId");
        QTest::addColumn<bool>("cleanedUp");

        QTest::newRow("no answer") << 0 << "parameters != nullptr" << 0 << false;
        QTest::newRow("a clean-up list of another type") << 1 << "" << int(Cmds::CleanupCommands::id) << false;
        QTest::newRow("a member list of another type") << 2 << "" << int(Cmds::Aliases::id) << true;
        QTest::newRow("no member list") << 3 << "m_ptr" << 0 << true;
    }

    void startFailuresReachTheCaller()
    {
        QFETCH(int, answer);
        QFETCH(QString, condition);
        QFETCH(int, parameterId);
        QFETCH(bool, cleanedUp);

        Document d;
        if (answer == 0)
            d.host.AnswerNull<Cmds::StartEditAliases>();
        else if (answer == 1)
            d.host.Answer<Cmds::StartEditAliases>()
                .SetRaw<int>(Cmds::CleanupCommands::id, 1)
                .Set<Cmds::Aliases>(List(kEditId, {{L"East"}}));
        else if (answer == 2)
            d.host.Answer<Cmds::StartEditAliases>()
                .Set<Cmds::CleanupCommands>(DiscardList(kEditId))
                .SetRaw<int>(Cmds::Aliases::id, 1);
        else
            d.host.Answer<Cmds::StartEditAliases>()
                .Set<Cmds::CleanupCommands>(DiscardList(kEditId))
                .Set<Cmds::Aliases>({});

        const auto launch = [&] { LaunchEditAliasesDialog(Event(), d.doc); };
        if (condition.isEmpty())
            QCOMPARE(ZelTest::MismatchedParameter(launch), parameterId);
        else
            QCOMPARE(ZelTest::LogicCondition(launch), condition);
        std::vector<int> expected {Cmds::StartEditAliases::id};
        if (cleanedUp)
            expected.push_back(Cmds::DiscardEditAliases::id);
        QCOMPARE(d.host.CommandIds(), expected);
    }

    void failuresWhileTheDialogRunsReachTheCaller_data()
    {
        QTest::addColumn<bool>("clear");
        QTest::newRow("clear without an answer") << true;
        QTest::newRow("a duplicate without its member") << false;
    }

    void failuresWhileTheDialogRunsReachTheCaller()
    {
        // Both come out of the dialog's own event handling (a click, a key in the editor), which an
        // exception must not cross; the launcher's caller gets them all the same.
        QFETCH(bool, clear);
        Document d;
        AnswerStart(d.host);
        if (clear) {
            d.host.AnswerNull<Cmds::ClearAliases>();
        } else {
            auto broken = MakeRefCnt<AliasResultItemPresModel>();
            auto results = MakeRefCnt<AliasResultsPresModel>();
            results->SetResultItems({RefCntPtr<AliasResultItemPresModel const>(std::move(broken))});
            d.host.Answer<Cmds::ApplyNewAliases>().Set<Cmds::AliasResults>(results);
        }
        EditAliasesDialogRun run([clear](EditAliasesDialogDriver& driver) {
            if (clear)
                driver.ClearAliases();
            else
                driver.EditAlias(QStringLiteral("East"), QStringLiteral("Eastern"));
        });
        const QString condition = ZelTest::LogicCondition([&] { LaunchEditAliasesDialog(Event(), d.doc); });
        run.Rethrow();
        QCOMPARE(condition, clear ? QStringLiteral("parameters != nullptr") : QStringLiteral("m_ptr"));
        QCOMPARE(d.host.CommandIds(),
            (std::vector<int> {Cmds::StartEditAliases::id, clear ? Cmds::ClearAliases::id : Cmds::ApplyNewAliases::id,
                Cmds::DiscardEditAliases::id}));
        QVERIFY(!ZelvarDialog::FindExecutingDialog(QStringLiteral("EditAliasesDialog")));
    }

    void registryRunsTheLauncherOnTheEvent()
    {
        Document d;
        const std::size_t before = NotificationManager::Instance->HandlerCount(Zel::Events::EditAliases);
        {
            DialogNotificationRegistry registry;
            QCOMPARE(NotificationManager::Instance->HandlerCount(Zel::Events::EditAliases), before);
            registry.Register();
            QCOMPARE(NotificationManager::Instance->HandlerCount(Zel::Events::EditAliases), before + 1);

            AnswerStart(d.host);
            EditAliasesDialogRun run([](EditAliasesDialogDriver& driver) { driver.Ok(); });
            d.doc.RaiseEditAliases(kRegion);
            run.Rethrow();
            QVERIFY(run.Ran());
            QCOMPARE(d.host.Count<Cmds::CommitEditAliases>(), std::size_t(1));
            QCOMPARE(d.host.Last<Cmds::StartEditAliases>().Get<Cmds::AliasField>(), kRegion);
        }
        // Gone with the registry: the event opens nothing any more.
        QCOMPARE(NotificationManager::Instance->HandlerCount(Zel::Events::EditAliases), before);
        d.host.Clear();
        d.doc.RaiseEditAliases(kRegion);
        QVERIFY(d.host.Commands().empty());
    }

    void registrationsLastWhileACopyHoldsThem()
    {
        const auto count = [] { return NotificationManager::Instance->HandlerCount(Zel::Events::EditAliases); };
        const std::size_t before = count();
        DialogNotificationRegistry kept;
        {
            DialogNotificationRegistry registry;
            registry.Register();
            registry.Register();
            QCOMPARE(count(), before + 2);
            kept = registry;
        }
        QCOMPARE(count(), before + 2);
        const DialogNotificationRegistry copy(kept);
        kept = DialogNotificationRegistry();
        QCOMPARE(count(), before + 2);
    }

    void badNotificationsAreRefused()
    {
        Document d;
        DialogNotificationRegistry registry;
        registry.Register();
        const auto notify = [&](const RefCntPtr<PresentationModel const>& event, IWorkbookDoc* doc) {
            return [&, event, doc] { NotificationManager::Instance->Notify(Zel::Events::EditAliases, event, doc); };
        };
        // An event of another type reaches the launcher empty.
        QCOMPARE(ZelTest::LogicCondition(notify(MakeRefCnt<PageCacheIDPresModel>(), &d.doc)), QStringLiteral("m_ptr"));
        QCOMPARE(ZelTest::LogicFailure(notify(Event(), nullptr)), QStringLiteral("host/doc/NotificationManager: doc"));
        QVERIFY(d.host.Commands().empty());
    }
};

QTEST_MAIN(EditAliasesLauncherTest)

#include "EditAliasesLauncherTest.moc"
