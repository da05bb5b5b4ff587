#include "SchemaFixture.h"

#include "host/commands/SchemaCommands.h"
#include "tests/support/RecordingDispatcher.h"

namespace SchemaTest {

namespace Cmds = Zel::Commands::Schema;

QString HierarchyUniqueName(const HierarchyShape& hierarchy)
{
    const QString name = QLatin1Char('[') + hierarchy.name + QLatin1Char(']');
    return hierarchy.dimension == hierarchy.name ? name
                                                 : QLatin1Char('[') + hierarchy.dimension + QStringLiteral("].") + name;
}

QString LevelUniqueName(const HierarchyShape& hierarchy, const QString& level)
{
    return HierarchyUniqueName(hierarchy) + QStringLiteral(".[") + level + QLatin1Char(']');
}

RefCntPtr<SchemaPresModel> MakeSchema(const std::vector<HierarchyShape>& hierarchies, bool allFieldsHidden)
{
    std::vector<RefCntPtr<SchemaLevelPresModel const>> levels;
    for (const HierarchyShape& hierarchy : hierarchies) {
        for (int i = 0; i < hierarchy.levels.size(); ++i) {
            auto level = MakeRefCnt<SchemaLevelPresModel>();
            level->SetDimensionCaption(TString(hierarchy.dimension));
            level->SetHierarchyUniqueName(TString(HierarchyUniqueName(hierarchy)));
            level->SetHierarchyCaption(TString(hierarchy.name));
            level->SetUniqueName(TString(LevelUniqueName(hierarchy, hierarchy.levels[i])));
            level->SetCaption(TString(hierarchy.levels[i]));
            level->SetIsSelected(i < hierarchy.selected);
            levels.push_back(std::move(level));
        }
    }
    auto schema = MakeRefCnt<SchemaPresModel>();
    schema->SetDataSourceCaption(TString(L"Sales Cube"));
    schema->SetLevels(std::move(levels));
    schema->SetAllFieldsHidden(allFieldsHidden);
    return schema;
}

std::vector<HierarchyShape> SmallSchema()
{
    return {
        {QStringLiteral("Geography"), QStringLiteral("Geography"),
            {QStringLiteral("Region"), QStringLiteral("State"), QStringLiteral("City")}, 2},
        {QStringLiteral("Sales"), QStringLiteral("Channel"), {QStringLiteral("Channel Type")}, 1},
        {QStringLiteral("Sales"), QStringLiteral("Ship Mode"), {QStringLiteral("Ship Mode")}, 0},
    };
}

void AnswerSchema(ZelTest::RecordingDispatcher& host, RefCntPtr<SchemaPresModel const> schema)
{
    host.Answer<Cmds::GetSchemaLevels>().Set<Cmds::Schema>(std::move(schema));
}

} // namespace SchemaTest
