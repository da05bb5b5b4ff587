#pragma once

#include <QtCore/qglobal.h>

#if defined(ZELHOST_UI_BUILD)
#define ZELHOST_UI_EXPORT Q_DECL_EXPORT
#else
#define ZELHOST_UI_EXPORT Q_DECL_IMPORT
#endif
