#include "ParameterListDomainPresModel.h"

// Out of line so that each record has one vtable and one type_info, in this library: results are
// recognised by exact dynamic type in every module.
ParameterListDomainMemberPresModel::~ParameterListDomainMemberPresModel() = default;
IndexedDomainMemberPresModel::~IndexedDomainMemberPresModel() = default;
IndexRangePresModel::~IndexRangePresModel() = default;
ParameterListDomainDiffPresModel::~ParameterListDomainDiffPresModel() = default;
ParameterListDomainPresModel::~ParameterListDomainPresModel() = default;
