#include "main/RegisterPresModelHandlers.h"

void RegisterPresModelHandlers()
{
}

const char* ZelDialogVersion()
{
    return ZELDIALOG_VERSION;
}
