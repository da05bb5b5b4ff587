#pragma once

#include "sim/ZelSimExport.h"

#include "host/doc/DataValue.h"
#include "host/doc/HierarchySetDefaultMemberPresModel.h"
#include "host/doc/TString.h"

#include <QtCore/QtGlobal>

#include <memory>
#include <optional>
#include <vector>

namespace Zel::Sim {

class ICubeExtension;
class SampleWorkbook;

// A hierarchy of the cube. Levels are listed top to bottom, "(All)" first where the hierarchy has
// an All member; a member's level is its index in this list.
struct CubeHierarchyInfo
{
    TString name;
    std::vector<TString> levels;
    bool hasAllMember = false;
    // "All Geography"; empty without an All member.
    TString allMemberName;
    // The measures: one level, no All member, every member held in memory.
    bool isMeasures = false;
};

// One member as the cube hands it out. Stored members have positive ids that stay the same for as
// long as the workbook file does; members of the extension (and the measures) have negative ids
// that are only good until the extension changes.
struct CubeMember
{
    int hierarchy = -1;
    qint64 id = 0;
    // 0 at the top of the hierarchy.
    qint64 parentId = 0;
    int level = 0;
    // Row among its parent's children.
    qint64 ordinal = 0;
    // Stored children and the extension's members under it.
    qint64 childCount = 0;
    TString name;
    // Equal to the name on levels whose members have no key of their own.
    TString key;
    // The path of names, "[Geography].[East].[New York]"; the All member is "[Geography].[All Geography]"
    // and is left out of the paths of the members below it.
    TString uniqueName;
    bool isAllMember = false;
};

// The simulator's cube "Orders Cube" over the orders table of the sample workbook: its hierarchies,
// their members and the measures, and the default member of each hierarchy. This is the one place
// that answers "which members are there": the cube commands, and any formula checker, resolve
// names through it.
//
// Hierarchies: [Geography] (All) [Region] [State] [City]; [Product] (All) [Category] [Sub-Category]
// [Product]; [Customer] (All) [Segment] [Customer Name]; [Order Date] (All) [Year] [Quarter] (Q1..Q4)
// [Month] (January..December) [Day] (an ISO date); [Ship Mode] with the one level [Ship Mode] and no
// All member; [Order] (All) [Order ID], one member per order; [Measures] with [Sales], [Profit],
// [Quantity], [Discount] and the extension's measures. Members are ordered by name, except quarters,
// months and days, which are in calendar order.
//
// Members live in one table per hierarchy inside the workbook's own SQLite database (member id,
// parent id, ordinal within the parent, name, key, child count, first child), with the children of
// a member stored under consecutive ids: a page of children, a child count, a member by id, by level
// and name or by level and key each cost one indexed lookup, whatever the size of the workbook. A
// table is made from the orders (distinct values, never the rows themselves in memory) the first
// time its hierarchy is used, and a workbook file keeps it: a ten-million-row workbook builds its
// tables once, not on every run. Making the [Order] table of ten million rows takes a while; Prepare
// makes one ahead of use.
//
// Lookups by name ignore case. Nothing here is cached across calls but the tables themselves, so
// the cube reflects its extension (see ICubeExtension) at once. A workbook that cannot be opened, or
// a table that cannot be made, raises std::runtime_error.
//
// The cube must go before the workbook. GUI thread only, like the workbook's connection.
class ZELSIM_EXPORT OrdersCube
{
public:
    struct DefaultMemberSetting
    {
        HSM::DefaultMemberType type = HSM::DMT_CubeDefault;
        // The member last picked (a unique name), kept whatever the type; empty when none was.
        TString member;
    };

    struct MemberSearch
    {
        std::vector<CubeMember> members;
        bool truncated = false;
    };

    struct PrepareStats
    {
        qint64 members = 0;
        double seconds = 0;
        // The table was already in the workbook's file.
        bool reused = false;
    };

    explicit OrdersCube(SampleWorkbook& workbook);
    ~OrdersCube();
    OrdersCube(const OrdersCube&) = delete;
    OrdersCube& operator=(const OrdersCube&) = delete;

    static TString DataSourceName();

    const std::vector<CubeHierarchyInfo>& Hierarchies() const;
    // By name, with or without brackets ("Geography", "[Geography]"); -1 when there is none.
    int FindHierarchy(const TString& name) const;
    // The level's index in the hierarchy's list, or -1.
    int FindLevel(int hierarchy, const TString& name) const;

    // Members under `parent`; null stands for the top of the hierarchy (where the All member is).
    qint64 ChildCount(int hierarchy, const CubeMember* parent);
    // At most `count` children from row `first` on.
    std::vector<CubeMember> Children(int hierarchy, const CubeMember* parent, qint64 first, qint64 count);
    std::optional<CubeMember> FindChild(int hierarchy, const CubeMember* parent, const TString& name, bool byKey);
    std::optional<CubeMember> FindOnLevel(int hierarchy, int level, const TString& name, bool byKey);
    std::optional<CubeMember> AllMember(int hierarchy);
    // A member by path ("[Geography].[East].[New York]", the All member's name optional at its
    // head), by level and name ("[Geography].[Region].[East]") or by level and key
    // ("[Geography].[Region].&[East]"). Anything else, a hierarchy or a level alone included, gives
    // nothing.
    std::optional<CubeMember> Resolve(const TString& uniqueName);
    // From the top of the hierarchy down to the member itself.
    std::vector<CubeMember> PathTo(const CubeMember& member);
    // Members whose names contain `text` (ignoring case), in the hierarchy's order: stored members
    // level by level, then the extension's.
    MemberSearch Search(int hierarchy, const TString& text, int limit);
    // The measures' names without brackets, stored ones first.
    std::vector<TString> Measures() const;
    // The measures of the orders table alone, without the extension's.
    static std::vector<TString> StoredMeasures();
    // What the extension adds to the hierarchy now, in the extension's order: members, or for the
    // measures, the measures beyond the stored ones.
    std::vector<CubeMember> ExtensionMembers(int hierarchy);

    // Not owned; null removes it. The extension must outlive its use here.
    void SetExtension(const ICubeExtension* extension);

    DefaultMemberSetting GetDefaultSetting(int hierarchy) const;
    // A setting without a member keeps the member picked before. Refuses, with std::invalid_argument
    // and the reason, the All member for a hierarchy without one, a selected type without a member, a
    // member that is not of this hierarchy, and an unknown type.
    void SetDefaultSetting(int hierarchy, const DefaultMemberSetting& setting);
    // The member the setting stands for: the All member, or the first member at the top where there
    // is none, unless a member was selected.
    CubeMember DefaultMember(int hierarchy);

    // The value that stands for a member in a Tuple: its unique name, special for the All member.
    static DataValue ValueOf(const CubeMember& member);

    // Makes the hierarchy's member table now, or finds it in the workbook's file.
    PrepareStats Prepare(int hierarchy);

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace Zel::Sim
