#include "CubeFixture.h"

#include "apps/drivers/SetDefaultMemberDialogDriver.h"
#include "host/doc/StringIds.h"
#include "host/ui/HierarchySelectWidget.h"
#include "host/ui/LazyTreeView.h"
#include "main/dialogs/SetDefaultMemberDialog.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>
#include <QtWidgets/QLayout>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

using namespace CubeTest;
using Zel::Drivers::SetDefaultMemberDialogDriver;
using ZelTest::RecordingDispatcher;

namespace {

RefCntPtr<HierarchySetDefaultMemberPresModel const> Setting(
    HSM::DefaultMemberType type, bool hasAll = true, const wchar_t* member = nullptr)
{
    auto setting = MakeRefCnt<HierarchySetDefaultMemberPresModel>();
    setting->SetTitle(TString(L"Default Member of Places"));
    setting->SetDefaultMemberType(type);
    setting->SetHasAllMember(hasAll);
    if (member) {
        auto tuple = MakeRefCnt<Tuple>();
        tuple->SetHierarchy(Fixture::Hierarchy());
        tuple->SetUniqueName(TString(member));
        setting->SetSelectedDefaultMember(tuple);
    }
    return setting;
}

QStringList CheckedAndEnabled(const SetDefaultMemberDialogDriver& driver)
{
    QStringList states;
    for (const char* name : {"m_radioUseDefaultMbr", "m_radioUseAllMbr", "m_radioUseSelectedMbr"}) {
        const auto& radio = driver.Get<QRadioButton>(name);
        states << QString(QLatin1Char(radio.isChecked() ? 'x' : '-')) + QLatin1Char(radio.isEnabled() ? 'e' : 'd');
    }
    states << (driver.Get<HierarchySelectWidget>("m_memberSelectCtrl").isEnabled() ? QStringLiteral("tree")
                                                                                   : QStringLiteral("no tree"));
    states << (driver.Get<QPushButton>("m_btnExpand").isEnabled() ? QStringLiteral("expand")
                                                                  : QStringLiteral("no expand"));
    return states;
}

} // namespace

class SetDefaultMemberDialogTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void formShowsTheHostsSetting_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("hasAll");
        QTest::addColumn<QStringList>("states");

        QTest::newRow("cube default") << 0 << true << QStringList({"xe", "-e", "-e", "no tree", "no expand"});
        QTest::newRow("All member") << 1 << true << QStringList({"-e", "xe", "-e", "no tree", "no expand"});
        QTest::newRow("selected") << 2 << true << QStringList({"-e", "-e", "xe", "tree", "expand"});
        // Without an All member its button is off, even while the setting names it.
        QTest::newRow("All member of a hierarchy without one")
            << 1 << false << QStringList({"-e", "xd", "-e", "no tree", "no expand"});
    }

    void formShowsTheHostsSetting()
    {
        QFETCH(int, type);
        QFETCH(bool, hasAll);
        QFETCH(QStringList, states);
        Host host;
        SetDefaultMemberDialog dialog(
            host.dispatcher, Fixture::Hierarchy(), Setting(static_cast<HSM::DefaultMemberType>(type), hasAll));
        const SetDefaultMemberDialogDriver driver(dialog);
        QCOMPARE(dialog.objectName(), QStringLiteral("SetDefaultMemberDialog"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Set Default Member"));
        QVERIFY(dialog.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint));
        QCOMPARE(dialog.layout()->sizeConstraint(), QLayout::SetMinimumSize);
        QVERIFY(host.dispatcher->Commands().empty());
        QCOMPARE(dialog.GetDefaultMemberType(), static_cast<HSM::DefaultMemberType>(type));

        driver.Open();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Default Member of Places"));
        QCOMPARE(CheckedAndEnabled(driver), states);
        dialog.reject();
    }

    void storedMemberIsSelectedOnceTheTopHasLoaded()
    {
        Host host;
        SetDefaultMemberDialog dialog(
            host.dispatcher, Fixture::Hierarchy(), Setting(HSM::DMT_SelectedMember, true, L"[Places].[East].[E1200]"));
        const SetDefaultMemberDialogDriver driver(dialog);
        driver.Open();
        driver.Tree().Paint();
        // The hierarchy's own default first, then the stored member over it, each by its path.
        std::vector<QString> paths;
        for (const ZelTest::RecordedCommand& command : host.dispatcher->Commands())
            if (command.commandId == Cmds::GetMemberPath::id)
                paths.push_back(command.Get<Cmds::MemberName>().ToQString());
        QCOMPARE(paths,
            (std::vector<QString> {
                QStringLiteral("[Places].[All Places]"), QStringLiteral("[Places].[East].[E1200]")}));
        QCOMPARE(dialog.GetSelectedMember()->GetUniqueName().ToQString(), QStringLiteral("[Places].[East].[E1200]"));
        auto& tree = driver.Tree().Get<LazyTreeView>("memberTree");
        const QModelIndex selected = tree.selectionModel()->currentIndex();
        QVERIFY(tree.viewport()->rect().contains(tree.visualRect(selected).center()));
        driver.Ok();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.GetDefaultMemberType(), HSM::DMT_SelectedMember);
    }

    void selectedTypeWithoutAMemberIsRefused()
    {
        Host host;
        host.fixture.defaultMember.clear();
        ZelTest::ModalScript script;
        script.AnswerMessageBox(QMessageBox::Ok);
        SetDefaultMemberDialog dialog(host.dispatcher, Fixture::Hierarchy(), Setting(HSM::DMT_SelectedMember));
        const SetDefaultMemberDialogDriver driver(dialog);
        driver.Open();
        QVERIFY(!dialog.GetSelectedMember());
        driver.Ok();
        QVERIFY(dialog.isVisible());
        QCOMPARE(script.MessageBoxes().size(), std::size_t(1));
        const MessageBoxRequest& box = script.MessageBoxes().front();
        QCOMPARE(box.text, LookupTStr(Zel::Strings::SelectDefaultMember).ToQString());
        QCOMPARE(ZelTest::BoxShape(box), QStringLiteral("Warning Ok default NoButton WindowModal"));
        QCOMPARE(box.parent.data(), static_cast<QWidget*>(&dialog));

        // Cancel never asks.
        driver.Cancel();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(script.MessageBoxes().size(), std::size_t(1));
    }

    void radiosChooseTheTypeAndKeepTheTreesSelection()
    {
        Host host;
        ZelTest::ModalScript script;
        SetDefaultMemberDialog dialog(host.dispatcher, Fixture::Hierarchy(), Setting(HSM::DMT_CubeDefault));
        const SetDefaultMemberDialogDriver driver(dialog);
        driver.Open();
        // The tree starts on the hierarchy's current default member.
        QCOMPARE(dialog.GetSelectedMember()->GetUniqueName().ToQString(), QStringLiteral("[Places].[All Places]"));
        driver.Choose(HSM::DMT_SelectedMember);
        QCOMPARE(dialog.GetDefaultMemberType(), HSM::DMT_SelectedMember);
        QVERIFY(driver.Get<HierarchySelectWidget>("m_memberSelectCtrl").isEnabled());
        driver.Tree().Pick(QStringLiteral("North"), QStringLiteral("[Places].[North]"));
        driver.Choose(HSM::DMT_AllMember);
        QVERIFY(!driver.Get<HierarchySelectWidget>("m_memberSelectCtrl").isEnabled());
        driver.Ok();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.GetDefaultMemberType(), HSM::DMT_AllMember);
        QCOMPARE(dialog.GetSelectedMember()->GetUniqueName().ToQString(), QStringLiteral("[Places].[North]"));
        QCOMPARE(script.MessageBoxes().size(), std::size_t(0));
    }
};

QTEST_MAIN(SetDefaultMemberDialogTest)

#include "SetDefaultMemberDialogTest.moc"
