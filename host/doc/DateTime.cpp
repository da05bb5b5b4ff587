#include "DateTime.h"

DateTime DateTime::FromMSecsSinceEpoch(std::int64_t msecs)
{
    DateTime dt;
    dt.m_msecs = msecs;
    return dt;
}

DateTime DateTime::FromQDateTime(const QDateTime& dt)
{
    return dt.isValid() ? FromMSecsSinceEpoch(dt.toMSecsSinceEpoch()) : DateTime();
}

QDateTime DateTime::ToQDateTime(bool utc) const
{
    if (IsEarliest())
        return QDateTime(QDate(100, 1, 1), QTime(0, 0), utc ? Qt::UTC : Qt::LocalTime);
    return QDateTime::fromMSecsSinceEpoch(m_msecs, utc ? Qt::UTC : Qt::LocalTime);
}

QDate DateTime::ToQDate() const
{
    return ToQDateTime(false).date();
}

namespace DateTimeUtils {
QDate MinDateEditDate()
{
    return QDate(1752, 9, 14);
}

QDate MaxDateEditDate()
{
    return QDate(9999, 12, 31);
}
} // namespace DateTimeUtils
