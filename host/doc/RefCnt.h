#pragma once

#include "Exceptions.h"
#include "ZelHostDocExport.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <type_traits>
#include <utility>

// Base of every counted host object. A new object starts with one reference, held by whoever
// created it; RefCntPtr adopts that reference (MakeRefCnt) or adds its own.
//
// Every live instance is counted process-wide so that tests can prove that no record leaked.
class ZELHOST_DOC_EXPORT RefCntObject
{
public:
    RefCntObject() noexcept;
    RefCntObject(const RefCntObject&) noexcept;
    RefCntObject& operator=(const RefCntObject&) noexcept { return *this; }
    virtual ~RefCntObject();

    void AddReference() const noexcept { m_refCount.fetch_add(1, std::memory_order_relaxed); }
    void RemoveReference() const noexcept;
    void SetRefCountToOne() const noexcept { m_refCount.store(1, std::memory_order_relaxed); }
    long GetRefCount() const noexcept { return m_refCount.load(std::memory_order_relaxed); }

    static long LiveInstanceCount() noexcept;

private:
    mutable std::atomic<long> m_refCount;
};

struct AdoptRefTag
{
};
inline constexpr AdoptRefTag AdoptRef {};

// Intrusive counted pointer. Dereferencing an empty one is a logic error of the caller, raised as
// the host's logic exception with the condition "m_ptr" rather than left undefined.
template <typename T>
class RefCntPtr
{
    template <typename U>
    friend class RefCntPtr;

public:
    using element_type = T;

    RefCntPtr() noexcept = default;
    RefCntPtr(std::nullptr_t) noexcept { }
    explicit RefCntPtr(T* p) noexcept
        : m_ptr(p)
    {
        if (m_ptr)
            m_ptr->AddReference();
    }
    RefCntPtr(T* p, AdoptRefTag) noexcept
        : m_ptr(p)
    {
    }
    RefCntPtr(const RefCntPtr& other) noexcept
        : RefCntPtr(other.m_ptr)
    {
    }
    RefCntPtr(RefCntPtr&& other) noexcept
        : m_ptr(std::exchange(other.m_ptr, nullptr))
    {
    }
    template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    RefCntPtr(const RefCntPtr<U>& other) noexcept
        : RefCntPtr(static_cast<T*>(other.m_ptr))
    {
    }
    template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    RefCntPtr(RefCntPtr<U>&& other) noexcept
        : m_ptr(std::exchange(other.m_ptr, nullptr))
    {
    }
    ~RefCntPtr() { reset(); }

    RefCntPtr& operator=(RefCntPtr other) noexcept
    {
        swap(other);
        return *this;
    }

    void reset() noexcept
    {
        if (T* p = std::exchange(m_ptr, nullptr))
            p->RemoveReference();
    }
    void swap(RefCntPtr& other) noexcept { std::swap(m_ptr, other.m_ptr); }

    // Hands the reference to the caller; the pointer is left empty.
    T* release() noexcept { return std::exchange(m_ptr, nullptr); }

    T* get() const noexcept { return m_ptr; }
    T& operator*() const
    {
        if (!m_ptr)
            ThrowLogicException("host/doc/RefCnt", __LINE__, "m_ptr");
        return *m_ptr;
    }
    T* operator->() const { return &**this; }
    explicit operator bool() const noexcept { return m_ptr != nullptr; }

    friend bool operator==(const RefCntPtr& a, const RefCntPtr& b) noexcept { return a.m_ptr == b.m_ptr; }
    friend bool operator!=(const RefCntPtr& a, const RefCntPtr& b) noexcept { return a.m_ptr != b.m_ptr; }
    friend bool operator==(const RefCntPtr& a, std::nullptr_t) noexcept { return !a.m_ptr; }
    friend bool operator!=(const RefCntPtr& a, std::nullptr_t) noexcept { return a.m_ptr != nullptr; }

private:
    T* m_ptr = nullptr;
};

// Makes a new counted object and adopts the reference it was born with.
template <typename T, typename... Args>
RefCntPtr<T> MakeRefCnt(Args&&... args)
{
    return RefCntPtr<T>(new T(std::forward<Args>(args)...), AdoptRef);
}

// Down-cast by dynamic type; an object of another type gives an empty pointer.
template <typename T, typename U>
RefCntPtr<T> DynamicRefCntCast(const RefCntPtr<U>& p) noexcept
{
    return RefCntPtr<T>(dynamic_cast<T*>(p.get()));
}

template <typename T>
struct std::hash<RefCntPtr<T>>
{
    std::size_t operator()(const RefCntPtr<T>& p) const noexcept { return std::hash<T*>()(p.get()); }
};
