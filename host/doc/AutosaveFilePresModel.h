#pragma once

// The host's record of one recovered (automatically saved) copy of a workbook.

#include "DateTime.h"
#include "PresentationModel.h"
#include "TString.h"

class ZELHOST_DOC_EXPORT AutosaveFilePresModel : public PresentationModel
{
public:
    AutosaveFilePresModel() = default;
    ~AutosaveFilePresModel() override;

    // The host's own name for the copy; the only thing a client sends back to delete it.
    ZEL_PRES_FIELD(TString, AutosaveFileId)
    // The workbook the copy was made from. A workbook that was never saved has no folder here
    // (see AutosaveNamingUtil).
    ZEL_PRES_FIELD(TString, OriginalFilePath)
    ZEL_PRES_FIELD(TString, RecoveredFilePath)
    ZEL_PRES_FIELD(DateTime, LastModified)
};
