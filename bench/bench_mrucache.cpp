// MruCache against what a developer would reach for instead: QCache behind a QMutex, and the usual
// std::unordered_map + std::list LRU behind a std::mutex. All three are equally thread-safe (the
// factory of a miss runs under the lock, so it runs once per key) and hold the page cache's own
// key and value types with its capacity of 5 pages, each page counting 1.

#include "public/utility/MruCache.h"

#include <QtCore/QCache>
#include <QtCore/QMutex>
#include <QtCore/QMutexLocker>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <utility>

namespace {

constexpr unsigned int kCapacity = 5;

using PlainKey = std::pair<unsigned int, unsigned int>;
using PageKey = std::pair<unsigned int const, unsigned int const> const;

// Stands in for a table page: the caches only ever copy the shared pointer.
struct Page
{
    unsigned int row = 0;
    unsigned int column = 0;
    std::array<std::uint64_t, 8> payload {};
};
using PagePtr = std::shared_ptr<Page>;

struct MakePage
{
    unsigned int row;
    PagePtr operator()() const
    {
        auto page = std::make_shared<Page>();
        page->row = row;
        return page;
    }
};

class ZelMruCache
{
public:
    PagePtr GetOrInsert(unsigned int row, const MakePage& factory)
    {
        return m_cache.GetOrInsert(PageKey {row, 0u}, factory, 1);
    }
    void Clear() { m_cache.Clear(); }

private:
    MruCache<PageKey, PagePtr, 1> m_cache {kCapacity};
};

class QtLockedCache
{
public:
    PagePtr GetOrInsert(unsigned int row, const MakePage& factory)
    {
        QMutexLocker locker(&m_mutex);
        const PlainKey key {row, 0u};
        if (PagePtr* cached = m_cache.object(key))
            return *cached;
        PagePtr page = factory();
        m_cache.insert(key, new PagePtr(page), 1);
        return page;
    }
    void Clear()
    {
        QMutexLocker locker(&m_mutex);
        m_cache.clear();
    }

private:
    QMutex m_mutex;
    QCache<PlainKey, PagePtr> m_cache {kCapacity};
};

struct PlainKeyHash
{
    std::size_t operator()(const PlainKey& key) const noexcept
    {
        return std::hash<std::uint64_t> {}((std::uint64_t {key.first} << 32) | key.second);
    }
};

class StdLockedLru
{
public:
    PagePtr GetOrInsert(unsigned int row, const MakePage& factory)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const PlainKey key {row, 0u};
        auto found = m_index.find(key);
        if (found != m_index.end()) {
            if (found->second != m_recency.begin())
                m_recency.splice(m_recency.begin(), m_recency, found->second);
            return found->second->second;
        }
        PagePtr page = factory();
        m_recency.emplace_front(key, page);
        m_index.emplace(key, m_recency.begin());
        if (m_recency.size() > kCapacity) {
            m_index.erase(m_recency.back().first);
            m_recency.pop_back();
        }
        return page;
    }
    void Clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_index.clear();
        m_recency.clear();
    }

private:
    using List = std::list<std::pair<PlainKey, PagePtr>>;
    std::mutex m_mutex;
    List m_recency;
    std::unordered_map<PlainKey, List::iterator, PlainKeyHash> m_index;
};

template <typename Cache>
void Fill(Cache& cache, unsigned int count)
{
    for (unsigned int row = 0; row < count; ++row)
        cache.GetOrInsert(row, MakePage {row});
}

// A view repaints cell after cell of the page it just used.
template <typename Cache>
void HitMostRecent(benchmark::State& state)
{
    Cache cache;
    Fill(cache, kCapacity);
    const unsigned int row = kCapacity - 1;
    for (auto _ : state) {
        PagePtr page = cache.GetOrInsert(row, MakePage {row});
        benchmark::DoNotOptimize(page);
    }
}

// Cycling through every cached page in order: each hit is on the least recently used entry, the
// longest promotion there is.
template <typename Cache>
void HitRotating(benchmark::State& state)
{
    Cache cache;
    Fill(cache, kCapacity);
    unsigned int row = 0;
    for (auto _ : state) {
        PagePtr page = cache.GetOrInsert(row, MakePage {row});
        benchmark::DoNotOptimize(page);
        if (++row == kCapacity)
            row = 0;
    }
}

// Misses that find room: the cache is emptied after every fifth, so the release of what was
// inserted is paid here too, once per entry.
template <typename Cache>
void MissInsert(benchmark::State& state)
{
    Cache cache;
    unsigned int row = 0;
    for (auto _ : state) {
        PagePtr page = cache.GetOrInsert(row, MakePage {row});
        benchmark::DoNotOptimize(page);
        if (++row == kCapacity) {
            row = 0;
            cache.Clear();
        }
    }
}

// A full cache: every miss makes a page and evicts the least recently used one.
template <typename Cache>
void InsertEvict(benchmark::State& state)
{
    Cache cache;
    Fill(cache, kCapacity);
    unsigned int row = kCapacity;
    for (auto _ : state) {
        PagePtr page = cache.GetOrInsert(row, MakePage {row});
        benchmark::DoNotOptimize(page);
        ++row;
    }
}

// Two threads cycling through the same five cached pages of one cache.
template <typename Cache>
void Contended(benchmark::State& state)
{
    static Cache* shared = nullptr;
    if (state.thread_index() == 0) {
        shared = new Cache;
        Fill(*shared, kCapacity);
    }
    unsigned int row = static_cast<unsigned int>(state.thread_index()) % kCapacity;
    for (auto _ : state) {
        PagePtr page = shared->GetOrInsert(row, MakePage {row});
        benchmark::DoNotOptimize(page);
        if (++row == kCapacity)
            row = 0;
    }
    if (state.thread_index() == 0) {
        delete shared;
        shared = nullptr;
    }
}

} // namespace

#define ZEL_BENCH_ALL(name)                                                                                            \
    BENCHMARK_TEMPLATE(name, ZelMruCache);                                                                             \
    BENCHMARK_TEMPLATE(name, QtLockedCache);                                                                           \
    BENCHMARK_TEMPLATE(name, StdLockedLru)

ZEL_BENCH_ALL(HitMostRecent);
ZEL_BENCH_ALL(HitRotating);
ZEL_BENCH_ALL(MissInsert);
ZEL_BENCH_ALL(InsertEvict);
BENCHMARK_TEMPLATE(Contended, ZelMruCache)->Threads(2)->UseRealTime();
BENCHMARK_TEMPLATE(Contended, QtLockedCache)->Threads(2)->UseRealTime();
BENCHMARK_TEMPLATE(Contended, StdLockedLru)->Threads(2)->UseRealTime();

// glibc and libstdc++ skip atomic instructions (in mutexes and shared_ptr counts) for as long as a
// process has never had a second thread, which is how the single-threaded cases above run by default.
// A host application has many threads; --threaded_process starts and ends one thread first so that
// every case pays what it would pay there.
int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--threaded_process") {
            std::thread([] {}).join();
            for (int j = i; j + 1 < argc; ++j)
                argv[j] = argv[j + 1];
            --argc;
            break;
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
