#include "ParameterEditPresModels.h"

#include "Exceptions.h"

// Out of line so that each record has one vtable and one type_info, in this library: results are
// recognised by exact dynamic type in every module.
ParameterRangeDomainPresModel::~ParameterRangeDomainPresModel() = default;
FieldCaptionPairPresModel::~FieldCaptionPairPresModel() = default;
CaptionedDatasourceInfoPresModel::~CaptionedDatasourceInfoPresModel() = default;
ProductParameterInfoPresModel::~ProductParameterInfoPresModel() = default;
ParameterEditInfoPresModel::~ParameterEditInfoPresModel() = default;

const FieldCaptionPairPresModel& CaptionedDatasourceInfoPresModel::GetCaptionedField(unsigned int index) const
{
    const auto& fields = GetCaptionedFields();
    ZEL_LOGIC_CHECK("host/doc/ParameterEditPresModels", index < fields.size());
    return *fields[index];
}
