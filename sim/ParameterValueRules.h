#pragma once

#include "sim/SampleWorkbook.h"

#include "host/doc/DataValue.h"

#include <optional>
#include <vector>

// How the simulated host treats the values of a parameter: which types a parameter may have and
// which fields suit it, how a typed value converts to the parameter's type, and how values compare,
// clamp into a range and step.
namespace Zel::Sim::ParameterValueRules {

enum class Family
{
    Text,
    Number,
    Date,
    Boolean,
};

Family FamilyOf(DataType type);
bool IsEditableType(DataType type);
// Strings and booleans have no range.
bool HasRange(DataType type);
// Whether a field or parameter of type `source` suits a parameter of type `parameter`. Booleans
// offer no fields: their list is always True and False.
bool IsCompatible(DataType source, DataType parameter);
// The value a parameter takes when its type changes and the old value does not convert.
DataValue DefaultOf(DataType type);

// The value as `type` reads its text. Where the text does not parse, booleans and numbers still
// convert into each other (true is 1, any number but 0 is true) and dates into date-times and back;
// a real with a fraction is no integer, rather than a rounded one.
std::optional<DataValue> Convert(DataType type, const DataValue& value);

// The order of two values of one comparable type; Comparable tells whether they are.
bool Less(const DataValue& a, const DataValue& b);
bool Comparable(const DataValue& a, const DataValue& b);
DataValue Clamp(const DataValue& value, const SampleRange& range);

// One step of `type`: dates count whole periods, numbers step in their own type.
DataValue UnitStep(DataType type);
// A step the user typed, made positive and of the right kind; nullopt when it cannot be one.
std::optional<DataValue> UserStep(DataType type, const DataValue& typed);
// Only a date-time steps by parts of a day.
DatePeriodType PeriodFor(DataType type, DatePeriodType period);

struct Bounds
{
    DataValue min;
    DataValue max;
};

// The least and the greatest of the values that convert to `type`; nullopt when none does.
std::optional<Bounds> BoundsOf(DataType type, const std::vector<DataValue>& values);

} // namespace Zel::Sim::ParameterValueRules
