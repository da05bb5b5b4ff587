#pragma once

#include "sim/ZelSimExport.h"

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QStringView>

namespace Zel::Sim {

enum class MdxMatch
{
    Name, // [East]
    Key, // &[East]
};

struct MdxHierarchy
{
    // As the cube spells it, without brackets.
    QString name;
    // From the top: "(All)" first when the hierarchy has an All member. A member's level indexes
    // this list.
    QStringList levels;
    bool hasAll = false;
    QString allMemberName; // "All Geography"
};

struct MdxMember
{
    // Unique within its hierarchy; whatever identifies the member cheaply (a row id). Negative ids
    // are the checker's own (the All member, measures).
    qint64 id = 0;
    int level = 0;
    // As the cube spells it, without brackets.
    QString name;
};

// What the formula checker needs to know of a cube: whether a name is a hierarchy, a measure or a
// member where the formula puts it. Each question is meant to be one indexed lookup (a hash, or a
// SQL query on an index), so that checking a formula costs the same whatever the cube's size.
// Names and keys compare without regard to case.
//
// The checker handles the All member itself (it is `allMemberName` on level 0, the parent of the
// members on level 1), so FindMember is never asked about level 0 of a hierarchy with an All
// member, and FindChild never about the All member's children.
class ZELSIM_EXPORT IMdxCube
{
public:
    virtual ~IMdxCube();

    // Dimensions and hierarchies are one here: each dimension has one hierarchy of its name.
    virtual bool FindHierarchy(QStringView name, MdxHierarchy& hierarchy) const = 0;
    virtual bool FindMeasure(QStringView name, QString& canonicalName) const = 0;
    // A member on `level` of the hierarchy with this name or key; the first one when several
    // members of the level share a name (quarters Q1 of each year).
    virtual bool FindMember(
        const MdxHierarchy& hierarchy, int level, QStringView nameOrKey, MdxMatch match, MdxMember& member) const = 0;
    // A child of `parent` with this name or key.
    virtual bool FindChild(const MdxHierarchy& hierarchy, const MdxMember& parent, QStringView nameOrKey,
        MdxMatch match, MdxMember& child) const = 0;
};

} // namespace Zel::Sim
