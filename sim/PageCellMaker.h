#pragma once

#include "sim/ZelSimExport.h"

#include "host/doc/DataValue.h"
#include "host/doc/RefCnt.h"

#include <QtCore/QString>

#include <cstdint>

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

// Makes the cell record that shows one value of a column: its text, its alignment and whether it
// is special. Stateless: the page's rows make their cells when a view first asks for one of them.
class ZELSIM_EXPORT PageCellMaker
{
public:
    PageCellMaker() = delete;

    // A null is always special.
    static RefCntPtr<TableViewPageItemPresModel const> Make(const CellValue& value, DataType type, bool special);

    // The text a cell shows for a value of a column of `type`: integers in full, reals with two
    // decimals, texts as they are (in a numeric column too: a member table's first row is a text), a
    // null as "Null". Numbers in the C locale, as QString::number writes them.
    static QString DisplayText(const CellValue& value, DataType type);
    // QString::number(value, 'f', 2), without its cost for the values tables hold.
    static QString TwoDecimals(double value);
    // QString::number(value).
    static QString Integer(qint64 value);

    static int Alignment(DataType type);
};

} // namespace Zel::Sim
