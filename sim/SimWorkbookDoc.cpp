#include "SimWorkbookDoc.h"

#include "host/doc/AliasPresModels.h"
#include "host/doc/EventIds.h"

namespace Zel::Sim {

SimWorkbookDoc::SimWorkbookDoc(const ICommandDispatcher& dispatcher, TString name)
    : m_dispatcher(dispatcher)
    , m_name(std::move(name))
{
}

void SimWorkbookDoc::RaiseEditAliases(const FieldName& field)
{
    auto event = MakeRefCnt<EditAliasesEventPresModel>();
    event->SetFieldName(field);
    PresentationLayer::NotificationManager::Instance->Notify(
        Zel::Events::EditAliases, RefCntPtr<PresentationModel const>(std::move(event)), this);
}

} // namespace Zel::Sim
