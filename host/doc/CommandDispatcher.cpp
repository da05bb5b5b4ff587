#include "CommandDispatcher.h"

#include "HostLog.h"

ICommandDispatcher::~ICommandDispatcher() = default;
IWorkbookDoc::~IWorkbookDoc() = default;

RefCntPtr<IParameters const> SubCommandWithLoggingDispatcher::ExecuteCommand(
    int commandId, RefCntPtr<IParameters const> parameters, void* reserved) const
{
    LogMessage(TString(QStringLiteral("COMMAND: %1 on '%2'").arg(commandId).arg(m_doc.GetDocumentName().ToQString())));
    return m_doc.GetCommandDispatcher().ExecuteCommand(commandId, std::move(parameters), reserved);
}
