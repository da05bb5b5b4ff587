#include "CalculatedMemberPresModels.h"

// Out of line so that each record has one vtable and one type_info, in this library: results are
// recognised by exact dynamic type in every module.
CalculatedMemberHierarchyItemPresModel::~CalculatedMemberHierarchyItemPresModel() = default;
CalculatedMembersForEditingPresModel::~CalculatedMembersForEditingPresModel() = default;

CalculatedMemberPresModel::CalculatedMemberPresModel()
{
    SetIsEnabled(true);
    SetMeasureDataType(DT_REAL);
}

CalculatedMemberPresModel::~CalculatedMemberPresModel() = default;

RefCntPtr<CalculatedMemberPresModel> CalculatedMemberPresModel::Copy() const
{
    return MakeRefCnt<CalculatedMemberPresModel>(*this);
}
