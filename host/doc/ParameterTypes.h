#pragma once

// The kinds of allowable values of a workbook parameter.
namespace ParameterTypes {

enum DomainType : int
{
    Domain_Any = 0,
    Domain_List = 1,
    Domain_Range = 2,
};

} // namespace ParameterTypes
