#pragma once

#include "host/ui/ZelHostUiExport.h"

class QUrl;

// Opens an address with the desktop's handler (a browser), through the current modal presenter,
// so that tests can record what would have opened and the offscreen tour opens nothing. False when
// nothing would take the address.
ZELHOST_UI_EXPORT bool TOpenUrl(const QUrl& url);
