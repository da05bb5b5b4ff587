#pragma once

#include "Parameters.h"

// Executes a numbered command synchronously: the result set is complete when the call returns.
// A null result means the host could not run the command.
class ZELHOST_DOC_EXPORT ICommandDispatcher
{
public:
    virtual RefCntPtr<IParameters const> ExecuteCommand(
        int commandId, RefCntPtr<IParameters const> parameters, void* reserved) const = 0;
    virtual ~ICommandDispatcher();
};

// The host's view of one open workbook, as far as the dialogs reach it.
class ZELHOST_DOC_EXPORT IWorkbookDoc
{
public:
    virtual ~IWorkbookDoc();
    virtual const ICommandDispatcher& GetCommandDispatcher() const = 0;
    virtual TString GetDocumentName() const = 0;
};

// A dispatcher bound to one workbook that writes one log line per command it forwards, so that the
// host log shows what a dialog opened from a notification did to the document.
class ZELHOST_DOC_EXPORT SubCommandWithLoggingDispatcher final : public ICommandDispatcher
{
public:
    explicit SubCommandWithLoggingDispatcher(const IWorkbookDoc& doc)
        : m_doc(doc)
    {
    }
    RefCntPtr<IParameters const> ExecuteCommand(
        int commandId, RefCntPtr<IParameters const> parameters, void* reserved) const override;

private:
    const IWorkbookDoc& m_doc;
};
