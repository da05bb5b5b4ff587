#pragma once

#include "host/doc/CommandDispatcher.h"
#include "host/doc/ComponentCleanup.h"
#include "host/doc/Exceptions.h"
#include "host/doc/NotificationManager.h"
#include "host/doc/PageCacheIDPresModel.h"
#include "host/ui/QtSignalBlocker.h"
#include "host/ui/TablePageCacheSignalProvider.h"
#include "host/ui/TablePageSignalProvider.h"
#include "public/utility/MruCache.h"

#include <boost/thread/lock_types.hpp>
#include <boost/thread/mutex.hpp>

#include <QtCore/QMetaObject>

#include <cstdint>
#include <memory>
#include <utility>

namespace TablePageCacheDetail {
inline constexpr const char* kSource = "public/models/TablePageCache";
}

// A rectangle of a host table held in memory: m_rowCount rows from m_startRow, m_columnCount
// columns from m_startColumn. A count of 4294967295 (a placeholder for a layout that pages all
// rows or all columns) stands for the rest of the table.
//
// Pages are shared (std::shared_ptr) between the cache and whoever asked for one; the page emits
// pageDiscarded when the last holder lets go, so that a view can repaint what it covered.
template <typename T>
class TablePage : public TablePageSignalProvider
{
public:
    ~TablePage() override { emit pageDiscarded(m_startRow, m_startColumn, m_rowCount, m_columnCount); }

    TablePage(const TablePage&) = delete;
    TablePage& operator=(const TablePage&) = delete;

    virtual const T& GetPageModel() const = 0;

    std::uint64_t GetStartRow() const noexcept { return m_startRow; }
    std::uint64_t GetStartColumn() const noexcept { return m_startColumn; }
    std::uint64_t GetRowCount() const noexcept { return m_rowCount; }
    std::uint64_t GetColumnCount() const noexcept { return m_columnCount; }

    // The page-relative index of a table row. The subtraction wraps for a row above the page, so
    // that one unsigned comparison refuses rows on both sides.
    std::uint64_t GetRelativeRow(std::uint64_t row) const
    {
        const std::uint64_t relIndex = row - m_startRow;
        ZEL_LOGIC_CHECK(TablePageCacheDetail::kSource, relIndex < m_rowCount);
        return relIndex;
    }
    std::uint64_t GetRelativeColumn(std::uint64_t column) const
    {
        const std::uint64_t relIndex = column - m_startColumn;
        ZEL_LOGIC_CHECK(TablePageCacheDetail::kSource, relIndex < m_columnCount);
        return relIndex;
    }

protected:
    TablePage(std::uint64_t startRow, std::uint64_t startColumn, std::uint64_t rowCount, std::uint64_t columnCount)
        : m_startRow(startRow)
        , m_startColumn(startColumn)
        , m_rowCount(rowCount)
        , m_columnCount(columnCount)
    {
    }

private:
    std::uint64_t m_startRow;
    std::uint64_t m_startColumn;
    std::uint64_t m_rowCount;
    std::uint64_t m_columnCount;
};

// A page that the host delivered: its rectangle is the one its model reports. `T` is a counted
// pointer to the host's page record (it must offer GetPageInfo()); an empty one raises "m_ptr".
template <typename T>
class LoadedTablePage final : public TablePage<T>
{
public:
    explicit LoadedTablePage(T pageModel)
        : TablePage<T>(pageModel->GetPageInfo().GetStartDataRow(), pageModel->GetPageInfo().GetStartDataColumn(),
            pageModel->GetPageInfo().GetRowCount(), pageModel->GetPageInfo().GetColumnCount())
        , m_pageModel(std::move(pageModel))
    {
    }

    const T& GetPageModel() const override { return m_pageModel; }

private:
    T m_pageModel;
};

// Stands in for a page while the host has no cache to load it from: no model, and a rectangle
// that starts at the cell that was asked for.
template <typename T>
class EmptyTablePage final : public TablePage<T>
{
public:
    EmptyTablePage(std::uint64_t row, std::uint64_t column, std::uint64_t rowCount, std::uint64_t columnCount)
        : TablePage<T>(row, column, rowCount, columnCount)
    {
    }

    const T& GetPageModel() const override
    {
        static const T empty {};
        return empty;
    }
};

// The client side of a host table cache: the few most recently used pages, fetched on demand.
//
// Owns the clean-up commands of the host cache (sent when this object goes, unless the host has
// discarded the cache at some point: one rebuilt after that is left to the host's time-out) and
// two registrations with the host's notification manager: when the host reports this cache
// changed, every page is dropped; when it reports the cache discarded, pages already held are
// still served, a missing page becomes a placeholder and a rebuild of the host cache is posted to
// the event loop. Every page that leaves memory is relayed through pageDiscarded (not while this
// object is being destroyed).
//
// A concrete cache supplies the two host commands: LoadPage and CreateCache. Whoever owns the
// concrete cache calls CreateTableCache once after constructing it.
//
// GUI thread only, but safe against re-entrance on that thread: a notification delivered while a
// page loads may clear the page store (its lock is recursive), and a rebuild that finds another
// one running further up the same call chain does nothing.
template <typename T>
class TablePageCache : public TablePageCacheSignalProvider
{
public:
    using Page = TablePage<T>;
    using PagePtr = std::shared_ptr<Page>;
    using PageKey = std::pair<unsigned int const, unsigned int const> const;
    using PageStore = MruCache<PageKey, PagePtr, 1>;

    TablePageCache(const ICommandDispatcher& dispatcher, const RefCntPtr<PageCacheIDPresModel const>& cacheId,
        CacheDimensions<1> capacity)
        : m_cleanup(std::make_unique<ComponentCleanup>(dispatcher))
        , m_cacheId(cacheId)
        , m_dispatcher(&dispatcher)
        , m_pages(capacity)
    {
        using Handler = PresentationLayer::NotificationHandler<PageCacheIDPresModel>;
        PresentationLayer::NotificationManager& manager = *PresentationLayer::NotificationManager::Instance;
        m_discardedRegistration = manager.RegisterHandler(Zel::Events::PageCacheDiscarded,
            std::make_shared<Handler>(
                [this](const RefCntPtr<PageCacheIDPresModel const>& id) { OnPageCacheDiscarded(id); }));
        m_changedRegistration = manager.RegisterHandler(Zel::Events::PageCacheChanged,
            std::make_shared<Handler>(
                [this](const RefCntPtr<PageCacheIDPresModel const>& id) { OnPageCacheChanged(id); }));
    }

    // The order matters: no notification may reach a half-destroyed cache, the host must be told
    // to drop its cache while the dispatcher is known to be alive, and pages that go now must not
    // make views repaint cells of a model that is going away.
    ~TablePageCache() override
    {
        m_discardedRegistration.reset();
        m_changedRegistration.reset();
        m_cleanup.reset();
        const QtSignalBlocker blocker(this);
        m_pages.Clear();
    }

    TablePageCache(const TablePageCache&) = delete;
    TablePageCache& operator=(const TablePageCache&) = delete;

    // (Re)creates the host cache and drops every page, placeholders included. Posted rebuilds may
    // run while a creation is still under way further up the call chain (the create command can
    // process events); those return at once.
    void CreateTableCache() override
    {
        boost::unique_lock<boost::mutex> guard(m_createGuard, boost::try_to_lock);
        if (!guard.owns_lock())
            return;
        CreateCache();
        ClearPages();
    }

    // The page that holds a cell; only the first cell of a page that is not in memory costs a
    // command. While the host cache is discarded, a missing page is a placeholder.
    virtual PagePtr GetPage(std::uint64_t row, std::uint64_t column)
    {
        PagePtr page = m_pages.GetOrInsert(
            KeyOf(row, column), [this, row, column] { return CreatePage(row, column); }, 1);
        ZEL_LOGIC_CHECK(TablePageCacheDetail::kSource, page != nullptr);
        return page;
    }

    // The same page as GetPage, handed to `use` (as `const Page&`) while the page store's lock is
    // held, and what `use` returns: a caller that reads a cell of the page takes no reference to
    // it. A view reads cells many thousand times per page. `use` must not re-enter this cache.
    template <typename Use>
    auto UsePage(std::uint64_t row, std::uint64_t column, Use&& use)
    {
        return m_pages.UseOrInsert(
            KeyOf(row, column), [this, row, column] { return CreatePage(row, column); }, 1,
            [&use](const PagePtr& page) {
                ZEL_LOGIC_CHECK(TablePageCacheDetail::kSource, page != nullptr);
                return use(static_cast<const Page&>(*page));
            });
    }

    virtual PagePtr CreateEmptyPage(std::uint64_t row, std::uint64_t column)
    {
        // -1 is kept as its 32-bit pattern, which readers of a page take for "to the end".
        const int rowCount = m_cacheId->UsingAllRows() ? -1 : m_cacheId->GetPageRowCount();
        const int columnCount = m_cacheId->UsingAllColumns() ? -1 : m_cacheId->GetPageColumnCount();
        return std::make_shared<EmptyTablePage<T>>(row, column, std::uint64_t {static_cast<std::uint32_t>(rowCount)},
            std::uint64_t {static_cast<std::uint32_t>(columnCount)});
    }

    virtual PagePtr LoadPage(unsigned int row, unsigned int column) = 0;
    virtual void CreateCache() = 0;

    virtual void OnPageCacheChanged(const RefCntPtr<PageCacheIDPresModel const>& id)
    {
        if (IsOwnCache(id))
            ClearPages();
    }

    virtual void ClearPages()
    {
        m_pages.Clear();
        m_cacheDiscarded = false;
    }

    virtual void OnPageCacheDiscarded(const RefCntPtr<PageCacheIDPresModel const>& id)
    {
        if (!IsOwnCache(id))
            return;
        m_cacheDiscarded = true;
        // The host has dropped the cache already; asking it to drop it again later would be wrong.
        m_cleanup->Discard();
    }

    bool IsCacheDiscarded() const noexcept { return m_cacheDiscarded; }
    std::size_t CachedPageCount() const { return m_pages.Count(); }
    const RefCntPtr<PageCacheIDPresModel const>& GetCacheId() const noexcept { return m_cacheId; }

protected:
    const ICommandDispatcher& GetDispatcher() const noexcept { return *m_dispatcher; }
    ComponentCleanup& GetCleanup() noexcept { return *m_cleanup; }

private:
    // Every cell of one page gives the same key: the low 32 bits of each index are the host's.
    PageKey KeyOf(std::uint64_t row, std::uint64_t column) const
    {
        return PageKey {m_cacheId->CalculateCacheRow(static_cast<unsigned int>(row)),
            m_cacheId->CalculateCacheColumn(static_cast<unsigned int>(column))};
    }

    bool IsOwnCache(const RefCntPtr<PageCacheIDPresModel const>& id) const
    {
        return id && id->GetCacheGuid() == m_cacheId->GetCacheGuid();
    }

    // The page store's factory: runs under the store's lock whenever the page will be cached.
    PagePtr CreatePage(std::uint64_t row, std::uint64_t column)
    {
        PagePtr page;
        if (m_cacheDiscarded) {
            const bool success = QMetaObject::invokeMethod(this, "CreateTableCache", Qt::QueuedConnection);
            ZEL_LOGIC_CHECK(TablePageCacheDetail::kSource, success);
            page = CreateEmptyPage(row, column);
        } else {
            page = LoadPage(static_cast<unsigned int>(row), static_cast<unsigned int>(column));
        }
        // Checked here as well as in GetPage, so that a missing page is never cached.
        ZEL_LOGIC_CHECK(TablePageCacheDetail::kSource, page != nullptr);
        QObject::connect(
            page.get(), &TablePageSignalProvider::pageDiscarded, this, &TablePageCacheSignalProvider::pageDiscarded);
        return page;
    }

    std::unique_ptr<ComponentCleanup> m_cleanup;
    RefCntPtr<PageCacheIDPresModel const> m_cacheId;
    const ICommandDispatcher* m_dispatcher;
    std::shared_ptr<void> m_discardedRegistration;
    std::shared_ptr<void> m_changedRegistration;
    bool m_cacheDiscarded = false;
    boost::mutex m_createGuard;
    PageStore m_pages;
};
