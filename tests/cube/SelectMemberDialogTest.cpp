#include "CubeFixture.h"

#include "apps/drivers/SelectMemberDialogDriver.h"
#include "host/doc/StringIds.h"
#include "host/ui/HierarchySelectWidget.h"
#include "host/ui/LazyTreeView.h"
#include "host/ui/TMessageBox.h"
#include "main/dialogs/SelectMemberDialog.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLayout>
#include <QtWidgets/QPushButton>

using namespace CubeTest;
using Zel::Drivers::SelectMemberDialogDriver;
using ZelTest::RecordingDispatcher;

namespace {

// Refuses members on the hierarchy's last level, with a warning, as a parent picker does.
class LastLevelValidator final : public SelectMemberDialog::IDialogValidator
{
public:
    explicit LastLevelValidator(int levels)
        : m_limit(levels - 1)
    {
    }

    bool Validate(const DataValue& member, int level) override
    {
        asked.emplace_back(member, level);
        if (level < m_limit)
            return true;
        TMessageBox::Show(LookupTStr(Zel::Strings::ParentOnLastLevel), QMessageBox::Warning, QMessageBox::Ok,
            QMessageBox::NoButton, Qt::WindowModal);
        return false;
    }

    std::vector<std::pair<DataValue, int>> asked;

private:
    int m_limit;
};

} // namespace

class SelectMemberDialogTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void formAndTreeLoadOnceTheLoopRuns()
    {
        Host host;
        SelectMemberDialog dialog(host.dispatcher, Fixture::Hierarchy());
        const SelectMemberDialogDriver driver(dialog);
        QCOMPARE(dialog.objectName(), QStringLiteral("SelectMemberDialog"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Select Parent Member"));
        QVERIFY(dialog.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint));
        QVERIFY(!dialog.parentWidget());
        QCOMPARE(dialog.layout()->objectName(), QStringLiteral("verticalLayout"));
        QCOMPARE(dialog.layout()->sizeConstraint(), QLayout::SetFixedSize);
        QCOMPARE(driver.Get<QLabel>("label").buddy(), &driver.Get<HierarchySelectWidget>("m_memberSelectCtrl"));
        QCOMPARE(driver.Get<QLabel>("label").text(), QStringLiteral("&Select member:"));
        QCOMPARE(driver.Get<QPushButton>("m_btnExpand").text(), QStringLiteral("&Expand All"));
        QCOMPARE(driver.Get<HierarchySelectWidget>("m_memberSelectCtrl").minimumSize(), QSize(400, 260));

        // Nothing is asked of the host before the dialog's loop runs.
        QVERIFY(host.dispatcher->Commands().empty());
        driver.Open();
        QCOMPARE(host.dispatcher->Commands().front().commandId, Cmds::GetHierarchyRoot::id);
        QCOMPARE(host.dispatcher->Last<Cmds::GetHierarchyRoot>().Get<Cmds::HierarchyName>(), Fixture::Hierarchy());
        QVERIFY(!driver.IsOkEnabled());
        // One member at a time, no marks.
        QCOMPARE(driver.Tree().Get<LazyTreeView>("memberTree").selectionMode(), QAbstractItemView::SingleSelection);

        driver.ExpandAll();
        driver.Tree().Paint();
        QVERIFY(driver.Tree().Get<LazyTreeView>("memberTree").visibleRowCount() > 5);
        dialog.reject();
    }

    void okFollowsTheSelection()
    {
        Host host;
        SelectMemberDialog dialog(host.dispatcher, Fixture::Hierarchy());
        const SelectMemberDialogDriver driver(dialog);
        driver.Open();
        driver.Tree().ClickRow(0);
        QVERIFY(driver.IsOkEnabled());
        auto& tree = driver.Tree().Get<LazyTreeView>("memberTree");
        QTest::mouseClick(
            tree.viewport(), Qt::LeftButton, Qt::ControlModifier, tree.visualRect(tree.indexAtRow(0)).center());
        QVERIFY(!driver.IsOkEnabled());
        // OK without a member is no answer, even when pressed another way.
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.GetSelectedLevel(), -1);
        driver.Tree().Pick(QStringLiteral("Oslo"), QStringLiteral("[Places].[North].[Oslo]"));
        QVERIFY(driver.IsOkEnabled());
        driver.Ok();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.GetSelectedLevel(), 2);
        QCOMPARE(dialog.GetSelectedMember().GetString().ToQString(), QStringLiteral("[Places].[North].[Oslo]"));
    }

    void refusedMemberKeepsTheDialogOpen()
    {
        Host host;
        ZelTest::ModalScript script;
        script.AnswerMessageBox(QMessageBox::Ok);
        LastLevelValidator validator(3);
        SelectMemberDialog dialog(host.dispatcher, Fixture::Hierarchy());
        dialog.SetValidator(&validator);
        const SelectMemberDialogDriver driver(dialog);
        driver.Open();

        driver.Tree().Pick(QStringLiteral("Galway"), QStringLiteral("[Places].[West].[Galway]"));
        driver.Ok();
        QVERIFY(dialog.isVisible());
        QCOMPARE(script.MessageBoxes().size(), std::size_t(1));
        QCOMPARE(script.MessageBoxes().front().text, LookupTStr(Zel::Strings::ParentOnLastLevel).ToQString());
        // The refused choice is what the dialog holds.
        QCOMPARE(dialog.GetSelectedLevel(), 2);
        QCOMPARE(dialog.GetSelectedMember().GetString().ToQString(), QStringLiteral("[Places].[West].[Galway]"));

        driver.Tree().Pick(QStringLiteral("West"), QStringLiteral("[Places].[West]"));
        driver.Ok();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.GetSelectedLevel(), 1);
        QCOMPARE(validator.asked.size(), std::size_t(2));
        QCOMPARE(validator.asked.back().second, 1);
        QCOMPARE(script.UnexpectedRequests(), 0);
    }

    void cancelConfirmsNothing()
    {
        Host host;
        SelectMemberDialog dialog(host.dispatcher, Fixture::Hierarchy());
        const SelectMemberDialogDriver driver(dialog);
        QTimer::singleShot(0, &dialog, [&driver] {
            driver.Tree().WaitForTree();
            driver.Tree().ClickRow(0);
            driver.Cancel();
        });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QCOMPARE(dialog.GetSelectedLevel(), -1);
        QVERIFY(dialog.GetSelectedMember().IsNull());
    }
};

QTEST_MAIN(SelectMemberDialogTest)

#include "SelectMemberDialogTest.moc"
