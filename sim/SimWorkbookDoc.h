#pragma once

#include "sim/ZelSimExport.h"

#include "host/doc/CommandDispatcher.h"
#include "host/doc/FieldName.h"

namespace Zel::Sim {

// The sample workbook as the host's document: what the host hands with a notification about it,
// and whose dispatcher runs the commands sent on its behalf. The dispatcher must outlive it.
class ZELSIM_EXPORT SimWorkbookDoc final : public IWorkbookDoc
{
public:
    SimWorkbookDoc(const ICommandDispatcher& dispatcher, TString name);

    const ICommandDispatcher& GetCommandDispatcher() const override { return m_dispatcher; }
    TString GetDocumentName() const override { return m_name; }

    // What the host does when the user asks to edit the aliases of a field of this workbook: raises
    // the edit-aliases event through the notification manager, which runs the subscribed handlers
    // (the alias dialog, modally) before it returns. Their exceptions reach the caller.
    void RaiseEditAliases(const FieldName& field);

private:
    const ICommandDispatcher& m_dispatcher;
    TString m_name;
};

} // namespace Zel::Sim
