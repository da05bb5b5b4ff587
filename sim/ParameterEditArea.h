#pragma once

#include "sim/ZelSimExport.h"

#include "host/doc/FieldName.h"
#include "host/doc/ParameterEditPresModels.h"
#include "host/doc/SimpleCommandsPresModel.h"

#include <memory>

namespace Zel::Sim {

class ParameterEdits;
class ParameterListArea;
class SampleWorkbook;
class SimHost;
struct SampleParameter;

// The simulated host's side of creating or editing one workbook parameter. The demo's host opens
// an edit here before it creates a parameter dialog; the dialog then changes the edit one command
// at a time (caption and comment, data type, domain type, value, format, range, clearing, pasting
// and filling the list, commit). A commit puts the parameter into the workbook; the edit itself
// ends only with the discard command of the clean-up list, which the dialog's owner sends after OK
// and after Cancel alike, so that edits a closing dialog still flushes are answered, not refused.
// After a commit the edit is one of the committed parameter: a later commit replaces it, and the
// discard leaves the workbook as the last commit made it.
//
// The list of allowable values lives in the ParameterListArea under the same edit id, so the
// list-member commands it answers work on an edit opened here; this area tells it the data type and
// the format the members are shown with, and reads the list back on commit.
//
// The host keeps the rules: a value is converted to the parameter's type and clamped into its range;
// bounds and step the user did not set are derived from the field the range was filled from, else
// from the value; a date range steps by whole periods; strings and booleans have no range; a boolean
// has exactly the list True, False. A commit is refused with a message when the caption is empty or
// names another parameter or a field of a data source (case-insensitively).
//
// A command naming no open edit, or input that cannot apply, is refused (a null answer and a line
// in the host log). The handlers hold this area's state weakly: once it is destroyed they refuse
// every command, so it may go before the host. The workbook and the list area must outlive it.
class ZELSIM_EXPORT ParameterEditArea
{
public:
    ParameterEditArea(SimHost& host, SampleWorkbook& workbook, ParameterListArea& lists);
    ~ParameterEditArea();
    ParameterEditArea(const ParameterEditArea&) = delete;
    ParameterEditArea& operator=(const ParameterEditArea&) = delete;

    struct OpenedEdit
    {
        unsigned int editId = 0;
        RefCntPtr<ParameterEditInfoPresModel const> editInfo;
        // One DiscardParameterEdit of this edit; it keeps what was committed.
        RefCntPtr<SimpleCommandsPresModel const> cleanup;
    };

    // A new real parameter captioned "Parameter N" (the first number no parameter caption uses),
    // value 1, any value allowed.
    OpenedEdit OpenNewParameterEdit();
    // An edit of a workbook parameter, by its name; raises std::invalid_argument for an unknown one.
    OpenedEdit OpenParameterEdit(const FieldName& existing);

    bool HasEdit(unsigned int editId) const;
    // The records as a dialog would receive them now. An unknown edit raises std::out_of_range.
    RefCntPtr<ParameterEditInfoPresModel const> GetEditInfo(unsigned int editId) const;
    RefCntPtr<ProductParameterInfoPresModel const> GetParameterInfo(unsigned int editId) const;
    std::size_t OpenEditCount() const;

    // The workbook's parameter with this caption (case-insensitive), or null.
    const SampleParameter* FindParameter(const TString& caption) const;

private:
    std::shared_ptr<ParameterEdits> m_edits;
};

} // namespace Zel::Sim
