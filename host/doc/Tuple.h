#pragma once

// One member of a hierarchy of a cube data source, as a client hands it on: which hierarchy, the
// member's unique name, the value that stands for it, and its level.

#include "DataValue.h"
#include "FieldName.h"
#include "PresentationModel.h"

// The value is a string holding the unique name. It is special for a member that stands for all
// the others of its hierarchy (the All member), whose name is no parent for a calculation; every
// other member is an ordinary string. Levels count from the top of the hierarchy: the All level is
// level 0 where there is one, otherwise the first named level is.
class ZELHOST_DOC_EXPORT Tuple : public PresentationModel
{
public:
    Tuple() = default;
    Tuple(const Tuple&) = default;
    ~Tuple() override;

    // The hierarchy as the client named it (usually a global name: data source and hierarchy).
    ZEL_PRES_FIELD(FieldName, Hierarchy)
    // The member's path of names, "[Geography].[East].[New York]".
    ZEL_PRES_FIELD(TString, UniqueName)
    ZEL_PRES_FIELD(DataValue, Member)
    ZEL_PRES_FIELD(int, Level)
};
