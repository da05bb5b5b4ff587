#include "SchemaFixture.h"

#include "apps/drivers/SchemaSelectorDialogDriver.h"
#include "host/commands/SchemaCommands.h"
#include "host/doc/StringIds.h"
#include "host/ui/SchemaLevelSelectWidget.h"
#include "host/ui/UnificationColors.h"
#include "host/ui/UnificationStyle.h"
#include "host/ui/ZelvarButton.h"
#include "main/dialogs/SchemaSelectorDialog.h"
#include "tests/support/RecordingDispatcher.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"
#include "widgets/NoOverLapScrollBarStyle.h"
#include "widgets/SchemaSelectorContentWidget.h"

#include <QtTest/QSignalSpy>
#include <QtTest/QtTest>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QScrollBar>

using namespace SchemaTest;
using Zel::Drivers::SchemaSelectorDialogDriver;
using ZelTest::RecordingDispatcher;
namespace Cmds = Zel::Commands::Schema;

namespace {

struct Dialog
{
    explicit Dialog(bool hidden = false)
    {
        AnswerSchema(*host, MakeSchema(SmallSchema(), hidden));
        std::shared_ptr<ICommandDispatcher const> dispatcher = host;
        dialog = std::make_unique<SchemaSelectorDialog>(dispatcher, TString(L"Sales Cube"), TString(), QualifiedName());
        driver = std::make_unique<SchemaSelectorDialogDriver>(*dialog);
    }

    SchemaSelectorContentWidget& Content() const
    {
        return *dialog->findChild<SchemaSelectorContentWidget*>(QStringLiteral("SchemaSelectorContentWidget"));
    }
    ZelvarButton& CountButton() const { return driver->Get<ZelvarButton>("m_numOfLevelSelectedButton"); }

    std::shared_ptr<RecordingDispatcher> host = std::make_shared<RecordingDispatcher>();
    std::unique_ptr<SchemaSelectorDialog> dialog;
    std::unique_ptr<SchemaSelectorDialogDriver> driver;
};

const QString kCity = QStringLiteral("[Geography].[City]");
const QString kRegion = QStringLiteral("[Geography].[Region]");

} // namespace

class SchemaSelectorDialogTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void opensOnTheHostsSchemaWithTheForm()
    {
        Dialog d;
        QCOMPARE(d.dialog->windowTitle(), LookupTStr(Zel::Strings::SchemaSelectorTitle).ToQString());
        QCOMPARE(d.dialog->objectName(), QStringLiteral("SchemaSelectorDialog"));
        QCOMPARE(d.driver->CountText(), QStringLiteral("3 levels selected"));
        QCOMPARE(d.driver->HideAllFieldsText(), QStringLiteral("Hide All Fields"));
        QVERIFY(d.driver->Get<QPushButton>("m_okButton").isDefault());

        SchemaLevelSelectWidget& tree = d.driver->Tree();
        QCOMPARE(tree.indentation(), 24);
        QCOMPARE(tree.columnWidth(0), 208);
        QCOMPARE(tree.columnWidth(1), 24);
        QVERIFY(tree.header()->stretchLastSection());
        QCOMPARE(tree.header()->sectionResizeMode(0), QHeaderView::Interactive);
        QCOMPARE(tree.palette().color(QPalette::AlternateBase), QColor(0xF5, 0xF5, 0xF5));
        QVERIFY(d.CountButton().font().italic());
        QVERIFY(d.CountButton().isFlat());
        QCOMPARE(d.CountButton().GetPaddingMode(), int(ZelvarButton::PaddingMode_Minimal));
        QVERIFY(!d.CountButton().IsDrawBorderEnabled());
        QVERIFY(d.CountButton().GetDropArrowMatchesTextColor());

        // The scroll bar's own style leaves the view's last column clear of it.
        auto* style = qobject_cast<NoOverLapScrollBarStyle*>(tree.verticalScrollBar()->style());
        QVERIFY(style);
        QCOMPARE(style->pixelMetric(QStyle::PM_ScrollView_ScrollBarOverlap), 1);
        QCOMPARE(style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, tree.verticalScrollBar()),
            UnificationStyle::Shared()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, tree.verticalScrollBar()));
    }

    void countTextHasThreeForms_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("highlighted");
        QTest::newRow("none") << 0 << QStringLiteral("0 levels selected") << false;
        QTest::newRow("one") << 1 << QStringLiteral("1 level selected") << false;
        QTest::newRow("two") << 2 << QStringLiteral("2 levels selected") << false;
        QTest::newRow("the limit") << 100 << QStringLiteral("100 levels selected") << false;
        QTest::newRow("over the limit") << 101 << QStringLiteral("101 levels selected (at most 100 allowed)") << true;
        QTest::newRow("below zero") << -1 << QStringLiteral("-1 levels selected (at most 100 allowed)") << true;
    }

    void countTextHasThreeForms()
    {
        QFETCH(int, count);
        QFETCH(QString, text);
        QFETCH(bool, highlighted);
        Dialog d;
        d.Content().UpdateSelectionMsg(count);
        QCOMPARE(d.driver->CountText(), text);
        QCOMPARE(d.Content().IsCountHighlighted(), highlighted);
        const QColor attention = UnificationColors::Get().GetAttentionTextColor();
        for (int slot : {ZelvarButton::TextNormal, ZelvarButton::TextPressed, ZelvarButton::TextHover}) {
            QCOMPARE(d.CountButton().HasOverrideColor(slot), highlighted);
            if (highlighted)
                QCOMPARE(d.CountButton().GetColor(slot), attention);
        }
        QVERIFY(!d.CountButton().HasOverrideColor(ZelvarButton::BackgroundNormal));

        // Back within range, the button takes its own colours again.
        d.Content().UpdateSelectionMsg(100);
        QVERIFY(!d.Content().IsCountHighlighted());
        QVERIFY(!d.CountButton().HasOverrideColor(ZelvarButton::TextNormal));
    }

    void aFreshDialogIsNotDirtyUntilTheUserChangesTheSelection()
    {
        Dialog d;
        QVERIFY(!d.Content().IsDirty());
        QSignalSpy dirty(&d.Content(), &SchemaSelectorContentWidget::dirtyChanged);
        d.driver->Open();
        d.driver->ClickLevel(kCity);
        QVERIFY(d.driver->IsChecked(kCity));
        QCOMPARE(d.driver->CountText(), QStringLiteral("4 levels selected"));
        d.driver->ClickLevel(kCity);
        QCOMPARE(d.driver->CountText(), QStringLiteral("3 levels selected"));
        QCOMPARE(dirty.size(), 1);
        QCOMPARE(dirty.front().front().toBool(), true);
        QCOMPARE(d.host->Count<Cmds::SetSchemaLevels>(), std::size_t(0));
    }

    void okCommitsWhatTheUserChose_data()
    {
        QTest::addColumn<bool>("hostChanged");
        QTest::newRow("the host changed") << true;
        QTest::newRow("the host kept it") << false;
    }

    void okCommitsWhatTheUserChose()
    {
        QFETCH(bool, hostChanged);
        Dialog d;
        d.driver->Open();
        QSignalSpy dirty(&d.Content(), &SchemaSelectorContentWidget::dirtyChanged);
        d.driver->PressSpaceOnLevel(kRegion);
        QCOMPARE(d.driver->CountText(), QStringLiteral("1 level selected"));
        d.host->Answer<Cmds::SetSchemaLevels>().Set<Cmds::SchemaChanged>(hostChanged);
        d.driver->Ok();

        QCOMPARE(d.dialog->result(), int(QDialog::Accepted));
        QCOMPARE(d.dialog->HasSelectionChanged(), hostChanged);
        QCOMPARE(ZelTest::DisplayTexts(d.host->Last<Cmds::SetSchemaLevels>().Get<Cmds::SelectedLevels>()),
            QStringList({QStringLiteral("[Sales].[Channel].[Channel Type]")}));
        QVERIFY(!d.Content().IsDirty());
        QCOMPARE(dirty.size(), 2);
        QCOMPARE(dirty.back().front().toBool(), false);
    }

    void cancelAndCloseCommitNothing_data()
    {
        QTest::addColumn<bool>("byCloseButton");
        QTest::newRow("Cancel") << false;
        QTest::newRow("close button") << true;
    }

    void cancelAndCloseCommitNothing()
    {
        QFETCH(bool, byCloseButton);
        Dialog d;
        d.driver->Open();
        d.driver->ClickLevel(kRegion);
        if (byCloseButton)
            d.dialog->GetCloseButton()->click();
        else
            d.driver->Cancel();
        QCOMPARE(d.dialog->result(), int(QDialog::Rejected));
        QVERIFY(!d.dialog->HasSelectionChanged());
        QCOMPARE(d.host->Count<Cmds::SetSchemaLevels>(), std::size_t(0));
    }

    void theCountNeverBlocksOk()
    {
        Dialog d;
        d.Content().UpdateSelectionMsg(101);
        QVERIFY(d.driver->Get<QPushButton>("m_okButton").isEnabled());
        d.host->Answer<Cmds::SetSchemaLevels>().Set<Cmds::SchemaChanged>(false);
        d.driver->Ok();
        QCOMPARE(d.dialog->result(), int(QDialog::Accepted));
        QCOMPARE(d.host->Count<Cmds::SetSchemaLevels>(), std::size_t(1));
    }

    void hideAllFieldsTwiceReturnsToTheFirstState_data()
    {
        QTest::addColumn<bool>("openedHidden");
        QTest::newRow("shown") << false;
        QTest::newRow("hidden") << true;
    }

    void hideAllFieldsTwiceReturnsToTheFirstState()
    {
        QFETCH(bool, openedHidden);
        Dialog d(openedHidden);
        const QString first = openedHidden ? QStringLiteral("Show All Fields") : QStringLiteral("Hide All Fields");
        const QString second = openedHidden ? QStringLiteral("Hide All Fields") : QStringLiteral("Show All Fields");
        QCOMPARE(d.driver->HideAllFieldsText(), first);
        QCOMPARE(d.driver->Tree().AreAllFieldsHidden(), openedHidden);

        d.driver->ToggleHideAllFields();
        QCOMPARE(d.driver->HideAllFieldsText(), second);
        QCOMPARE(d.driver->Tree().AreAllFieldsHidden(), !openedHidden);
        QCOMPARE(d.Content().AreAllFieldsHidden(), !openedHidden);
        d.driver->ToggleHideAllFields();
        QCOMPARE(d.driver->HideAllFieldsText(), first);
        QCOMPARE(d.driver->Tree().AreAllFieldsHidden(), openedHidden);
        QCOMPARE(d.driver->CountText(), QStringLiteral("3 levels selected"));
    }

    // The host's faults leave the constructor, and nothing of the half-made dialog stays behind
    // (the leak guard of every test checks the windows and records).
    void aBadTreeAnswerLeavesTheConstructor()
    {
        auto host = std::make_shared<RecordingDispatcher>();
        std::shared_ptr<ICommandDispatcher const> dispatcher = host;
        host->AnswerNull<Cmds::GetSchemaLevels>();
        QCOMPARE(ZelTest::LogicCondition([&] {
            SchemaSelectorDialog dialog(dispatcher, TString(L"Sales Cube"), TString(), QualifiedName());
        }),
            QStringLiteral("parameters != nullptr"));
        host->Answer<Cmds::GetSchemaLevels>().SetRaw(Cmds::Schema::id, TString(L"not a schema"));
        QCOMPARE(ZelTest::MismatchedParameter([&] {
            SchemaSelectorDialog dialog(dispatcher, TString(L"Sales Cube"), TString(), QualifiedName());
        }),
            Cmds::Schema::id);
    }
};

QTEST_MAIN(SchemaSelectorDialogTest)
#include "SchemaSelectorDialogTest.moc"
