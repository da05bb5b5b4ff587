#include "public/utility/MruCache.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"
#include "tests/utility/MruCacheRace.h"

#include <QtTest/QtTest>

#include <functional>
#include <future>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using namespace std::chrono_literals;

namespace {

using PageKey = std::pair<unsigned int const, unsigned int const> const;
using Keys = std::vector<std::pair<unsigned int const, unsigned int const>>;
using Value = std::shared_ptr<int>;
using PageCache = MruCache<PageKey, Value, 1>;
using Ids = std::vector<int>;

// A value that logs its id when its last holder lets go, then runs `onRelease`.
Value Tracked(int id, Ids* released, std::function<void()> onRelease = {})
{
    return Value(new int(id), [released, onRelease](int* p) {
        released->push_back(*p);
        delete p;
        if (onRelease)
            onRelease();
    });
}

// Asks for page (row, 0) and says whether the factory had to run.
bool Miss(PageCache& cache, unsigned int row, Ids* released)
{
    bool made = false;
    cache.GetOrInsert(
        PageKey {row, 0u},
        [&] {
            made = true;
            return Tracked(int(row), released);
        },
        1);
    return made;
}

} // namespace

class MruCacheTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void sizesCompareAndSubtractPerDimension()
    {
        using D2 = CacheDimensions<2>;
        QVERIFY(D2({1, 5}).Exceeds(D2({2, 4})) && D2({2, 4}).Exceeds(D2({1, 5})));
        QVERIFY(D2({2, 5}).FitsWithin(D2({2, 5})) && D2().FitsWithin(D2({0, 0})));

        // Subtraction below zero is refused, and no dimension changes.
        D2 total({2, 4});
        QCOMPARE(ZelTest::LogicFailure([&] {
            total -= D2({1, 5});
        }),
            QStringLiteral("public/utility/CacheDimensions: m_dimensions[i] >= rhs.m_dimensions[i]"));
        QVERIFY(total == D2({2, 4}));

        // Eviction goes on until every dimension fits: here one entry is not enough.
        Ids released;
        MruCache<const std::string, Value, 2> cache(D2({10, 100}));
        const std::pair<const char*, std::uint64_t> rowsOf[] = {{"a", 10}, {"b", 10}, {"c", 10}, {"d", 85}};
        for (int id = 0; id < 4; ++id)
            cache.GetOrInsert(
                rowsOf[id].first, [&] { return Tracked(id + 1, &released); }, D2({2, rowsOf[id].second}));
        QCOMPARE(released, (Ids {1, 2}));
        QVERIFY(cache.Total() == D2({4, 95}));
    }

    void evictsLeastRecentlyUsed_data()
    {
        QTest::addColumn<bool>("readFirst");
        QTest::addColumn<int>("evicted");
        QTest::newRow("oldest goes") << false << 1;
        QTest::newRow("hit promotes, next oldest goes") << true << 2;
    }

    void evictsLeastRecentlyUsed()
    {
        QFETCH(bool, readFirst);
        QFETCH(int, evicted);

        Ids released;
        PageCache cache(5);
        for (unsigned int row = 1; row <= 5; ++row)
            Miss(cache, row, &released);
        QVERIFY(!Miss(cache, 5, &released)); // a hit on the front changes nothing
        QCOMPARE(cache.KeysByRecency(), (Keys {{5, 0}, {4, 0}, {3, 0}, {2, 0}, {1, 0}}));
        if (readFirst)
            QVERIFY(!Miss(cache, 1, &released));

        QVERIFY(Miss(cache, 6, &released));
        QCOMPARE(released, Ids {evicted}); // released at once, nothing else
        QVERIFY(cache.Total() == 5);
        QCOMPARE(cache.KeysByRecency().front(), Keys::value_type(6, 0));
        QVERIFY(Miss(cache, unsigned(evicted), &released));
    }

    void entryLargerThanCapacityIsMadeOutsideLockAndNotCached_data()
    {
        QTest::addColumn<quint64>("capacity");
        QTest::addColumn<quint64>("size");
        QTest::newRow("capacity 0") << quint64 {0} << quint64 {1};
        QTest::newRow("size above capacity") << quint64 {3} << quint64 {4};
    }

    void entryLargerThanCapacityIsMadeOutsideLockAndNotCached()
    {
        QFETCH(quint64, capacity);
        QFETCH(quint64, size);

        Ids released;
        PageCache cache(capacity);
        int made = 0;
        for (int i = 0; i < 2; ++i) {
            std::future<std::size_t> other;
            bool otherThreadGotLock = false;
            cache.GetOrInsert(
                PageKey {1u, 1u},
                [&] {
                    other = std::async(std::launch::async, [&] { return cache.Count(); });
                    otherThreadGotLock = other.wait_for(10s) == std::future_status::ready;
                    return Tracked(++made, &released);
                },
                size);
            other.wait();
            QVERIFY(otherThreadGotLock);
        }
        QCOMPARE(released, (Ids {1, 2}));
        QVERIFY(cache.Count() == 0 && cache.Total() == 0);
    }

    void useOrInsertReadsInPlaceUnderTheLock_data()
    {
        QTest::addColumn<quint64>("size");
        QTest::addColumn<bool>("cached");
        QTest::newRow("fits") << quint64 {1} << true;
        QTest::newRow("larger than the capacity") << quint64 {3} << false;
    }

    // The reader sees the cache's own value: a hit costs no copy (the cache stays its only holder),
    // and another thread cannot get in while it reads, unless the value could not be cached.
    void useOrInsertReadsInPlaceUnderTheLock()
    {
        QFETCH(quint64, size);
        QFETCH(bool, cached);
        Ids released;
        PageCache cache(2);
        int made = 0;
        auto read = [&] {
            return cache.UseOrInsert(
                PageKey {7u, 0u}, [&] { return Tracked(++made, &released); }, size,
                [&](const Value& value) {
                    auto other = std::async(std::launch::async, [&] { return cache.Count(); });
                    const bool otherGotIn = other.wait_for(cached ? 50ms : 10s) == std::future_status::ready;
                    return std::make_tuple(*value, value.use_count(), otherGotIn, std::move(other));
                });
        };
        auto [first, firstHolders, firstOtherGotIn, firstOther] = read();
        firstOther.wait();
        auto [second, secondHolders, secondOtherGotIn, secondOther] = read();
        secondOther.wait();

        QCOMPARE(first, 1);
        QCOMPARE(second, cached ? 1 : 2);
        // A miss holds the new value once besides the cache's entry; a hit only reads the entry.
        QCOMPARE(firstHolders, cached ? 2L : 1L);
        QCOMPARE(secondHolders, 1L);
        QCOMPARE(firstOtherGotIn, !cached);
        QCOMPARE(secondOtherGotIn, !cached);
        QCOMPARE(cache.Count(), std::size_t(cached ? 1 : 0));
        QCOMPARE(released, cached ? Ids {} : (Ids {1, 2}));
    }

    void indexOrdersKeysByFirstThenSecond()
    {
        Ids released;
        PageCache cache(10);
        for (auto [row, column] : Keys {{1, 0}, {0, 5}, {0, 0xFFFFFFFFu}, {1, 0}, {0, 4}})
            cache.GetOrInsert(
                PageKey {row, column}, [&] { return Tracked(0, &released); }, 1);
        QCOMPARE(cache.KeysInOrder(), (Keys {{0, 4}, {0, 5}, {0, 0xFFFFFFFFu}, {1, 0}}));
        QCOMPARE(cache.KeysByRecency(), (Keys {{0, 4}, {1, 0}, {0, 0xFFFFFFFFu}, {0, 5}}));
    }

    void clearReleasesMostRecentFirstAndRefills()
    {
        Ids released;
        {
            PageCache cache(5);
            cache.Clear();
            for (unsigned int row : {1, 2, 3, 1})
                Miss(cache, row, &released);
            cache.Clear();
            QCOMPARE(released, (Ids {1, 3, 2}));
            QVERIFY(cache.Count() == 0 && cache.Total() == 0);
            QVERIFY(Miss(cache, 1, &released) && Miss(cache, 2, &released));
        }
        QCOMPARE(released, (Ids {1, 3, 2, 2, 1})); // destruction clears
    }

    void sameThreadMayReenterFromFactoryAndRelease()
    {
        // The factory clears the cache (a notification delivered while the page loads) and then finds
        // its key cached by a nested call: no deadlock, the outer value replaces the nested one, and
        // the size counts once.
        Ids released;
        PageCache cache(2);
        Miss(cache, 9, &released);
        const Value outer = cache.GetOrInsert(
            PageKey {1u, 0u},
            [&] {
                cache.Clear();
                Miss(cache, 1, &released);
                return Tracked(-1, &released);
            },
            1);
        QCOMPARE(released, (Ids {9, 1}));
        QVERIFY(cache.Count() == 1 && cache.Total() == 1);

        // An evicted value whose release asks the same cache for another page: that evicts again.
        cache.GetOrInsert(
            PageKey {2u, 0u}, [&] { return Tracked(2, &released, [&] { Miss(cache, 4, &released); }); }, 1);
        QVERIFY(!Miss(cache, 1, &released));
        Miss(cache, 3, &released);
        QCOMPARE(cache.KeysByRecency(), (Keys {{4, 0}, {3, 0}}));
        QVERIFY(cache.Total() == 2);
    }

    void secondThreadWaitsAndTakesFirstFactoryValue()
    {
        for (int round = 0; round < 100; ++round) {
            const MruCacheRace::Outcome outcome = MruCacheRace::RaceForMissingKey(round == 0);
            QCOMPARE(outcome.factoryCalls, 1);
            QVERIFY(outcome.sameValue);
        }
    }
};

QTEST_GUILESS_MAIN(MruCacheTest)
#include "MruCacheTest.moc"
