#pragma once

#include "Parameters.h"
#include "PresentationModel.h"

#include <vector>

// One command the host wants sent later, with its complete argument set.
class ZELHOST_DOC_EXPORT SimpleCommandPresModel : public PresentationModel
{
    ZEL_PRES_FIELD(int, CommandId)
    ZEL_PRES_FIELD(RefCntPtr<IParameters const>, Arguments)
};

// A list of commands the host wants sent when a dialog's host-side work is abandoned.
class ZELHOST_DOC_EXPORT SimpleCommandsPresModel : public PresentationModel
{
    ZEL_PRES_FIELD(std::vector<RefCntPtr<SimpleCommandPresModel const>>, Commands)
};
