#include "SchemaSim.h"

#include "gen-command-wrappers/SchemaCommandWrappers.h"
#include "host/doc/HostLog.h"
#include "sim/ICubeExtension.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>

#include <stdexcept>

using namespace Zel::Sim;
namespace Cmds = Zel::Commands::Schema;

namespace {

struct Sim : SchemaTest::SchemaSim
{
    int H(const wchar_t* name) { return Hierarchy(name); }

    RefCntPtr<SchemaPresModel const> Schema(const TString& dataSource)
    {
        return GetSchemaLevels(host, dataSource, TString()).Get<Cmds::Schema>();
    }
    bool Commit(const TString& dataSource, const QStringList& levels, bool hide = false)
    {
        std::vector<TString> names;
        for (const QString& level : levels)
            names.emplace_back(level);
        return SetSchemaLevels(host, dataSource, TString(), names, hide).Get<Cmds::SchemaChanged>();
    }
    QStringList Selected(const TString& dataSource)
    {
        QStringList names;
        const auto schema = Schema(dataSource);
        for (std::size_t i = 0; i < schema->GetLevelCount(); ++i)
            if (schema->GetLevel(i).GetIsSelected())
                names << schema->GetLevel(i).GetUniqueName().ToQString();
        return names;
    }
};

// A calculated member under a state and one under a city.
class Extension final : public ICubeExtension
{
public:
    std::vector<Member> ExtraMembers(const TString& hierarchy) const override
    {
        if (hierarchy != TString(L"Geography"))
            return {};
        return {{TString(L"[Geography].[West].[California]"), TString(L"Coast")},
            {TString(L"[Geography].[West].[California].[San Diego]"), TString(L"Harbour")}};
    }
    std::vector<TString> ExtraMeasures() const override { return {}; }
};

const TString kOrders = OrdersCube::DataSourceName();

} // namespace

class SchemaAreaTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void eachDataSourceListsItsLevels_data()
    {
        QTest::addColumn<QString>("dataSource");
        QTest::addColumn<int>("levels");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("first");
        QTest::newRow("sample cube") << kOrders.ToQString() << 14 << 14 << QStringLiteral("[Geography].[Region]");
        QTest::newRow("large") << SchemaArea::LargeDataSourceName().ToQString() << 2000 << 50
                               << QStringLiteral("[Dimension 1].[Hierarchy 1.1].[Level 1.1.1]");
        QTest::newRow("wide") << SchemaArea::WideDataSourceName().ToQString() << 108 << 101
                              << QStringLiteral("[Dimension 1].[Hierarchy 1.1].[Level 1.1.1]");
    }

    void eachDataSourceListsItsLevels()
    {
        QFETCH(QString, dataSource);
        QFETCH(int, levels);
        QFETCH(int, selected);
        QFETCH(QString, first);
        Sim sim;
        const auto schema = sim.Schema(TString(dataSource));
        QCOMPARE(int(schema->GetLevelCount()), levels);
        QCOMPARE(sim.Selected(TString(dataSource)).size(), selected);
        QCOMPARE(schema->GetLevel(0).GetUniqueName().ToQString(), first);
        QVERIFY(!schema->GetAllFieldsHidden());
    }

    // Of each hierarchy the host keeps the levels down to the first one left out, and says whether
    // that changed what it keeps.
    void aCommitKeepsEachHierarchyFromTheTop()
    {
        Sim sim;
        QVERIFY(sim.Commit(kOrders,
            {QStringLiteral("[Geography].[Region]"), QStringLiteral("[Geography].[City]"),
                QStringLiteral("[Ship Mode].[Ship Mode]")}));
        QCOMPARE(sim.Selected(kOrders),
            QStringList({QStringLiteral("[Geography].[Region]"), QStringLiteral("[Ship Mode].[Ship Mode]")}));
        QCOMPARE(sim.Cube().OfferedLevelCount(sim.H(L"Geography")), 1);
        QCOMPARE(sim.Cube().OfferedLevelCount(sim.H(L"Product")), 0);
        QVERIFY(
            !sim.Commit(kOrders, {QStringLiteral("[Geography].[Region]"), QStringLiteral("[Ship Mode].[Ship Mode]")}));
        QVERIFY(sim.Commit(
            kOrders, {QStringLiteral("[Geography].[Region]"), QStringLiteral("[Ship Mode].[Ship Mode]")}, true));
        QVERIFY(sim.Schema(kOrders)->GetAllFieldsHidden());

        const TString wide = SchemaArea::WideDataSourceName();
        QVERIFY(sim.Commit(wide, {QStringLiteral("[Dimension 2].[Hierarchy 2.1].[Level 2.1.1]")}));
        QCOMPARE(sim.Selected(wide), QStringList({QStringLiteral("[Dimension 2].[Hierarchy 2.1].[Level 2.1.1]")}));
    }

    void unknownNamesAreRefused_data()
    {
        QTest::addColumn<QString>("dataSource");
        QTest::addColumn<QString>("cube");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("reason");
        QTest::newRow("data source") << QStringLiteral("Planets") << QString() << QString()
                                     << QStringLiteral("there is no cube data source Planets");
        QTest::newRow("cube") << kOrders.ToQString() << QStringLiteral("Moons") << QString()
                              << QStringLiteral("Orders Cube has no cube Moons");
        QTest::newRow("level") << kOrders.ToQString() << QString() << QStringLiteral("[Geography].[Street]")
                               << QStringLiteral("the data source has no level [Geography].[Street]");
    }

    void unknownNamesAreRefused()
    {
        QFETCH(QString, dataSource);
        QFETCH(QString, cube);
        QFETCH(QString, level);
        QFETCH(QString, reason);
        Sim sim;
        HostLog::Clear();
        const auto commit
            = [&] { SetSchemaLevels(sim.host, TString(dataSource), TString(cube), {TString(level)}, false); };
        QCOMPARE(ZelTest::LogicCondition(commit), QStringLiteral("parameters != nullptr"));
        QVERIFY(ZelTest::HostLogMentions(reason));
        if (level.isEmpty())
            QCOMPARE(ZelTest::LogicCondition([&] { GetSchemaLevels(sim.host, TString(dataSource), TString(cube)); }),
                QStringLiteral("parameters != nullptr"));
        QCOMPARE(sim.Cube().OfferedLevelCount(sim.H(L"Geography")), 3);
    }

    // A level that is not offered is gone from everything the cube answers, calculated members below
    // it included.
    void theCubeOffersOnlyTheSelectedLevels()
    {
        Sim sim;
        Extension extension;
        OrdersCube& cube = sim.Cube();
        cube.SetExtension(&extension);
        const int geo = sim.H(L"Geography");
        const std::optional<CubeMember> california = cube.Resolve(TString(L"[Geography].[West].[California]"));
        QVERIFY(california);
        QCOMPARE(cube.Children(geo, &*california, 0, 1000).back().name.ToQString(), QStringLiteral("Coast"));
        QVERIFY(cube.Resolve(TString(L"[Geography].[West].[California].[San Diego].[Harbour]")));

        cube.SetOfferedLevelCount(geo, 2);
        QCOMPARE(cube.Hierarchies()[std::size_t(geo)].levels.size(), std::size_t(3));
        const std::optional<CubeMember> state = cube.Resolve(TString(L"[Geography].[West].[California]"));
        QCOMPARE(state->childCount, qint64(0));
        QVERIFY(cube.Children(geo, &*state, 0, 1000).empty());
        QCOMPARE(cube.ChildCount(geo, &*state), qint64(0));
        QVERIFY(!cube.Resolve(TString(L"[Geography].[City].[San Diego]")));
        QVERIFY(!cube.Resolve(TString(L"[Geography].[West].[California].[Coast]")));
        QCOMPARE(cube.FindLevel(geo, TString(L"City")), -1);
        QVERIFY(cube.Search(geo, TString(L"an"), 1000).members.size() > 0);
        for (const CubeMember& found : cube.Search(geo, TString(L"a"), 1000).members)
            QVERIFY2(found.level <= 2, qPrintable(found.uniqueName.ToQString()));

        cube.SetOfferedLevelCount(geo, 0);
        QCOMPARE(cube.AllMember(geo)->childCount, qint64(0));
        QCOMPARE(cube.DefaultMember(geo).isAllMember, true);

        const int shipMode = sim.H(L"Ship Mode");
        cube.SetOfferedLevelCount(shipMode, 0);
        QCOMPARE(cube.ChildCount(shipMode, nullptr), qint64(0));
        QVERIFY_EXCEPTION_THROWN(cube.DefaultMember(shipMode), std::runtime_error);
        QVERIFY_EXCEPTION_THROWN(cube.SetOfferedLevelCount(shipMode, 2), std::invalid_argument);
        QVERIFY_EXCEPTION_THROWN(cube.SetOfferedLevelCount(geo, -1), std::invalid_argument);

        // Hiding every field keeps the counts for later.
        cube.SetOfferedLevelCount(geo, 3);
        cube.SetAllFieldsHidden(true);
        QCOMPARE(cube.OfferedLevelCount(geo), 3);
        QCOMPARE(cube.Hierarchies()[std::size_t(geo)].levels.size(), std::size_t(1));
        QVERIFY(!cube.Resolve(TString(L"[Geography].[Region].[West]")));
        cube.SetAllFieldsHidden(false);
        QVERIFY(cube.Resolve(TString(L"[Geography].[West].[California].[San Diego].[Harbour]")));
        cube.SetExtension(nullptr);
    }
};

QTEST_MAIN(SchemaAreaTest)

#include "SchemaAreaTest.moc"
