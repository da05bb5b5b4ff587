#pragma once

#include "sim/ZelSimExport.h"

#include "host/doc/DataValue.h"
#include "host/doc/RefCnt.h"

#include <QtCore/QString>

#include <cstdint>
#include <string>
#include <vector>

class TableViewPageItemPresModel;

namespace Zel::Sim {

// One value of a table as it was read: SQLite's storage class and the value in it. A text comes
// either as UTF-8 bytes that the reader owns until its next row (SQLite's own API) or as a QString
// (QtSql); one column of one page gets all its texts the same way.
struct CellValue
{
    enum class Kind : std::uint8_t
    {
        Null,
        Integer,
        Real,
        Utf8,
        Text,
    };

    static CellValue Null() noexcept { return {}; }
    static CellValue Integer(qint64 value) noexcept
    {
        CellValue v;
        v.kind = Kind::Integer;
        v.integer = value;
        return v;
    }
    static CellValue Real(double value) noexcept
    {
        CellValue v;
        v.kind = Kind::Real;
        v.real = value;
        return v;
    }
    static CellValue Utf8(const char* bytes, int size) noexcept
    {
        CellValue v;
        v.kind = Kind::Utf8;
        v.utf8 = bytes;
        v.size = size;
        return v;
    }
    static CellValue Text(const QString& text) noexcept
    {
        CellValue v;
        v.kind = Kind::Text;
        v.text = &text;
        return v;
    }

    Kind kind = Kind::Null;
    qint64 integer = 0;
    double real = 0;
    const char* utf8 = nullptr;
    int size = 0;
    const QString* text = nullptr;
};

// Makes the cell records of one column, page after page.
//
// Most columns repeat a few values (ship modes, regions, dates, quantities) many times within a
// page, and a cell record is never changed once made, so equal cells share one record: fewer
// allocations per page and a smaller page. Equal means the same value as read, so a repeated value
// costs a hash of its bytes and no text at all. A column whose values turn out mostly distinct
// stops looking them up.
//
// A maker lives as long as the reader of its column, so that a value that comes back on a later
// page (a date, a customer, a product) finds the record made for an earlier one. It holds one
// reference to each record it may hand out again, a bounded number: past that it forgets them all
// and starts over.
class ZELSIM_EXPORT PageCellMaker
{
public:
    explicit PageCellMaker(DataType type);
    PageCellMaker(const PageCellMaker&) = delete;
    PageCellMaker& operator=(const PageCellMaker&) = delete;
    PageCellMaker(PageCellMaker&& other) noexcept;
    PageCellMaker& operator=(PageCellMaker&&) = delete;
    ~PageCellMaker();

    // A special cell (the member that stands for all others) is never shared; a null is always
    // special.
    RefCntPtr<TableViewPageItemPresModel const> Make(const CellValue& value, bool special);

    // The text a cell shows for a value of a column of `type`: integers in full, reals with two
    // decimals, texts as they are (in a numeric column too: a member table's first row is a text), a
    // null as "Null". Numbers in the C locale, as QString::number writes them.
    static QString DisplayText(const CellValue& value, DataType type);
    // QString::number(value, 'f', 2), without its cost for the values tables hold.
    static QString TwoDecimals(double value);
    // QString::number(value).
    static QString Integer(qint64 value);

    static int Alignment(DataType type);

private:
    // Sixteen bytes: the table of a column of thousands of values stays in the processor's cache.
    // The key's kind and size are stored with its bytes.
    struct Slot
    {
        std::uint32_t hash = 0;
        std::uint32_t keyOffset = 0;
        const TableViewPageItemPresModel* item = nullptr;
    };

    RefCntPtr<TableViewPageItemPresModel const> MakeItem(const CellValue& value, bool special) const;
    bool SameKey(const Slot& slot, CellValue::Kind kind, const char* key, std::size_t keySize) const;
    RefCntPtr<TableViewPageItemPresModel const> Hit(const Slot& slot);
    void Grow();
    // Drops the records kept and the table that finds them.
    void Forget() noexcept;

    DataType m_type;
    int m_alignment;
    bool m_sharing = true;
    long long m_lookups = 0;
    long long m_hits = 0;
    std::size_t m_used = 0;
    std::size_t m_mask = 0;
    std::vector<Slot> m_slots;
    // The slot of the value made or found last: a column often repeats the value of the row above
    // (the lines of one order share its id, date and customer).
    std::size_t m_last = 0;
    std::string m_keys;
};

} // namespace Zel::Sim
