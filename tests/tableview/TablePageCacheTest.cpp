#include "TableViewTestSupport.h"

#include "gen-command-wrappers/TableViewCommandWrappers.h"
#include "public/models/TablePageCache.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QSignalSpy>
#include <QtTest/QtTest>

#include <functional>

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

void Notify(int eventId, const RefCntPtr<PresentationModel const>& model)
{
    PresentationLayer::NotificationManager::Instance->Notify(eventId, model, nullptr);
}

RefCntPtr<PageCacheIDPresModel const> SameCache(const Cache& cache)
{
    auto id = MakeRefCnt<PageCacheIDPresModel>();
    id->SetCacheGuid(cache.GetCacheId()->GetCacheGuid());
    return RefCntPtr<PageCacheIDPresModel const>(std::move(id));
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

} // namespace

class TablePageCacheTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void cellsOfOnePageCostOneCommand();
    void sixthPageEvictsLeastRecentlyUsed();
    void otherCachesEventsChangeNothing_data();
    void otherCachesEventsChangeNothing();
    void discardedCacheServesPlaceholdersThenRebuilds();
    void placeholderCoversTheLayoutsPage_data();
    void placeholderCoversTheLayoutsPage();
    void changedEventDropsEveryPage();
    void destructionRelaysNothing_data();
    void destructionRelaysNothing();
    void failedCreateLeavesTheGuardFree();
    void createWithinCreateDoesNothing();
    void clearWithinALoadDoesNotDeadlock();
    void pageOutsideItsCellIsRefused();
};

void TablePageCacheTest::cellsOfOnePageCostOneCommand()
{
    RecordingDispatcher host;
    ScriptedTable table;
    table.AnswerAll(host);
    TestPageCache cache(host, MakeDescription(kPageRows, -1), 5);

    const auto first = cache.GetPage(3, 0);
    const auto second = cache.GetPage(7, 2);
    QCOMPARE(host.Count<TableCmds::GetTableViewPage>(), std::size_t(1));
    QCOMPARE(first.get(), second.get());
    QCOMPARE(host.Last<TableCmds::GetTableViewPage>().Get<TableCmds::RequestedRow>(), 3u);
    QCOMPARE(first->GetStartRow(), std::uint64_t(0));
    QCOMPARE(first->GetRowCount(), std::uint64_t(kPageRows));
    QCOMPARE(first->GetPageModel()->GetRow(7).GetColumn(2)->GetDisplayText().ToQString(), CellText(7, 2));

    // The next page is a page of its own.
    QVERIFY(cache.GetPage(10, 0).get() != first.get());
    QCOMPARE(host.Count<TableCmds::GetTableViewPage>(), std::size_t(2));
}

void TablePageCacheTest::sixthPageEvictsLeastRecentlyUsed()
{
    RecordingDispatcher host;
    ScriptedTable table;
    table.AnswerAll(host);
    TestPageCache cache(host, MakeDescription(kPageRows, -1), 5);
    QSignalSpy relayed(&cache, &TablePageCacheSignalProvider::pageDiscarded);

    for (int page = 0; page < 5; ++page)
        cache.GetPage(page * kPageRows, 0);
    cache.GetPage(0, 0); // promotes page 0: page 1 is now the least recently used
    QCOMPARE(relayed.count(), 0);

    cache.GetPage(5 * kPageRows, 0);
    QCOMPARE(cache.CachedPageCount(), std::size_t(5));
    QCOMPARE(relayed.count(), 1);
    QCOMPARE(Arguments(relayed.takeFirst()), Rect(kPageRows, 0, kPageRows, 3));

    // A page someone still holds leaves the cache silently and reports when its holder lets go.
    auto held = cache.GetPage(2 * kPageRows, 0);
    cache.GetPage(6 * kPageRows, 0); // evicts page 3
    cache.GetPage(7 * kPageRows, 0); // evicts page 4
    cache.GetPage(8 * kPageRows, 0); // evicts page 0
    cache.GetPage(9 * kPageRows, 0); // evicts page 5
    cache.GetPage(10 * kPageRows, 0); // evicts page 2, which is held
    QCOMPARE(relayed.count(), 4);
    held.reset();
    QCOMPARE(relayed.count(), 5);
    QCOMPARE(Arguments(relayed.last()), Rect(2 * kPageRows, 0, kPageRows, 3));
}

void TablePageCacheTest::otherCachesEventsChangeNothing_data()
{
    QTest::addColumn<int>("eventId");
    QTest::addColumn<int>("model");
    QTest::newRow("discarded, another guid") << Zel::Events::PageCacheDiscarded << 0;
    QTest::newRow("discarded, a record of another type") << Zel::Events::PageCacheDiscarded << 1;
    QTest::newRow("discarded, no record") << Zel::Events::PageCacheDiscarded << 2;
    QTest::newRow("changed, another guid") << Zel::Events::PageCacheChanged << 0;
    QTest::newRow("changed, a record of another type") << Zel::Events::PageCacheChanged << 1;
}

void TablePageCacheTest::otherCachesEventsChangeNothing()
{
    QFETCH(int, eventId);
    QFETCH(int, model);
    RecordingDispatcher host;
    ScriptedTable table;
    table.AnswerAll(host);
    {
        TestPageCache cache(host, MakeDescription(kPageRows, -1), 5);
        cache.CreateTableCache();
        cache.GetPage(0, 0);
        QSignalSpy relayed(&cache, &TablePageCacheSignalProvider::pageDiscarded);

        RefCntPtr<PresentationModel const> record;
        if (model == 0)
            record = MakeRefCnt<PageCacheIDPresModel>(); // a fresh guid
        else if (model == 1)
            record = MakeRefCnt<TableViewPageItemPresModel>();
        Notify(eventId, record);

        QVERIFY(!cache.IsCacheDiscarded());
        QCOMPARE(cache.CachedPageCount(), std::size_t(1));
        QCOMPARE(relayed.count(), 0);
        cache.GetPage(kPageRows, 0);
        QCOMPARE(host.Count<TableCmds::GetTableViewPage>(), std::size_t(2));
    }
    // Still not discarded: the clean-up went to the host.
    QCOMPARE(host.Count<TableCmds::DropTableViewCache>(), std::size_t(1));
}

void TablePageCacheTest::discardedCacheServesPlaceholdersThenRebuilds()
{
    RecordingDispatcher host;
    ScriptedTable table;
    table.AnswerAll(host);
    {
        TestPageCache cache(host, MakeDescription(kPageRows, -1), 5);
        cache.CreateTableCache();
        cache.GetPage(0, 0);
        QSignalSpy relayed(&cache, &TablePageCacheSignalProvider::pageDiscarded);

        Notify(Zel::Events::PageCacheDiscarded, SameCache(cache));
        QVERIFY(cache.IsCacheDiscarded());
        QVERIFY(cache.GetPage(5, 1)->GetPageModel());
        {
            const auto placeholder = cache.GetPage(23, 1);
            QVERIFY(!placeholder->GetPageModel());
            QCOMPARE(placeholder->GetStartRow(), std::uint64_t(23));
            // One placeholder per page, not one per cell.
            QCOMPARE(cache.GetPage(27, 0).get(), placeholder.get());
        }
        QCOMPARE(host.Count<TableCmds::GetTableViewPage>(), std::size_t(1));
        QCOMPARE(host.Count<TableCmds::CreateTableViewCache>(), std::size_t(1));
        QCOMPARE(relayed.count(), 0);

        // The rebuild is posted, not run inside the request that found the cache gone.
        QCoreApplication::sendPostedEvents(&cache, QEvent::MetaCall);
        QCOMPARE(host.Count<TableCmds::CreateTableViewCache>(), std::size_t(2));
        QVERIFY(!cache.IsCacheDiscarded());
        QCOMPARE(cache.CachedPageCount(), std::size_t(0));
        // Most recently used first.
        QCOMPARE(relayed.count(), 2);
        QCOMPARE(Arguments(relayed.at(0)), Rect(23, 1, kPageRows, kAllOfThem));
        QCOMPARE(Arguments(relayed.at(1)), Rect(0, 0, kPageRows, 3));

        QCOMPARE(cache.GetPage(27, 0)->GetPageModel()->GetRow(7).GetColumn(0)->GetDisplayText().ToQString(),
            CellText(27, 0));
        QCOMPARE(host.Count<TableCmds::GetTableViewPage>(), std::size_t(2));
    }
    // The discard switched the clean-up off for good: the rebuilt host cache is left to the host's
    // own time-out rather than dropped twice.
    QCOMPARE(host.Count<TableCmds::DropTableViewCache>(), std::size_t(0));
}

void TablePageCacheTest::placeholderCoversTheLayoutsPage_data()
{
    QTest::addColumn<int>("pageRows");
    QTest::addColumn<int>("pageColumns");
    QTest::addColumn<quint64>("rowCount");
    QTest::addColumn<quint64>("columnCount");
    QTest::newRow("rows by all columns") << 10 << -1 << quint64(10) << kAllOfThem;
    QTest::newRow("rows by columns") << 10 << 2 << quint64(10) << quint64(2);
    QTest::newRow("all rows by columns") << -1 << 2 << kAllOfThem << quint64(2);
}

void TablePageCacheTest::placeholderCoversTheLayoutsPage()
{
    QFETCH(int, pageRows);
    QFETCH(int, pageColumns);
    QFETCH(quint64, rowCount);
    QFETCH(quint64, columnCount);
    RecordingDispatcher host;
    TestPageCache cache(host, MakeDescription(pageRows, pageColumns), 5);
    Notify(Zel::Events::PageCacheDiscarded, SameCache(cache));
    QSignalSpy relayed(&cache, &TablePageCacheSignalProvider::pageDiscarded);

    cache.GetPage(13, 1);
    cache.ClearPages();
    QCOMPARE(relayed.count(), 1);
    QCOMPARE(Arguments(relayed.first()), Rect(13, 1, rowCount, columnCount));
    // The miss posted a rebuild but sent nothing; the rebuild dies with the cache.
    QVERIFY(host.Commands().empty());
}

void TablePageCacheTest::changedEventDropsEveryPage()
{
    RecordingDispatcher host;
    ScriptedTable table;
    table.AnswerAll(host);
    TestPageCache cache(host, MakeDescription(kPageRows, -1), 5);
    cache.GetPage(0, 0);
    cache.GetPage(kPageRows, 0);
    Notify(Zel::Events::PageCacheDiscarded, SameCache(cache));
    QSignalSpy relayed(&cache, &TablePageCacheSignalProvider::pageDiscarded);

    Notify(Zel::Events::PageCacheChanged, SameCache(cache));
    QCOMPARE(relayed.count(), 2);
    QCOMPARE(cache.CachedPageCount(), std::size_t(0));
    QVERIFY(!cache.IsCacheDiscarded());
    QVERIFY(cache.GetPage(0, 0)->GetPageModel());
    QCOMPARE(host.Count<TableCmds::GetTableViewPage>(), std::size_t(3));
    QCOMPARE(relayed.count(), 2);
}

void TablePageCacheTest::destructionRelaysNothing_data()
{
    QTest::addColumn<bool>("discarded");
    QTest::newRow("host cache present") << false;
    QTest::newRow("host cache discarded") << true;
}

void TablePageCacheTest::destructionRelaysNothing()
{
    QFETCH(bool, discarded);
    RecordingDispatcher host;
    ScriptedTable table;
    table.AnswerAll(host);
    auto cache = std::make_unique<TestPageCache>(host, MakeDescription(kPageRows, -1), 5);
    cache->CreateTableCache();
    cache->GetPage(0, 0);
    cache->GetPage(kPageRows, 0);
    if (discarded)
        Notify(Zel::Events::PageCacheDiscarded, SameCache(*cache));
    QSignalSpy relayed(cache.get(), &TablePageCacheSignalProvider::pageDiscarded);
    const auto& manager = *PresentationLayer::NotificationManager::Instance;
    const std::size_t changedHandlers = manager.HandlerCount(Zel::Events::PageCacheChanged);
    const std::size_t discardedHandlers = manager.HandlerCount(Zel::Events::PageCacheDiscarded);

    cache.reset();
    QCOMPARE(relayed.count(), 0);
    QCOMPARE(host.Count<TableCmds::DropTableViewCache>(), std::size_t(discarded ? 0 : 1));
    QCOMPARE(manager.HandlerCount(Zel::Events::PageCacheChanged), changedHandlers - 1);
    QCOMPARE(manager.HandlerCount(Zel::Events::PageCacheDiscarded), discardedHandlers - 1);
}

void TablePageCacheTest::failedCreateLeavesTheGuardFree()
{
    RecordingDispatcher host;
    ScriptedTable table;
    host.AnswerNull<TableCmds::CreateTableViewCache>();
    table.AnswerAll(host);
    TestPageCache cache(host, MakeDescription(kPageRows, -1), 5);
    QVERIFY_EXCEPTION_THROWN(cache.CreateTableCache(), LogicException);

    cache.CreateTableCache();
    QCOMPARE(host.Count<TableCmds::CreateTableViewCache>(), std::size_t(2));
}

void TablePageCacheTest::createWithinCreateDoesNothing()
{
    RecordingDispatcher host;
    ScriptedTable table;
    table.AnswerAll(host);
    TestPageCache cache(host, MakeDescription(kPageRows, -1), 5);
    int nested = 0;
    cache.duringCreate = [&] {
        if (nested++ == 0)
            cache.CreateTableCache();
    };
    cache.CreateTableCache();
    QCOMPARE(host.Count<TableCmds::CreateTableViewCache>(), std::size_t(1));
}

void TablePageCacheTest::clearWithinALoadDoesNotDeadlock()
{
    RecordingDispatcher host;
    ScriptedTable table;
    table.AnswerAll(host);
    TestPageCache cache(host, MakeDescription(kPageRows, -1), 5);
    cache.GetPage(0, 0);
    cache.duringLoad = [&] { Notify(Zel::Events::PageCacheChanged, SameCache(cache)); };

    const auto page = cache.GetPage(kPageRows, 0);
    QVERIFY(page->GetPageModel());
    // The change emptied the store during the load; the loaded page went into the emptied store.
    QCOMPARE(cache.CachedPageCount(), std::size_t(1));

    // A load that brings nothing caches nothing.
    cache.duringLoad = nullptr;
    cache.loadNothing = true;
    try {
        cache.GetPage(5 * kPageRows, 0);
        QFAIL("a missing page must raise");
    } catch (const LogicException& e) {
        QCOMPARE(QString::fromStdString(e.Condition()), QStringLiteral("page != nullptr"));
        QCOMPARE(QString::fromStdString(e.File()), QStringLiteral("public/models/TablePageCache"));
    }
    QCOMPARE(cache.CachedPageCount(), std::size_t(1));
}

void TablePageCacheTest::pageOutsideItsCellIsRefused()
{
    ScriptedTable table;
    const LoadedTablePage<PageModel> page(table.Page(20, 10));
    QCOMPARE(page.GetRelativeRow(29), std::uint64_t(9));
    for (std::uint64_t row : {std::uint64_t(19), std::uint64_t(30)}) {
        try {
            page.GetRelativeRow(row);
            QFAIL("a row outside the page must raise");
        } catch (const LogicException& e) {
            QCOMPARE(QString::fromStdString(e.Condition()), QStringLiteral("relIndex < m_rowCount"));
        }
    }
    try {
        page.GetRelativeColumn(3);
        QFAIL("a column outside the page must raise");
    } catch (const LogicException& e) {
        QCOMPARE(QString::fromStdString(e.Condition()), QStringLiteral("relIndex < m_columnCount"));
    }
    // A host answer without a page model cannot become a page.
    QVERIFY_EXCEPTION_THROWN(LoadedTablePage<PageModel> empty {PageModel()}, LogicException);
}

QTEST_MAIN(TablePageCacheTest)

#include "TablePageCacheTest.moc"
