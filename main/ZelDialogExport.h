#pragma once

#include <QtCore/qglobal.h>

#if defined(ZELDIALOG_BUILD)
#define ZELDIALOG_EXPORT Q_DECL_EXPORT
#else
#define ZELDIALOG_EXPORT Q_DECL_IMPORT
#endif
