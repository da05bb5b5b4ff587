#pragma once

#include "DataValue.h"
#include "DatePeriodType.h"
#include "FieldName.h"
#include "FormattedText.h"
#include "ParameterListDomainPresModel.h"
#include "ParameterTypes.h"
#include "PresentationModel.h"

#include <vector>

// The records of one parameter edit: the parameter as the host holds it while the edit is open,
// and what the edit offers around it (the fields and parameters it may be filled from).

// The range of allowable values. A bound or step the user did not set is derived by the host (from
// the current value or the fields the parameter is filled from) and shown all the same.
class ZELHOST_DOC_EXPORT ParameterRangeDomainPresModel : public PresentationModel
{
public:
    ~ParameterRangeDomainPresModel() override;

    ZEL_PRES_FIELD(DataValue, DomainMin)
    ZEL_PRES_FIELD(DataValue, DomainMax)
    // A whole number of periods for dates, else a value of the parameter's type.
    ZEL_PRES_FIELD(DataValue, Increment)
    ZEL_PRES_FIELD(DatePeriodType, DateIncrementPeriod)
    ZEL_PRES_FIELD(bool, HasUserDefinedMin)
    ZEL_PRES_FIELD(bool, HasUserDefinedMax)
    ZEL_PRES_FIELD(bool, HasUserDefinedIncrement)
};

// A field, or another parameter, by name and by the caption the user knows it by.
class ZELHOST_DOC_EXPORT FieldCaptionPairPresModel : public PresentationModel
{
public:
    ~FieldCaptionPairPresModel() override;

    ZEL_PRES_FIELD(FieldName, FieldName)
    ZEL_PRES_FIELD(TString, FieldCaption)
};

// One data source and those of its fields that suit the parameter.
class ZELHOST_DOC_EXPORT CaptionedDatasourceInfoPresModel : public PresentationModel
{
public:
    ~CaptionedDatasourceInfoPresModel() override;

    ZEL_PRES_FIELD(TString, Caption)
    ZEL_PRES_FIELD(std::vector<RefCntPtr<FieldCaptionPairPresModel const>>, CaptionedFields)

    // Raises the logic exception for a position outside the fields.
    const FieldCaptionPairPresModel& GetCaptionedField(unsigned int index) const;
};

// The parameter being edited.
class ZELHOST_DOC_EXPORT ProductParameterInfoPresModel : public PresentationModel
{
public:
    ~ProductParameterInfoPresModel() override;

    ZEL_PRES_FIELD(FieldName, Name)
    ZEL_PRES_FIELD(TString, Caption)
    ZEL_PRES_FIELD(DataType, DataType)
    ZEL_PRES_FIELD(ParameterTypes::DomainType, DomainType)
    ZEL_PRES_FIELD(RefCntPtr<ParameterRangeDomainPresModel const>, RangeDomain)
    ZEL_PRES_FIELD(RefCntPtr<ParameterListDomainPresModel const>, ListDomain)
    ZEL_PRES_FIELD(TString, FormatString)
    // The current value as the format shows it.
    ZEL_PRES_FIELD(TString, FormattedValue)
    ZEL_PRES_FIELD(DataValue, Value)
};

// What the host hands a dialog when it opens an edit, and again after a change of data type or
// domain type.
class ZELHOST_DOC_EXPORT ParameterEditInfoPresModel : public PresentationModel
{
public:
    ~ParameterEditInfoPresModel() override;

    ZEL_PRES_FIELD(TString, Title)
    ZEL_PRES_FIELD(TString, ParameterName)
    ZEL_PRES_FIELD(FormattedText, Comment)
    ZEL_PRES_FIELD(std::vector<RefCntPtr<CaptionedDatasourceInfoPresModel const>>, CompatibleFields)
    ZEL_PRES_FIELD(std::vector<RefCntPtr<FieldCaptionPairPresModel const>>, CompatibleParameters)
    // The parameter is used where only its present data type fits.
    ZEL_PRES_FIELD(bool, ShouldRestrictDataType)
    ZEL_PRES_FIELD(RefCntPtr<ProductParameterInfoPresModel const>, Parameter)

    // The number of data sources offering fields.
    unsigned int GetCompatibleFieldCount() const noexcept
    {
        return static_cast<unsigned int>(GetCompatibleFields().size());
    }
    unsigned int GetCompatibleParameterCount() const noexcept
    {
        return static_cast<unsigned int>(GetCompatibleParameters().size());
    }
};
