#pragma once

#include "host/doc/Exceptions.h"
#include "host/doc/ZelvarCS.h"
#include "public/utility/CacheDimensions.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace MruCacheDetail {

// Memory blocks of one size that the cache freed, kept for its next allocations: a full cache
// evicts one entry for every entry it inserts, and without this every miss would pay two
// allocations and two deallocations for its list entry and index node alone. Keeps at most
// kMaxKept blocks of the first size it is given back. Used only under the cache's lock.
class NodeStock
{
public:
    NodeStock() = default;
    NodeStock(const NodeStock&) = delete;
    NodeStock& operator=(const NodeStock&) = delete;
    ~NodeStock()
    {
        while (m_free) {
            Block* block = m_free;
            m_free = block->next;
            ::operator delete(block);
        }
    }

    void* Take(std::size_t size)
    {
        if (size == m_blockSize && m_free) {
            Block* block = m_free;
            m_free = block->next;
            --m_kept;
            return block;
        }
        return ::operator new(size);
    }

    void Give(void* memory, std::size_t size) noexcept
    {
        if (m_blockSize == 0 && size >= sizeof(Block))
            m_blockSize = size;
        if (size != m_blockSize || m_kept == kMaxKept) {
            ::operator delete(memory);
            return;
        }
        m_free = ::new (memory) Block {m_free};
        ++m_kept;
    }

private:
    static constexpr std::size_t kMaxKept = 16;
    struct Block
    {
        Block* next;
    };
    Block* m_free = nullptr;
    std::size_t m_blockSize = 0;
    std::size_t m_kept = 0;
};

// Lets a standard container allocate its nodes from a NodeStock.
template <typename T>
class StockAllocator
{
public:
    using value_type = T;

    explicit StockAllocator(NodeStock* stock) noexcept
        : m_stock(stock)
    {
    }
    template <typename U>
    StockAllocator(const StockAllocator<U>& other) noexcept
        : m_stock(other.m_stock)
    {
    }

    T* allocate(std::size_t n)
    {
        if (n != 1 || alignof(T) > __STDCPP_DEFAULT_NEW_ALIGNMENT__)
            return std::allocator<T>().allocate(n);
        return static_cast<T*>(m_stock->Take(sizeof(T)));
    }

    void deallocate(T* p, std::size_t n) noexcept
    {
        if (n != 1 || alignof(T) > __STDCPP_DEFAULT_NEW_ALIGNMENT__)
            std::allocator<T>().deallocate(p, n);
        else
            m_stock->Give(p, sizeof(T));
    }

    template <typename U>
    bool operator==(const StockAllocator<U>& other) const noexcept
    {
        return m_stock == other.m_stock;
    }
    template <typename U>
    bool operator!=(const StockAllocator<U>& other) const noexcept
    {
        return m_stock != other.m_stock;
    }

private:
    template <typename U>
    friend class StockAllocator;
    NodeStock* m_stock;
};

// The index's order: lexicographic, as std::less orders pairs. A pair of unsigned integers of at
// most 32 bits each (the page cache's row and column page indices) is compared as one 64-bit
// number, which gives the same order with one comparison instead of up to three.
template <typename K, typename = void>
struct IndexLess : std::less<K>
{
};

template <typename A, typename B>
struct IndexLess<std::pair<A, B>,
    std::enable_if_t<std::is_unsigned<A>::value && std::is_unsigned<B>::value && sizeof(A) <= 4 && sizeof(B) <= 4>>
{
    static constexpr std::uint64_t Packed(const std::pair<A, B>& key) noexcept
    {
        return (std::uint64_t {key.first} << 32) | std::uint64_t {key.second};
    }
    constexpr bool operator()(const std::pair<A, B>& a, const std::pair<A, B>& b) const noexcept
    {
        return Packed(a) < Packed(b);
    }
};

} // namespace MruCacheDetail

// A bounded most-recently-used cache: GetOrInsert answers the cached value for a key or makes it
// with the caller's factory and keeps it, evicting the least recently used entries until the sum of
// the entries' sizes fits the capacity again.
//
// The cache owns its values and releases an evicted or cleared value at once, with the lock held,
// on the thread that caused it: for a shared page that may be its destruction and its signal.
// Entries leave the list and the index before their value is released, so a value's destructor
// that re-enters the cache on the same thread finds it consistent.
//
// Every public operation holds a recursive lock, so any thread may use the cache, and a thread that
// is inside GetOrInsert (its factory sending a command whose answer delivers a notification on the
// same thread) may Clear the same cache without deadlock. A factory runs under that lock when its
// value is to be cached: a second thread asking for the same missing key waits, then finds the
// first one's value instead of making its own.
template <typename Key, typename Value, std::size_t N>
class MruCache
{
public:
    using Dimensions = CacheDimensions<N>;
    using KeyList = std::vector<std::remove_cv_t<Key>>;

    explicit MruCache(Dimensions capacity)
        : m_index(IndexAllocator(&m_indexStock))
        , m_capacity(capacity)
    {
    }

    virtual ~MruCache() { Clear(); }

    MruCache(const MruCache&) = delete;
    MruCache& operator=(const MruCache&) = delete;

    // `factory` takes nothing and returns a Value. An entry larger than the capacity could never be
    // held; its factory runs outside the lock and its value is handed back without being cached.
    template <typename Factory>
    Value GetOrInsert(const Key& key, Factory&& factory, const Dimensions& size)
    {
        return Find(
            key, std::forward<Factory>(factory), size, [](const Value& value) { return value; }, __PRETTY_FUNCTION__);
    }

    // GetOrInsert for a caller that only reads the value: `use` is called with it while the lock is
    // held (outside it for a value too large to cache, as its factory), and what `use` returns is
    // returned. No copy of the value is made, so a value that is a counted pointer costs no count.
    // `use` must not re-enter the cache.
    template <typename Factory, typename Use>
    std::decay_t<std::invoke_result_t<Use&, const Value&>> UseOrInsert(
        const Key& key, Factory&& factory, const Dimensions& size, Use&& use)
    {
        return Find(key, std::forward<Factory>(factory), size, use, __PRETTY_FUNCTION__);
    }

    void Clear()
    {
        AutoSynchronize lock(m_lock, kLockTag, kSource, __PRETTY_FUNCTION__, __LINE__);
        m_index.clear();
        Link* entry = m_recency.next;
        m_recency.next = m_recency.prev = &m_recency;
        m_total = Dimensions {};
        // Most recently used first.
        while (entry != &m_recency) {
            Link* next = entry->next;
            Destroy(static_cast<Entry*>(entry));
            entry = next;
        }
    }

    Dimensions Capacity() const noexcept { return m_capacity; }

    Dimensions Total() const
    {
        AutoSynchronize lock(m_lock, kLockTag, kSource, __PRETTY_FUNCTION__, __LINE__);
        return m_total;
    }

    std::size_t Count() const
    {
        AutoSynchronize lock(m_lock, kLockTag, kSource, __PRETTY_FUNCTION__, __LINE__);
        return m_index.size();
    }

    // Most recently used first.
    KeyList KeysByRecency() const
    {
        AutoSynchronize lock(m_lock, kLockTag, kSource, __PRETTY_FUNCTION__, __LINE__);
        KeyList keys;
        keys.reserve(m_index.size());
        for (const Link* link = m_recency.next; link != &m_recency; link = link->next)
            keys.push_back(*static_cast<const Entry*>(link)->key);
        return keys;
    }

    // In the index's order.
    KeyList KeysInOrder() const
    {
        AutoSynchronize lock(m_lock, kLockTag, kSource, __PRETTY_FUNCTION__, __LINE__);
        KeyList keys;
        keys.reserve(m_index.size());
        for (const auto& node : m_index)
            keys.push_back(node.first);
        return keys;
    }

private:
    static constexpr const char* kSource = "public/utility/MruCache";
    // The host's lock diagnostics know the caches' locks by this tag.
    static constexpr const char* kLockTag = "13";

    // The recency list is a circular doubly linked list through a sentinel: m_recency.next is the
    // most recently used entry, m_recency.prev the least. Kept by hand rather than as a std::list so
    // that a promotion is a few inline pointer moves.
    struct Link
    {
        Link* prev;
        Link* next;
    };
    struct Entry : Link
    {
        Entry(const Key* k, const Value& v, const Dimensions& s)
            : Link {nullptr, nullptr}
            , key(k)
            , value(v)
            , size(s)
        {
        }
        const Key* key; // lives in the index node
        Value value;
        Dimensions size;
    };

    static_assert(alignof(Entry) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__, "entries come from plain operator new");

    using IndexKey = std::remove_cv_t<Key>;
    using IndexAllocator = MruCacheDetail::StockAllocator<std::pair<const IndexKey, Entry*>>;
    using Index = std::map<IndexKey, Entry*, MruCacheDetail::IndexLess<IndexKey>, IndexAllocator>;

    static void Unlink(Link* link) noexcept
    {
        link->prev->next = link->next;
        link->next->prev = link->prev;
    }

    void LinkAtFront(Link* link) noexcept
    {
        link->prev = &m_recency;
        link->next = m_recency.next;
        m_recency.next->prev = link;
        m_recency.next = link;
    }

    void MoveToFront(Entry* entry) noexcept
    {
        if (m_recency.next != entry) {
            Unlink(entry);
            LinkAtFront(entry);
        }
    }

    Entry* Create(const Key* key, const Value& value, const Dimensions& size)
    {
        void* memory = m_entryStock.Take(sizeof(Entry));
        try {
            return ::new (memory) Entry(key, value, size);
        } catch (...) {
            m_entryStock.Give(memory, sizeof(Entry));
            throw;
        }
    }

    void Destroy(Entry* entry) noexcept
    {
        entry->~Entry();
        m_entryStock.Give(entry, sizeof(Entry));
    }

    // Destroys an entry that has already left the list and the index, on every path out.
    struct Release
    {
        MruCache* cache;
        Entry* entry;
        ~Release() { cache->Destroy(entry); }
    };

    bool SameKey(const Key& a, const Key& b) const
    {
        const auto less = m_index.key_comp();
        return !less(a, b) && !less(b, a);
    }

    // The value cached for `key`, promoted to most recently used; null when there is none. Called
    // with the lock held.
    const Value* Lookup(const Key& key)
    {
        // A view asks for cell after cell of the page it used last: answer those without a search.
        if (m_recency.next != &m_recency) {
            const Entry* front = static_cast<const Entry*>(m_recency.next);
            if (SameKey(*front->key, key))
                return &front->value;
        }
        auto found = m_index.find(key);
        if (found == m_index.end())
            return nullptr;
        MoveToFront(found->second);
        return &found->second->value;
    }

    // Both ways of asking for a value; `function` names the public operation for the lock.
    template <typename Factory, typename Use>
    std::decay_t<std::invoke_result_t<Use&, const Value&>> Find(
        const Key& key, Factory&& factory, const Dimensions& size, Use&& use, const char* function)
    {
        {
            AutoSynchronize lock(m_lock, kLockTag, kSource, function, __LINE__);
            if (const Value* cached = Lookup(key))
                return use(*cached);
            if (size.FitsWithin(m_capacity)) {
                // Kept here, not read back from the entry: releasing evicted values may re-enter the
                // cache and clear it.
                const Value value = std::forward<Factory>(factory)();
                Insert(key, value, size);
                return use(value);
            }
        }
        const Value value = std::forward<Factory>(factory)();
        return use(value);
    }

    // Called with the lock held.
    void Insert(const Key& key, const Value& value, const Dimensions& size)
    {
        // A value replaced here is released on return, once the structures are consistent again.
        Value replaced {};
        auto found = m_index.find(key);
        if (found != m_index.end()) {
            // Reached when the factory itself cached this key through a re-entrant call.
            Entry* entry = found->second;
            replaced = std::exchange(entry->value, value);
            m_total -= entry->size;
            entry->size = size;
            MoveToFront(entry);
        } else {
            auto result = m_index.emplace(key, nullptr);
            ZEL_LOGIC_CHECK(kSource, result.second == true);
            try {
                result.first->second = Create(&result.first->first, value, size);
            } catch (...) {
                m_index.erase(result.first);
                throw;
            }
            LinkAtFront(result.first->second);
        }
        m_total += static_cast<const Entry*>(m_recency.next)->size;

        while (m_total.Exceeds(m_capacity) && m_recency.prev != &m_recency) {
            Entry* evicted = static_cast<Entry*>(m_recency.prev);
            Unlink(evicted);
            m_index.erase(m_index.find(*evicted->key));
            const Release release {this, evicted};
            m_total -= evicted->size;
        }
    }

    // Declared first: the index gives its nodes back to its stock when it is destroyed.
    MruCacheDetail::NodeStock m_entryStock;
    MruCacheDetail::NodeStock m_indexStock;

    Link m_recency {&m_recency, &m_recency};
    Index m_index;
    mutable ZelvarCS m_lock;
    Dimensions m_total;
    const Dimensions m_capacity;
};
