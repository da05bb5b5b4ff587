#pragma once

#include "ZelHostDocExport.h"

#include <atomic>
#include <mutex>
#include <thread>

// The host's recursive mutex: the owning thread may lock it again, so a callback that re-enters
// a locked structure on the same thread does not deadlock.
//
// Built on a plain mutex plus an owner and a depth rather than on std::recursive_mutex: caches
// take this lock on every lookup, and the plain mutex's uncontended path is markedly cheaper.
// Only the owning thread can find its own tag in m_owner, so reading it without the mutex is
// safe; m_depth is touched only by the owner.
class ZELHOST_DOC_EXPORT ZelvarCS
{
public:
    void Lock()
    {
        const ThreadTag self = CurrentThread();
        if (m_owner.load(std::memory_order_relaxed) == self) {
            ++m_depth;
            return;
        }
        m_mutex.lock();
        m_owner.store(self, std::memory_order_relaxed);
        m_depth = 1;
    }

    bool TryLock()
    {
        const ThreadTag self = CurrentThread();
        if (m_owner.load(std::memory_order_relaxed) == self) {
            ++m_depth;
            return true;
        }
        if (!m_mutex.try_lock())
            return false;
        m_owner.store(self, std::memory_order_relaxed);
        m_depth = 1;
        return true;
    }

    void Unlock()
    {
        if (--m_depth == 0) {
            m_owner.store(ThreadTag {}, std::memory_order_relaxed);
            m_mutex.unlock();
        }
    }

private:
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ >= 11 && (defined(__x86_64__) || defined(__aarch64__))
    // The thread pointer is unique among live threads and the same in every module, and reading it
    // is one instruction where asking the thread library for the id is a call.
    using ThreadTag = const void*;
    static ThreadTag CurrentThread() noexcept
    {
        return __builtin_thread_pointer();
    }
#else
    using ThreadTag = std::thread::id;
    static ThreadTag CurrentThread() noexcept
    {
        return std::this_thread::get_id();
    }
#endif

    std::mutex m_mutex;
    std::atomic<ThreadTag> m_owner {};
    unsigned long m_depth = 0;
};

// Scoped lock of a ZelvarCS. The tag, file, function and line name the place that holds it, for
// the host's lock diagnostics.
class ZELHOST_DOC_EXPORT AutoSynchronize
{
public:
    AutoSynchronize(ZelvarCS& mutex, const char* tag, const char* file, const char* function, int line)
        : m_mutex(mutex)
        , m_tag(tag)
        , m_file(file)
        , m_function(function)
        , m_line(line)
    {
        m_mutex.Lock();
    }
    ~AutoSynchronize() { m_mutex.Unlock(); }
    AutoSynchronize(const AutoSynchronize&) = delete;
    AutoSynchronize& operator=(const AutoSynchronize&) = delete;

    const char* Tag() const noexcept { return m_tag; }
    const char* File() const noexcept { return m_file; }
    const char* Function() const noexcept { return m_function; }
    int Line() const noexcept { return m_line; }

private:
    ZelvarCS& m_mutex;
    const char* m_tag;
    const char* m_file;
    const char* m_function;
    int m_line;
};

#define ZEL_SYNC_CONCAT_(a, b) a##b
#define ZEL_SYNC_CONCAT(a, b) ZEL_SYNC_CONCAT_(a, b)
#define ZEL_AUTO_SYNCHRONIZE(mutex, tag)                                                                               \
    AutoSynchronize ZEL_SYNC_CONCAT(zelAutoSync, __LINE__)((mutex), (tag), __FILE__, __func__, __LINE__)
