#pragma once

// What the host tells a client about the default member of one hierarchy of a cube data source,
// so that the user can change it: the window title to show, the setting in force, the member it
// names, and whether the hierarchy has an All member at all.

#include "PresentationModel.h"
#include "TString.h"
#include "Tuple.h"

namespace HSM {
// Which member a hierarchy uses where a query names none of its members.
enum DefaultMemberType : int
{
    // The default member that the cube itself defines.
    DMT_CubeDefault = 0,
    // The hierarchy's All member.
    DMT_AllMember = 1,
    // A member the user picked.
    DMT_SelectedMember = 2,
};
} // namespace HSM

class ZELHOST_DOC_EXPORT HierarchySetDefaultMemberPresModel : public PresentationModel
{
public:
    HierarchySetDefaultMemberPresModel() = default;
    ~HierarchySetDefaultMemberPresModel() override;

    ZEL_PRES_FIELD(TString, Title)
    ZEL_PRES_FIELD(HSM::DefaultMemberType, DefaultMemberType)
    // The member last picked for the hierarchy; empty when none was.
    ZEL_PRES_FIELD(RefCntPtr<Tuple>, SelectedDefaultMember)
    ZEL_PRES_FIELD(bool, HasAllMember)
};
