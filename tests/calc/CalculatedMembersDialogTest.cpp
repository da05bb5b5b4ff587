#include "tests/calc/CalcTestSupport.h"

#include "apps/drivers/CalculatedMembersDialogDriver.h"
#include "host/doc/HostLog.h"
#include "host/doc/StringIds.h"
#include "host/ui/ZelvarComboBox.h"
#include "main/dialogs/CalculatedMembersDialog.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"
#include "widgets/EnumModelFactory.h"

#include <QtTest/QtTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QTableWidget>

using namespace CalcTest;
using Zel::Drivers::CalculatedMembersDialogDriver;
using ZelTest::LogicCondition;
using ZelTest::RecordedCommand;

namespace {

const QString kProfitRatio = QStringLiteral("[Measures].[Profit] / [Measures].[Sales]");

// Two measures and a member of [Places], the second measure disabled.
Editing ThreeCalculations()
{
    Editing editing;
    editing.calculations = {Measure(QStringLiteral("Profit Ratio"), kProfitRatio),
        Measure(QStringLiteral("Margin"), QStringLiteral("[Measures].[Profit]\n-\t1"), false),
        Member(QStringLiteral("Coastal"), QString(), QStringLiteral("[Places].[East] + [Places].[West]"))};
    return editing;
}

QStringList Texts(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list << QString::fromUtf8(text);
    return list;
}

QStringList Column(const CalculatedMembersDialogDriver& driver, int column)
{
    QStringList cells;
    for (int row = 0; row < driver.RowCount(); ++row)
        cells << driver.Cell(row, column);
    return cells;
}

bool Enabled(const CalculatedMembersDialogDriver& driver, const char* name)
{
    return driver.Get<QWidget>(name).isEnabled();
}

QString SentName(const RecordedCommand& command)
{
    return command.Get<Cmds::Calculation>()->GetName().ToQString();
}

} // namespace

class CalculatedMembersDialogTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void startUpFillsTheFormFromTheEditingContext()
    {
        Session s(ThreeCalculations(), false);
        auto& host = s.host;
        auto& dialog = s.dialog;
        auto& driver = s.driver;

        QCOMPARE(dialog->objectName(), QStringLiteral("CalculatedMembersDialog"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Calculated Members"));
        QCOMPARE(int(dialog->windowFlags() & Qt::MSWindowsFixedSizeDialogHint), 256);
        QVERIFY(dialog->isModal());
        QVERIFY(!dialog->isSizeGripEnabled());
        QCOMPARE(dialog->size(), QSize(710, 546));
        QVERIFY(ZelTest::HostLogMentions(QStringLiteral("ACTION: Display 'Calculated Members' dialog.")));

        auto& list = driver.Get<QTableWidget>("m_lstMembers");
        QCOMPARE(list.selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(list.selectionMode(), QAbstractItemView::ExtendedSelection);
        QVERIFY(!list.showGrid());
        QVERIFY(list.verticalHeader()->isHidden());
        // Every row is as tall as its contents.
        QHeaderView& rows = *list.verticalHeader();
        const int rowHeight = rows.sectionSize(2);
        rows.resizeSections(QHeaderView::ResizeToContents);
        QCOMPARE(rows.sectionSize(2), rowHeight);
        QVERIFY(list.horizontalHeader()->stretchLastSection());
        QCOMPARE(list.horizontalHeaderItem(0)->text(), LookupTStr(Zel::Strings::CalculationNameHeader).ToQString());
        QCOMPARE(list.horizontalHeaderItem(2)->text(), LookupTStr(Zel::Strings::CalculationFormulaHeader).ToQString());
        QCOMPARE(Column(driver, 0), Texts({"Profit Ratio", "Margin", "Coastal"}));
        QCOMPARE(driver.Cell(1, 2), QStringLiteral("[Measures].[Profit] - 1"));
        QCOMPARE(list.item(0, 0)->flags(), Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        QCOMPARE(list.item(0, 2)->flags(), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        QVERIFY(driver.IsEnabledRow(0) && !driver.IsEnabledRow(1));

        // The first row is shown: a measure with its result type.
        QCOMPARE(driver.CurrentRow(), 0);
        QCOMPARE(driver.Get<QLineEdit>("m_edtName").text(), QStringLiteral("Profit Ratio"));
        QCOMPARE(driver.Get<QStackedWidget>("m_measuresOrHierSwitch").currentIndex(), 0);
        QCOMPARE(driver.Get<QLabel>("m_parentOrResultTypeLabel").text(),
            LookupTStr(Zel::Strings::ResultTypeCaption).ToQString());
        QCOMPARE(driver.Get<QComboBox>("m_lstResultType").currentData().toInt(), int(DT_REAL));
        QCOMPARE(ZelTest::ItemTexts(driver.Get<QComboBox>("m_hierarchies")), Texts({"Measures", "Places", "Product"}));
        QCOMPARE(driver.Get<QComboBox>("m_hierarchies").currentText(), QStringLiteral("Measures"));
        QVERIFY(!Enabled(driver, "m_hierarchies"));
        QCOMPARE(driver.Get<QSpinBox>("m_solveOrder").minimum(), -100);
        QCOMPARE(driver.Get<QSpinBox>("m_solveOrder").maximum(), 100);
        QVERIFY(!Enabled(driver, "m_moveUp") && Enabled(driver, "m_moveDown") && Enabled(driver, "m_delete"));

        // Nothing but the opening command; its field is left out when there is none.
        QCOMPARE(host.Dispatcher().CommandIds(), std::vector<int> {Cmds::GetCalculatedMembersForEditing::id});
        const RecordedCommand& opened = host.Dispatcher().Last<Cmds::GetCalculatedMembersForEditing>();
        QCOMPARE(opened.ArgumentCount(), std::size_t(2));
        QCOMPARE(opened.Get<Cmds::EditingText>(), TString(L"Fixture Cube"));
        QVERIFY(opened.Get<Cmds::EditingFlag>());
    }

    void memberRecordShowsItsParentControls()
    {
        Editing editing = ThreeCalculations();
        editing.calculations.push_back(
            Member(QStringLiteral("Big North"), QStringLiteral("[Places].[North]"), QStringLiteral("1")));
        Session s(editing);
        auto& host = s.host;
        auto& driver = s.driver;
        driver.ClickRow(3);
        QCOMPARE(driver.Get<QStackedWidget>("m_measuresOrHierSwitch").currentIndex(), 1);
        QCOMPARE(driver.Get<QLabel>("m_parentOrResultTypeLabel").text(),
            LookupTStr(Zel::Strings::ParentCaption).ToQString());
        QCOMPARE(driver.Get<QComboBox>("m_hierarchies").currentText(), QStringLiteral("Places"));
        QCOMPARE(driver.Get<QLineEdit>("m_edtParent").text(), QStringLiteral("[Places].[North]"));
        QVERIFY(driver.Get<QRadioButton>("m_selected").isChecked());
        QVERIFY(Enabled(driver, "m_browse") && !Enabled(driver, "m_edtParent"));
        QVERIFY(Enabled(driver, "m_moveUp") && !Enabled(driver, "m_moveDown"));

        driver.ClickRow(2);
        QVERIFY(driver.Get<QRadioButton>("m_all").isChecked());
        // Selecting rows commits nothing that did not change.
        QCOMPARE(host.Sent(), std::vector<int> {});
    }

    void hostCapabilitiesShapeTheForm_data()
    {
        QTest::addColumn<bool>("stringMeasures");
        QTest::addColumn<bool>("scopeIsolation");
        QTest::addColumn<bool>("nonRoot");
        QTest::newRow("everything") << true << true << true;
        QTest::newRow("nothing") << false << false << false;
    }

    void hostCapabilitiesShapeTheForm()
    {
        QFETCH(bool, stringMeasures);
        QFETCH(bool, scopeIsolation);
        QFETCH(bool, nonRoot);
        Editing editing;
        editing.stringMeasures = stringMeasures;
        editing.scopeIsolation = scopeIsolation;
        editing.nonRootCalculations = nonRoot;
        editing.calculations = {Member(QStringLiteral("Coastal"), QString(), QStringLiteral("1"))};
        Session s(editing);
        auto& driver = s.driver;
        const EnumModelFactory<DataType> types(true);
        const QStringList offered = ZelTest::ItemTexts(driver.Get<QComboBox>("m_lstResultType"));
        QCOMPARE(offered.contains(types.ToString(DT_STRING).ToQString()), stringMeasures);
        QCOMPARE(driver.Get<QCheckBox>("m_scopeIsolation").isHidden(), !scopeIsolation);
        QCOMPARE(Enabled(driver, "m_browse"), nonRoot);
        QCOMPARE(Enabled(driver, "m_selected"), nonRoot);
    }

    void initialFieldSelectsItsMeasure()
    {
        Editing editing = ThreeCalculations();
        editing.initialField = FieldName::ParseUnquoted(TString(L"Margin"));
        Host host(editing);
        const auto dialog = host.Open(FieldName::ParseUnquoted(TString(L"Margin")), false);
        const CalculatedMembersDialogDriver driver(*dialog);
        QCOMPARE(driver.CurrentRow(), 1);
        QCOMPARE(driver.Get<QLineEdit>("m_edtName").text(), QStringLiteral("Margin"));
        const RecordedCommand& opened = host.Dispatcher().Last<Cmds::GetCalculatedMembersForEditing>();
        QCOMPARE(opened.Get<Cmds::Field>(), FieldName::ParseUnquoted(TString(L"Margin")));
        QVERIFY(!opened.Get<Cmds::EditingFlag>());
    }

    void newMemberGoesIntoTheInitialHierarchy()
    {
        Editing editing;
        editing.initialHierarchy = FieldName(TString(), TString(L"Product"));
        Session s(editing);
        auto& host = s.host;
        auto& dialog = s.dialog;
        auto& driver = s.driver;
        QCOMPARE(driver.RowCount(), 0);
        QVERIFY(!Enabled(driver, "m_edtName") && !Enabled(driver, "m_delete"));

        driver.New();
        QCOMPARE(host.Sent(), std::vector<int> {Cmds::GetNewMemberName::id});
        const RecordedCommand& asked = host.Dispatcher().Last<Cmds::GetNewMemberName>();
        QCOMPARE(asked.Get<Cmds::HierarchyName>(), FieldName(TString(), TString(L"Product")));
        QCOMPARE(asked.Get<Cmds::Level>(), 0);
        QCOMPARE(Column(driver, 0), Texts({"Calculated Member 1"}));
        QCOMPARE(driver.Get<QComboBox>("m_hierarchies").currentText(), QStringLiteral("Product"));
        QVERIFY(Enabled(driver, "m_hierarchies"));
        QVERIFY(driver.Get<QLineEdit>("m_edtName").hasFocus());
        QCOMPARE(driver.Get<QLineEdit>("m_edtName").selectedText(), QStringLiteral("Calculated Member 1"));

        driver.SetFormula(QStringLiteral("[Product].[Furniture] * 2"));
        driver.Ok();
        // A new member keeps its proposed name and hierarchy: no name check is asked for.
        QCOMPARE(host.Sent(),
            (std::vector<int> {Cmds::GetNewMemberName::id, Cmds::CreateCalculatedMember::id,
                Cmds::CheckCalculatedMemberFormula::id, Cmds::ApplyCalculatedMembers::id}));
        const auto& created = *host.Dispatcher().Last<Cmds::CreateCalculatedMember>().Get<Cmds::Calculation>();
        QVERIFY(!created.GetIsMeasure());
        QCOMPARE(created.GetMemberHierarchyName(), FieldName(TString(), TString(L"Product")));
        QCOMPARE(created.GetMeasureDataType(), DT_TUPLE);
        QVERIFY(created.GetMeasure().IsEmpty());
        // The formula check names the member the host stored.
        const RecordedCommand& check = host.Dispatcher().Last<Cmds::CheckCalculatedMemberFormula>();
        QVERIFY(!check.Has(Cmds::Measure::id));
        QCOMPARE(check.Get<Cmds::Member>().GetString(), TString(L"[Product].[Calculated Member 1]"));
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
    }

    void withoutHierarchiesNewMakesAMeasure()
    {
        Editing editing;
        editing.hierarchies.clear();
        editing.initialHierarchy = FieldName(TString(), TString(L"Places"));
        Session s(editing);
        auto& host = s.host;
        auto& driver = s.driver;
        QCOMPARE(ZelTest::ItemTexts(driver.Get<QComboBox>("m_hierarchies")), Texts({"Measures"}));
        driver.New();
        QCOMPARE(host.Sent(), std::vector<int> {Cmds::GetNewMeasureName::id});
        QCOMPARE(driver.Get<QStackedWidget>("m_measuresOrHierSwitch").currentIndex(), 0);
    }

    void newMeasureRenamedBeforeItsFirstCommitIsCreatedOnce()
    {
        Session s;
        auto& host = s.host;
        auto& driver = s.driver;
        driver.New();
        driver.TypeName(QStringLiteral("Profit Ratio"));
        driver.LeaveName();
        QCOMPARE(driver.Cell(0, 0), QStringLiteral("Profit Ratio"));
        driver.SetFormula(kProfitRatio);
        driver.PickResultType(DT_INTEGER);
        driver.New();
        QCOMPARE(host.Dispatcher().Count<Cmds::CreateCalculatedMember>(), std::size_t(1));
        const auto& created = *host.Dispatcher().Last<Cmds::CreateCalculatedMember>().Get<Cmds::Calculation>();
        QCOMPARE(created.GetName(), TString(L"Profit Ratio"));
        QCOMPARE(created.GetFormula(), TString(kProfitRatio));
        QCOMPARE(created.GetMeasure(), FieldName::ParseUnquoted(TString(L"Profit Ratio")));
        QCOMPARE(created.GetMeasureDataType(), DT_INTEGER);
        QVERIFY(created.GetMemberParentName().empty() && created.GetMemberHierarchyName().IsEmpty());
        QCOMPARE(host.Dispatcher().Last<Cmds::CreateCalculatedMember>().Get<Cmds::EditId>(), kEditId);

        // The second one goes before it is ever sent.
        QCOMPARE(driver.RowCount(), 2);
        host.Forget();
        driver.Delete();
        QCOMPARE(host.Sent(), std::vector<int> {});
        QCOMPARE(driver.RowCount(), 1);
        QCOMPARE(driver.CurrentRow(), 0);
        QCOMPARE(driver.Get<QLineEdit>("m_edtName").text(), QStringLiteral("Profit Ratio"));
    }

    void newRecordMayChangeItsKindUntilItIsCommitted()
    {
        Session s;
        auto& host = s.host;
        auto& driver = s.driver;
        driver.New();
        driver.PickHierarchy(QStringLiteral("Places"));
        QCOMPARE(driver.Get<QStackedWidget>("m_measuresOrHierSwitch").currentIndex(), 1);
        driver.SetFormula(QStringLiteral("1"));
        driver.CheckFormula();
        const auto& created = *host.Dispatcher().Last<Cmds::CreateCalculatedMember>().Get<Cmds::Calculation>();
        QVERIFY(!created.GetIsMeasure());
        QCOMPARE(created.GetName(), TString(L"Calculated Measure 1"));
        QCOMPARE(created.GetMemberHierarchyName(), FieldName(TString(), TString(L"Places")));
        // Its name was checked as a member's, by the formula check and by the commit inside it.
        QCOMPARE(host.Dispatcher().Count<Cmds::ValidateMemberName>(), std::size_t(2));
    }

    void editingNothingAndOkChecksTheFormulaOnly()
    {
        Session s(ThreeCalculations());
        auto& host = s.host;
        auto& dialog = s.dialog;
        auto& driver = s.driver;
        QStringList emitted;
        connect(dialog.get(), &QDialog::rejected, [&] { emitted << QStringLiteral("rejected"); });
        connect(dialog.get(), &QDialog::accepted, [&] { emitted << QStringLiteral("accepted"); });
        driver.Ok();
        QCOMPARE(host.Sent(), std::vector<int> {Cmds::CheckCalculatedMemberFormula::id});
        const RecordedCommand& check = host.Dispatcher().Last<Cmds::CheckCalculatedMemberFormula>();
        QCOMPARE(check.ArgumentCount(), std::size_t(4));
        QCOMPARE(check.Get<Cmds::Measure>(), FieldName::ParseUnquoted(TString(L"Profit Ratio")));
        QVERIFY(!check.Has(Cmds::Member::id));
        QCOMPARE(check.Get<Cmds::SolveOrder>(), 0);
        QCOMPARE(check.Get<Cmds::Formula>(), TString(kProfitRatio));
        QCOMPARE(emitted, Texts({"rejected", "accepted"}));
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
    }

    void checkBoxSendsAnUpdateAtOnceButNoApply()
    {
        Session s(ThreeCalculations());
        auto& host = s.host;
        auto& dialog = s.dialog;
        auto& driver = s.driver;
        driver.ToggleRow(1);
        QCOMPARE(host.Sent(), std::vector<int> {Cmds::UpdateCalculatedMember::id});
        const RecordedCommand& update = host.Dispatcher().Last<Cmds::UpdateCalculatedMember>();
        QCOMPARE(update.ArgumentCount(), std::size_t(2));
        QCOMPARE(SentName(update), QStringLiteral("Margin"));
        QVERIFY(update.Get<Cmds::Calculation>()->GetIsEnabled());
        QVERIFY(driver.IsEnabledRow(1));

        bool rejected = false;
        connect(dialog.get(), &QDialog::rejected, [&] { rejected = true; });
        driver.Ok();
        QVERIFY(rejected);
        QCOMPARE(host.Dispatcher().Count<Cmds::ApplyCalculatedMembers>(), std::size_t(0));
    }

    void editThenOkUpdatesAndApplies_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("measure");
        QTest::newRow("measure") << 0 << true;
        QTest::newRow("member") << 2 << false;
    }

    void editThenOkUpdatesAndApplies()
    {
        QFETCH(int, row);
        QFETCH(bool, measure);
        Session s(ThreeCalculations());
        auto& host = s.host;
        auto& driver = s.driver;
        driver.ClickRow(row);
        const QString before = driver.Cell(row, 0);
        driver.SetSolveOrder(7);
        driver.Get<QCheckBox>("m_scopeIsolation").setChecked(true);
        host.Forget();
        driver.Ok();
        QCOMPARE(host.Sent(),
            (std::vector<int> {Cmds::UpdateCalculatedMember::id, Cmds::CheckCalculatedMemberFormula::id,
                Cmds::ApplyCalculatedMembers::id}));
        const RecordedCommand& update = host.Dispatcher().Last<Cmds::UpdateCalculatedMember>();
        QCOMPARE(update.Has(Cmds::Measure::id), measure);
        QCOMPARE(update.Has(Cmds::Member::id), !measure);
        if (measure)
            QCOMPARE(update.Get<Cmds::Measure>().GetLocalName().ToQString(), before);
        else
            QCOMPARE(update.Get<Cmds::Member>().GetString(), TString(L"[Places].[Coastal]"));
        QCOMPARE(update.Get<Cmds::Calculation>()->GetSolveOrder(), 7);
        QVERIFY(update.Get<Cmds::Calculation>()->GetScopeIsolation());
        QCOMPARE(host.Dispatcher().Last<Cmds::ApplyCalculatedMembers>().Get<Cmds::EditId>(), kEditId);
    }

    void deletingSendsTheIdentityAndSelectsTheNeighbour_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("selectedAfter");
        QTest::addColumn<bool>("measure");
        QTest::newRow("first") << 0 << 0 << true;
        QTest::newRow("last") << 2 << 1 << false;
    }

    void deletingSendsTheIdentityAndSelectsTheNeighbour()
    {
        QFETCH(int, row);
        QFETCH(int, selectedAfter);
        QFETCH(bool, measure);
        Session s(ThreeCalculations());
        auto& host = s.host;
        auto& driver = s.driver;
        driver.ClickRow(row);
        driver.Delete();
        QCOMPARE(host.Sent(), std::vector<int> {Cmds::DeleteCalculatedMember::id});
        const RecordedCommand& deleted = host.Dispatcher().Last<Cmds::DeleteCalculatedMember>();
        QCOMPARE(deleted.ArgumentCount(), std::size_t(2));
        QCOMPARE(deleted.Has(Cmds::Measure::id), measure);
        QCOMPARE(deleted.Has(Cmds::Member::id), !measure);
        QCOMPARE(driver.RowCount(), 2);
        QCOMPARE(driver.CurrentRow(), selectedAfter);
        QCOMPARE(driver.Get<QLineEdit>("m_edtName").text(), driver.Cell(selectedAfter, 0));
    }

    void deletingTheOnlyRowClearsTheEditor()
    {
        Editing editing;
        editing.calculations = {Measure(QStringLiteral("Profit Ratio"), kProfitRatio)};
        Session s(editing);
        auto& host = s.host;
        auto& dialog = s.dialog;
        auto& driver = s.driver;
        driver.Delete();
        QCOMPARE(driver.RowCount(), 0);
        QVERIFY(!dialog->findChild<QTableWidget*>(QStringLiteral("m_lstMembers"))->selectionModel()->hasSelection());
        QVERIFY(driver.Get<QLineEdit>("m_edtName").text().isEmpty());
        QVERIFY(!Enabled(driver, "m_edtName") && !Enabled(driver, "m_delete"));
        // With nothing current, OK checks no formula.
        host.Forget();
        driver.Ok();
        QCOMPARE(host.Sent(), std::vector<int> {Cmds::ApplyCalculatedMembers::id});
    }

    void upAndDownMoveTheRowAndSendBothMoves()
    {
        Session s(ThreeCalculations());
        auto& host = s.host;
        auto& dialog = s.dialog;
        auto& driver = s.driver;
        driver.ClickRow(1);
        driver.Up();
        QCOMPARE(Column(driver, 0), Texts({"Margin", "Profit Ratio", "Coastal"}));
        QCOMPARE(driver.CurrentRow(), 0);
        QVERIFY(!driver.IsEnabledRow(0) && driver.IsEnabledRow(1));
        QVERIFY(!Enabled(driver, "m_moveUp"));
        driver.Down();
        QCOMPARE(Column(driver, 0), Texts({"Profit Ratio", "Margin", "Coastal"}));
        QCOMPARE(driver.CurrentRow(), 1);
        QVERIFY(driver.IsEnabledRow(0) && !driver.IsEnabledRow(1));
        // Moving is no change of a check box: only the two moves went out.
        QCOMPARE(host.Sent(), (std::vector<int> {Cmds::MoveCalculatedMember::id, Cmds::MoveCalculatedMember::id}));
        const auto& moves = host.Dispatcher().Commands();
        const RecordedCommand& up = moves[moves.size() - 2];
        QCOMPARE(up.ArgumentCount(), std::size_t(2));
        QCOMPARE(up.Get<Cmds::MoveUpIndex>(), 1u);
        QCOMPARE(moves.back().Get<Cmds::MoveDownIndex>(), 0u);
        QVERIFY(!moves.back().Has(Cmds::MoveUpIndex::id));

        driver.ClickRow(2);
        QVERIFY(Enabled(driver, "m_moveUp") && !Enabled(driver, "m_moveDown"));
        QCOMPARE(LogicCondition([&] { QMetaObject::invokeMethod(dialog.get(), "OnDown"); }),
            QStringLiteral("idx != m_ui->m_lstMembers->rowCount()-1"));
    }

    void controllerCountsThatDisagreeRaise_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("message");
        QTest::newRow("create") << 0
                                << QStringLiteral(
                                       "internal logic error has occurred while creating a new calculation.");
        QTest::newRow("update") << 1
                                << QStringLiteral("internal logic error has occurred while updating a calculation.");
        QTest::newRow("enable") << 2
                                << QStringLiteral(
                                       "internal logic error has occurred while enabling/disabling a calculation.");
        QTest::newRow("delete")
            << 3 << QStringLiteral("in internal logic error has occurred while deleting a calculated member/measure.");
    }

    void controllerCountsThatDisagreeRaise()
    {
        QFETCH(int, action);
        QFETCH(QString, message);
        Session s(ThreeCalculations(), false);
        auto& host = s.host;
        auto& driver = s.driver;
        const auto failure = ZelTest::LogicFailure([&] {
            s.RunModally([&] {
                if (action == 0)
                    driver.New();
                host.count += 5;
                switch (action) {
                case 0:
                case 1:
                    driver.SetFormula(QStringLiteral("2"));
                    driver.ClickRow(action == 0 ? 0 : 1);
                    break;
                case 2:
                    driver.ToggleRow(1);
                    break;
                default:
                    driver.Delete();
                }
            });
        });
        QCOMPARE(failure,
            QStringLiteral("main/dialogs/CalculatedMembersDialog: ERROR: The displayed calculations are out of sync "
                           "with the controller's calculations; ")
                + message);
        QVERIFY(!s.leftOpen);
    }

    void badAnswersWhileRunningEndTheRun_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("failing"); // the command answered badly
        QTest::addColumn<QString>("condition"); // empty: the type-mismatch exception
        QTest::addColumn<int>("parameterId");

        const QString noAnswer = QStringLiteral("parameters != nullptr");
        QTest::newRow("a key in the name") << 0 << Cmds::ValidateMeasureName::id << noAnswer << 0;
        QTest::newRow("Check Formula") << 1 << Cmds::CheckCalculatedMemberFormula::id << noAnswer << 0;
        QTest::newRow("OK after an edit") << 2 << Cmds::CheckCalculatedMemberFormula::id << noAnswer << 0;
        QTest::newRow("Down after an edit")
            << 3 << Cmds::UpdateCalculatedMember::id << QString() << int(Cmds::UpdatedCalculation::id);
    }

    void badAnswersWhileRunningEndTheRun()
    {
        // Each comes out of Qt's handling of a click or a key; exec() raises it once the run has
        // ended, and the closing dialog sends nothing after the command that failed.
        QFETCH(int, action);
        QFETCH(int, failing);
        QFETCH(QString, condition);
        QFETCH(int, parameterId);
        Session s(ThreeCalculations(), false);
        auto& host = s.host;
        auto& driver = s.driver;
        auto& answers = host.Dispatcher();
        if (action == 0)
            answers.AnswerNull<Cmds::ValidateMeasureName>();
        else if (action <= 2)
            answers.AnswerNull<Cmds::CheckCalculatedMemberFormula>();
        else
            answers.Answer<Cmds::UpdateCalculatedMember>().Set<Cmds::CalculationCount>(3);

        const auto run = [&] {
            s.RunModally([&] {
                switch (action) {
                case 0:
                    driver.TypeName(QStringLiteral("Share"));
                    break;
                case 1:
                    driver.CheckFormula();
                    break;
                case 2:
                    driver.SetFormula(QStringLiteral("2"));
                    driver.Ok();
                    break;
                default:
                    driver.SetSolveOrder(5);
                    driver.Down();
                }
            });
        };
        if (condition.isEmpty())
            QCOMPARE(ZelTest::MismatchedParameter(run), parameterId);
        else
            QCOMPARE(LogicCondition(run), condition);
        QVERIFY(!s.leftOpen);
        QCOMPARE(s.dialog->result(), int(QDialog::Rejected));
        const std::vector<int> sent = host.Sent();
        QCOMPARE(std::count(sent.begin(), sent.end(), failing), std::ptrdiff_t(1));
        QCOMPARE(sent.back(), failing);
        QCOMPARE(answers.PendingAnswers(), std::size_t(0));

        // The dialog runs again as it was left.
        s.RunModally([&] { driver.ClickRow(2); });
        QVERIFY(s.leftOpen);
        QCOMPARE(driver.CurrentRow(), 2);
    }

    void refusedAnswersLeaveTheRecordsAsTheyWere()
    {
        Session s(ThreeCalculations());
        auto& host = s.host;
        auto& driver = s.driver;
        host.Dispatcher().Answer<Cmds::DeleteCalculatedMember>().SetRaw<int>(Cmds::CalculationCount::id, 2);
        QCOMPARE(ZelTest::MismatchedParameter([&] { driver.Delete(); }), Cmds::CalculationCount::id);
        QCOMPARE(Column(driver, 0), Texts({"Profit Ratio", "Margin", "Coastal"}));

        driver.SetSolveOrder(5);
        host.Dispatcher().AnswerNull<Cmds::UpdateCalculatedMember>();
        QCOMPARE(LogicCondition([&] { driver.CheckFormula(); }), QStringLiteral("parameters != nullptr"));
        host.Dispatcher().Answer<Cmds::UpdateCalculatedMember>().Set<Cmds::CalculationCount>(3);
        QCOMPARE(ZelTest::MismatchedParameter([&] { driver.CheckFormula(); }), Cmds::UpdatedCalculation::id);

        // The record was not changed: the next commit sends the change again, from the old identity.
        host.Forget();
        driver.ClickRow(2);
        QCOMPARE(host.Sent(), std::vector<int> {Cmds::UpdateCalculatedMember::id});
        const auto& update = host.Dispatcher().Last<Cmds::UpdateCalculatedMember>();
        QCOMPARE(SentName(update), QStringLiteral("Profit Ratio"));
        QCOMPARE(update.Get<Cmds::Calculation>()->GetSolveOrder(), 5);
        QCOMPARE(update.Get<Cmds::Measure>(), FieldName::ParseUnquoted(TString(L"Profit Ratio")));
    }

    void nullAnswersRaiseAndChangeNothing_data()
    {
        QTest::addColumn<int>("refused");
        QTest::newRow("proposed name") << Cmds::GetNewMeasureName::id;
        QTest::newRow("create") << Cmds::CreateCalculatedMember::id;
        QTest::newRow("name check") << Cmds::ValidateMeasureName::id;
        QTest::newRow("formula check") << Cmds::CheckCalculatedMemberFormula::id;
    }

    void nullAnswersRaiseAndChangeNothing()
    {
        QFETCH(int, refused);
        Session s(ThreeCalculations());
        auto& host = s.host;
        auto& driver = s.driver;
        if (refused != Cmds::GetNewMeasureName::id) {
            driver.New();
            driver.SetFormula(QStringLiteral("1"));
        }
        if (refused == Cmds::ValidateMeasureName::id)
            driver.TypeName(QStringLiteral("Share"));
        const QStringList before = Column(driver, 0);
        auto& answers = host.Dispatcher();
        if (refused == Cmds::GetNewMeasureName::id)
            answers.AnswerNull<Cmds::GetNewMeasureName>();
        else if (refused == Cmds::CreateCalculatedMember::id)
            answers.AnswerNull<Cmds::CreateCalculatedMember>();
        else if (refused == Cmds::ValidateMeasureName::id)
            answers.AnswerNull<Cmds::ValidateMeasureName>();
        else
            answers.AnswerNull<Cmds::CheckCalculatedMemberFormula>();
        QCOMPARE(LogicCondition([&] {
            if (refused == Cmds::GetNewMeasureName::id)
                driver.New();
            else
                driver.CheckFormula();
        }),
            QStringLiteral("parameters != nullptr"));
        QCOMPARE(Column(driver, 0), before);
        QCOMPARE(answers.PendingAnswers(), std::size_t(0));
        // A new calculation the host refused to store is still new: the next commit creates it.
        if (refused == Cmds::CreateCalculatedMember::id) {
            driver.ClickRow(0);
            QCOMPARE(answers.Count<Cmds::CreateCalculatedMember>(), std::size_t(2));
        }
    }

    void invalidFormulaOnOkAsksWhetherToGoBack_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("staysOpen");
        QTest::newRow("yes: back to the formula") << int(QMessageBox::Yes) << true;
        QTest::newRow("no: close anyway") << int(QMessageBox::No) << false;
    }

    void invalidFormulaOnOkAsksWhetherToGoBack()
    {
        QFETCH(int, answer);
        QFETCH(bool, staysOpen);
        Session s(ThreeCalculations());
        auto& host = s.host;
        auto& dialog = s.dialog;
        auto& driver = s.driver;
        host.Dispatcher()
            .Answer<Cmds::CheckCalculatedMemberFormula>()
            .Set<Cmds::IsFormulaValid>(false)
            .Set<Cmds::ErrorText>(TString(L"line 1, column 3: no"));
        ZelTest::ModalScript script;
        script.AnswerMessageBox(QMessageBox::StandardButton(answer));
        driver.Ok();
        QCOMPARE(script.MessageBoxes().size(), std::size_t(1));
        const MessageBoxRequest& box = script.MessageBoxes().front();
        QCOMPARE(box.text,
            TString(LookupTFmtStr(Zel::Strings::InvalidFormulaQuestion).arg(TString(L"line 1, column 3: no")))
                .ToQString());
        QCOMPARE(ZelTest::BoxShape(box), QStringLiteral("Warning Yes|No default NoButton WindowModal"));
        QCOMPARE(dialog->isVisible(), staysOpen);
    }

    void destroyingTheDialogSendsTheCleanUp()
    {
        Host host;
        host.Open().reset();
        QCOMPARE(host.Sent(), std::vector<int> {Cmds::DiscardCalculatedMembersEdit::id});
        QCOMPARE(host.Dispatcher().Last<Cmds::DiscardCalculatedMembersEdit>().Get<Cmds::EditId>(), kEditId);
    }

    void hostFailuresAtStartUpRaise()
    {
        Host host;
        host.Dispatcher().AnswerNull<Cmds::GetCalculatedMembersForEditing>();
        QCOMPARE(LogicCondition([&] { host.Open(); }), QStringLiteral("parameters != nullptr"));
        // A null record among the calculations.
        Editing broken;
        broken.calculations = {Measure(QStringLiteral("A"), QStringLiteral("1")), {}};
        Host brokenHost(broken);
        QCOMPARE(LogicCondition([&] { brokenHost.Open(); }), QStringLiteral("m_ptr"));
        // The context was opened: its clean-up still runs.
        QCOMPARE(brokenHost.Dispatcher().Count<Cmds::DiscardCalculatedMembersEdit>(), std::size_t(1));
    }
};

QTEST_MAIN(CalculatedMembersDialogTest)

#include "CalculatedMembersDialogTest.moc"
