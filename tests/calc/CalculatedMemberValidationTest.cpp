#include "tests/calc/CalcTestSupport.h"

#include "apps/drivers/CalculatedMembersDialogDriver.h"
#include "apps/drivers/MemberPickerDriver.h"
#include "apps/drivers/SelectMemberDialogDriver.h"
#include "host/doc/StringIds.h"
#include "main/dialogs/CalculatedMembersDialog.h"
#include "main/dialogs/SelectMemberDialog.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTableWidget>

using namespace CalcTest;
using Zel::Drivers::CalculatedMembersDialogDriver;
using Zel::Drivers::SelectMemberDialogDriver;
using ZelTest::RecordedCommand;

namespace {

const QString kTakenText = QStringLiteral("[Measures].[Sales] is a measure of the cube already.");

// A measure and a member of [Places] under [North]; [Product] is [Places]' pair.
Editing TwoCalculations()
{
    Editing editing;
    editing.hierarchies = {HierarchyItem(QStringLiteral("Places"), 3),
        HierarchyItem(QStringLiteral("Product"), 4, QStringLiteral("Places")),
        HierarchyItem(QStringLiteral("Customer"), 3)};
    editing.calculations = {Measure(QStringLiteral("Profit Ratio"), QStringLiteral("[Measures].[Profit] / 2")),
        Member(QStringLiteral("Big North"), QStringLiteral("[Places].[North]"), QStringLiteral("1"))};
    return editing;
}

// Refuses the measure name "Sales" with kTakenText, or without a text or with a text of the wrong
// type, and takes every other name.
void RefuseSales(Host& host, int how = 0)
{
    host.Dispatcher().AnswerAlways<Cmds::ValidateMeasureName>([how](const RecordedCommand& asked) {
        RefCntPtr<IParameters> set = ContextParameters::Create();
        ZelTest::ScriptedResult<Cmds::ValidateMeasureName> out(set);
        const bool taken = asked.Get<Cmds::CalculationName>() == TString(L"Sales");
        out.Set<Cmds::IsNameValid>(!taken);
        if (taken && how == 0)
            out.Set<Cmds::ErrorText>(TString(kTakenText));
        if (taken && how == 2)
            out.SetRaw<int>(Cmds::ErrorText::id, 7);
        return RefCntPtr<IParameters const>(set);
    });
}

QString Text(StringId id)
{
    return LookupTStr(id).ToQString();
}

} // namespace

class CalculatedMemberValidationTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void blankNameIsEmptyAndNoFormulaIsChecked()
    {
        Session s(TwoCalculations());
        auto& host = s.host;
        auto& driver = s.driver;
        driver.TypeName(QStringLiteral("   "));
        driver.CheckFormula();
        QCOMPARE(driver.Message(), Text(Zel::Strings::EmptyCalculationName));
        QCOMPARE(host.Sent(), std::vector<int> {});
    }

    void invalidNameShowsOnlyOnceTheFieldIsLeft()
    {
        Session s(TwoCalculations());
        auto& host = s.host;
        auto& driver = s.driver;
        RefuseSales(host);
        const auto& list = driver.Get<QTableWidget>("m_lstMembers");
        driver.TypeName(QStringLiteral("Sales"));
        QCOMPARE(driver.Message(), QString());
        // No other row may be chosen while the name is invalid.
        QCOMPARE(list.selectionMode(), QAbstractItemView::NoSelection);
        QCOMPARE(host.Dispatcher().Last<Cmds::ValidateMeasureName>().Get<Cmds::EditId>(), kEditId);

        driver.LeaveName();
        QCOMPARE(driver.Message(), kTakenText);
        QVERIFY(driver.Get<QLineEdit>("m_edtName").hasFocus());
        // The edit did not finish: the row keeps its name.
        QCOMPARE(driver.Cell(0, 0), QStringLiteral("Profit Ratio"));

        driver.TypeName(QStringLiteral("Sales Share"));
        QCOMPARE(driver.Message(), QString());
        QCOMPARE(list.selectionMode(), QAbstractItemView::ExtendedSelection);
        driver.LeaveName();
        QCOMPARE(driver.Cell(0, 0), QStringLiteral("Sales Share"));
    }

    void missingOrMistypedErrorTextReadsAsEmpty_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("missing") << 1;
        QTest::newRow("not a text") << 2;
    }

    void missingOrMistypedErrorTextReadsAsEmpty()
    {
        QFETCH(int, how);
        Session s(TwoCalculations());
        auto& host = s.host;
        auto& driver = s.driver;
        RefuseSales(host, how);
        driver.TypeName(QStringLiteral("Sales"));
        driver.LeaveName();
        QCOMPARE(driver.Message(), QString());
        QVERIFY(driver.Get<QLineEdit>("m_edtName").hasFocus());
    }

    void mistypedValidFlagRaises()
    {
        Session s(TwoCalculations());
        auto& host = s.host;
        auto& driver = s.driver;
        driver.TypeName(QStringLiteral("Share"));
        host.Dispatcher().Answer<Cmds::ValidateMeasureName>().SetRaw<int>(Cmds::IsNameValid::id, 1);
        QCOMPARE(ZelTest::MismatchedParameter([&] { driver.CheckFormula(); }), Cmds::IsNameValid::id);
    }

    void invalidNameIsReportedInsteadOfTheFormula()
    {
        Session s(TwoCalculations());
        auto& host = s.host;
        auto& dialog = s.dialog;
        auto& driver = s.driver;
        RefuseSales(host);
        driver.TypeName(QStringLiteral("Sales"));
        host.Forget();
        driver.CheckFormula();
        QCOMPARE(driver.Message(), kTakenText);
        // The name is asked about (again when the error takes the focus from it), nothing else.
        for (int id : host.Sent())
            QCOMPARE(id, Cmds::ValidateMeasureName::id);
        // OK goes no further either.
        ZelTest::ModalScript script;
        script.AnswerMessageBox(QMessageBox::No);
        driver.Ok();
        QVERIFY(dialog->isVisible());
        QCOMPARE(host.Dispatcher().Count<Cmds::UpdateCalculatedMember>(), std::size_t(0));
    }

    void keptNameAsksTheHostOnlyForAnotherHierarchy_data()
    {
        QTest::addColumn<QString>("hierarchy");
        QTest::addColumn<bool>("asked");
        QTest::newRow("the same") << QStringLiteral("Places") << false;
        QTest::newRow("its pair") << QStringLiteral("Product") << false;
        QTest::newRow("another") << QStringLiteral("Customer") << true;
    }

    void keptNameAsksTheHostOnlyForAnotherHierarchy()
    {
        QFETCH(QString, hierarchy);
        QFETCH(bool, asked);
        Editing editing = TwoCalculations();
        editing.initialHierarchy = FieldName(TString(), TString(L"Places"));
        Session s(editing);
        auto& host = s.host;
        auto& driver = s.driver;
        // A new member stays open to a change of hierarchy until the dialog commits it by
        // selection; a formula check commits it without closing that.
        driver.New();
        driver.SetFormula(QStringLiteral("2"));
        driver.CheckFormula();
        QCOMPARE(host.Dispatcher().Count<Cmds::CreateCalculatedMember>(), std::size_t(1));
        host.Forget();
        driver.PickHierarchy(hierarchy);
        driver.CheckFormula();
        QCOMPARE(host.Dispatcher().Count<Cmds::ValidateMemberName>(), std::size_t(asked ? 2 : 0));
        if (asked) {
            const RecordedCommand& check = host.Dispatcher().Last<Cmds::ValidateMemberName>();
            QCOMPARE(check.Get<Cmds::HierarchyName>(), FieldName(TString(), TString(hierarchy)));
            QCOMPARE(check.Get<Cmds::Level>(), 0);
            QCOMPARE(check.Get<Cmds::ParentText>(), TString());
            QCOMPARE(check.Get<Cmds::CalculationName>(), TString(L"Calculated Member 1"));
        }
    }

    void solveOrderAtEitherBoundPasses_data()
    {
        QTest::addColumn<int>("solveOrder");
        QTest::newRow("lower") << -100;
        QTest::newRow("upper") << 100;
    }

    void solveOrderAtEitherBoundPasses()
    {
        QFETCH(int, solveOrder);
        Session s(TwoCalculations());
        auto& host = s.host;
        auto& driver = s.driver;
        driver.SetSolveOrder(solveOrder);
        driver.CheckFormula();
        QCOMPARE(
            host.Sent(), (std::vector<int> {Cmds::UpdateCalculatedMember::id, Cmds::CheckCalculatedMemberFormula::id}));
        QCOMPARE(host.Dispatcher().Last<Cmds::CheckCalculatedMemberFormula>().Get<Cmds::SolveOrder>(), solveOrder);
        QCOMPARE(driver.Message(), Text(Zel::Strings::ValidFormula));
    }

    void hostsFormulaErrorShowsInTheMessageLine()
    {
        Session s(TwoCalculations());
        auto& host = s.host;
        auto& driver = s.driver;
        driver.ClickRow(1);
        const QString error = QStringLiteral("line 1, column 1: 'Atlantis' is not a member of [Places]");
        host.Dispatcher()
            .Answer<Cmds::CheckCalculatedMemberFormula>()
            .Set<Cmds::IsFormulaValid>(false)
            .Set<Cmds::ErrorText>(TString(error));
        driver.CheckFormula();
        QCOMPARE(driver.Message(), error);
        const RecordedCommand& check = host.Dispatcher().Last<Cmds::CheckCalculatedMemberFormula>();
        QCOMPARE(check.Get<Cmds::Member>().GetString(), TString(L"[Places].[North].[Big North]"));
        QVERIFY(!check.Has(Cmds::Measure::id));
    }

    void parentOnTheLastLevelIsRefused()
    {
        Session s(TwoCalculations());
        auto& host = s.host;
        auto& driver = s.driver;
        driver.ClickRow(1);
        ZelTest::ModalScript script;
        script.AnswerMessageBox(QMessageBox::Ok);
        host.Forget();
        driver.BrowseParent([](const SelectMemberDialogDriver& members) {
            members.Tree().Pick(QStringLiteral("Oslo"), QStringLiteral("[Places].[North].[Oslo]"));
            members.Ok();
            if (!members.Dialog().isVisible())
                throw std::runtime_error("a city was taken as a parent");
            members.Tree().Pick(QStringLiteral("West"), QStringLiteral("[Places].[West]"));
            members.Ok();
        });
        QCOMPARE(script.MessageBoxes().size(), std::size_t(1));
        const MessageBoxRequest& box = script.MessageBoxes().front();
        QCOMPARE(box.text, Text(Zel::Strings::ParentOnLastLevel));
        QCOMPARE(ZelTest::BoxShape(box), QStringLiteral("Warning Ok default NoButton WindowModal"));

        namespace Cube = Zel::Commands::Cube;
        QCOMPARE(host.Dispatcher().Last<Cube::GetHierarchyRoot>().Get<Cube::HierarchyName>(),
            FieldName(TString(L"Fixture Cube"), TString(L"Places")));
        QCOMPARE(driver.Get<QLineEdit>("m_edtParent").text(), QStringLiteral("[Places].[West]"));
        QCOMPARE(driver.Cell(1, 1), QStringLiteral("[Places].[West]"));
        const auto& sent = *host.Dispatcher().Last<Cmds::UpdateCalculatedMember>().Get<Cmds::Calculation>();
        QCOMPARE(sent.GetMemberParentName(), TString(L"[Places].[West]"));
        QCOMPARE(sent.GetMemberHierarchyLevel(), 2);
        QCOMPARE(host.Dispatcher().Last<Cmds::UpdateCalculatedMember>().Get<Cmds::Member>().GetString(),
            TString(L"[Places].[North].[Big North]"));

        // Back to the top: no parent, level 0.
        driver.UseAllMember();
        const auto& top = *host.Dispatcher().Last<Cmds::UpdateCalculatedMember>().Get<Cmds::Calculation>();
        QVERIFY(top.GetMemberParentName().empty());
        QCOMPARE(top.GetMemberHierarchyLevel(), 0);
        QCOMPARE(driver.Cell(1, 1), QString());
    }

    void allMemberPickedAsParentMeansTheTop()
    {
        Session s(TwoCalculations());
        auto& host = s.host;
        auto& driver = s.driver;
        driver.ClickRow(1);
        driver.BrowseParent([](const SelectMemberDialogDriver& members) {
            members.Tree().ClickRow(0);
            members.Ok();
        });
        QVERIFY(driver.Get<QLineEdit>("m_edtParent").text().isEmpty());
        QVERIFY(driver.Get<QRadioButton>("m_all").isChecked());
        const auto& sent = *host.Dispatcher().Last<Cmds::UpdateCalculatedMember>().Get<Cmds::Calculation>();
        QVERIFY(sent.GetMemberParentName().empty());
        QCOMPARE(sent.GetMemberHierarchyLevel(), 1);
    }

    void cancelledBrowseChangesNothing()
    {
        Session s(TwoCalculations());
        auto& host = s.host;
        auto& driver = s.driver;
        driver.ClickRow(1);
        driver.UseAllMember();
        host.Forget();
        driver.BrowseParent([](const SelectMemberDialogDriver& members) { members.Cancel(); }, true);
        QVERIFY(driver.Get<QRadioButton>("m_all").isChecked());
        namespace Cube = Zel::Commands::Cube;
        for (int id : host.Sent())
            QVERIFY(id == Cube::GetHierarchyRoot::id || id == Cube::GetMemberChildren::id);
    }
};

QTEST_MAIN(CalculatedMemberValidationTest)

#include "CalculatedMemberValidationTest.moc"
