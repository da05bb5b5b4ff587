#include "ParameterTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ZelTestCase.h"

#include "apps/drivers/ParameterDialogDriver.h"
#include "main/dialogs/ParameterDialog.h"
#include "main/models/ParameterMemberModel.h"
#include "sim/ParameterEditArea.h"
#include "sim/ParameterListArea.h"
#include "sim/SampleWorkbook.h"
#include "sim/SimHost.h"
#include "widgets/ZelvarComboBoxEnum.h"

#include <QtTest/QtTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QStackedWidget>

using namespace ZelTest;
using namespace ParameterTest;
using Zel::Sim::ParameterEditArea;
using Zel::Sim::SampleParameter;

namespace {

// The simulated host with a small workbook, and a dialog on a fresh edit of it, made as a host
// makes one: the edit is opened first and its clean-up list goes to the dialog.
struct SimFixture
{
    SimFixture()
        : workbook(Zel::Sim::SampleWorkbook::Options {2000, QString(), true})
        , lists(host)
        , edits(host, workbook, lists)
    {
        Open();
    }

    void Open()
    {
        dialog = Zel::Drivers::OpenNewParameterDialog(host, edits);
        dialog->show();
    }

    Zel::Drivers::ParameterDialogDriver d() const { return Zel::Drivers::ParameterDialogDriver(*dialog); }

    // OK, and the dialog goes as a host lets it go, which runs its clean-up.
    bool Commit()
    {
        dialog->accept();
        const bool accepted = dialog->result() == QDialog::Accepted && !dialog->isVisible();
        dialog.reset();
        return accepted;
    }

    const SampleParameter* Parameter(const QString& caption) const { return edits.FindParameter(TString(caption)); }

    Zel::Sim::SimHost host;
    Zel::Sim::SampleWorkbook workbook;
    Zel::Sim::ParameterListArea lists;
    ParameterEditArea edits;
    std::unique_ptr<ParameterDialog> dialog;
};

QStringList Aliases(const SampleParameter& parameter)
{
    QStringList aliases;
    for (const auto& value : parameter.listValues)
        aliases << value.alias.ToQString();
    return aliases;
}

} // namespace

class ParameterDialogIntegrationTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void integerRangeTopN()
    {
        SimFixture f;
        f.d().Caption(QStringLiteral("Top N"));
        f.d().PickType(DT_INTEGER);
        f.d().Click("m_ctrlDomainRange");
        QVERIFY(f.d().Get<QWidget>("m_sectionDomrange").isVisible());

        f.d().Click("m_ctrlMinBtn");
        f.d().Enter("m_ctrlMin", QStringLiteral("1"));
        f.d().Click("m_ctrlMaxBtn");
        f.d().Enter("m_ctrlMax", QStringLiteral("50"));
        f.d().Click("m_ctrlStepBtn");
        f.d().Enter("m_ctrlNumStep", QStringLiteral("1"));
        f.d().Enter("m_ctrlValueEdit", QStringLiteral("10"));
        QVERIFY(f.Commit());

        const SampleParameter* topN = f.Parameter(QStringLiteral("Top N"));
        QVERIFY(topN);
        QCOMPARE(topN->dataType, DT_INTEGER);
        QCOMPARE(topN->domainType, ParameterTypes::Domain_Range);
        QCOMPARE(topN->range.min, DataValue(1));
        QCOMPARE(topN->range.max, DataValue(50));
        QCOMPARE(topN->range.increment, DataValue(1));
        QVERIFY(topN->range.userDefinedMin && topN->range.userDefinedMax && topN->range.userDefinedIncrement);
        QCOMPARE(topN->value, DataValue(10));
        QCOMPARE(f.edits.OpenEditCount(), std::size_t(0));
    }

    void stringListFromRegionWithAliases()
    {
        SimFixture f;
        ModalScript script;
        f.d().Caption(QStringLiteral("Region Pick"));
        f.d().PickType(DT_STRING);
        f.d().Click("m_ctrlDomainList");
        QVERIFY(f.d().Get<QWidget>("m_sectionDomlist").isVisible());
        QVERIFY(f.d().Get<QWidget>("m_ctrlAddFromDimBtn").isEnabled());

        script.PickMenuItem(QStringLiteral("Orders/Region"));
        f.d().Click("m_ctrlAddFromDimBtn");
        QCOMPARE(script.Menus().size(), std::size_t(1));
        QVERIFY(script.Menus().front().Find(QStringLiteral("Sales Targets/Region")));
        ParameterMemberModel& members = f.d().Members();
        const QStringList regions = Values(members);
        QCOMPARE(regions, (QStringList {"Central", "East", "South", "West"}));

        // Aliases typed into the alias column; the current value picked in the combo box.
        for (int row = 0; row < regions.size(); ++row)
            QVERIFY(members.UpdateItem(members.index(row, ParameterMemberModel::SubitemAlias),
                TString(regions[row].left(1) + QStringLiteral("."))));
        QCOMPARE(f.d().Get<QComboBox>("m_ctrlValueCombo").count(), 4);
        members.OnIndexChanged(2);
        QVERIFY(f.Commit());

        const SampleParameter* pick = f.Parameter(QStringLiteral("Region Pick"));
        QVERIFY(pick);
        QCOMPARE(pick->dataType, DT_STRING);
        QCOMPARE(pick->domainType, ParameterTypes::Domain_List);
        QCOMPARE(Aliases(*pick), (QStringList {"C.", "E.", "S.", "W."}));
        QCOMPARE(pick->value, DataValue(TString(L"South")));
    }

    void booleanWithAliases()
    {
        SimFixture f;
        f.d().Caption(QStringLiteral("Show Targets"));
        f.d().PickType(DT_BOOLEAN);
        QVERIFY(f.d().Get<QWidget>("m_sectionDombool").isVisible());
        QVERIFY(!f.d().Get<QButtonGroup>("m_domainTypeBtnGroup").checkedButton());

        f.d().Type("m_ctrlTrueAliasText", QStringLiteral("Show"));
        f.d().Leave("m_ctrlTrueAliasText");
        // The false alias is still being typed when OK flushes it.
        f.d().Type("m_ctrlFalseAliasText", QStringLiteral("Hide"));
        f.d().Click("m_ctrlValueFalseBtn");
        QVERIFY(f.d().Get<QAbstractButton>("m_ctrlValueFalseBtn").isChecked());
        QVERIFY(f.Commit());

        const SampleParameter* flag = f.Parameter(QStringLiteral("Show Targets"));
        QVERIFY(flag);
        QCOMPARE(flag->dataType, DT_BOOLEAN);
        QCOMPARE(Aliases(*flag), (QStringList {"Show", "Hide"}));
        QCOMPARE(flag->value, DataValue(false));
    }

    void dateRangeSteppingByMonths()
    {
        SimFixture f;
        f.d().Caption(QStringLiteral("Report Month"));
        f.d().PickType(DT_DATE);
        f.d().Click("m_ctrlDomainRange");
        QCOMPARE(f.d().Get<QStackedWidget>("stackedWidgetStep").currentIndex(), 1);
        QCOMPARE(f.d().Get<ZelvarComboBoxEnum<DatePeriodType>>("m_ctrlDateStepPeriod").count(), 5);

        f.d().Click("m_ctrlStepBtn");
        QVERIFY(f.d().Get<QSpinBox>("m_ctrlDateStepSpin").isEnabled());
        f.d().Get<QSpinBox>("m_ctrlDateStepSpin").setValue(3);
        f.d().PickData("m_ctrlDateStepPeriod", QVariant(int(DPT_MONTHS)));
        QCOMPARE(f.d().Get<ZelvarComboBoxEnum<DatePeriodType>>("m_ctrlDateStepPeriod").GetValue(), DPT_MONTHS);
        QVERIFY(f.Commit());

        const SampleParameter* month = f.Parameter(QStringLiteral("Report Month"));
        QVERIFY(month);
        QCOMPARE(month->dataType, DT_DATE);
        QCOMPARE(month->domainType, ParameterTypes::Domain_Range);
        QCOMPARE(month->range.period, DPT_MONTHS);
        QCOMPARE(month->range.increment, DataValue(3));
    }

    void refusedNameThenAccepted()
    {
        SimFixture f;
        ModalScript script;
        script.AnswerMessageBox(QMessageBox::Ok);
        f.d().Caption(QStringLiteral("Region"));
        f.dialog->accept();
        QCOMPARE(script.MessageBoxes().size(), std::size_t(1));
        QVERIFY(script.MessageBoxes().front().text.contains(QStringLiteral("Region")));
        QVERIFY(f.dialog->isVisible());
        QVERIFY(f.dialog->GetCommittedParameterName().IsEmpty());

        f.d().Caption(QStringLiteral("Region Target"));
        f.dialog->accept();
        QCOMPARE(f.dialog->GetCommittedParameterName().GetLocalName(), TString(L"Region Target"));
        f.dialog.reset();
        QVERIFY(f.Parameter(QStringLiteral("Region Target")));
        QCOMPARE(f.edits.OpenEditCount(), std::size_t(0));

        // Cancel discards the edit through the clean-up, and nothing is added.
        f.Open();
        f.d().Caption(QStringLiteral("Never"));
        f.dialog->reject();
        f.dialog.reset();
        QVERIFY(!f.Parameter(QStringLiteral("Never")));
        QCOMPARE(f.edits.OpenEditCount(), std::size_t(0));
    }
};

QTEST_MAIN(ParameterDialogIntegrationTest)

#include "ParameterDialogIntegrationTest.moc"
