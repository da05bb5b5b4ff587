#include "RefCnt.h"

namespace {
std::atomic<long> s_liveInstances {0};
}

RefCntObject::RefCntObject() noexcept
    : m_refCount(1)
{
    s_liveInstances.fetch_add(1, std::memory_order_relaxed);
}

RefCntObject::RefCntObject(const RefCntObject&) noexcept
    : m_refCount(1)
{
    s_liveInstances.fetch_add(1, std::memory_order_relaxed);
}

RefCntObject::~RefCntObject()
{
    s_liveInstances.fetch_sub(1, std::memory_order_relaxed);
}

void RefCntObject::RemoveReference() const noexcept
{
    if (m_refCount.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete this;
}

long RefCntObject::LiveInstanceCount() noexcept
{
    return s_liveInstances.load(std::memory_order_relaxed);
}
