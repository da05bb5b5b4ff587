#pragma once

#include "host/doc/AliasPresModels.h"
#include "main/ZelDialogExport.h"

class IWorkbookDoc;

// What the host's edit-aliases event does: opens an alias edit of the event's field on the document,
// runs EditAliasesDialog modally over it, and commits the edit on OK (CommitEditAliases) or
// abandons it otherwise (CancelEditAliases). The host's clean-up commands for the edit are sent in
// both cases, and also when a command fails, whose exception reaches the caller.
ZELDIALOG_EXPORT void LaunchEditAliasesDialog(RefCntPtr<EditAliasesEventPresModel const> event, IWorkbookDoc& doc);
