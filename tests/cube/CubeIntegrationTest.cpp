#include "apps/drivers/SelectMemberDialogDriver.h"
#include "apps/drivers/SetDefaultMemberDialogDriver.h"
#include "gen-command-wrappers/CubeCommandWrappers.h"
#include "host/doc/HostLog.h"
#include "host/ui/HierarchyMemberModel.h"
#include "host/ui/HierarchySelectWidget.h"
#include "host/ui/LazyTreeView.h"
#include "host/ui/TMessageBox.h"
#include "main/dialogs/SelectMemberDialog.h"
#include "main/dialogs/SetDefaultMemberDialog.h"
#include "sim/CubeArea.h"
#include "sim/OrdersCube.h"
#include "sim/SampleWorkbook.h"
#include "sim/SimHost.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>

using namespace Zel::Sim;
using namespace Zel::Drivers;
namespace Cmds = Zel::Commands::Cube;

namespace {

FieldName Hierarchy(const wchar_t* name)
{
    return FieldName(OrdersCube::DataSourceName(), TString(name));
}

// The dialogs against the simulated host, as the demo runs them.
struct Sim
{
    Sim()
        : workbook(SampleWorkbook::Options {3000, {}})
        , area(host, workbook)
        , dispatcher(&host, [](const ICommandDispatcher*) {})
    {
    }

    HSM::DefaultMemberType SettingType(const wchar_t* hierarchy)
    {
        return GetHierarchyDefaultMember(host, Hierarchy(hierarchy))
            .Get<Cmds::DefaultMemberSetting>()
            ->GetDefaultMemberType();
    }
    QString DefaultMember(const wchar_t* hierarchy)
    {
        return GetHierarchyRoot(host, Hierarchy(hierarchy))
            .Get<Cmds::HierarchyRoot>()
            ->GetDefaultMember()
            ->GetUniqueName()
            .ToQString();
    }

    SampleWorkbook workbook;
    SimHost host;
    CubeArea area;
    std::shared_ptr<ICommandDispatcher const> dispatcher;
};

// The parent check of the calculated members dialog: a member of the last level is refused.
class ParentValidator final : public SelectMemberDialog::IDialogValidator
{
public:
    explicit ParentValidator(int levels)
        : m_limit(levels - 1)
    {
    }
    bool Validate(const DataValue&, int level) override
    {
        if (level < m_limit)
            return true;
        TMessageBox::Show(TString(L"A member on the lowest level cannot be a parent."), QMessageBox::Warning,
            QMessageBox::Ok, QMessageBox::NoButton, Qt::WindowModal);
        return false;
    }

private:
    int m_limit;
};

} // namespace

class CubeIntegrationTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void defaultMemberIsAppliedAndReadBack()
    {
        Sim sim;
        QCOMPARE(sim.DefaultMember(L"Geography"), QStringLiteral("[Geography].[All Geography]"));
        {
            const auto dialog = OpenSetDefaultMemberDialog(sim.dispatcher, Hierarchy(L"Geography"));
            const SetDefaultMemberDialogDriver driver(*dialog);
            driver.Open();
            driver.Choose(HSM::DMT_SelectedMember);
            driver.Tree().Pick(QStringLiteral("Texas"), QStringLiteral("[Geography].[South].[Texas]"));
            driver.Ok();
            QCOMPARE(dialog->result(), int(QDialog::Accepted));
            const auto applied = ApplyDefaultMember(sim.host, Hierarchy(L"Geography"), *dialog);
            QCOMPARE(applied->GetDefaultMemberType(), HSM::DMT_SelectedMember);
        }
        QCOMPARE(sim.SettingType(L"Geography"), HSM::DMT_SelectedMember);
        QCOMPARE(sim.DefaultMember(L"Geography"), QStringLiteral("[Geography].[South].[Texas]"));

        // Opened again, the dialog shows Texas; the All member then takes over, Texas stays on offer.
        {
            const auto dialog = OpenSetDefaultMemberDialog(sim.dispatcher, Hierarchy(L"Geography"));
            const SetDefaultMemberDialogDriver driver(*dialog);
            driver.Open();
            QCOMPARE(dialog->GetSelectedMember()->GetUniqueName().ToQString(),
                QStringLiteral("[Geography].[South].[Texas]"));
            QCOMPARE(dialog->GetSelectedMember()->GetLevel(), 2);
            driver.Choose(HSM::DMT_AllMember);
            driver.Ok();
            ApplyDefaultMember(sim.host, Hierarchy(L"Geography"), *dialog);
        }
        QCOMPARE(sim.SettingType(L"Geography"), HSM::DMT_AllMember);
        QCOMPARE(sim.DefaultMember(L"Geography"), QStringLiteral("[Geography].[All Geography]"));
        QCOMPARE(GetHierarchyDefaultMember(sim.host, Hierarchy(L"Geography"))
                     .Get<Cmds::DefaultMemberSetting>()
                     ->GetSelectedDefaultMember()
                     ->GetUniqueName()
                     .ToQString(),
            QStringLiteral("[Geography].[South].[Texas]"));

        // A hierarchy without an All member offers no All button.
        const auto shipMode = OpenSetDefaultMemberDialog(sim.dispatcher, Hierarchy(L"Ship Mode"));
        const SetDefaultMemberDialogDriver driver(*shipMode);
        driver.Open();
        QVERIFY(!driver.Get<QWidget>("m_radioUseAllMbr").isEnabled());
        QCOMPARE(shipMode->GetSelectedMember()->GetUniqueName().ToQString(), QStringLiteral("[Ship Mode].[Express]"));
        driver.Cancel();
    }

    void parentPickRefusesTheLastLevel()
    {
        Sim sim;
        ZelTest::ModalScript script;
        script.AnswerMessageBox(QMessageBox::Ok);
        const FieldName geography
            = MakeGlobalName(OrdersCube::DataSourceName(), FieldName::ParseUnquoted(TString(L"Geography")));
        ParentValidator validator(4);
        SelectMemberDialog dialog(sim.dispatcher, geography);
        dialog.SetValidator(&validator);
        const SelectMemberDialogDriver driver(dialog);
        driver.Open();
        driver.Tree().Pick(QStringLiteral("Boston"), QStringLiteral("[Geography].[East].[Massachusetts].[Boston]"));
        driver.Ok();
        QVERIFY(dialog.isVisible());
        QCOMPARE(script.MessageBoxes().size(), std::size_t(1));
        driver.Tree().Pick(QStringLiteral("Massachusetts"), QStringLiteral("[Geography].[East].[Massachusetts]"));
        driver.Ok();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.GetSelectedLevel(), 2);
        const DataValue& parent = dialog.GetSelectedMember();
        QVERIFY(!parent.IsSpecial());
        QCOMPARE(parent.GetDataType(), DT_STRING);
        QCOMPARE(parent.GetString().ToQString(), QStringLiteral("[Geography].[East].[Massachusetts]"));
    }

    void hugeLevelOpensAndScrollsToItsEnd()
    {
        Sim sim;
        HierarchySelectWidget picker;
        picker.resize(360, 300);
        picker.CreateModel(sim.dispatcher, Hierarchy(L"Order"));
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        const MemberPickerDriver driver(picker);
        driver.WaitForTree();
        driver.ClickRow(0);
        driver.Press(Qt::Key_Right);
        driver.Press(Qt::Key_End);
        driver.Paint();
        const std::optional<CubeMember> all
            = sim.area.Cube().AllMember(sim.area.Cube().FindHierarchy(TString(L"Order")));
        LazyTreeView& tree = picker.TreeView();
        QCOMPARE(tree.visibleRowCount(), qint64(1 + all->childCount));
        const std::vector<CubeMember> last = sim.area.Cube().Children(all->hierarchy, &*all, all->childCount - 1, 1);
        QCOMPARE(picker.GetSelectedMember()->GetUniqueName(), last.front().uniqueName);
        QVERIFY(tree.viewport()->rect().contains(tree.visualRect(tree.currentIndex()).center()));
        // The top, the first page and the last: nothing in between was read.
        QVERIFY2(picker.Model()->PagesFetched() <= 4, qPrintable(QString::number(picker.Model()->PagesFetched())));
    }

    void unknownHierarchyIsAnEmptyTree()
    {
        Sim sim;
        HostLog::Clear();
        HierarchySelectWidget picker;
        picker.CreateModel(sim.dispatcher, Hierarchy(L"Planets"));
        QCOMPARE(picker.TreeView().visibleRowCount(), qint64(0));
        QVERIFY(ZelTest::HostLogMentions(QStringLiteral("Orders Cube has no hierarchy Planets")));
    }
};

QTEST_MAIN(CubeIntegrationTest)

#include "CubeIntegrationTest.moc"
