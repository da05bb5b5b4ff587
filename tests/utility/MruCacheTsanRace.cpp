// The MruCache thread scenario under ThreadSanitizer. Plain C++: the cache and its lock are header
// code and so instrumented here, while Qt and the host libraries are not.

#include "tests/utility/MruCacheRace.h"

#include <cstdio>

int main()
{
    for (int round = 0; round < 50; ++round) {
        const MruCacheRace::Outcome outcome = MruCacheRace::RaceForMissingKey(round == 0);
        if (outcome.factoryCalls != 1 || !outcome.sameValue) {
            std::fprintf(stderr, "round %d: factory ran %d times, same value: %d\n", round, outcome.factoryCalls,
                int(outcome.sameValue));
            return 1;
        }
    }
    return 0;
}
