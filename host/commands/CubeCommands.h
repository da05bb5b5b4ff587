#pragma once

// The cube area: what a member tree reads of a hierarchy of a cube data source (its top, pages of a
// member's children, the path to a member, a search by name), and the default member of a
// hierarchy that a host shows and changes. These are the host's own commands for its member
// widgets; their ids are ours and never equal one of the library's.
//
// A hierarchy is named by a FieldName: the data source (which may be left empty) and the
// hierarchy's local name ("Geography"). A member is named by its unique name, "[Geography].[East]";
// an empty parent name stands for the top of the hierarchy.

#include "host/commands/CommandDeclaration.h"
#include "host/doc/CubeMemberPresModels.h"
#include "host/doc/HierarchySetDefaultMemberPresModel.h"

namespace Zel::Commands::Cube {

ZEL_COMMAND_AREA(CubeArea, "gen-command-wrappers/CubeCommandWrappers");

ZEL_PARAMETER(HierarchyName, 48200001, FieldName);
ZEL_PARAMETER(ParentMember, 48200002, TString);
ZEL_PARAMETER(FirstRow, 48200003, unsigned int);
ZEL_PARAMETER(RowLimit, 48200004, unsigned int);
ZEL_PARAMETER(MemberName, 48200005, TString);
ZEL_PARAMETER(SearchText, 48200006, TString);
ZEL_PARAMETER(SearchLimit, 48200007, unsigned int);
ZEL_PARAMETER(HierarchyRoot, 48200008, RefCntPtr<HierarchyRootPresModel const>);
ZEL_PARAMETER(MemberPage, 48200009, RefCntPtr<MemberPagePresModel const>);
// From the top of the hierarchy (its All member where it has one) down to the member itself.
ZEL_PARAMETER(MemberPath, 48200010, std::vector<RefCntPtr<CubeMemberPresModel const>>);
ZEL_PARAMETER(SearchResult, 48200011, RefCntPtr<MemberSearchResultPresModel const>);
ZEL_PARAMETER(DefaultMemberSetting, 48200012, RefCntPtr<HierarchySetDefaultMemberPresModel const>);
ZEL_PARAMETER(DefaultMemberType, 48200013, HSM::DefaultMemberType);
ZEL_PARAMETER(DefaultMember, 48200014, RefCntPtr<Tuple const>);

// The top of a hierarchy. A hierarchy the host does not know is refused (a null answer).
ZEL_COMMAND(GetHierarchyRoot, 48100001, CubeArea, Arguments<Required<HierarchyName>>, Results<Required<HierarchyRoot>>);

// At most RowLimit children of a member from FirstRow on; fewer where its children end.
ZEL_COMMAND(GetMemberChildren, 48100002, CubeArea,
    Arguments<Required<HierarchyName>, Required<ParentMember>, Required<FirstRow>, Required<RowLimit>>,
    Results<Required<MemberPage>>);

// The members from the top of the hierarchy down to the named one, each with its row among its
// parent's children: enough to find the member in a tree without reading any page.
ZEL_COMMAND(GetMemberPath, 48100003, CubeArea, Arguments<Required<HierarchyName>, Required<MemberName>>,
    Results<Required<MemberPath>>);

// The first SearchLimit members, in the hierarchy's order, whose captions contain the text
// (ignoring case), and whether more matched.
ZEL_COMMAND(SearchMembers, 48100004, CubeArea,
    Arguments<Required<HierarchyName>, Required<SearchText>, Required<SearchLimit>>, Results<Required<SearchResult>>);

// What a host hands the set-default-member dialog for a hierarchy.
ZEL_COMMAND(GetHierarchyDefaultMember, 48100005, CubeArea, Arguments<Required<HierarchyName>>,
    Results<Required<DefaultMemberSetting>>);

// Applies an accepted choice: the type, and the member picked in the tree when there is one (kept
// and offered again even when the type does not use it; without one, the member picked before is
// kept). Answers the setting now in force.
ZEL_COMMAND(SetHierarchyDefaultMember, 48100006, CubeArea,
    Arguments<Required<HierarchyName>, Required<DefaultMemberType>, Optional<DefaultMember>>,
    Results<Required<DefaultMemberSetting>>);

using AllCommands = CommandList<GetHierarchyRoot, GetMemberChildren, GetMemberPath, SearchMembers,
    GetHierarchyDefaultMember, SetHierarchyDefaultMember>;

} // namespace Zel::Commands::Cube
