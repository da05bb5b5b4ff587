#pragma once

#include "ZelHostDocExport.h"

#include <mutex>

// The host's recursive mutex: the owning thread may lock it again, so a callback that re-enters
// a locked structure on the same thread does not deadlock.
class ZELHOST_DOC_EXPORT ZelvarCS
{
public:
    void Lock() { m_mutex.lock(); }
    bool TryLock() { return m_mutex.try_lock(); }
    void Unlock() { m_mutex.unlock(); }

private:
    std::recursive_mutex m_mutex;
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
