#include "AliasPresModels.h"

#include "Exceptions.h"

// Out of line so that each record has one vtable and one type_info, in this library: results are
// recognised by exact dynamic type in every module.
EditAliasesEventPresModel::~EditAliasesEventPresModel() = default;
AliasItemPresModel::~AliasItemPresModel() = default;
AliasesPresModel::~AliasesPresModel() = default;
NewAliasesPresModel::~NewAliasesPresModel() = default;
AliasResultItemPresModel::~AliasResultItemPresModel() = default;
AliasResultsPresModel::~AliasResultsPresModel() = default;

RefCntPtr<AliasItemPresModel const> AliasesPresModel::GetAlias(unsigned int index) const
{
    ZEL_LOGIC_CHECK("host/doc/AliasPresModels", index < GetAliasCount());
    return m_Aliases[index];
}

const AliasResultItemPresModel& AliasResultsPresModel::GetResults(unsigned int index) const
{
    ZEL_LOGIC_CHECK("host/doc/AliasPresModels", index < GetResultsCount());
    return *m_ResultItems[index];
}
