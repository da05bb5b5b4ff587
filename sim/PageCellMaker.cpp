#include "PageCellMaker.h"

#include "host/doc/TableViewPresModels.h"

#include <QtCore/QLocale>

#include <cmath>
#include <cstring>
#include <utility>

namespace Zel::Sim {

namespace {

constexpr int kTextAlignment = Qt::AlignLeft | Qt::AlignVCenter;
constexpr int kNumberAlignment = Qt::AlignRight | Qt::AlignVCenter;

// Where TwoDecimals may round by itself: below this magnitude the value times 100 is exact to
// within 2e-5, and a value whose hundredths lie further than kTieMargin from a tie rounds the same
// way exactly as computed.
constexpr double kFastMagnitude = 1e9;
constexpr double kTieMargin = 1e-4;

// A QString of Latin-1 (here: ASCII) bytes, written in place.
QString Widened(const char* bytes, int size)
{
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    for (int i = 0; i < size; ++i)
        out[i] = QLatin1Char(bytes[i]);
    return text;
}

// Most texts of a table are ASCII, which needs no decoding: Qt widens Latin-1 with vector
// instructions.
QString FromUtf8(const char* bytes, int size)
{
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    std::uint64_t high = 0;
    int i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        high |= word;
    }
    for (; i < size; ++i)
        high |= static_cast<uchar>(bytes[i]);
    if (high & kHighBits)
        return QString::fromUtf8(bytes, size);
    return QString::fromLatin1(bytes, size);
}

// Writes the decimal digits of `n` backwards, ending before `end`; returns the first one.
char* DigitsBefore(char* end, std::uint64_t n)
{
    do {
        *--end = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    return end;
}

} // namespace

int PageCellMaker::Alignment(DataType type)
{
    return IsNumericDataType(type) ? kNumberAlignment : kTextAlignment;
}

QString PageCellMaker::Integer(qint64 value)
{
    char buffer[24];
    char* const end = buffer + sizeof buffer;
    // Negated as unsigned, so that the lowest value has a magnitude too.
    const std::uint64_t magnitude
        = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    char* first = DigitsBefore(end, magnitude);
    if (value < 0)
        *--first = '-';
    return Widened(first, static_cast<int>(end - first));
}

QString PageCellMaker::TwoDecimals(double value)
{
    const double magnitude = std::fabs(value);
    if (magnitude < kFastMagnitude) {
        const double scaled = magnitude * 100.0;
        const double whole = std::floor(scaled);
        const double fraction = scaled - whole;
        if (std::fabs(fraction - 0.5) > kTieMargin) {
            const auto hundredths = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
            // A negative value that rounds to zero keeps whatever sign Qt gives it.
            if (hundredths != 0 || !std::signbit(value)) {
                char buffer[32];
                char* const end = buffer + sizeof buffer;
                char* first = end;
                *--first = static_cast<char>('0' + hundredths % 10);
                *--first = static_cast<char>('0' + hundredths / 10 % 10);
                *--first = '.';
                first = DigitsBefore(first, hundredths / 100);
                if (std::signbit(value))
                    *--first = '-';
                return Widened(first, static_cast<int>(end - first));
            }
        }
    }
    return QString::number(value, 'f', 2);
}

QString PageCellMaker::DisplayText(const CellValue& value, DataType type)
{
    switch (value.kind) {
    case CellValue::Kind::Null:
        return QStringLiteral("Null");
    case CellValue::Kind::Integer:
        return type == DT_REAL ? TwoDecimals(static_cast<double>(value.integer)) : Integer(value.integer);
    case CellValue::Kind::Real:
        if (type == DT_REAL)
            return TwoDecimals(value.real);
        if (type == DT_INTEGER)
            return Integer(qRound64(value.real));
        return QString::number(value.real, 'g', QLocale::FloatingPointShortest);
    case CellValue::Kind::Utf8:
        return FromUtf8(value.utf8, value.size);
    case CellValue::Kind::Text:
        return *value.text;
    }
    return QString();
}

RefCntPtr<TableViewPageItemPresModel const> PageCellMaker::Make(const CellValue& value, DataType type, bool special)
{
    auto item = MakeRefCnt<TableViewPageItemPresModel>();
    item->SetDisplayText(DisplayText(value, type));
    item->SetAlignmentFlags(Alignment(type));
    item->SetIsSpecial(special || value.kind == CellValue::Kind::Null);
    return RefCntPtr<TableViewPageItemPresModel const>(std::move(item));
}

} // namespace Zel::Sim
