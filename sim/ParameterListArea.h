#pragma once

#include "sim/ZelSimExport.h"

#include "host/doc/DataValue.h"
#include "host/doc/ParameterListDomainPresModel.h"

#include <memory>
#include <optional>
#include <vector>

namespace Zel::Sim {

class SimHost;

// One value of a simulated list of allowable values; an empty alias means none.
struct ListValue
{
    DataValue value;
    TString alias;
};

// The simulated host's side of editing a parameter's list of allowable values: the list-domain
// commands of the parameter area (add, update a value or an alias, delete ranges, move by either
// command, pick the current value), each answered with the diff the library applies.
//
// The host keeps the rules: a typed text is parsed as the parameter's data type and refused (an
// answer without a diff) when it does not parse or when the list holds that value already; an alias
// equal to the value's own text, or empty, removes the alias. Members whose shown text (alias, else
// value) another member shows too are marked duplicate. The current value stays with its member
// through every change; when its member is deleted the member that takes its row becomes current;
// an emptied list keeps the last current value as the parameter's value, at row 0.
//
// A command naming no open edit, or rows outside the list, is refused (a null answer). The handlers
// hold this object weakly: once it is destroyed they refuse every command, so it may go before the
// host.
class ZELSIM_EXPORT ParameterListArea
{
public:
    explicit ParameterListArea(SimHost& host);
    ~ParameterListArea();
    ParameterListArea(const ParameterListArea&) = delete;
    ParameterListArea& operator=(const ParameterListArea&) = delete;

    // Opens the list edit of a parameter of `dataType` and returns its edit id (the given one, or a
    // new one). Values that do not parse, or repeat an earlier value, are left out.
    unsigned int OpenListEdit(DataType dataType, const std::vector<ListValue>& values, unsigned int currentIndex,
        std::optional<unsigned int> editId = std::nullopt);
    void CloseEdit(unsigned int editId);
    bool HasEdit(unsigned int editId) const;

    // The list as the host hands it to a dialog when the edit opens. An unknown edit raises
    // std::out_of_range, as do the queries below.
    RefCntPtr<ParameterListDomainPresModel const> GetListDomain(unsigned int editId) const;
    std::vector<ListValue> Values(unsigned int editId) const;
    // The texts shown in the value column, in list order.
    std::vector<TString> DisplayValues(unsigned int editId) const;
    unsigned int CurrentIndex(unsigned int editId) const;
    TString FormattedValue(unsigned int editId) const;
    bool HasDuplicates(unsigned int editId) const;

    // The text a value is shown with.
    static TString Format(const DataValue& value);

    struct Impl;

private:
    std::shared_ptr<Impl> m_impl;
};

} // namespace Zel::Sim
