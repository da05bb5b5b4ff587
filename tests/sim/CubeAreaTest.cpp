#include "sim/CubeArea.h"
#include "gen-command-wrappers/CubeCommandWrappers.h"
#include "host/doc/HostLog.h"
#include "sim/OrdersCube.h"
#include "sim/SampleWorkbook.h"
#include "sim/SimHost.h"

#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>

#include <functional>

using namespace Zel::Sim;
namespace Cmds = Zel::Commands::Cube;

namespace {

FieldName Hierarchy(const wchar_t* name, const wchar_t* dataSource = L"Orders Cube")
{
    return FieldName(TString(dataSource), TString(name));
}

QStringList UniqueNames(const std::vector<RefCntPtr<CubeMemberPresModel const>>& members)
{
    QStringList names;
    for (const auto& member : members)
        names << member->GetUniqueName().ToQString();
    return names;
}

RefCntPtr<Tuple const> MemberTuple(const wchar_t* uniqueName)
{
    auto tuple = MakeRefCnt<Tuple>();
    tuple->SetHierarchy(Hierarchy(L"Geography"));
    tuple->SetUniqueName(TString(uniqueName));
    return tuple;
}

struct Host
{
    Host()
        : workbook(SampleWorkbook::Options {2000, {}})
        , area(std::make_unique<CubeArea>(host, workbook))
    {
    }

    SampleWorkbook workbook;
    SimHost host;
    std::unique_ptr<CubeArea> area;
};

using Send = std::function<void(const ICommandDispatcher&)>;

} // namespace

Q_DECLARE_METATYPE(Send)

class CubeAreaTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void rootPagesAndPathsAgree()
    {
        Host h;
        const auto root = GetHierarchyRoot(h.host, Hierarchy(L"Geography")).Get<Cmds::HierarchyRoot>();
        QCOMPARE(root->GetLevelCount(), 4);
        QVERIFY(root->GetHasAllMember());
        QCOMPARE(root->GetTopMemberCount(), 1u);
        QCOMPARE(root->GetAllMember()->GetUniqueName().ToQString(), QStringLiteral("[Geography].[All Geography]"));
        QVERIFY(root->GetAllMember()->GetMember().IsSpecial());
        QCOMPARE(root->GetDefaultMember()->GetUniqueName(), root->GetAllMember()->GetUniqueName());
        QCOMPARE(root->GetDefaultMember()->GetHierarchy(), Hierarchy(L"Geography"));

        const auto top = GetMemberChildren(h.host, Hierarchy(L"Geography"), TString(), 0, 10).Get<Cmds::MemberPage>();
        QCOMPARE(UniqueNames(top->GetMembers()), QStringList {"[Geography].[All Geography]"});
        const auto regions
            = GetMemberChildren(h.host, Hierarchy(L"Geography"), TString(L"[Geography].[All Geography]"), 1, 2)
                  .Get<Cmds::MemberPage>();
        QCOMPARE(regions->GetChildCount(), 4u);
        QCOMPARE(regions->GetFirstRow(), 1u);
        QCOMPARE(UniqueNames(regions->GetMembers()), QStringList({"[Geography].[East]", "[Geography].[South]"}));
        QCOMPARE(regions->GetMember(0).GetOrdinal(), 1u);
        QCOMPARE(regions->GetMember(0).GetLevel(), 1);
        QVERIFY(!regions->GetMember(0).GetMember().IsSpecial());
        QCOMPARE(regions->GetMember(0).GetMember().GetString().ToQString(), QStringLiteral("[Geography].[East]"));

        // A hierarchy named without its data source, in any case, is the same one.
        const auto path = GetMemberPath(
            h.host, FieldName(TString(), TString(L"geography")), TString(L"[Geography].[City].[Buffalo]"))
                              .Get<Cmds::MemberPath>();
        QCOMPARE(UniqueNames(path),
            QStringList({"[Geography].[All Geography]", "[Geography].[East]", "[Geography].[East].[New York]",
                "[Geography].[East].[New York].[Buffalo]"}));
        QCOMPARE(path[1]->GetOrdinal(), 1u);
        QCOMPARE(path[3]->GetChildCount(), 0u);
    }

    void searchSaysWhenCut()
    {
        Host h;
        auto found = SearchMembers(h.host, Hierarchy(L"Customer"), TString(L"home"), 5).Get<Cmds::SearchResult>();
        QCOMPARE(UniqueNames(found->GetMembers()), QStringList {"[Customer].[Home Office]"});
        QVERIFY(!found->GetIsTruncated());
        found = SearchMembers(h.host, Hierarchy(L"Order"), TString(L"ord"), 3).Get<Cmds::SearchResult>();
        QCOMPARE(found->GetMembers().size(), std::size_t(3));
        QVERIFY(found->GetIsTruncated());
    }

    void defaultMemberIsAppliedAndReadBack()
    {
        Host h;
        auto setting = GetHierarchyDefaultMember(h.host, Hierarchy(L"Geography")).Get<Cmds::DefaultMemberSetting>();
        QCOMPARE(setting->GetDefaultMemberType(), HSM::DMT_CubeDefault);
        QVERIFY(!setting->GetSelectedDefaultMember());
        QVERIFY(setting->GetHasAllMember());
        QCOMPARE(setting->GetTitle().ToQString(), QStringLiteral("Default Member of Geography"));

        setting = SetHierarchyDefaultMember(
            h.host, Hierarchy(L"Geography"), HSM::DMT_SelectedMember, MemberTuple(L"[Geography].[State].[Ohio]"))
                      .Get<Cmds::DefaultMemberSetting>();
        QCOMPARE(setting->GetDefaultMemberType(), HSM::DMT_SelectedMember);
        QCOMPARE(setting->GetSelectedDefaultMember()->GetUniqueName().ToQString(),
            QStringLiteral("[Geography].[Central].[Ohio]"));
        QCOMPARE(setting->GetSelectedDefaultMember()->GetLevel(), 2);
        QCOMPARE(GetHierarchyRoot(h.host, Hierarchy(L"Geography"))
                     .Get<Cmds::HierarchyRoot>()
                     ->GetDefaultMember()
                     ->GetUniqueName()
                     .ToQString(),
            QStringLiteral("[Geography].[Central].[Ohio]"));

        // The All member without a member: the one picked before stays on offer.
        SetHierarchyDefaultMember(h.host, Hierarchy(L"Geography"), HSM::DMT_AllMember, std::nullopt);
        setting = GetHierarchyDefaultMember(h.host, Hierarchy(L"Geography")).Get<Cmds::DefaultMemberSetting>();
        QCOMPARE(setting->GetDefaultMemberType(), HSM::DMT_AllMember);
        QVERIFY(setting->GetSelectedDefaultMember());
        QCOMPARE(h.area->Cube().DefaultMember(h.area->Cube().FindHierarchy(TString(L"Geography"))).isAllMember, true);
        QVERIFY(!GetHierarchyDefaultMember(h.host, Hierarchy(L"Ship Mode"))
                     .Get<Cmds::DefaultMemberSetting>()
                     ->GetHasAllMember());
    }

    void refusesWhatItCannotAnswer_data()
    {
        QTest::addColumn<Send>("send");
        QTest::addColumn<QString>("reason");

        QTest::newRow("unknown data source")
            << Send([](const ICommandDispatcher& d) { GetHierarchyRoot(d, Hierarchy(L"Geography", L"Sales Cube")); })
            << QStringLiteral("there is no cube data source Sales Cube");
        QTest::newRow("unknown hierarchy")
            << Send([](const ICommandDispatcher& d) { GetHierarchyRoot(d, Hierarchy(L"Planets")); })
            << QStringLiteral("Orders Cube has no hierarchy Planets");
        QTest::newRow("parent of another hierarchy") << Send([](const ICommandDispatcher& d) {
            GetMemberChildren(d, Hierarchy(L"Product"), TString(L"[Geography].[East]"), 0, 10);
        }) << QStringLiteral("[Product] has no member [Geography].[East]");
        QTest::newRow("path to nothing") << Send([](const ICommandDispatcher& d) {
            GetMemberPath(d, Hierarchy(L"Geography"), TString(L"[Geography].[Atlantis]"));
        }) << QStringLiteral("[Geography] has no member [Geography].[Atlantis]");
        QTest::newRow("All member of a hierarchy without one") << Send([](const ICommandDispatcher& d) {
            SetHierarchyDefaultMember(d, Hierarchy(L"Ship Mode"), HSM::DMT_AllMember, std::nullopt);
        }) << QStringLiteral("[Ship Mode] has no All member");
        QTest::newRow("selected member missing") << Send([](const ICommandDispatcher& d) {
            SetHierarchyDefaultMember(d, Hierarchy(L"Geography"), HSM::DMT_SelectedMember, std::nullopt);
        }) << QStringLiteral("needs a member");
    }

    void refusesWhatItCannotAnswer()
    {
        QFETCH(Send, send);
        QFETCH(QString, reason);
        Host h;
        HostLog::Clear();
        QVERIFY_EXCEPTION_THROWN(send(h.host), LogicException);
        QVERIFY2(ZelTest::HostLogMentions(reason), qPrintable(reason));

        // Once the area is gone, the host refuses rather than reaching a destroyed cube.
        h.area.reset();
        QVERIFY_EXCEPTION_THROWN(GetHierarchyRoot(h.host, Hierarchy(L"Geography")), LogicException);
    }
};

QTEST_MAIN(CubeAreaTest)

#include "CubeAreaTest.moc"
