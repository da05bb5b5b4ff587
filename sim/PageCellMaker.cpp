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

// Sharing is given up for a column when fewer than half of this many lookups found a record.
constexpr int kTrialCells = 64;
constexpr std::size_t kFirstSlotCount = 256;
// The records a column keeps for later pages: dates, names and products of a whole table fit, and
// a column of values that never come back (order ids) is bounded to a fraction of a page's heap.
constexpr std::size_t kMostKept = 2048;
// Before each key in the key store: its kind (one byte) and its size (four).
constexpr std::size_t kKeyHeader = 5;

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

// The key's bytes mixed eight at a time: a table of a few thousand values needs no more, and this
// costs a fraction of a general-purpose hash of the same bytes.
std::uint32_t KeyHash(const char* key, std::size_t size, CellValue::Kind kind)
{
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;
    std::uint64_t h = (static_cast<std::uint64_t>(kind) << 32) ^ size;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, key + i, 8);
        h = (h ^ word) * kMultiplier;
        h ^= h >> 29;
    }
    if (i < size) {
        std::uint64_t word = 0;
        std::memcpy(&word, key + i, size - i);
        h = (h ^ word) * kMultiplier;
        h ^= h >> 29;
    }
    h *= kMultiplier;
    return static_cast<std::uint32_t>(h >> 32);
}

} // namespace

PageCellMaker::PageCellMaker(DataType type)
    : m_type(type)
    , m_alignment(Alignment(type))
{
}

PageCellMaker::~PageCellMaker()
{
    Forget();
}

PageCellMaker::PageCellMaker(PageCellMaker&& other) noexcept
    : m_type(other.m_type)
    , m_alignment(other.m_alignment)
    , m_sharing(other.m_sharing)
    , m_lookups(other.m_lookups)
    , m_hits(other.m_hits)
    , m_used(std::exchange(other.m_used, 0))
    , m_mask(std::exchange(other.m_mask, 0))
    , m_slots(std::move(other.m_slots))
    , m_last(std::exchange(other.m_last, 0))
    , m_keys(std::move(other.m_keys))
{
    other.m_slots.clear();
}

void PageCellMaker::Forget() noexcept
{
    for (Slot& slot : m_slots) {
        if (slot.item)
            slot.item->RemoveReference();
    }
    m_slots = std::vector<Slot>();
    m_keys = std::string();
    m_used = 0;
    m_mask = 0;
    m_last = 0;
}

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

RefCntPtr<TableViewPageItemPresModel const> PageCellMaker::MakeItem(const CellValue& value, bool special) const
{
    auto item = MakeRefCnt<TableViewPageItemPresModel>();
    item->SetDisplayText(DisplayText(value, m_type));
    item->SetAlignmentFlags(m_alignment);
    item->SetIsSpecial(special || value.kind == CellValue::Kind::Null);
    return RefCntPtr<TableViewPageItemPresModel const>(std::move(item));
}

// Inline: called for most cells, and an exported member is otherwise called through the PLT.
inline bool PageCellMaker::SameKey(const Slot& slot, CellValue::Kind kind, const char* key, std::size_t keySize) const
{
    const char* stored = m_keys.data() + slot.keyOffset;
    std::uint32_t storedSize = 0;
    std::memcpy(&storedSize, stored + 1, sizeof storedSize);
    return static_cast<CellValue::Kind>(stored[0]) == kind && storedSize == keySize
        && std::memcmp(stored + kKeyHeader, key, keySize) == 0;
}

inline RefCntPtr<TableViewPageItemPresModel const> PageCellMaker::Hit(const Slot& slot)
{
    ++m_hits;
    return RefCntPtr<TableViewPageItemPresModel const>(slot.item);
}

RefCntPtr<TableViewPageItemPresModel const> PageCellMaker::Make(const CellValue& value, bool special)
{
    if (special || !m_sharing)
        return MakeItem(value, special);

    // A null has no bytes; its key is empty, not absent.
    const char* key = "";
    std::size_t keySize = 0;
    switch (value.kind) {
    case CellValue::Kind::Null:
        break;
    case CellValue::Kind::Integer:
        key = reinterpret_cast<const char*>(&value.integer);
        keySize = sizeof value.integer;
        break;
    case CellValue::Kind::Real:
        key = reinterpret_cast<const char*>(&value.real);
        keySize = sizeof value.real;
        break;
    case CellValue::Kind::Utf8:
        key = value.utf8;
        keySize = static_cast<std::size_t>(value.size);
        break;
    case CellValue::Kind::Text:
        key = reinterpret_cast<const char*>(value.text->constData());
        keySize = static_cast<std::size_t>(value.text->size()) * sizeof(QChar);
        break;
    }

    ++m_lookups;
    if (m_slots.empty()) {
        m_slots.resize(kFirstSlotCount);
        m_mask = kFirstSlotCount - 1;
    } else if (m_slots[m_last].item && SameKey(m_slots[m_last], value.kind, key, keySize)) {
        return Hit(m_slots[m_last]);
    }

    const std::uint32_t hash = KeyHash(key, keySize, value.kind);
    std::size_t index = hash & m_mask;
    for (;; index = (index + 1) & m_mask) {
        const Slot& slot = m_slots[index];
        if (!slot.item)
            break;
        if (slot.hash == hash && SameKey(slot, value.kind, key, keySize)) {
            m_last = index;
            return Hit(slot);
        }
    }

    RefCntPtr<TableViewPageItemPresModel const> item = MakeItem(value, false);
    if (m_lookups >= kTrialCells && m_hits * 2 < m_lookups) {
        m_sharing = false;
        Forget();
        return item;
    }
    if (m_used == kMostKept) {
        Forget();
        m_slots.resize(kFirstSlotCount);
        m_mask = kFirstSlotCount - 1;
        index = hash & m_mask;
    }
    Slot& slot = m_slots[index];
    slot.hash = hash;
    slot.keyOffset = static_cast<std::uint32_t>(m_keys.size());
    slot.item = item.get();
    slot.item->AddReference();
    const auto storedSize = static_cast<std::uint32_t>(keySize);
    m_keys.push_back(static_cast<char>(value.kind));
    m_keys.append(reinterpret_cast<const char*>(&storedSize), sizeof storedSize);
    m_keys.append(key, keySize);
    m_last = index;
    if (++m_used * 2 > m_slots.size())
        Grow();
    return item;
}

void PageCellMaker::Grow()
{
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    m_mask = m_slots.size() - 1;
    const Slot last = old[m_last];
    for (const Slot& slot : old) {
        if (!slot.item)
            continue;
        std::size_t index = slot.hash & m_mask;
        while (m_slots[index].item)
            index = (index + 1) & m_mask;
        m_slots[index] = slot;
        if (slot.item == last.item)
            m_last = index;
    }
}

} // namespace Zel::Sim
