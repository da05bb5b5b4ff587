#pragma once

// What every fuzz harness shares: the application the library's widgets and models need, the
// outcome of one step against a hostile host, and the check that an input leaked no record.

#include "host/doc/Exceptions.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <utility>

namespace ZelFuzz {

// Makes the application once per process, on Qt's offscreen platform, and the host's session.
// Call from LLVMFuzzerInitialize.
void StartApplication(int* argc, char*** argv);

// Stops the process the way libFuzzer reports a crash, with a line that says why.
[[noreturn]] void Fail(const char* what);

// One call into the library with input from a hostile host: it either completes or raises one of
// the two exceptions the library defines for bad input. Anything else leaves the harness and
// ends the process as a crash.
enum class Outcome
{
    Completed,
    Refused,
};

template <typename F>
Outcome Attempt(F&& step)
{
    try {
        std::forward<F>(step)();
        return Outcome::Completed;
    } catch (const LogicException&) {
        return Outcome::Refused;
    } catch (const TypeMismatchCommandException&) {
        return Outcome::Refused;
    }
}

// Fails the input when it leaves more or fewer counted records alive than it found.
class LiveRecordCheck
{
public:
    LiveRecordCheck();
    ~LiveRecordCheck() noexcept(false);
    LiveRecordCheck(const LiveRecordCheck&) = delete;
    LiveRecordCheck& operator=(const LiveRecordCheck&) = delete;

private:
    long m_atStart;
};

// Runs posted events and deferred deletions until none are left (bounded).
void FlushEvents();

} // namespace ZelFuzz

// Defines libFuzzer's two entry points for a harness whose `run(FuzzedDataProvider&)` handles one
// input: the application is made once, and every input must leave the counted records as it
// found them.
#define ZEL_FUZZ_HARNESS(run)                                                                                          \
    extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)                                                       \
    {                                                                                                                  \
        ZelFuzz::StartApplication(argc, argv);                                                                         \
        return 0;                                                                                                      \
    }                                                                                                                  \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)                                  \
    {                                                                                                                  \
        const ZelFuzz::LiveRecordCheck noLeak;                                                                         \
        FuzzedDataProvider in(data, size);                                                                             \
        run(in);                                                                                                       \
        return 0;                                                                                                      \
    }
