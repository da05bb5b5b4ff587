#pragma once

#include <QtCore/qglobal.h>

#if defined(ZELHOST_DOC_BUILD)
#define ZELHOST_DOC_EXPORT Q_DECL_EXPORT
#else
#define ZELHOST_DOC_EXPORT Q_DECL_IMPORT
#endif

// Class templates whose instantiations are recognised by dynamic type across library
// boundaries (ValParameter<T>, the presentation models) keep default visibility so that
// every module agrees on one type_info per instantiation.
#define ZELHOST_DOC_TEMPLATE __attribute__((visibility("default")))
