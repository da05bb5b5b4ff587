#include "TableViewTestSupport.h"

#include "gen-command-wrappers/TableViewCommandWrappers.h"
#include "public/models/TablePageCache.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QSignalSpy>
#include <QtTest/QtTest>

#include <functional>
#include <memory>

using namespace ZelTest;

namespace {

using PageModel = RefCntPtr<TableViewPagePresModel const>;
using Cache = TablePageCache<PageModel>;

// The smallest concrete cache: the two commands, nothing else, and a hook that runs inside a load
// (where a host may deliver notifications on the same thread).
class TestPageCache final : public Cache
{
public:
    TestPageCache(const ICommandDispatcher& dispatcher, RefCntPtr<TableViewCachePresModel const> description,
        std::uint64_t capacity)
        : Cache(dispatcher, description->GetCacheID(), capacity)
        , m_description(std::move(description))
    {
    }

    PagePtr LoadPage(unsigned int row, unsigned int column) override
    {
        if (duringLoad)
            duringLoad();
        if (loadNothing)
            return nullptr;
        auto result = GetTableViewPage(GetDispatcher(), m_description, row, column);
        return std::make_shared<LoadedTablePage<PageModel>>(result.Get<TableCmds::TableViewPage>());
    }

    void CreateCache() override
    {
        auto result = CreateTableViewCache(GetDispatcher(), m_description);
        GetCleanup().AddCommand(result.Get<TableCmds::CleanupCommands>());
        if (duringCreate)
            duringCreate();
    }

    std::function<void()> duringLoad;
    std::function<void()> duringCreate;
    bool loadNothing = false;

private:
    RefCntPtr<TableViewCachePresModel const> m_description;
};

void Notify(int eventId, const Cache& cache)
{
    NotifyCacheEvent(eventId, *cache.GetCacheId());
}

using Relayed = QList<quint64>;
Relayed Rect(quint64 row, quint64 column, quint64 rows, quint64 columns)
{
    return {row, column, rows, columns};
}
Relayed Arguments(const QList<QVariant>& signal)
{
    Relayed values;
    for (const QVariant& v : signal)
        values << v.toULongLong();
    return values;
}

constexpr int kPageRows = 10;

// A cache of five pages over a scripted host table of 2500 rows by 3 columns.
struct Fixture
{
    explicit Fixture(int pageRows = kPageRows, int pageColumns = -1)
    {
        table.AnswerAll(host);
        cache = std::make_unique<TestPageCache>(host, MakeDescription(pageRows, pageColumns), 5);
    }

    RecordingDispatcher host;
    ScriptedTable table;
    std::unique_ptr<TestPageCache> cache;
};

} // namespace

class TablePageCacheTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void cellsOfOnePageCostOneCommand()
    {
        Fixture f;
        const auto first = f.cache->GetPage(3, 0);
        const auto second = f.cache->GetPage(7, 2);
        QCOMPARE(f.host.Count<TableCmds::GetTableViewPage>(), std::size_t(1));
        QCOMPARE(first.get(), second.get());
        QCOMPARE(f.host.Last<TableCmds::GetTableViewPage>().Get<TableCmds::RequestedRow>(), 3u);
        QCOMPARE(first->GetStartRow(), std::uint64_t(0));
        QCOMPARE(first->GetRowCount(), std::uint64_t(kPageRows));
        QCOMPARE(first->GetPageModel()->GetRow(7).GetColumn(2)->GetDisplayText().ToQString(), CellText(7, 2));

        // The next page is a page of its own.
        QVERIFY(f.cache->GetPage(10, 0).get() != first.get());
        QCOMPARE(f.host.Count<TableCmds::GetTableViewPage>(), std::size_t(2));
    }

    void sixthPageEvictsLeastRecentlyUsed()
    {
        Fixture f;
        QSignalSpy relayed(f.cache.get(), &TablePageCacheSignalProvider::pageDiscarded);
        for (int page : {0, 1, 2, 3, 4, 0}) // the second read of page 0 leaves page 1 the least recently used
            f.cache->GetPage(page * kPageRows, 0);
        QCOMPARE(relayed.count(), 0);

        f.cache->GetPage(5 * kPageRows, 0);
        QCOMPARE(f.cache->CachedPageCount(), std::size_t(5));
        QCOMPARE(relayed.count(), 1);
        QCOMPARE(Arguments(relayed.takeFirst()), Rect(kPageRows, 0, kPageRows, 3));

        // A page someone still holds leaves the cache silently and reports when its holder lets go.
        auto held = f.cache->GetPage(2 * kPageRows, 0);
        for (int page : {6, 7, 8, 9, 10}) // evict pages 3, 4, 0, 5 and the held page 2
            f.cache->GetPage(page * kPageRows, 0);
        QCOMPARE(relayed.count(), 4);
        held.reset();
        QCOMPARE(relayed.count(), 5);
        QCOMPARE(Arguments(relayed.last()), Rect(2 * kPageRows, 0, kPageRows, 3));
    }

    void otherCachesEventsChangeNothing_data()
    {
        QTest::addColumn<int>("eventId");
        QTest::addColumn<int>("model");
        QTest::newRow("discarded, another guid") << Zel::Events::PageCacheDiscarded << 0;
        QTest::newRow("discarded, a record of another type") << Zel::Events::PageCacheDiscarded << 1;
        QTest::newRow("discarded, no record") << Zel::Events::PageCacheDiscarded << 2;
        QTest::newRow("changed, another guid") << Zel::Events::PageCacheChanged << 0;
        QTest::newRow("changed, a record of another type") << Zel::Events::PageCacheChanged << 1;
    }

    void otherCachesEventsChangeNothing()
    {
        QFETCH(int, eventId);
        QFETCH(int, model);
        Fixture f;
        f.cache->CreateTableCache();
        f.cache->GetPage(0, 0);
        QSignalSpy relayed(f.cache.get(), &TablePageCacheSignalProvider::pageDiscarded);

        RefCntPtr<PresentationModel const> record;
        if (model == 0)
            record = MakeRefCnt<PageCacheIDPresModel>(); // a fresh guid
        else if (model == 1)
            record = MakeRefCnt<TableViewPageItemPresModel>();
        PresentationLayer::NotificationManager::Instance->Notify(eventId, record, nullptr);

        QVERIFY(!f.cache->IsCacheDiscarded());
        QCOMPARE(f.cache->CachedPageCount(), std::size_t(1));
        QCOMPARE(relayed.count(), 0);
        f.cache->GetPage(kPageRows, 0);
        QCOMPARE(f.host.Count<TableCmds::GetTableViewPage>(), std::size_t(2));
        // Still not discarded: the clean-up goes to the host.
        f.cache.reset();
        QCOMPARE(f.host.Count<TableCmds::DropTableViewCache>(), std::size_t(1));
    }

    void discardedCacheServesPlaceholdersThenRebuilds()
    {
        Fixture f;
        TestPageCache& cache = *f.cache;
        cache.CreateTableCache();
        cache.GetPage(0, 0);
        QSignalSpy relayed(&cache, &TablePageCacheSignalProvider::pageDiscarded);

        Notify(Zel::Events::PageCacheDiscarded, cache);
        QVERIFY(cache.IsCacheDiscarded());
        QVERIFY(cache.GetPage(5, 1)->GetPageModel());
        {
            const auto placeholder = cache.GetPage(23, 1);
            QVERIFY(!placeholder->GetPageModel());
            QCOMPARE(placeholder->GetStartRow(), std::uint64_t(23));
            // One placeholder per page, not one per cell.
            QCOMPARE(cache.GetPage(27, 0).get(), placeholder.get());
        }
        QCOMPARE(f.host.CommandIds(),
            (std::vector<int> {TableCmds::CreateTableViewCache::id, TableCmds::GetTableViewPage::id}));
        QCOMPARE(relayed.count(), 0);

        // The rebuild is posted, not run inside the request that found the cache gone.
        QCoreApplication::sendPostedEvents(&cache, QEvent::MetaCall);
        QCOMPARE(f.host.Count<TableCmds::CreateTableViewCache>(), std::size_t(2));
        QVERIFY(!cache.IsCacheDiscarded());
        QCOMPARE(cache.CachedPageCount(), std::size_t(0));
        // Most recently used first.
        QCOMPARE(relayed.count(), 2);
        QCOMPARE(Arguments(relayed.at(0)), Rect(23, 1, kPageRows, kAllOfThem));
        QCOMPARE(Arguments(relayed.at(1)), Rect(0, 0, kPageRows, 3));

        QCOMPARE(cache.GetPage(27, 0)->GetPageModel()->GetRow(7).GetColumn(0)->GetDisplayText().ToQString(),
            CellText(27, 0));
        QCOMPARE(f.host.Count<TableCmds::GetTableViewPage>(), std::size_t(2));
        // The discard switched the clean-up off for good: the rebuilt host cache is left to the host's
        // own time-out rather than dropped twice.
        f.cache.reset();
        QCOMPARE(f.host.Count<TableCmds::DropTableViewCache>(), std::size_t(0));
    }

    void placeholderCoversTheLayoutsPage_data()
    {
        QTest::addColumn<int>("pageRows");
        QTest::addColumn<int>("pageColumns");
        QTest::addColumn<quint64>("rowCount");
        QTest::addColumn<quint64>("columnCount");
        QTest::newRow("rows by all columns") << 10 << -1 << quint64(10) << kAllOfThem;
        QTest::newRow("rows by columns") << 10 << 2 << quint64(10) << quint64(2);
        QTest::newRow("all rows by columns") << -1 << 2 << kAllOfThem << quint64(2);
    }

    void placeholderCoversTheLayoutsPage()
    {
        QFETCH(int, pageRows);
        QFETCH(int, pageColumns);
        QFETCH(quint64, rowCount);
        QFETCH(quint64, columnCount);
        Fixture f(pageRows, pageColumns);
        Notify(Zel::Events::PageCacheDiscarded, *f.cache);
        QSignalSpy relayed(f.cache.get(), &TablePageCacheSignalProvider::pageDiscarded);

        f.cache->GetPage(13, 1);
        f.cache->ClearPages();
        QCOMPARE(relayed.count(), 1);
        QCOMPARE(Arguments(relayed.first()), Rect(13, 1, rowCount, columnCount));
        // The miss posted a rebuild but sent nothing; the rebuild dies with the cache.
        QVERIFY(f.host.Commands().empty());
    }

    void changedEventDropsEveryPage()
    {
        Fixture f;
        f.cache->GetPage(0, 0);
        f.cache->GetPage(kPageRows, 0);
        Notify(Zel::Events::PageCacheDiscarded, *f.cache);
        QSignalSpy relayed(f.cache.get(), &TablePageCacheSignalProvider::pageDiscarded);

        Notify(Zel::Events::PageCacheChanged, *f.cache);
        QCOMPARE(relayed.count(), 2);
        QCOMPARE(f.cache->CachedPageCount(), std::size_t(0));
        QVERIFY(!f.cache->IsCacheDiscarded());
        QVERIFY(f.cache->GetPage(0, 0)->GetPageModel());
        QCOMPARE(f.host.Count<TableCmds::GetTableViewPage>(), std::size_t(3));
        QCOMPARE(relayed.count(), 2);
    }

    void destructionRelaysNothing_data()
    {
        QTest::addColumn<bool>("discarded");
        QTest::newRow("host cache present") << false;
        QTest::newRow("host cache discarded") << true;
    }

    void destructionRelaysNothing()
    {
        QFETCH(bool, discarded);
        Fixture f;
        f.cache->CreateTableCache();
        f.cache->GetPage(0, 0);
        f.cache->GetPage(kPageRows, 0);
        if (discarded)
            Notify(Zel::Events::PageCacheDiscarded, *f.cache);
        QSignalSpy relayed(f.cache.get(), &TablePageCacheSignalProvider::pageDiscarded);
        const auto& manager = *PresentationLayer::NotificationManager::Instance;
        const std::size_t changedHandlers = manager.HandlerCount(Zel::Events::PageCacheChanged);
        const std::size_t discardedHandlers = manager.HandlerCount(Zel::Events::PageCacheDiscarded);

        f.cache.reset();
        QCOMPARE(relayed.count(), 0);
        QCOMPARE(f.host.Count<TableCmds::DropTableViewCache>(), std::size_t(discarded ? 0 : 1));
        QCOMPARE(manager.HandlerCount(Zel::Events::PageCacheChanged), changedHandlers - 1);
        QCOMPARE(manager.HandlerCount(Zel::Events::PageCacheDiscarded), discardedHandlers - 1);
    }

    void failedCreateLeavesTheGuardFree()
    {
        Fixture f;
        f.host.AnswerNull<TableCmds::CreateTableViewCache>();
        QVERIFY_EXCEPTION_THROWN(f.cache->CreateTableCache(), LogicException);
        f.cache->CreateTableCache();
        QCOMPARE(f.host.Count<TableCmds::CreateTableViewCache>(), std::size_t(2));
    }

    void createWithinCreateDoesNothing()
    {
        Fixture f;
        int nested = 0;
        f.cache->duringCreate = [&] {
            if (nested++ == 0)
                f.cache->CreateTableCache();
        };
        f.cache->CreateTableCache();
        QCOMPARE(f.host.Count<TableCmds::CreateTableViewCache>(), std::size_t(1));
    }

    void clearWithinALoadDoesNotDeadlock()
    {
        Fixture f;
        f.cache->GetPage(0, 0);
        f.cache->duringLoad = [&] { Notify(Zel::Events::PageCacheChanged, *f.cache); };
        QVERIFY(f.cache->GetPage(kPageRows, 0)->GetPageModel());
        // The change emptied the store during the load; the loaded page went into the emptied store.
        QCOMPARE(f.cache->CachedPageCount(), std::size_t(1));

        // A load that brings nothing caches nothing.
        f.cache->duringLoad = nullptr;
        f.cache->loadNothing = true;
        QCOMPARE(LogicFailure([&] { f.cache->GetPage(5 * kPageRows, 0); }),
            QStringLiteral("public/models/TablePageCache: page != nullptr"));
        QCOMPARE(f.cache->CachedPageCount(), std::size_t(1));
    }

    void pageOutsideItsCellIsRefused()
    {
        ScriptedTable table;
        const LoadedTablePage<PageModel> page(table.Page(20, 10));
        QCOMPARE(page.GetRelativeRow(29), std::uint64_t(9));
        for (std::uint64_t row : {std::uint64_t(19), std::uint64_t(30)})
            QCOMPARE(LogicCondition([&] { page.GetRelativeRow(row); }), QStringLiteral("relIndex < m_rowCount"));
        QCOMPARE(LogicCondition([&] { page.GetRelativeColumn(3); }), QStringLiteral("relIndex < m_columnCount"));
        // A host answer without a page model cannot become a page.
        QVERIFY_EXCEPTION_THROWN(LoadedTablePage<PageModel> empty {PageModel()}, LogicException);
    }
};

QTEST_MAIN(TablePageCacheTest)

#include "TablePageCacheTest.moc"
