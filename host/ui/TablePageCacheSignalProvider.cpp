#include "host/ui/TablePageCacheSignalProvider.h"

TablePageCacheSignalProvider::TablePageCacheSignalProvider()
    : QObject(nullptr)
{
}

TablePageCacheSignalProvider::~TablePageCacheSignalProvider() = default;
