#pragma once

#include "FieldName.h"
#include "PresentationModel.h"

#include <vector>

// The records of one alias edit: the event that asks for it, the members of the field with their
// aliases, a change request and the host's answer to it.

// The field whose aliases the user asked to edit.
class ZELHOST_DOC_EXPORT EditAliasesEventPresModel : public PresentationModel
{
public:
    ~EditAliasesEventPresModel() override;

    ZEL_PRES_FIELD(FieldName, FieldName)
};

// One member of the field: its position in the host's list, its name and its alias, if any.
class ZELHOST_DOC_EXPORT AliasItemPresModel : public PresentationModel
{
public:
    ~AliasItemPresModel() override;

    ZEL_PRES_FIELD(unsigned int, Index)
    ZEL_PRES_FIELD(TString, MemberName)
    ZEL_PRES_FIELD(bool, HasAlias)
    // Meaningful only while HasAlias is set.
    ZEL_PRES_FIELD(TString, Alias)
};

// The members of the field being edited, in the host's order, under the id of the alias edit.
class ZELHOST_DOC_EXPORT AliasesPresModel : public PresentationModel
{
public:
    ~AliasesPresModel() override;

    ZEL_PRES_FIELD(int, ID)
    // The field's caption.
    ZEL_PRES_FIELD(TString, ColumnCaption)
    ZEL_PRES_FIELD(std::vector<RefCntPtr<AliasItemPresModel const>>, Aliases)
    // How many members have an alias.
    ZEL_PRES_FIELD(unsigned int, NumOfAssignedAliases)

    unsigned int GetAliasCount() const noexcept { return static_cast<unsigned int>(m_Aliases.size()); }
    // Raises the logic exception for a position outside the list.
    RefCntPtr<AliasItemPresModel const> GetAlias(unsigned int index) const;
};

// A change of aliases sent to the host: the edit's id and the changed members.
class ZELHOST_DOC_EXPORT NewAliasesPresModel : public PresentationModel
{
public:
    ~NewAliasesPresModel() override;

    ZEL_PRES_FIELD(int, ID)
    ZEL_PRES_FIELD(std::vector<RefCntPtr<AliasItemPresModel const>>, Aliases)

    void AddAlias(RefCntPtr<AliasItemPresModel const> alias) { m_Aliases.push_back(std::move(alias)); }
};

// A requested member that the host refused, beside the member that already shows its text.
class ZELHOST_DOC_EXPORT AliasResultItemPresModel : public PresentationModel
{
public:
    ~AliasResultItemPresModel() override;

    ZEL_PRES_FIELD(RefCntPtr<AliasItemPresModel const>, NewAlias)
    ZEL_PRES_FIELD(RefCntPtr<AliasItemPresModel const>, Duplicate)
};

// The host's answer to a change: one result per refused member; none when the change was taken.
class ZELHOST_DOC_EXPORT AliasResultsPresModel : public PresentationModel
{
public:
    ~AliasResultsPresModel() override;

    ZEL_PRES_FIELD(std::vector<RefCntPtr<AliasResultItemPresModel const>>, ResultItems)

    unsigned int GetResultsCount() const noexcept { return static_cast<unsigned int>(m_ResultItems.size()); }
    // Raises the logic exception for a position outside the results, or an empty one.
    const AliasResultItemPresModel& GetResults(unsigned int index) const;
};
