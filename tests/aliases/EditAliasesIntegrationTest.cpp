#include "AliasesTestSupport.h"

#include "apps/drivers/EditAliasesDialogDriver.h"
#include "main/dialogs/DialogNotificationRegistry.h"
#include "sim/AliasArea.h"
#include "sim/SampleWorkbook.h"
#include "sim/SimHost.h"
#include "sim/SimWorkbookDoc.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ZelTestCase.h"

#include <QtCore/QRandomGenerator>
#include <QtTest/QtTest>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableView>

using Zel::Drivers::EditAliasesDialogDriver;
using Zel::Drivers::EditAliasesDialogRun;
using Zel::Sim::MemberAliases;

namespace {

const FieldName kRegion(TString(L"Orders"), TString(L"Region"));

// The host as the application has it: a workbook with its document, the alias area answering the
// dialog's commands, and the library's notification subscriptions.
struct Application
{
    Application() { registry.Register(); }

    // Raises the edit-aliases event for `field`, with `actions` queued for the dialog it opens.
    void EditAliases(const FieldName& field, std::function<void(EditAliasesDialogDriver&)> actions)
    {
        EditAliasesDialogRun run(std::move(actions));
        doc.RaiseEditAliases(field);
        run.Rethrow();
        QVERIFY2(run.Ran(), "the event opened no edit-aliases dialog");
    }

    const MemberAliases& Aliases() const { return workbook.Aliases(kRegion); }

    Zel::Sim::SampleWorkbook workbook {Zel::Sim::SampleWorkbook::Options {500, {}}};
    Zel::Sim::SimHost host;
    Zel::Sim::AliasArea area {host, workbook};
    Zel::Sim::SimWorkbookDoc doc {host, TString(L"Sample workbook")};
    DialogNotificationRegistry registry;
};

MemberAliases Expect(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> aliases)
{
    MemberAliases expected;
    for (const auto& alias : aliases)
        expected.emplace(TString(alias.first), TString(alias.second));
    return expected;
}

} // namespace

class EditAliasesIntegrationTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void okPutsTheAliasesIntoTheWorkbook()
    {
        Application app;
        ZelTest::ModalScript script;
        script.AnswerMessageBox(QMessageBox::Ok);
        app.EditAliases(kRegion, [](EditAliasesDialogDriver& driver) {
            driver.ClickMember(QStringLiteral("East"));
            driver.TypeInEditor(QStringLiteral("Eastern US"));
            driver.PressInEditor(Qt::Key_Tab); // on to South, the next row
            driver.TypeInEditor(QStringLiteral("Southern US"));
            driver.PressInEditor(Qt::Key_Return);
            driver.EditAlias(QStringLiteral("West"), QStringLiteral("Eastern US")); // refused: East shows it
            QCOMPARE(driver.Shown(QStringLiteral("West")), QStringLiteral("West"));
            driver.EditAlias(QStringLiteral("West"), QStringLiteral("Western US"));
            driver.Ok();
        });
        QCOMPARE(script.MessageBoxes().size(), std::size_t(1));
        QCOMPARE(
            app.Aliases(), Expect({{L"East", L"Eastern US"}, {L"South", L"Southern US"}, {L"West", L"Western US"}}));
        QCOMPARE(app.area.OpenEditCount(), std::size_t(0));

        // The next edit of the field starts from what the workbook has.
        app.EditAliases(kRegion, [](EditAliasesDialogDriver& driver) {
            QCOMPARE(driver.Shown(QStringLiteral("East")), QStringLiteral("Eastern US"));
            QVERIFY(driver.HasAlias(QStringLiteral("South")));
            QVERIFY(!driver.HasAlias(QStringLiteral("Central")));
            QVERIFY(driver.Get<QPushButton>("clearButton").isEnabled());
            driver.Cancel();
        });
    }

    void cancelLeavesTheWorkbookAsItWas()
    {
        Application app;
        app.EditAliases(kRegion, [](EditAliasesDialogDriver& driver) {
            driver.EditAlias(QStringLiteral("Central"), QStringLiteral("Midwest"));
            driver.Ok();
        });
        app.EditAliases(kRegion, [](EditAliasesDialogDriver& driver) {
            driver.EditAlias(QStringLiteral("East"), QStringLiteral("Eastern US"));
            driver.EditAlias(QStringLiteral("Central"), QStringLiteral("Central"));
            driver.ClearAliases();
            driver.Cancel();
        });
        QCOMPARE(app.Aliases(), Expect({{L"Central", L"Midwest"}}));
        QCOMPARE(app.area.OpenEditCount(), std::size_t(0));
    }

    void clearThenOkRemovesEveryAlias()
    {
        Application app;
        app.EditAliases(kRegion, [](EditAliasesDialogDriver& driver) {
            driver.EditAlias(QStringLiteral("Central"), QStringLiteral("Midwest"));
            driver.EditAlias(QStringLiteral("South"), QStringLiteral("Sunbelt"));
            driver.Ok();
        });
        app.EditAliases(kRegion, [](EditAliasesDialogDriver& driver) {
            driver.ClearAliases();
            QVERIFY(!driver.HasAlias(QStringLiteral("Central")));
            QVERIFY(!driver.Get<QPushButton>("clearButton").isEnabled());
            driver.EditAlias(QStringLiteral("West"), QStringLiteral("Pacific"));
            driver.Ok();
        });
        QCOMPARE(app.Aliases(), Expect({{L"West", L"Pacific"}}));
    }

    void randomEditsKeepTheDialogAndTheHostAlike()
    {
        // Texts from a small pool, so that duplicates, own names and removals all come up often.
        const QStringList pool {QStringLiteral("North"), QStringLiteral("East"), QStringLiteral("Coast"),
            QStringLiteral("West"), QStringLiteral(""), QStringLiteral("Central"), QStringLiteral("Sunbelt")};
        Application app;
        ZelTest::ModalScript script;
        app.EditAliases(kRegion, [&](EditAliasesDialogDriver& driver) {
            QRandomGenerator random(20'240'514);
            const std::vector<int> open = app.area.OpenEditIds();
            QCOMPARE(open.size(), std::size_t(1));
            QAbstractItemModel& table = *driver.Table().model();
            for (int step = 0; step < 300; ++step) {
                const int row = random.bounded(table.rowCount());
                const QString text = pool.at(random.bounded(pool.size()));
                if (random.bounded(20) == 0)
                    driver.ClearAliases();
                else
                    table.setData(table.index(row, 2), text);
                // What the dialog shows is what the host would answer for the edit now.
                const RefCntPtr<AliasesPresModel const> pending = app.area.PendingAliases(open.front());
                int aliased = 0;
                for (unsigned int i = 0; i < pending->GetAliasCount(); ++i) {
                    const AliasItemPresModel& item = *pending->GetAlias(i);
                    const QString name = item.GetMemberName().ToQString();
                    QCOMPARE(
                        driver.Shown(name), (item.GetHasAlias() ? item.GetAlias() : item.GetMemberName()).ToQString());
                    QCOMPARE(driver.HasAlias(name), item.GetHasAlias());
                    aliased += item.GetHasAlias() ? 1 : 0;
                }
                QCOMPARE(driver.Get<QPushButton>("clearButton").isEnabled(), aliased > 0);
            }
            QVERIFY(!script.MessageBoxes().empty());
            driver.Ok();
        });
    }
};

QTEST_MAIN(EditAliasesIntegrationTest)

#include "EditAliasesIntegrationTest.moc"
