#pragma once

#include "ZelHostDocExport.h"

#include <QtCore/QDateTime>

#include <cstdint>
#include <limits>

// A point in time in milliseconds since 1970-01-01 UTC. A default DateTime is the earliest
// representable time, so it compares before every real one.
class ZELHOST_DOC_EXPORT DateTime
{
public:
    DateTime() = default;
    static DateTime FromMSecsSinceEpoch(std::int64_t msecs);
    static DateTime FromQDateTime(const QDateTime& dt);

    std::int64_t ToMSecsSinceEpoch() const noexcept { return m_msecs; }
    bool IsEarliest() const noexcept { return m_msecs == kEarliest; }

    // `utc` true gives the time in UTC, false in the local time zone.
    QDateTime ToQDateTime(bool utc = false) const;
    QDate ToQDate() const;

    friend bool operator<(const DateTime& a, const DateTime& b) noexcept { return a.m_msecs < b.m_msecs; }
    friend bool operator==(const DateTime& a, const DateTime& b) noexcept { return a.m_msecs == b.m_msecs; }
    friend bool operator!=(const DateTime& a, const DateTime& b) noexcept { return a.m_msecs != b.m_msecs; }

private:
    static constexpr std::int64_t kEarliest = std::numeric_limits<std::int64_t>::min();
    std::int64_t m_msecs = kEarliest;
};

namespace DateTimeUtils {
// The range that the host's date editors accept.
ZELHOST_DOC_EXPORT QDate MinDateEditDate();
ZELHOST_DOC_EXPORT QDate MaxDateEditDate();
} // namespace DateTimeUtils
