#pragma once

#include "sim/PageCellMaker.h"
#include "sim/ZelSimExport.h"

#include "host/doc/TableViewPresModels.h"

#include <QtCore/QString>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Zel::Sim {

// The values of one page's rows as they were read, kept compact until a view asks for a row's
// cells (then PageCellMaker makes them). A page of a thousand rows by eighteen columns costs one
// value slot per cell and the bytes of its texts, instead of a counted record and a string each.
//
// Filled by one reader, then shared read-only by the page's rows, which hold it.
class ZELSIM_EXPORT PageCellStore final : public TableViewPageCellSource
{
public:
    // `types` holds the data type of each column of the page; `specialColumn` is the page's column
    // that a special row marks (-1 for none).
    PageCellStore(std::vector<DataType> types, int specialColumn, std::size_t rowCapacity);
    ~PageCellStore() override;

    // Keeps one row's values (one per column; texts are copied) and returns its index here.
    unsigned int Append(bool special, const CellValue* values);
    unsigned int GetColumnCount() const noexcept { return static_cast<unsigned int>(m_types.size()); }

    std::vector<RefCntPtr<TableViewPageItemPresModel const>> MakeCells(unsigned int row) const override;

private:
    // Sixteen bytes. For a text: where its bytes start (UTF-8 in m_bytes, or a QString in m_texts).
    struct Value
    {
        CellValue::Kind kind = CellValue::Kind::Null;
        std::uint32_t size = 0;
        union
        {
            qint64 integer;
            double real;
            std::uint64_t offset;
        };
    };

    std::vector<DataType> m_types;
    int m_specialColumn;
    std::vector<Value> m_values;
    std::vector<bool> m_special;
    std::string m_bytes;
    std::vector<QString> m_texts;
};

} // namespace Zel::Sim
