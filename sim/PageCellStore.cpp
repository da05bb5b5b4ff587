#include "PageCellStore.h"

#include "host/doc/Exceptions.h"

#include <algorithm>
#include <utility>

namespace Zel::Sim {

namespace {
// Bytes of text a row of a table like the orders table keeps, to size the store once; a page of all
// rows of a large table grows its buffer as it fills instead.
constexpr std::size_t kTextBytesPerRow = 160;
constexpr std::size_t kRowsSizedAhead = 4096;
} // namespace

PageCellStore::PageCellStore(std::vector<DataType> types, int specialColumn, std::size_t rowCapacity)
    : m_types(std::move(types))
    , m_specialColumn(specialColumn)
{
    m_values.reserve(rowCapacity * m_types.size());
    m_special.reserve(rowCapacity);
    m_bytes.reserve(std::min(rowCapacity, kRowsSizedAhead) * kTextBytesPerRow);
}

PageCellStore::~PageCellStore() = default;

unsigned int PageCellStore::Append(bool special, const CellValue* values)
{
    for (std::size_t c = 0; c < m_types.size(); ++c) {
        const CellValue& in = values[c];
        Value out;
        out.kind = in.kind;
        out.integer = 0;
        switch (in.kind) {
        case CellValue::Kind::Null:
            break;
        case CellValue::Kind::Integer:
            out.integer = in.integer;
            break;
        case CellValue::Kind::Real:
            out.real = in.real;
            break;
        case CellValue::Kind::Utf8:
            out.offset = m_bytes.size();
            out.size = static_cast<std::uint32_t>(in.size);
            m_bytes.append(in.utf8, static_cast<std::size_t>(in.size));
            break;
        case CellValue::Kind::Text:
            out.offset = m_texts.size();
            m_texts.push_back(*in.text);
            break;
        }
        m_values.push_back(out);
    }
    m_special.push_back(special);
    return static_cast<unsigned int>(m_special.size() - 1);
}

std::vector<RefCntPtr<TableViewPageItemPresModel const>> PageCellStore::MakeCells(unsigned int row) const
{
    ZEL_LOGIC_CHECK("sim/PageCellStore", row < m_special.size());
    const std::size_t columns = m_types.size();
    const Value* values = m_values.data() + row * columns;
    std::vector<RefCntPtr<TableViewPageItemPresModel const>> cells;
    cells.reserve(columns);
    for (std::size_t c = 0; c < columns; ++c) {
        const Value& stored = values[c];
        CellValue value;
        switch (stored.kind) {
        case CellValue::Kind::Null:
            break;
        case CellValue::Kind::Integer:
            value = CellValue::Integer(stored.integer);
            break;
        case CellValue::Kind::Real:
            value = CellValue::Real(stored.real);
            break;
        case CellValue::Kind::Utf8:
            value = CellValue::Utf8(m_bytes.data() + stored.offset, static_cast<int>(stored.size));
            break;
        case CellValue::Kind::Text:
            value = CellValue::Text(m_texts[stored.offset]);
            break;
        }
        const bool special = m_special[row] && static_cast<int>(c) == m_specialColumn;
        cells.push_back(PageCellMaker::Make(value, m_types[c], special));
    }
    return cells;
}

} // namespace Zel::Sim
