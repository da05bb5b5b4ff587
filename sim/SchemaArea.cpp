#include "SchemaArea.h"

#include "OrdersCube.h"
#include "SimAreaBinding.h"

#include "host/commands/SchemaCommands.h"

#include <map>
#include <set>
#include <stdexcept>

namespace Zel::Sim {

namespace Cmds = Zel::Commands::Schema;

namespace {

// One hierarchy of a schema: its levels top to bottom and how many of them are offered, from the top.
struct HierarchySchema
{
    TString dimension;
    TString name;
    std::vector<TString> levels;
    int offered = 0;
};

struct SchemaState
{
    std::vector<HierarchySchema> hierarchies;
    bool allFieldsHidden = false;

    friend bool operator==(const SchemaState& a, const SchemaState& b)
    {
        if (a.allFieldsHidden != b.allFieldsHidden || a.hierarchies.size() != b.hierarchies.size())
            return false;
        for (std::size_t h = 0; h < a.hierarchies.size(); ++h)
            if (a.hierarchies[h].offered != b.hierarchies[h].offered)
                return false;
        return true;
    }
};

QString Bracketed(const TString& name)
{
    return QLatin1Char('[') + name.ToQString().replace(QStringLiteral("]"), QStringLiteral("]]")) + QLatin1Char(']');
}

// "[Geography]" for a hierarchy of its own name, "[Dimension 1].[Hierarchy 1.1]" otherwise.
TString HierarchyUniqueName(const HierarchySchema& hierarchy)
{
    if (hierarchy.dimension == hierarchy.name)
        return TString(Bracketed(hierarchy.name));
    return TString(Bracketed(hierarchy.dimension) + QLatin1Char('.') + Bracketed(hierarchy.name));
}

TString LevelUniqueName(const HierarchySchema& hierarchy, const TString& level)
{
    return TString(HierarchyUniqueName(hierarchy).ToQString() + QLatin1Char('.') + Bracketed(level));
}

RefCntPtr<SchemaPresModel const> Describe(const TString& caption, const SchemaState& state)
{
    std::vector<RefCntPtr<SchemaLevelPresModel const>> levels;
    for (const HierarchySchema& hierarchy : state.hierarchies) {
        const TString hierarchyName = HierarchyUniqueName(hierarchy);
        for (std::size_t j = 0; j < hierarchy.levels.size(); ++j) {
            auto level = MakeRefCnt<SchemaLevelPresModel>();
            level->SetDimensionCaption(hierarchy.dimension);
            level->SetHierarchyUniqueName(hierarchyName);
            level->SetHierarchyCaption(hierarchy.name);
            level->SetUniqueName(LevelUniqueName(hierarchy, hierarchy.levels[j]));
            level->SetCaption(hierarchy.levels[j]);
            level->SetIsSelected(static_cast<int>(j) < hierarchy.offered);
            levels.push_back(std::move(level));
        }
    }
    auto schema = MakeRefCnt<SchemaPresModel>();
    schema->SetDataSourceCaption(caption);
    schema->SetLevels(std::move(levels));
    schema->SetAllFieldsHidden(state.allFieldsHidden);
    return schema;
}

// `state` with the selection of `selected`: each hierarchy offers its levels down to the first one
// left out.
SchemaState Select(SchemaState state, const std::vector<TString>& selected, bool hideAllFields)
{
    std::map<TString, std::pair<std::size_t, std::size_t>> levels;
    for (std::size_t h = 0; h < state.hierarchies.size(); ++h)
        for (std::size_t j = 0; j < state.hierarchies[h].levels.size(); ++j)
            levels.emplace(LevelUniqueName(state.hierarchies[h], state.hierarchies[h].levels[j]), std::make_pair(h, j));
    std::vector<std::set<std::size_t>> chosen(state.hierarchies.size());
    for (const TString& name : selected) {
        const auto found = levels.find(name);
        if (found == levels.end())
            Refuse(QStringLiteral("the data source has no level ") + name.ToQString());
        chosen[found->second.first].insert(found->second.second);
    }
    for (std::size_t h = 0; h < state.hierarchies.size(); ++h) {
        int offered = 0;
        while (chosen[h].count(static_cast<std::size_t>(offered)))
            ++offered;
        state.hierarchies[h].offered = offered;
    }
    state.allFieldsHidden = hideAllFields;
    return state;
}

// A schema of `dimensions` x `hierarchies` x `levels`, its hierarchies offering `offered(h)` levels.
template <typename Offered>
SchemaState Generate(int dimensions, int hierarchies, int levels, Offered offered)
{
    SchemaState state;
    for (int d = 1; d <= dimensions; ++d) {
        for (int h = 1; h <= hierarchies; ++h) {
            HierarchySchema hierarchy;
            hierarchy.dimension = TString(QStringLiteral("Dimension %1").arg(d));
            hierarchy.name = TString(QStringLiteral("Hierarchy %1.%2").arg(d).arg(h));
            for (int l = 1; l <= levels; ++l)
                hierarchy.levels.push_back(TString(QStringLiteral("Level %1.%2.%3").arg(d).arg(h).arg(l)));
            hierarchy.offered = offered(static_cast<int>(state.hierarchies.size()));
            state.hierarchies.push_back(std::move(hierarchy));
        }
    }
    return state;
}

} // namespace

struct SchemaArea::Impl
{
    explicit Impl(OrdersCube& c)
        : cube(c)
    {
        // The top level of the first 50 of 400 hierarchies.
        generated[LargeDataSourceName()] = Generate(100, 4, 5, [](int h) { return h < 50 ? 1 : 0; });
        // Every level but the lowest of the last 7 of 36 hierarchies: 108 - 7 = 101.
        generated[WideDataSourceName()] = Generate(12, 3, 3, [](int h) { return h < 29 ? 3 : 2; });
    }

    OrdersCube& cube;
    std::map<TString, SchemaState> generated;

    bool IsOrdersCube(const TString& dataSource) const { return dataSource == OrdersCube::DataSourceName(); }

    void CheckDataSource(const TString& dataSource, const TString& cubeName) const
    {
        if (!IsOrdersCube(dataSource) && !generated.count(dataSource))
            Refuse(QStringLiteral("there is no cube data source ") + dataSource.ToQString());
        // A data source holds one cube, named as the data source is.
        if (!cubeName.empty() && cubeName != dataSource)
            Refuse(dataSource.ToQString() + QStringLiteral(" has no cube ") + cubeName.ToQString());
    }

    SchemaState OrdersState() const
    {
        SchemaState state;
        const std::vector<CubeHierarchyInfo>& hierarchies = cube.Hierarchies();
        for (int h = 0; h < static_cast<int>(hierarchies.size()); ++h) {
            if (hierarchies[static_cast<std::size_t>(h)].isMeasures)
                continue;
            HierarchySchema hierarchy;
            hierarchy.dimension = hierarchy.name = hierarchies[static_cast<std::size_t>(h)].name;
            hierarchy.levels = cube.SchemaLevels(h);
            hierarchy.offered = cube.OfferedLevelCount(h);
            state.hierarchies.push_back(std::move(hierarchy));
        }
        state.allFieldsHidden = cube.AreAllFieldsHidden();
        return state;
    }

    void ApplyOrdersState(const SchemaState& state)
    {
        for (const HierarchySchema& hierarchy : state.hierarchies)
            cube.SetOfferedLevelCount(cube.FindHierarchy(hierarchy.name), hierarchy.offered);
        cube.SetAllFieldsHidden(state.allFieldsHidden);
    }

    SchemaState State(const TString& dataSource) const
    {
        return IsOrdersCube(dataSource) ? OrdersState() : generated.at(dataSource);
    }

    bool Commit(const SimArguments<Cmds::SetSchemaLevels>& args)
    {
        const TString& dataSource = args.Get<Cmds::SchemaDataSource>();
        CheckDataSource(dataSource, args.Get<Cmds::SchemaCube>());
        const SchemaState before = State(dataSource);
        const SchemaState after = Select(before, args.Get<Cmds::SelectedLevels>(), args.Get<Cmds::HideAllFields>());
        if (IsOrdersCube(dataSource))
            ApplyOrdersState(after);
        else
            generated[dataSource] = after;
        return !(after == before);
    }
};

SchemaArea::SchemaArea(SimHost& host, OrdersCube& cube)
    : m_impl(std::make_shared<Impl>(cube))
{
    const SimAreaBinding<Impl> area(host, m_impl, QStringLiteral("schema area"));
    area.Handle<Cmds::GetSchemaLevels>(
        [](Impl& impl, const SimArguments<Cmds::GetSchemaLevels>& args, SimResults<Cmds::GetSchemaLevels>& out) {
            const TString& dataSource = args.Get<Cmds::SchemaDataSource>();
            impl.CheckDataSource(dataSource, args.Get<Cmds::SchemaCube>());
            out.Set<Cmds::Schema>(Describe(dataSource, impl.State(dataSource)));
        });
    area.Handle<Cmds::SetSchemaLevels>(
        [](Impl& impl, const SimArguments<Cmds::SetSchemaLevels>& args, SimResults<Cmds::SetSchemaLevels>& out) {
            out.Set<Cmds::SchemaChanged>(impl.Commit(args));
        });
}

SchemaArea::~SchemaArea() = default;

TString SchemaArea::LargeDataSourceName()
{
    return TString(QStringLiteral("Large Generated Cube"));
}

TString SchemaArea::WideDataSourceName()
{
    return TString(QStringLiteral("Wide Generated Cube"));
}

} // namespace Zel::Sim
