#pragma once

#include "sim/ParameterEditArea.h"
#include "sim/ParameterValueRules.h"
#include "sim/SampleWorkbook.h"

#include "host/doc/FieldName.h"
#include "host/doc/FormattedText.h"
#include "host/doc/ParameterEditPresModels.h"
#include "host/doc/SimpleCommandsPresModel.h"

#include <QtCore/QString>

#include <map>
#include <optional>
#include <vector>

namespace Zel::Sim {

class ParameterListArea;

// The parameter edits open in the simulated host, and the host's rules for changing one: the state
// behind ParameterEditArea's commands (see there for what the rules are).
//
// Each edit's list of allowable values lives in the list area under the edit's id; the edit keeps
// everything else. A change that cannot apply at all raises through Refuse; one the host merely
// does not take (a value that does not convert, a format of another type) is logged and leaves the
// edit as it was. The workbook and the list area must outlive this.
class ParameterEdits
{
public:
    struct Edit
    {
        // The id of the edit and of its list in the list area.
        unsigned int id = 0;
        // The workbook parameter being edited; none for a new one.
        std::optional<FieldName> existing;
        TString title;
        TString caption;
        FormattedText comment;
        DataType type = DT_REAL;
        ParameterTypes::DomainType domain = ParameterTypes::Domain_Any;
        // The value while the domain is not a list; a list's value is its current member.
        DataValue value;
        TString format;
        SampleRange range;
        bool restrictType = false;
    };

    ParameterEdits(SampleWorkbook& workbook, ParameterListArea& lists);
    ParameterEdits(const ParameterEdits&) = delete;
    ParameterEdits& operator=(const ParameterEdits&) = delete;

    // A new real parameter captioned "Parameter N" (the first number no parameter caption uses),
    // value 1, any value allowed.
    ParameterEditArea::OpenedEdit OpenNew();
    // An edit of a workbook parameter; raises std::invalid_argument for an unknown one.
    ParameterEditArea::OpenedEdit OpenExisting(const FieldName& existing);
    // Ends an edit; an id that names none is ignored.
    void Close(unsigned int editId);

    // The open edit with this id, or null.
    Edit* Find(unsigned int editId);
    // The open edit with this id; raises std::out_of_range for another one.
    const Edit& At(unsigned int editId) const;
    std::size_t Count() const;
    // The workbook's parameter with this caption (case-insensitive), or null.
    const SampleParameter* FindParameter(const TString& caption) const;

    // The parameter's value: the current list member's, else the edit's own.
    DataValue Value(const Edit& edit) const;
    TString FormattedValue(const Edit& edit) const;
    RefCntPtr<ProductParameterInfoPresModel const> ParameterRecord(const Edit& edit);
    RefCntPtr<ParameterEditInfoPresModel const> EditRecord(const Edit& edit);
    RefCntPtr<ParameterListDomainPresModel const> ListDomain(const Edit& edit) const;

    void ChangeDataType(Edit& edit, DataType type);
    void ChangeDomain(Edit& edit, int domain);
    void SetValue(Edit& edit, const DataValue& typed);
    // A format that does not suit the type is logged and leaves the value shown automatically.
    void SetFormat(Edit& edit, const TString& format);
    void SetRange(Edit& edit, const ParameterRangeDomainPresModel& typed);
    // Empties the list; the value stays what the list's current member was.
    void ClearList(Edit& edit);
    // Fills the list, or bounds the range, from a field or parameter; false (logged) when it cannot.
    bool FillFromSource(Edit& edit, const FieldName& name);
    // Appends the values of a pasted text; false (logged) when none could join the list.
    bool Paste(const Edit& edit, const TString& text);
    // Puts the parameter into the workbook and names it in `committed`; else returns why not.
    QString Commit(Edit& edit, FieldName& committed);

private:
    ParameterEditArea::OpenedEdit Open(Edit edit, const std::vector<ListValue>& listValues);

    const SampleParameter* ParameterNamed(const FieldName& name) const;
    FieldName NameFor(const Edit& edit) const;
    // Why the caption cannot name the parameter, or empty.
    QString CaptionRefusal(const Edit& edit) const;

    // The bounds a range filled from `source` takes, in the parameter's type.
    std::optional<ParameterValueRules::Bounds> SourceBounds(const FieldName& source, DataType type);
    // The range as shown: what the user set, the rest derived from the source, else the value.
    SampleRange Effective(const Edit& edit);
    RefCntPtr<ParameterRangeDomainPresModel const> RangeRecord(const Edit& edit);
    void ClampValue(Edit& edit);
    static RefCntPtr<SimpleCommandsPresModel const> DiscardCommands(unsigned int id);
    // A boolean's list is always True, False; aliases survive from members that meant the same.
    void MakeBooleanList(Edit& edit, const std::vector<ListValue>& before);

    SampleWorkbook& m_workbook;
    ParameterListArea& m_lists;
    std::map<unsigned int, Edit> m_edits;
};

} // namespace Zel::Sim
