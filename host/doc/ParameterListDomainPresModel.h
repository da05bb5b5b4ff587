#pragma once

#include "PresentationModel.h"
#include "TString.h"

#include <vector>

// The records through which the host shows and edits a parameter's list of allowable values. A
// member is replaced, never changed in place: an edit answers with fresh records for every row whose
// text or duplicate mark changed.

// One value of the list. Without an alias of its own, the alias holds the display value so that
// the alias column still shows what the user will see.
class ZELHOST_DOC_EXPORT ParameterListDomainMemberPresModel : public PresentationModel
{
public:
    ~ParameterListDomainMemberPresModel() override;

    ZEL_PRES_FIELD(TString, DisplayValue)
    ZEL_PRES_FIELD(TString, Alias)
    ZEL_PRES_FIELD(bool, HasAlias)
    // Another member is shown with the same text.
    ZEL_PRES_FIELD(bool, IsDuplicate)
};

// A member together with its row in the list.
class ZELHOST_DOC_EXPORT IndexedDomainMemberPresModel : public PresentationModel
{
public:
    ~IndexedDomainMemberPresModel() override;

    ZEL_PRES_FIELD(int, Index)
    ZEL_PRES_FIELD(RefCntPtr<ParameterListDomainMemberPresModel const>, Member)
};

// The half-open row range [Start, End).
class ZELHOST_DOC_EXPORT IndexRangePresModel : public PresentationModel
{
public:
    ~IndexRangePresModel() override;

    ZEL_PRES_FIELD(unsigned int, Start)
    ZEL_PRES_FIELD(unsigned int, End)
};

// The change one list edit made. Applied in this order: the deleted ranges one after another (each
// to the list the previous one left), then the new members one after another (each inserted at its
// index in the list as it then stands), then the updated members (replaced at their index).
class ZELHOST_DOC_EXPORT ParameterListDomainDiffPresModel : public PresentationModel
{
public:
    ~ParameterListDomainDiffPresModel() override;

    ZEL_PRES_FIELD(std::vector<RefCntPtr<IndexRangePresModel const>>, DeletedMembers)
    ZEL_PRES_FIELD(std::vector<RefCntPtr<IndexedDomainMemberPresModel const>>, NewMembers)
    ZEL_PRES_FIELD(std::vector<RefCntPtr<IndexedDomainMemberPresModel const>>, UpdatedMembers)
    ZEL_PRES_FIELD(bool, HasDuplicates)
    // The row of the parameter's current value after the edit, and that value as formatted text.
    ZEL_PRES_FIELD(unsigned int, ValueIndex)
    ZEL_PRES_FIELD(TString, FormattedValue)
};

// A whole list, as the host hands it over when an edit opens or a list is replaced.
class ZELHOST_DOC_EXPORT ParameterListDomainPresModel : public PresentationModel
{
public:
    ~ParameterListDomainPresModel() override;

    ZEL_PRES_FIELD(std::vector<RefCntPtr<ParameterListDomainMemberPresModel const>>, Members)
    ZEL_PRES_FIELD(unsigned int, ValueIndex)
    ZEL_PRES_FIELD(bool, HasDuplicates)
};
