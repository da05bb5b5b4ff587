#pragma once

#include "EventIds.h"
#include "PresentationModel.h"
#include "TUUID.h"

#include <chrono>

// Identity and page geometry of one host table cache. The guid is made with the record, so the
// client that creates the record names the cache, and every later event about that cache carries
// the same guid (possibly in a record of the host's own).
//
// A page row or column count of zero or less means that a page spans all rows, resp. all columns.
class ZELHOST_DOC_EXPORT PageCacheIDPresModel : public PresentationModel
{
public:
    PageCacheIDPresModel();
    PageCacheIDPresModel(const PageCacheIDPresModel&) = default;
    ~PageCacheIDPresModel() override;

    ZEL_PRES_FIELD(TUUID, CacheGuid)
    ZEL_PRES_FIELD(int, PageRowCount)
    ZEL_PRES_FIELD(int, PageColumnCount)
    ZEL_PRES_FIELD(std::chrono::seconds, CacheTimeout)

public:
    bool UsingAllRows() const noexcept { return m_PageRowCount <= 0; }
    bool UsingAllColumns() const noexcept { return m_PageColumnCount <= 0; }

    // The page row index and page column index of a cell; every cell of one page gives the same.
    unsigned int CalculateCacheRow(unsigned int row) const noexcept
    {
        return UsingAllRows() ? 0u : row / static_cast<unsigned int>(m_PageRowCount);
    }
    unsigned int CalculateCacheColumn(unsigned int column) const noexcept
    {
        return UsingAllColumns() ? 0u : column / static_cast<unsigned int>(m_PageColumnCount);
    }
};
