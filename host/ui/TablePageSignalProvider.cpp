#include "host/ui/TablePageSignalProvider.h"

TablePageSignalProvider::TablePageSignalProvider()
    : QObject(nullptr)
{
}

TablePageSignalProvider::~TablePageSignalProvider() = default;
