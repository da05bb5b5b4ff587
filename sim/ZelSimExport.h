#pragma once

#include <QtCore/qglobal.h>

#if defined(ZELSIM_BUILD)
#define ZELSIM_EXPORT Q_DECL_EXPORT
#else
#define ZELSIM_EXPORT Q_DECL_IMPORT
#endif
