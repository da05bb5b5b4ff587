#pragma once

// The host's records of the calculated members and measures of one cube data source, as an editing
// context hands them to the calculated members dialog and takes them back.

#include "DataValue.h"
#include "FieldName.h"
#include "PresentationModel.h"

#include <vector>

// One hierarchy a calculated member may belong to. Levels counts the hierarchy's levels from the
// top, its All level included where it has one; a hierarchy with a pair (the same attribute seen
// another way) names it, else the pair name is empty.
class ZELHOST_DOC_EXPORT CalculatedMemberHierarchyItemPresModel : public PresentationModel
{
public:
    CalculatedMemberHierarchyItemPresModel() = default;
    ~CalculatedMemberHierarchyItemPresModel() override;

    ZEL_PRES_FIELD(FieldName, Name)
    ZEL_PRES_FIELD(TString, Caption)
    ZEL_PRES_FIELD(FieldName, PairHierarchyName)
    ZEL_PRES_FIELD(unsigned int, Levels)
};

// One calculated measure (IsMeasure) or calculated member. A measure is known to the host by
// Measure, a member by Member: the host fills that identity in when it stores the record, and a
// client sends it back to name the calculation. A member sits below MemberParentName (the parent's
// unique name; empty at the top of its hierarchy) on level MemberHierarchyLevel.
//
// A new record is enabled and, as a measure, gives a real number.
class ZELHOST_DOC_EXPORT CalculatedMemberPresModel : public PresentationModel
{
public:
    CalculatedMemberPresModel();
    CalculatedMemberPresModel(const CalculatedMemberPresModel&) = default;
    ~CalculatedMemberPresModel() override;

    // A new mutable record with every field of this one.
    RefCntPtr<CalculatedMemberPresModel> Copy() const;

    ZEL_PRES_FIELD(TString, Name)
    ZEL_PRES_FIELD(TString, Formula)
    ZEL_PRES_FIELD(bool, IsEnabled)
    ZEL_PRES_FIELD(int, SolveOrder)
    ZEL_PRES_FIELD(bool, ScopeIsolation)
    ZEL_PRES_FIELD(bool, IsMeasure)
    ZEL_PRES_FIELD(FieldName, Measure)
    ZEL_PRES_FIELD(DataType, MeasureDataType)
    // Set by the host only; a client reads it.
    ZEL_PRES_FIELD(DataValue, Member)
    ZEL_PRES_FIELD(TString, MemberParentName)
    ZEL_PRES_FIELD(FieldName, MemberHierarchyName)
    ZEL_PRES_FIELD(int, MemberHierarchyLevel)
};

// What an editing context of a data source's calculations offers: the calculations as they stand,
// the hierarchies members may go into, what the source can do, the bounds of a solve order, and
// what to show first (a measure by InitialFieldName, the hierarchy for the next new member by
// InitialHierarchyName; either may be empty).
class ZELHOST_DOC_EXPORT CalculatedMembersForEditingPresModel : public PresentationModel
{
public:
    CalculatedMembersForEditingPresModel() = default;
    ~CalculatedMembersForEditingPresModel() override;

    ZEL_PRES_FIELD(TString, DataSourceName)
    ZEL_PRES_FIELD(std::vector<RefCntPtr<CalculatedMemberHierarchyItemPresModel const>>, Hierarchys)
    ZEL_PRES_FIELD(std::vector<RefCntPtr<CalculatedMemberPresModel const>>, CalculatedMembers)
    ZEL_PRES_FIELD(bool, HasNonRootCalculationsCapability)
    ZEL_PRES_FIELD(bool, HasStringMeasuresCapability)
    ZEL_PRES_FIELD(bool, UseScopeIsolation)
    ZEL_PRES_FIELD(TString, MeasuresDimensionName)
    ZEL_PRES_FIELD(FieldName, InitialFieldName)
    ZEL_PRES_FIELD(FieldName, InitialHierarchyName)
    ZEL_PRES_FIELD(int, SolveOrderLowerBound)
    ZEL_PRES_FIELD(int, SolveOrderUpperBound)
};
