#include "sim/OrdersCube.h"
#include "sim/ICubeExtension.h"
#include "sim/SampleWorkbook.h"

#include "tests/support/ZelTestCase.h"

#include <QtCore/QTemporaryDir>
#include <QtSql/QSqlQuery>
#include <QtTest/QtTest>

#include <stdexcept>

using namespace Zel::Sim;

namespace {

constexpr qint64 kRows = 3000;

QString Name(const TString& text)
{
    return text.ToQString();
}

qint64 Scalar(SampleWorkbook& workbook, const QString& sql)
{
    QSqlQuery query(workbook.Database());
    if (!query.exec(sql) || !query.next())
        return -1;
    return query.value(0).toLongLong();
}

struct Cube
{
    explicit Cube(qint64 rows = kRows, QString path = {})
        : workbook(SampleWorkbook::Options {rows, std::move(path)})
        , cube(workbook)
    {
    }

    int H(const char* name) const { return cube.FindHierarchy(TString::FromUtf8(name)); }
    CubeMember Get(const char* uniqueName)
    {
        const std::optional<CubeMember> member = cube.Resolve(TString::FromUtf8(uniqueName));
        if (!member)
            throw std::runtime_error(std::string("no member ") + uniqueName);
        return *member;
    }
    QStringList ChildNames(int h, const CubeMember* parent)
    {
        QStringList names;
        for (const CubeMember& m : cube.Children(h, parent, 0, cube.ChildCount(h, parent)))
            names << Name(m.name);
        return names;
    }

    SampleWorkbook workbook;
    OrdersCube cube;
};

class Extras final : public ICubeExtension
{
public:
    std::vector<Member> ExtraMembers(const TString& hierarchy) const override
    {
        return hierarchy == TString(L"Geography") ? members : std::vector<Member> {};
    }
    std::vector<TString> ExtraMeasures() const override { return measures; }

    std::vector<Member> members;
    std::vector<TString> measures;
};

} // namespace

class OrdersCubeTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void hierarchiesHaveTheirLevels()
    {
        Cube c;
        QStringList described;
        for (const CubeHierarchyInfo& h : c.cube.Hierarchies()) {
            QStringList levels;
            for (const TString& level : h.levels)
                levels << Name(level);
            described << Name(h.name) + QLatin1Char(':') + levels.join(QLatin1Char('/'))
                    + (h.hasAllMember ? QLatin1Char('=') + Name(h.allMemberName) : QString());
        }
        QCOMPARE(described,
            QStringList({"Geography:(All)/Region/State/City=All Geography",
                "Product:(All)/Category/Sub-Category/Product=All Product",
                "Customer:(All)/Segment/Customer Name=All Customer",
                "Order Date:(All)/Year/Quarter/Month/Day=All Order Date", "Ship Mode:Ship Mode",
                "Order:(All)/Order ID=All Order", "Measures:MeasuresLevel"}));
        QCOMPARE(c.cube.FindHierarchy(TString(L"[order date]")), c.H("Order Date"));
        QCOMPARE(c.cube.FindHierarchy(TString(L"Region")), -1);
        QCOMPARE(c.cube.FindLevel(c.H("Geography"), TString(L"state")), 2);
        QCOMPARE(c.ChildNames(c.H("Measures"), nullptr), QStringList({"Sales", "Profit", "Quantity", "Discount"}));
    }

    void membersNestAndCountAsTheOrdersSay()
    {
        Cube c;
        const int geo = c.H("Geography");
        QCOMPARE(c.cube.ChildCount(geo, nullptr), qint64(1));
        const CubeMember all = *c.cube.AllMember(geo);
        QVERIFY(all.isAllMember);
        QCOMPARE(Name(all.uniqueName), QStringLiteral("[Geography].[All Geography]"));
        QCOMPARE(c.ChildNames(geo, &all),
            QStringList(
                {QStringLiteral("Central"), QStringLiteral("East"), QStringLiteral("South"), QStringLiteral("West")}));

        // Every level: its members are the distinct values of the orders under their parents.
        qint64 cities = 0;
        for (const CubeMember& region : c.cube.Children(geo, &all, 0, 10)) {
            QCOMPARE(region.level, 1);
            for (const CubeMember& state : c.cube.Children(geo, &region, 0, 100)) {
                QCOMPARE(state.parentId, region.id);
                QVERIFY(Name(state.uniqueName).startsWith(Name(region.uniqueName) + QStringLiteral(".[")));
                cities += state.childCount;
            }
        }
        QCOMPARE(cities,
            Scalar(
                c.workbook, QStringLiteral("SELECT COUNT(*) FROM (SELECT DISTINCT Region, State, City FROM orders)")));

        // Calendar order, not name order, below the year.
        const CubeMember year = c.Get("[Order Date].[2021]");
        QCOMPARE(c.ChildNames(c.H("Order Date"), &year), QStringList({"Q1", "Q2", "Q3", "Q4"}));
        const CubeMember q4 = c.Get("[Order Date].[2021].[Q4]");
        QCOMPARE(Name(q4.key), QStringLiteral("2021-Q4"));
        QCOMPARE(c.ChildNames(c.H("Order Date"), &q4), QStringList({"October", "November", "December"}));

        const int shipMode = c.H("Ship Mode");
        QVERIFY(!c.cube.AllMember(shipMode));
        QCOMPARE(c.ChildNames(shipMode, nullptr), QStringList({"Express", "Freight", "Same Day", "Standard"}));
    }

    void pagesOfAHugeLevelAreConsecutive()
    {
        Cube c;
        const int order = c.H("Order");
        const CubeMember all = *c.cube.AllMember(order);
        const qint64 orders = Scalar(c.workbook, QStringLiteral("SELECT COUNT(DISTINCT \"Order ID\") FROM orders"));
        QCOMPARE(all.childCount, orders);
        QVERIFY(orders > 1000);

        const std::vector<CubeMember> whole = c.cube.Children(order, &all, 0, orders);
        QCOMPARE(qint64(whole.size()), orders);
        constexpr qint64 kPage = 37;
        for (qint64 first = 0; first < orders; first += kPage) {
            const std::vector<CubeMember> page = c.cube.Children(order, &all, first, kPage);
            QCOMPARE(qint64(page.size()), std::min(kPage, orders - first));
            for (std::size_t i = 0; i < page.size(); ++i) {
                QCOMPARE(page[i].ordinal, first + qint64(i));
                QCOMPARE(page[i].uniqueName, whole[static_cast<std::size_t>(first) + i].uniqueName);
            }
        }
        for (std::size_t i = 1; i < whole.size(); ++i)
            QVERIFY(whole[i - 1].name.ToQString() < whole[i].name.ToQString());
        // Past the end: nothing, not an error.
        QVERIFY(c.cube.Children(order, &all, orders, 10).empty());
        QVERIFY(c.cube.Children(order, &whole.back(), 0, 10).empty());
    }

    void resolvesEveryFormOfName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("uniqueName");
        QTest::addColumn<int>("level");

        const QString newYork = QStringLiteral("[Geography].[East].[New York]");
        QTest::newRow("path") << newYork << newYork << 2;
        QTest::newRow("path from All") << QStringLiteral("[Geography].[All Geography].[East].[New York]") << newYork
                                       << 2;
        QTest::newRow("All member") << QStringLiteral("[Geography].[All Geography]")
                                    << QStringLiteral("[Geography].[All Geography]") << 0;
        QTest::newRow("level and name") << QStringLiteral("[Geography].[State].[New York]") << newYork << 2;
        QTest::newRow("level and key") << QStringLiteral("[Geography].[Region].&[East]")
                                       << QStringLiteral("[Geography].[East]") << 1;
        QTest::newRow("any case") << QStringLiteral("[geography].[EAST].[new york]") << newYork << 2;
        QTest::newRow("blanks around parts")
            << QStringLiteral(" [Geography] . [East] ") << QStringLiteral("[Geography].[East]") << 1;
        QTest::newRow("quarter by key") << QStringLiteral("[Order Date].[Quarter].&[2022-Q3]")
                                        << QStringLiteral("[Order Date].[2022].[Q3]") << 2;
        QTest::newRow("month by path") << QStringLiteral("[Order Date].[2020].[Q1].[February]")
                                       << QStringLiteral("[Order Date].[2020].[Q1].[February]") << 3;
        QTest::newRow("no All member") << QStringLiteral("[Ship Mode].[Ship Mode].[Express]")
                                       << QStringLiteral("[Ship Mode].[Express]") << 0;
        QTest::newRow("measure") << QStringLiteral("[Measures].[Profit]") << QStringLiteral("[Measures].[Profit]") << 0;
        QTest::newRow("plain identifiers")
            << QStringLiteral("Measures.Sales") << QStringLiteral("[Measures].[Sales]") << 0;

        for (const char* name : {"[Geography]", "[Geography].[Region]", "[Geography].[Nowhere]", "[Nope].[East]",
                 "[Geography].[East", "[Geography].[East].[New York].[Nowhere]", "&[Geography].[East]",
                 "[Geography].[Region].&[Nowhere]", "[Ship Mode].[All Ship Mode]"})
            QTest::newRow(name) << QString::fromLatin1(name) << QString() << -1;
        QTest::newRow("(empty)") << QString() << QString() << -1;
    }

    void resolvesEveryFormOfName()
    {
        QFETCH(QString, name);
        QFETCH(QString, uniqueName);
        QFETCH(int, level);
        Cube c;
        const std::optional<CubeMember> member = c.cube.Resolve(TString(name));
        QCOMPARE(member.has_value(), !uniqueName.isEmpty());
        if (!member)
            return;
        QCOMPARE(Name(member->uniqueName), uniqueName);
        QCOMPARE(member->level, level);
        // What the cube hands out, it finds again.
        QCOMPARE(c.cube.Resolve(member->uniqueName)->id, member->id);
    }

    void pathAndOrdinalsLocateAMember()
    {
        Cube c;
        const int geo = c.H("Geography");
        const CubeMember city = c.Get("[Geography].[City].[Boston]");
        const std::vector<CubeMember> path = c.cube.PathTo(city);
        QStringList names;
        for (const CubeMember& m : path)
            names << Name(m.uniqueName);
        QCOMPARE(names,
            QStringList({"[Geography].[All Geography]", "[Geography].[East]", "[Geography].[East].[Massachusetts]",
                "[Geography].[East].[Massachusetts].[Boston]"}));
        // Each ordinal is the member's row under the one before it.
        const CubeMember* parent = nullptr;
        for (const CubeMember& m : path) {
            const std::vector<CubeMember> at = c.cube.Children(geo, parent, m.ordinal, 1);
            QCOMPARE(at.size(), std::size_t(1));
            QCOMPARE(at.front().id, m.id);
            QCOMPARE(at.front().childCount, m.childCount);
            parent = &m;
        }
        QVERIFY(path.back().childCount == 0);
        QCOMPARE(c.cube.PathTo(c.Get("[Measures].[Sales]")).size(), std::size_t(1));
    }

    void searchIsLimitedAndSaysWhenCut()
    {
        Cube c;
        const int geo = c.H("Geography");
        OrdersCube::MemberSearch found = c.cube.Search(geo, TString(L"YORK"), 10);
        QStringList names;
        for (const CubeMember& m : found.members)
            names << Name(m.uniqueName);
        QCOMPARE(
            names, QStringList({"[Geography].[East].[New York]", "[Geography].[East].[New York].[New York City]"}));
        QVERIFY(!found.truncated);

        found = c.cube.Search(geo, TString(L"york"), 1);
        QCOMPARE(found.members.size(), std::size_t(1));
        QVERIFY(found.truncated);
        QCOMPARE(found.members.front().level, 2);

        // Wildcards of SQL are plain characters here.
        QVERIFY(c.cube.Search(geo, TString(L"%"), 10).members.empty());
        QVERIFY(c.cube.Search(geo, TString(L"_"), 10).members.empty());
        found = c.cube.Search(c.H("Order"), TString(L"ORD-"), 25);
        QCOMPARE(found.members.size(), std::size_t(25));
        QVERIFY(found.truncated);
        QCOMPARE(c.cube.Search(c.H("Measures"), TString(L"o"), 10).members.size(), std::size_t(2));
    }

    void defaultMemberFollowsItsSetting()
    {
        Cube c;
        const int geo = c.H("Geography");
        const int shipMode = c.H("Ship Mode");
        QCOMPARE(Name(c.cube.DefaultMember(geo).uniqueName), QStringLiteral("[Geography].[All Geography]"));
        QCOMPARE(Name(c.cube.DefaultMember(shipMode).uniqueName), QStringLiteral("[Ship Mode].[Express]"));

        c.cube.SetDefaultSetting(geo, {HSM::DMT_SelectedMember, TString(L"[Geography].[State].[Texas]")});
        QCOMPARE(Name(c.cube.DefaultMember(geo).uniqueName), QStringLiteral("[Geography].[South].[Texas]"));
        QCOMPARE(Name(c.cube.GetDefaultSetting(geo).member), QStringLiteral("[Geography].[South].[Texas]"));
        // The member is kept for the next time even when the type does not use it.
        c.cube.SetDefaultSetting(geo, {HSM::DMT_AllMember, TString(L"[Geography].[South].[Texas]")});
        QCOMPARE(Name(c.cube.DefaultMember(geo).uniqueName), QStringLiteral("[Geography].[All Geography]"));
        QCOMPARE(c.cube.GetDefaultSetting(geo).type, HSM::DMT_AllMember);

        const auto refused = [&](int h, HSM::DefaultMemberType type, const wchar_t* member) {
            try {
                c.cube.SetDefaultSetting(h, {type, TString(member)});
            } catch (const std::invalid_argument&) {
                return true;
            }
            return false;
        };
        QVERIFY(refused(shipMode, HSM::DMT_AllMember, L""));
        QVERIFY(refused(geo, HSM::DMT_SelectedMember, L""));
        QVERIFY(refused(geo, HSM::DMT_SelectedMember, L"[Geography].[Atlantis]"));
        QVERIFY(refused(geo, HSM::DMT_SelectedMember, L"[Ship Mode].[Express]"));
        QVERIFY(refused(geo, static_cast<HSM::DefaultMemberType>(7), L""));
        // A refusal changes nothing.
        QCOMPARE(c.cube.GetDefaultSetting(geo).type, HSM::DMT_AllMember);
        QVERIFY(!refused(shipMode, HSM::DMT_SelectedMember, L"[Ship Mode].[Freight]"));
        QCOMPARE(Name(c.cube.DefaultMember(shipMode).uniqueName), QStringLiteral("[Ship Mode].[Freight]"));
    }

    void extensionAddsMembersAndMeasures()
    {
        Cube c;
        Extras extras;
        extras.members = {{TString(L"[Geography].[East]"), TString(L"Big East")},
            {TString(L"[Geography].[Atlantis]"), TString(L"Lost")}, {TString(), TString(L"Everywhere")},
            {TString(L"[Geography].[East].[Big East]"), TString(L"On An Extra")}};
        extras.measures = {TString(L"Margin")};
        c.cube.SetExtension(&extras);
        const int geo = c.H("Geography");

        const CubeMember east = c.Get("[Geography].[East]");
        const qint64 stored = c.ChildNames(geo, &east).size() - 1;
        QCOMPARE(east.childCount, stored + 1);
        QCOMPARE(c.ChildNames(geo, &east).back(), QStringLiteral("Big East"));
        const CubeMember bigEast = c.Get("[Geography].[East].[Big East]");
        QCOMPARE(bigEast.ordinal, stored);
        QCOMPARE(bigEast.level, 2);
        QCOMPARE(c.cube.PathTo(bigEast).size(), std::size_t(3));
        // An empty parent is the All member; an unknown parent, or an extra one, leaves the member out.
        const CubeMember all = *c.cube.AllMember(geo);
        QCOMPARE(c.ChildNames(geo, &all).back(), QStringLiteral("Everywhere"));
        QVERIFY(!c.cube.Resolve(TString(L"[Geography].[Atlantis].[Lost]")));
        QVERIFY(!c.cube.Resolve(TString(L"[Geography].[East].[Big East].[On An Extra]")));
        QCOMPARE(c.cube.Search(geo, TString(L"big"), 5).members.size(), std::size_t(1));
        QCOMPARE(Name(c.cube.Measures().back()), QStringLiteral("Margin"));
        QVERIFY(c.cube.Resolve(TString(L"[Measures].[Margin]")));

        c.cube.SetExtension(nullptr);
        QCOMPARE(c.cube.ChildCount(geo, &east), stored);
        QVERIFY(!c.cube.Resolve(TString(L"[Measures].[Margin]")));
    }

    void tablesAreMadeOnceAndKeptInTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cube.sqlite"));
        qint64 members = 0;
        {
            Cube c(kRows, path);
            const OrdersCube::PrepareStats first = c.cube.Prepare(c.H("Order"));
            QVERIFY(!first.reused);
            members = first.members;
            QCOMPARE(members, c.cube.AllMember(c.H("Order"))->childCount + 1);
            QVERIFY(c.cube.Prepare(c.H("Order")).members == 0); // ready: nothing to do
        }
        {
            Cube c(kRows, path);
            const OrdersCube::PrepareStats again = c.cube.Prepare(c.H("Order"));
            QVERIFY(again.reused);
            QCOMPARE(again.members, members);
            // A table of an older making is made again.
            QSqlQuery(c.workbook.Database()).exec(QStringLiteral("UPDATE cube_info SET version = 0"));
            Cube fresh(kRows, path);
            QVERIFY(!fresh.cube.Prepare(fresh.H("Order")).reused);
        }
    }
};

QTEST_MAIN(OrdersCubeTest)

#include "OrdersCubeTest.moc"
