#include "AliasesTestSupport.h"

#include "host/doc/HostLog.h"
#include "host/doc/Preferences.h"
#include "host/doc/StringIds.h"
#include "main/dialogs/EditAliasesDialog.h"
#include "main/models/AliasesTableModel.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtCore/QSortFilterProxyModel>
#include <QtTest/QAbstractItemModelTester>
#include <QtTest/QSignalSpy>
#include <QtTest/QtTest>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableView>

using namespace AliasesTest;
using Model = EditAliasesDialog::AliasesTableModel;
using ZelTest::ModalScript;
using ZelTest::RecordingDispatcher;

namespace {

constexpr int kEditId = 42;

RefCntPtr<AliasesPresModel const> Regions()
{
    // Host order; by name without regard to case it is central, East, south, West.
    return List(kEditId, {{L"West", L"Western"}, {L"central"}, {L"East"}, {L"south", L"Southern"}});
}

QTableView& Table(const EditAliasesDialog& dialog)
{
    return *dialog.findChild<QTableView*>(QStringLiteral("table"));
}

QPushButton& ClearButton(const EditAliasesDialog& dialog)
{
    return *dialog.findChild<QPushButton*>(QStringLiteral("clearButton"));
}

QStringList Column(const QAbstractItemModel& model, int column)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, column).data().toString();
    return texts;
}

} // namespace

class EditAliasesDialogTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void opensOnTheHostsListSortedByNameWithoutCase()
    {
        RecordingDispatcher host;
        HostLog::Clear();
        EditAliasesDialog dialog(host, Regions());

        QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit Aliases [Region]"));
        QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
        QVERIFY(dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(dialog.parentWidget() == nullptr);
        QVERIFY(dialog.isSizeGripEnabled());

        const QTableView& table = Table(dialog);
        QCOMPARE(table.selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(table.selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(table.editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(table.verticalHeader()->isHidden());
        QVERIFY(!table.horizontalHeader()->highlightSections());
        QVERIFY(table.isSortingEnabled());
        QVERIFY(!table.showGrid());
        QCOMPARE(table.horizontalHeader()->sortIndicatorSection(), 0);
        QCOMPARE(table.horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
        QCOMPARE(Column(*table.model(), 0), (QStringList {"central", "East", "south", "West"}));

        QVERIFY(ClearButton(dialog).isEnabled()); // two members have aliases
        QVERIFY(host.Commands().empty());
        QCOMPARE(HostLog::Lines().back().ToQString(), QStringLiteral("ACTION: Display 'Edit Aliases' dialog."));

        EditAliasesDialog none(host, List(kEditId, {{L"East"}, {L"West"}}));
        QVERIFY(!ClearButton(none).isEnabled());
    }

    void cellsShowNameMarkAndShownText()
    {
        RecordingDispatcher host;
        Model model(host, Regions());
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(Column(model, 0), (QStringList {"West", "central", "East", "south"}));
        QCOMPARE(Column(model, 1), (QStringList {"*", " ", " ", "*"}));
        QCOMPARE(Column(model, 2), (QStringList {"Western", "central", "East", "Southern"}));
        QCOMPARE(model.index(0, 2).data(Qt::EditRole).toString(), QStringLiteral("Western"));
        QVERIFY(!model.index(0, 0).data(Qt::ToolTipRole).isValid());
        QVERIFY(!model.index(0, 3).data().isValid());
        // A table: no cell has rows of its own.
        QCOMPARE(model.rowCount(model.index(0, 0)), 0);

        // A host list with an empty member shows nothing for it rather than failing.
        auto holes = MakeRefCnt<AliasesPresModel>();
        holes->SetAliases({Item(0, L"East"), RefCntPtr<AliasItemPresModel const>()});
        Model withHole(host, holes);
        QVERIFY(!withHole.index(1, 0).data().isValid());
        QVERIFY(host.Commands().empty());
    }

    void headersAreTheHostsTexts()
    {
        RecordingDispatcher host;
        const Model model(host, Regions());
        QCOMPARE(
            model.headerData(0, Qt::Horizontal).toString(), LookupTStr(Zel::Strings::AliasMemberHeader).ToQString());
        QCOMPARE(
            model.headerData(1, Qt::Horizontal).toString(), LookupTStr(Zel::Strings::AliasHasAliasHeader).ToQString());
        QCOMPARE(
            model.headerData(2, Qt::Horizontal).toString(), LookupTStr(Zel::Strings::AliasValueHeader).ToQString());
        QVERIFY(!model.headerData(3, Qt::Horizontal).isValid());
        QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
        QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::FontRole).value<QFont>().pointSize(), 8);
        QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft));
        QVERIFY(!model.headerData(0, Qt::Horizontal, Qt::ToolTipRole).isValid());
    }

    void editRules_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("sent");
        QTest::addColumn<bool>("sentHasAlias");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<int>("assigned");

        // Host rows: 0 West as Western, 1 central, 2 East, 3 south as Southern; two aliases at start.
        QTest::newRow("alias for a member without one") << 2 << "Eastern" << true << true << "Eastern"
                                                        << "*" << 3;
        QTest::newRow("another alias for an aliased member") << 0 << "Far West" << true << true << "Far West"
                                                             << "*" << 2;
        QTest::newRow("its own name takes the alias away") << 0 << "West" << true << false << "West"
                                                           << " " << 1;
        QTest::newRow("nothing takes the alias away") << 3 << "" << true << false << "south"
                                                      << " " << 1;
        QTest::newRow("its own name on a member without alias") << 1 << "central" << true << false << "central"
                                                                << " " << 2;
        QTest::newRow("the alias it has already") << 0 << "Western" << false << true << "Western"
                                                  << "*" << 2;
        QTest::newRow("nothing for a member without alias") << 2 << "" << false << false << "East"
                                                            << " " << 2;
    }

    void editRules()
    {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(bool, sent);
        QFETCH(bool, sentHasAlias);
        QFETCH(QString, shown);
        QFETCH(QString, mark);
        QFETCH(int, assigned);

        RecordingDispatcher host;
        AcceptEveryChange(host);
        Model model(host, Regions());
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

        const QModelIndex cell = model.index(row, 2);
        QCOMPARE(model.setData(cell, typed), sent);
        QCOMPARE(host.Commands().size(), std::size_t(sent ? 1 : 0));
        if (sent) {
            const ZelTest::RecordedCommand& command = host.Last<Cmds::ApplyNewAliases>();
            QCOMPARE(command.ArgumentCount(), std::size_t(1));
            QCOMPARE(command.Get<Cmds::NewAliases>()->GetID(), kEditId);
            const AliasItemPresModel& member = RequestedMember(command);
            QCOMPARE(member.GetIndex(), static_cast<unsigned int>(row));
            QCOMPARE(member.GetMemberName().ToQString(), model.index(row, 0).data().toString());
            QCOMPARE(member.GetHasAlias(), sentHasAlias);
            QCOMPARE(member.GetAlias().ToQString(), sentHasAlias ? typed : QString());
            QCOMPARE(changed.size(), 1);
            QCOMPARE(changed.front().at(0).toModelIndex(), model.index(row, 0));
            QCOMPARE(changed.front().at(1).toModelIndex(), cell);
            QVERIFY(changed.front().at(2).value<QVector<int>>().isEmpty());
        } else {
            QCOMPARE(changed.size(), 0);
        }
        QCOMPARE(model.index(row, 2).data().toString(), shown);
        QCOMPARE(model.index(row, 1).data().toString(), mark);
        QCOMPARE(model.GetAssignedCount(), assigned);
    }

    void onlyTheShownTextIsEditable()
    {
        RecordingDispatcher host;
        AcceptEveryChange(host);
        Model model(host, Regions());
        QCOMPARE(model.flags(model.index(1, 0)), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        QCOMPARE(model.flags(model.index(1, 1)), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        QCOMPARE(model.flags(model.index(1, 2)), Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
        QVERIFY(!model.setData(model.index(1, 0), QStringLiteral("Middle")));
        QVERIFY(!model.setData(model.index(1, 1), QStringLiteral("*")));
        QVERIFY(!model.setData(QModelIndex(), QStringLiteral("x")));
        QVERIFY(host.Commands().empty());
    }

    void duplicateIsRefusedWithTheHostsMessage_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");

        QTest::newRow("an alias another member shows")
            << 2 << "Western"
            << R"(The member "West" is already shown as "Western". Enter a different alias.)";
        // Taking the alias away shows the name, which another member's alias may already show.
        QTest::newRow("a name another member's alias shows")
            << 0 << ""
            << R"(The member "south" is already shown as "West". Enter a different alias.)";
    }

    void duplicateIsRefusedWithTheHostsMessage()
    {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QString, message);

        RecordingDispatcher host;
        Model model(host, Regions());
        const bool removes = typed.isEmpty();
        const TString name(model.index(row, 0).data().toString());
        host.Answer<Cmds::ApplyNewAliases>().Set<Cmds::AliasResults>(
            Duplicate(Item(static_cast<unsigned int>(row), name.c_str(), removes ? nullptr : TString(typed).c_str()),
                removes ? Item(3, L"south", L"West") : Item(0, L"West", L"Western")));
        const QString before = model.index(row, 2).data().toString();
        const int assigned = model.GetAssignedCount();

        ModalScript script;
        script.AnswerMessageBox(QMessageBox::Ok);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(!model.setData(model.index(row, 2), typed));
        QCOMPARE(script.MessageBoxes().size(), std::size_t(1));
        const MessageBoxRequest& box = script.MessageBoxes().front();
        QCOMPARE(box.text, message);
        QCOMPARE(ZelTest::BoxShape(box), QStringLiteral("Warning Ok default NoButton WindowModal"));
        QCOMPARE(model.index(row, 2).data().toString(), before);
        QCOMPARE(model.GetAssignedCount(), assigned);
        QCOMPARE(changed.size(), 0);

        // Another text goes through.
        AcceptEveryChange(host);
        QVERIFY(model.setData(model.index(row, 2), QStringLiteral("Elsewhere")));
        QCOMPARE(model.index(row, 2).data().toString(), QStringLiteral("Elsewhere"));
        QCOMPARE(script.MessageBoxes().size(), std::size_t(1));
    }

    void failedChangeCountsAsNoDuplicate_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("no answer") << 0;
        QTest::newRow("a result of another type") << 1;
        QTest::newRow("no result record") << 2;
    }

    void failedChangeCountsAsNoDuplicate()
    {
        QFETCH(int, answer);
        RecordingDispatcher host;
        if (answer == 0)
            host.AnswerNull<Cmds::ApplyNewAliases>();
        else if (answer == 1)
            host.Answer<Cmds::ApplyNewAliases>().SetRaw<int>(Cmds::AliasResults::id, 1);
        else
            host.Answer<Cmds::ApplyNewAliases>().Set<Cmds::AliasResults>({});
        Model model(host, Regions());
        ModalScript script;
        QVERIFY(model.setData(model.index(2, 2), QStringLiteral("Eastern")));
        QCOMPARE(model.index(2, 2).data().toString(), QStringLiteral("Eastern"));
        QCOMPARE(model.GetAssignedCount(), 3);
        QVERIFY(script.MessageBoxes().empty());
    }

    void clearButtonFollowsTheAliasCount()
    {
        RecordingDispatcher host;
        AcceptEveryChange(host);
        EditAliasesDialog dialog(host, List(kEditId, {{L"West"}, {L"East"}}));
        auto* proxy = static_cast<QSortFilterProxyModel*>(Table(dialog).model());
        QAbstractItemModel& model = *proxy->sourceModel();
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        QPushButton& clear = ClearButton(dialog);
        QVERIFY(!clear.isEnabled());

        QVERIFY(model.setData(model.index(1, 2), QStringLiteral("Eastern")));
        QVERIFY(clear.isEnabled());
        QVERIFY(model.setData(model.index(1, 2), QStringLiteral("East")));
        QVERIFY(!clear.isEnabled());
        QVERIFY(model.setData(model.index(0, 2), QStringLiteral("Western")));
        QVERIFY(clear.isEnabled());

        // The host's list after clearing replaces the list and every accepted change, names included.
        QCOMPARE(Column(model, 0), (QStringList {"West", "East"}));
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        host.Clear();
        host.Answer<Cmds::ClearAliases>().Set<Cmds::ClearedAliases>(List(kEditId, {{L"West"}, {L"North"}}));
        clear.click();
        QCOMPARE(host.CommandIds(), std::vector<int> {Cmds::ClearAliases::id});
        QCOMPARE(host.Last<Cmds::ClearAliases>().Get<Cmds::AliasEditId>(), kEditId);
        QCOMPARE(host.Last<Cmds::ClearAliases>().ArgumentCount(), std::size_t(1));
        QCOMPARE(reset.size(), 1);
        QVERIFY(!clear.isEnabled());
        QCOMPARE(Column(model, 1), (QStringList {" ", " "}));
        QCOMPARE(Column(model, 0), (QStringList {"West", "North"}));
        QCOMPARE(Column(model, 2), (QStringList {"West", "North"}));
    }

    void clearWithoutAnAnswerChangesNothing_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("no answer") << 0;
        QTest::newRow("a list of another type") << 1;
        QTest::newRow("no list") << 2;
    }

    void clearWithoutAnAnswerChangesNothing()
    {
        QFETCH(int, answer);
        RecordingDispatcher host;
        EditAliasesDialog dialog(host, Regions());
        auto* proxy = static_cast<QSortFilterProxyModel*>(Table(dialog).model());
        QAbstractItemModelTester tester(proxy->sourceModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        if (answer == 0) {
            host.AnswerNull<Cmds::ClearAliases>();
            QCOMPARE(ZelTest::LogicFailure([&] { ClearButton(dialog).click(); }),
                QStringLiteral("gen-command-wrappers/AliasCommandWrappers: parameters != nullptr"));
        } else if (answer == 1) {
            host.Answer<Cmds::ClearAliases>().SetRaw<int>(Cmds::ClearedAliases::id, 7);
            QCOMPARE(ZelTest::MismatchedParameter([&] { ClearButton(dialog).click(); }), Cmds::ClearedAliases::id);
        } else {
            host.Answer<Cmds::ClearAliases>().Set<Cmds::ClearedAliases>({});
            QCOMPARE(ZelTest::LogicCondition([&] { ClearButton(dialog).click(); }), QStringLiteral("m_ptr"));
        }
        QCOMPARE(Column(*proxy, 2), (QStringList {"central", "East", "Southern", "Western"}));
        QVERIFY(ClearButton(dialog).isEnabled());
    }

    void showSplitsTheWidthAroundTheMarkColumn()
    {
        RecordingDispatcher host;
        EditAliasesDialog dialog(host, Regions());
        QCOMPARE(dialog.size(), QSize(400, 300));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QTableView& table = Table(dialog);
        const int rest = table.viewport()->width() - 60;
        QCOMPARE(table.columnWidth(1), 60);
        QCOMPARE(table.columnWidth(0), rest / 2);
        QCOMPARE(table.columnWidth(2), rest / 2);

        // The host keeps where the dialog was, not its size.
        const RefCntPtr<IPreferences> preferences = SessionContext::Get().GetIPreferences();
        const TString key(L"EditAliasesDlg");
        preferences->SetValue(ZelvarDialog::LastPositionKey(key), QVariant());
        dialog.move(40, 30);
        dialog.reject();
        QCOMPARE(preferences->GetValue(ZelvarDialog::LastPositionKey(key)).toPoint(), dialog.pos());
        QVERIFY(!preferences->GetValue(ZelvarDialog::LastSizeKey(key)).isValid());
    }

    void selectingARowMakesItsFirstCellCurrent()
    {
        RecordingDispatcher host;
        EditAliasesDialog dialog(host, Regions());
        QItemSelectionModel& selection = *Table(dialog).selectionModel();
        const QAbstractItemModel& proxy = *Table(dialog).model();
        selection.setCurrentIndex(proxy.index(2, 2), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QCOMPARE(selection.currentIndex(), proxy.index(2, 0));
        QCOMPARE(selection.selectedRows(), QModelIndexList {proxy.index(2, 0)});
        // Clearing the selection leaves the current cell alone.
        selection.clearSelection();
        QCOMPARE(selection.currentIndex(), proxy.index(2, 0));
    }
};

QTEST_MAIN(EditAliasesDialogTest)

#include "EditAliasesDialogTest.moc"
