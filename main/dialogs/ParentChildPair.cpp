#include "main/dialogs/ParentChildPair.h"

int RegisterParentChildPair()
{
    static const int id = qRegisterMetaType<ParentChildPair>("ParentChildPair");
    return id;
}
