#include "sim/OrdersMdxCube.h"

#include "sim/OrdersCube.h"

#include <optional>

namespace Zel::Sim {

namespace {

// Stored members have positive ids; the extension's are negative.
bool Stored(const std::optional<CubeMember>& found, MdxMember& member)
{
    if (!found || found->id <= 0)
        return false;
    member = MdxMember {found->id, found->level, found->name.ToQString()};
    return true;
}

} // namespace

OrdersMdxCube::OrdersMdxCube(OrdersCube& cube)
    : m_cube(&cube)
{
}

bool OrdersMdxCube::FindHierarchy(QStringView name, MdxHierarchy& hierarchy) const
{
    const int h = m_cube->FindHierarchy(TString(name.toString()));
    if (h < 0)
        return false;
    const CubeHierarchyInfo& info = m_cube->Hierarchies()[static_cast<std::size_t>(h)];
    if (info.isMeasures)
        return false;
    hierarchy.name = info.name.ToQString();
    hierarchy.levels.clear();
    for (const TString& level : info.levels)
        hierarchy.levels << level.ToQString();
    hierarchy.hasAll = info.hasAllMember;
    hierarchy.allMemberName = info.allMemberName.ToQString();
    return true;
}

bool OrdersMdxCube::FindMeasure(QStringView name, QString& canonicalName) const
{
    for (const TString& measure : OrdersCube::StoredMeasures()) {
        if (name.compare(measure.ToQString(), Qt::CaseInsensitive) == 0) {
            canonicalName = measure.ToQString();
            return true;
        }
    }
    return false;
}

bool OrdersMdxCube::FindMember(
    const MdxHierarchy& hierarchy, int level, QStringView nameOrKey, MdxMatch match, MdxMember& member) const
{
    const int h = m_cube->FindHierarchy(TString(hierarchy.name));
    return h >= 0
        && Stored(m_cube->FindOnLevel(h, level, TString(nameOrKey.toString()), match == MdxMatch::Key), member);
}

bool OrdersMdxCube::FindChild(const MdxHierarchy& hierarchy, const MdxMember& parent, QStringView nameOrKey,
    MdxMatch match, MdxMember& child) const
{
    const int h = m_cube->FindHierarchy(TString(hierarchy.name));
    if (h < 0)
        return false;
    CubeMember at;
    at.hierarchy = h;
    at.id = parent.id;
    at.level = parent.level;
    return Stored(m_cube->FindChild(h, &at, TString(nameOrKey.toString()), match == MdxMatch::Key), child);
}

} // namespace Zel::Sim
