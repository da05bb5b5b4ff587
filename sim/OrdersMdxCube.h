#pragma once

#include "sim/ZelSimExport.h"
#include "sim/mdx/IMdxCube.h"

namespace Zel::Sim {

class OrdersCube;

// The stored part of OrdersCube as the formula checker sees it: its hierarchies (the measures are
// the checker's own), the measures of the orders table and the stored members, each found by one
// of the cube's own lookups. What the cube's extension adds is left out: the calculations of an
// edit reach the checker as calculations, whatever the cube holds of them now.
class ZELSIM_EXPORT OrdersMdxCube final : public IMdxCube
{
public:
    // The cube must outlive this.
    explicit OrdersMdxCube(OrdersCube& cube);

    bool FindHierarchy(QStringView name, MdxHierarchy& hierarchy) const override;
    bool FindMeasure(QStringView name, QString& canonicalName) const override;
    bool FindMember(const MdxHierarchy& hierarchy, int level, QStringView nameOrKey, MdxMatch match,
        MdxMember& member) const override;
    bool FindChild(const MdxHierarchy& hierarchy, const MdxMember& parent, QStringView nameOrKey, MdxMatch match,
        MdxMember& child) const override;

private:
    // The cube's lookups are not const: they read the workbook's database.
    OrdersCube* m_cube;
};

} // namespace Zel::Sim
