#pragma once

#include "main/ZelDialogExport.h"

#include <QtCore/QMetaType>

// A choice in a menu of grouped items, carried as a menu action's data: the group (a data source),
// then the item within it (a field or a parameter).
struct ParentChildPair
{
    qint32 parent = 0;
    qint32 child = 0;

    friend bool operator==(const ParentChildPair& a, const ParentChildPair& b)
    {
        return a.parent == b.parent && a.child == b.child;
    }
};

Q_DECLARE_METATYPE(ParentChildPair)

// Registers the type under its own name the first time it is asked; later calls only return the id.
ZELDIALOG_EXPORT int RegisterParentChildPair();
