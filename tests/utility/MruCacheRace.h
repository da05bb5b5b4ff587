#pragma once

// Two threads asking an MruCache for the same missing key. Free of Qt so that the scenario also
// runs in the ThreadSanitizer executable, where only header code is instrumented.

#include "public/utility/MruCache.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace MruCacheRace {

struct Outcome
{
    int factoryCalls;
    bool sameValue;
};

// With `overlap`, the first caller is held inside its factory until the second has started, so the
// second surely reaches the lock while the key is still missing; without, both are released
// together and either may win. Either way the factory must run once and both get its value.
inline Outcome RaceForMissingKey(bool overlap)
{
    using Key = std::pair<unsigned int const, unsigned int const> const;
    MruCache<Key, std::shared_ptr<int>, 1> cache(5);
    std::atomic<int> calls {0};
    std::atomic<int> started {0};
    std::shared_ptr<int> got[2];
    auto caller = [&](int index) {
        ++started;
        while (!overlap && started < 2)
            std::this_thread::yield();
        got[index] = cache.GetOrInsert(
            Key {7u, 0u},
            [&] {
                ++calls;
                while (overlap && started < 2)
                    std::this_thread::yield();
                if (overlap)
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                return std::make_shared<int>(index);
            },
            1);
    };
    std::thread first(caller, 0);
    while (overlap && calls == 0)
        std::this_thread::yield();
    std::thread second(caller, 1);
    first.join();
    second.join();
    return {calls.load(), got[0] != nullptr && got[0] == got[1]};
}

} // namespace MruCacheRace
