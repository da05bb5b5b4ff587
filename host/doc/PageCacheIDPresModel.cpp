#include "PageCacheIDPresModel.h"

PageCacheIDPresModel::PageCacheIDPresModel()
{
    m_CacheGuid = TUUID::CreateNew();
}

PageCacheIDPresModel::~PageCacheIDPresModel() = default;
