#pragma once

#include "sim/SampleWorkbook.h"
#include "sim/ZelSimExport.h"

#include "host/doc/DataValue.h"
#include "host/doc/ParameterListDomainPresModel.h"

#include <memory>
#include <optional>
#include <vector>

namespace Zel::Sim {

class SimHost;

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
// Values are shown through the edit's display format (automatic until SetFormat); the parameter
// edit area changes the format, the type and the whole list of an edit it opened here.
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
    // The parameter's value: the current member's, else the value kept when the list was emptied
    // (a null of the list's type when there never was one).
    DataValue CurrentValue(unsigned int editId) const;
    const TString& GetFormat(unsigned int editId) const;

    // Shows the members through `format` (empty: automatic).
    void SetFormat(unsigned int editId, const TString& format);
    // Replaces the type and every member; the member equal to `currentValue` becomes current, else
    // the first one. An empty list keeps `currentValue` as the parameter's value.
    void ReplaceValues(
        unsigned int editId, DataType dataType, const std::vector<ListValue>& values, const DataValue& currentValue);
    // Appends those values the list does not hold yet (values of another type are left out) and
    // returns how many were taken. The first value of an empty list becomes current.
    std::size_t AppendValues(unsigned int editId, const std::vector<DataValue>& values);
    // Makes the member holding `value` current; false (and no change) when the list has none.
    bool SetCurrentValue(unsigned int editId, const DataValue& value);

    // The text a value is shown with, automatically or through a display format.
    static TString Format(const DataValue& value);
    static TString Format(const DataValue& value, const TString& format);

    struct Impl;

private:
    std::shared_ptr<Impl> m_impl;
};

} // namespace Zel::Sim
