#pragma once

#include "host/ui/ZelHostUiExport.h"

// Sounds a refusal through the current modal presenter, so that tests can count beeps and the
// offscreen tour can note them.
ZELHOST_UI_EXPORT void TBeep();
