#pragma once

#include "sim/ZelSimExport.h"

#include "host/doc/DataValue.h"
#include "host/doc/RefCnt.h"

#include <QtCore/QString>

#include <cstddef>
#include <memory>
#include <vector>

class QSqlDatabase;
class TableViewPageRowPresModel;

namespace Zel::Sim {

// Reads rows of one table of the workbook by row id and makes them into the row records of a page.
// The values are kept as read, by their storage class (PageCellStore), never through a QVariant
// and a second conversion; a row makes its cell records when it is first asked for one.
//
// Reads through SQLite's own API on the QtSql connection when the driver allows (SqliteHandleOf),
// else through QtSql. Either way its statements are prepared once and kept for every later page of
// the same columns: one for a range of row ids, and one for a list of them, used for the parts of
// a sorted page that are not ranges. No SQL text is built per page.
//
// Holds prepared statements on the workbook's connection: it must go before the connection closes.
// Used from one thread at a time.
class ZELSIM_EXPORT TablePageReader
{
public:
    struct Column
    {
        // An SQL expression over the table.
        QString expression;
        DataType type;
    };
    using Rows = std::vector<RefCntPtr<TableViewPageRowPresModel const>>;

    // `specialExpression`, when not empty, is an SQL expression true for rows whose first column
    // is special. `useSqliteApi` false keeps to QtSql.
    TablePageReader(QSqlDatabase db, QString table, std::vector<Column> columns, QString specialExpression,
        bool useSqliteApi = true);
    ~TablePageReader();
    TablePageReader(const TablePageReader&) = delete;
    TablePageReader& operator=(const TablePageReader&) = delete;

    // The rows whose ids run from `firstId` for `count` rows, with the cells of `columnCount`
    // columns from `firstColumn`. A row missing from the table is refused.
    Rows ReadRange(qint64 firstId, qint64 count, int firstColumn, int columnCount);
    // The rows of `count` distinct ids, in the order given.
    Rows ReadIds(const qint64* ids, std::size_t count, int firstColumn, int columnCount);

    bool ReadsThroughSqliteApi() const noexcept;

    // Defined with the reader: how statements run (SQLite's API or QtSql), and where their rows go.
    class Backend;
    class PageBuilder;

private:
    std::unique_ptr<Backend> m_backend;
};

} // namespace Zel::Sim
