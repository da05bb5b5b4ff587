#pragma once

#include "sim/ZelSimExport.h"

#include <QtCore/QString>

namespace Zel::Sim {

// What a name path ([Geography].[East].[New York]) has reached so far.
struct MdxNamed
{
    enum class Kind
    {
        None,
        Hierarchy,
        Level,
        Member,
    };

    Kind kind = Kind::None;
    // The resolver's own handles.
    int hierarchy = -1;
    int level = -1;
    qint64 member = 0;
    int calculation = -1; // a calculated member or measure of the edit, else -1
    // Unique name for messages: "[Geography].[East]".
    QString path;
};

// One segment of a name path as the formula writes it.
struct MdxSegment
{
    QString name; // brackets removed, "]]" read as "]"
    QString written; // as in the formula: "[New York]", "&[2021]", "Sales"
    bool isKey = false;
};

// Turns the segments of a name path into hierarchies, levels and members, one at a time, for the
// parser. A refusal comes with the text that says what was not found; the parser adds where.
class ZELSIM_EXPORT IMdxNameResolver
{
public:
    virtual ~IMdxNameResolver();
    virtual bool ResolveFirst(const MdxSegment& segment, MdxNamed& named, QString& error) = 0;
    virtual bool ResolveNext(const MdxNamed& parent, const MdxSegment& segment, MdxNamed& named, QString& error) = 0;
    // "[Geography]", for messages about a hierarchy handle.
    virtual QString HierarchyName(int hierarchy) const = 0;
};

} // namespace Zel::Sim
