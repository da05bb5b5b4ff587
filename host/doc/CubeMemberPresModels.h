#pragma once

// The host's records of a hierarchy of a cube data source as a member tree reads it: the top of the
// hierarchy, one member, a page of a member's children, and the answer to a search by name.
// Accessors that index into a list check the index, so a record that does not hold what it says
// raises the logic exception rather than reading astray.

#include "DataValue.h"
#include "FieldName.h"
#include "PresentationModel.h"
#include "Tuple.h"

#include <vector>

// One member. Its ordinal is its row among its parent's children (counting from 0), so a path of
// members says where each one lies without any page being read.
class ZELHOST_DOC_EXPORT CubeMemberPresModel : public PresentationModel
{
public:
    CubeMemberPresModel() = default;
    CubeMemberPresModel(const CubeMemberPresModel&) = default;
    ~CubeMemberPresModel() override;

    // The member's path of names, "[Geography].[East].[New York]"; what commands name it by.
    ZEL_PRES_FIELD(TString, UniqueName)
    // The name a user sees.
    ZEL_PRES_FIELD(TString, Caption)
    // The value that stands for the member (see Tuple).
    ZEL_PRES_FIELD(DataValue, Member)
    ZEL_PRES_FIELD(int, Level)
    ZEL_PRES_FIELD(unsigned int, Ordinal)
    ZEL_PRES_FIELD(unsigned int, ChildCount)
};

// The top of a hierarchy: its levels, top to bottom ("(All)" first where it has an All member),
// how many members its top holds (the All member alone, or the first level's members), and the
// member the hierarchy uses by default now.
class ZELHOST_DOC_EXPORT HierarchyRootPresModel : public PresentationModel
{
public:
    HierarchyRootPresModel() = default;
    ~HierarchyRootPresModel() override;

    ZEL_PRES_FIELD(TString, Caption)
    ZEL_PRES_FIELD(std::vector<TString>, Levels)
    ZEL_PRES_FIELD(bool, HasAllMember)
    // Empty when the hierarchy has none.
    ZEL_PRES_FIELD(RefCntPtr<CubeMemberPresModel const>, AllMember)
    ZEL_PRES_FIELD(unsigned int, TopMemberCount)
    ZEL_PRES_FIELD(RefCntPtr<Tuple const>, DefaultMember)

public:
    int GetLevelCount() const noexcept { return static_cast<int>(m_Levels.size()); }
};

// A run of a member's children, from FirstRow on. ChildCount is the parent's number of children as
// the host counts them when it answers, so a client can tell a page that no longer fits.
class ZELHOST_DOC_EXPORT MemberPagePresModel : public PresentationModel
{
public:
    MemberPagePresModel() = default;
    ~MemberPagePresModel() override;

    // Empty for the top of the hierarchy.
    ZEL_PRES_FIELD(TString, ParentUniqueName)
    ZEL_PRES_FIELD(unsigned int, FirstRow)
    ZEL_PRES_FIELD(unsigned int, ChildCount)
    ZEL_PRES_FIELD(std::vector<RefCntPtr<CubeMemberPresModel const>>, Members)

public:
    unsigned int GetMemberCount() const noexcept { return static_cast<unsigned int>(m_Members.size()); }
    // `index` counts from the page's first row.
    const CubeMemberPresModel& GetMember(unsigned int index) const;
};

// The members whose names contain a text, in the hierarchy's order, up to the limit asked for;
// IsTruncated says that more members matched than are listed.
class ZELHOST_DOC_EXPORT MemberSearchResultPresModel : public PresentationModel
{
public:
    MemberSearchResultPresModel() = default;
    ~MemberSearchResultPresModel() override;

    ZEL_PRES_FIELD(std::vector<RefCntPtr<CubeMemberPresModel const>>, Members)
    ZEL_PRES_FIELD(bool, IsTruncated)
};
