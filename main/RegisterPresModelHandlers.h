#pragma once

#include "main/ZelDialogExport.h"

// The host may call this at start-up; the library's records need no registration of their own, so
// it does nothing and exists for hosts that call it for every dialog library they load.
ZELDIALOG_EXPORT void RegisterPresModelHandlers();

// The library's version, "major.minor.patch".
ZELDIALOG_EXPORT const char* ZelDialogVersion();
