#include "host/ui/TBeep.h"

#include "host/ui/IModalPresenter.h"

void TBeep()
{
    GetModalPresenter().Beep();
}
