#pragma once

#include "host/doc/Exceptions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

// The size of a cache entry, or a cache's capacity, counted in N independent units (pages, rows,
// bytes ...). Sizes are compared element by element, so two sizes may be unordered: {1, 5} neither
// fits within {2, 4} nor the other way round, and a cache must evict until every unit fits.
template <std::size_t N>
class CacheDimensions
{
    static_assert(N > 0, "a cache size needs at least one dimension");

public:
    using Counts = std::array<std::uint64_t, N>;

    constexpr CacheDimensions() noexcept = default;

    // Deliberately implicit for one dimension: a caller says "1" for an entry that counts one page.
    template <std::size_t M = N, std::enable_if_t<M == 1, int> = 0>
    constexpr CacheDimensions(std::uint64_t count) noexcept
        : m_dimensions {count}
    {
    }

    constexpr explicit CacheDimensions(const Counts& counts) noexcept
        : m_dimensions(counts)
    {
    }

    constexpr std::uint64_t operator[](std::size_t i) const noexcept { return m_dimensions[i]; }
    constexpr const Counts& Values() const noexcept { return m_dimensions; }

    // The total of a cache never comes near 2^64 units, so no overflow check is paid here.
    CacheDimensions& operator+=(const CacheDimensions& rhs) noexcept
    {
        for (std::size_t i = 0; i < N; ++i)
            m_dimensions[i] += rhs.m_dimensions[i];
        return *this;
    }

    // A total going below zero means the cache's bookkeeping is broken. Every dimension is checked
    // before any is changed, so a failed subtraction leaves the value as it was.
    CacheDimensions& operator-=(const CacheDimensions& rhs)
    {
        for (std::size_t i = 0; i < N; ++i)
            ZEL_LOGIC_CHECK("public/utility/CacheDimensions", m_dimensions[i] >= rhs.m_dimensions[i]);
        for (std::size_t i = 0; i < N; ++i)
            m_dimensions[i] -= rhs.m_dimensions[i];
        return *this;
    }

    constexpr bool FitsWithin(const CacheDimensions& limit) const noexcept
    {
        for (std::size_t i = 0; i < N; ++i)
            if (m_dimensions[i] > limit.m_dimensions[i])
                return false;
        return true;
    }

    constexpr bool Exceeds(const CacheDimensions& limit) const noexcept { return !FitsWithin(limit); }

    friend constexpr bool operator==(const CacheDimensions& a, const CacheDimensions& b) noexcept
    {
        for (std::size_t i = 0; i < N; ++i)
            if (a.m_dimensions[i] != b.m_dimensions[i])
                return false;
        return true;
    }
    friend constexpr bool operator!=(const CacheDimensions& a, const CacheDimensions& b) noexcept { return !(a == b); }

private:
    Counts m_dimensions {};
};
