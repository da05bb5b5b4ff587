#pragma once

#include "sim/ZelSimExport.h"

#include "host/doc/TUUID.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>

namespace Zel::Sim {

class SampleWorkbook;
class SimHost;

// The simulated host's table caches over the sample workbook: the table-view commands.
//
// A cache is made for a field's table. A name that is the data source itself ("[Orders]", or a
// bare "Orders") gives the orders table's rows, one column per field; a field of the data source
// gives that field's members: its distinct values with their number of orders, after a first row
// "(All)" that stands for every member and is marked special, as are null values. Members live in
// a temporary table of their own, dropped with the cache.
//
// Pages are read by row position with keyset access, never by skipping rows: in the natural order
// a position is a row id by arithmetic (both sources number their rows without gaps), and a sort
// materialises the sorted order of row ids once and then reports the cache changed
// (PageCacheChanged). A page therefore costs the same wherever it lies, sorted or not.
//
// A cache not used for its time-out is dropped and reported discarded (PageCacheDiscarded); a timer
// checks once a second. DiscardCache and DiscardAll do the same on demand.
//
// The handlers registered on the host hold this object weakly: once it is destroyed they refuse
// every command, so it may go before the host. It must go before the workbook.
class ZELSIM_EXPORT TableViewArea
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    TableViewArea(SimHost& host, SampleWorkbook& workbook);
    ~TableViewArea();
    TableViewArea(const TableViewArea&) = delete;
    TableViewArea& operator=(const TableViewArea&) = delete;

    std::size_t CacheCount() const;
    bool HasCache(const TUUID& guid) const;

    // Drops a cache and reports it discarded; false when there is no such cache.
    bool DiscardCache(const TUUID& guid);
    // Returns how many caches were discarded.
    std::size_t DiscardAll();
    std::size_t DiscardIdle();

    // Where "now" comes from for the time-outs (default: the steady clock).
    void SetClock(Clock clock);

    // Pages answered and sorts materialised since construction.
    long long PagesServed() const;
    long long SortsMaterialised() const;

    struct Impl;

private:
    std::shared_ptr<Impl> m_impl;
};

} // namespace Zel::Sim
