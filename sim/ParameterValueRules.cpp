#include "sim/ParameterValueRules.h"

#include <QtCore/QVariant>

namespace Zel::Sim::ParameterValueRules {

Family FamilyOf(DataType type)
{
    switch (type) {
    case DT_STRING:
        return Family::Text;
    case DT_BOOLEAN:
        return Family::Boolean;
    case DT_DATE:
    case DT_DATETIME:
        return Family::Date;
    default:
        return Family::Number;
    }
}

bool IsEditableType(DataType type)
{
    return type == DT_INTEGER || type == DT_REAL || type == DT_STRING || type == DT_DATE || type == DT_DATETIME
        || type == DT_BOOLEAN;
}

bool HasRange(DataType type)
{
    return type != DT_STRING && type != DT_BOOLEAN;
}

bool IsCompatible(DataType source, DataType parameter)
{
    return FamilyOf(source) == FamilyOf(parameter) && FamilyOf(parameter) != Family::Boolean;
}

DataValue DefaultOf(DataType type)
{
    switch (type) {
    case DT_INTEGER:
        return DataValue(0);
    case DT_STRING:
        return DataValue(TString());
    case DT_DATE:
        return DataValue(QDate::currentDate());
    case DT_DATETIME:
        return DataValue(QDateTime(QDate::currentDate(), QTime(0, 0)));
    case DT_BOOLEAN:
        return DataValue(true);
    default:
        return DataValue(0.0);
    }
}

std::optional<DataValue> Convert(DataType type, const DataValue& value)
{
    if (value.IsSpecial())
        return std::nullopt;
    if (value.GetDataType() == type)
        return value;
    DataValue converted = DataValue::FromVariant(type, QVariant(value.ToDisplayString().ToQString()));
    const Family from = FamilyOf(value.GetDataType());
    const Family to = FamilyOf(type);
    const bool truth
        = (from == Family::Boolean && to == Family::Number) || (from == Family::Number && to == Family::Boolean);
    if (converted.IsNull() && (truth || (from == Family::Date && to == Family::Date)))
        converted = DataValue::FromVariant(type, value.ToQVariant());
    if (converted.IsNull())
        return std::nullopt;
    return converted;
}

bool Less(const DataValue& a, const DataValue& b)
{
    switch (a.GetDataType()) {
    case DT_DATE:
        return a.GetDate() < b.GetDate();
    case DT_DATETIME:
        return a.GetDateTime() < b.GetDateTime();
    case DT_INTEGER:
        return a.GetInt64() < b.GetInt64();
    default:
        return a.GetReal() < b.GetReal();
    }
}

bool Comparable(const DataValue& a, const DataValue& b)
{
    return !a.IsSpecial() && !b.IsSpecial() && a.GetDataType() == b.GetDataType();
}

DataValue Clamp(const DataValue& value, const SampleRange& range)
{
    if (Comparable(value, range.min) && Less(value, range.min))
        return range.min;
    if (Comparable(value, range.max) && Less(range.max, value))
        return range.max;
    return value;
}

DataValue UnitStep(DataType type)
{
    if (type == DT_REAL)
        return DataValue(1.0);
    return DataValue(1);
}

std::optional<DataValue> UserStep(DataType type, const DataValue& typed)
{
    const DataType stepType = FamilyOf(type) == Family::Date ? DT_INTEGER : type;
    const std::optional<DataValue> step = Convert(stepType, typed);
    if (!step)
        return std::nullopt;
    if (stepType == DT_INTEGER) {
        const long long count = step->GetInt64() < 0 ? -step->GetInt64() : step->GetInt64();
        return count == 0 ? std::nullopt : std::optional<DataValue>(DataValue(count));
    }
    const double size = step->GetReal() < 0 ? -step->GetReal() : step->GetReal();
    return size == 0 ? std::nullopt : std::optional<DataValue>(DataValue(size));
}

DatePeriodType PeriodFor(DataType type, DatePeriodType period)
{
    return type == DT_DATE && period > DPT_DAYS ? DPT_DAYS : period;
}

std::optional<Bounds> BoundsOf(DataType type, const std::vector<DataValue>& values)
{
    std::optional<Bounds> bounds;
    for (const DataValue& raw : values) {
        const std::optional<DataValue> value = Convert(type, raw);
        if (!value)
            continue;
        if (!bounds)
            bounds = Bounds {*value, *value};
        else if (Less(*value, bounds->min))
            bounds->min = *value;
        else if (Less(bounds->max, *value))
            bounds->max = *value;
    }
    return bounds;
}

} // namespace Zel::Sim::ParameterValueRules
