#include "TablePageReader.h"

#include "PageCellStore.h"
#include "SimAreaBinding.h"
#include "SqliteHandle.h"

#include "host/doc/TableViewPresModels.h"

#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

#include <algorithm>
#include <utility>

#if defined(ZELSIM_HAVE_SQLITE3)
#include <sqlite3.h>
#endif

namespace Zel::Sim {

namespace {

// Ids bound into one execution of the list statement. A sorted page of 1000 rows takes a few
// executions; a smaller page leaves the rest of the list null, which matches nothing.
constexpr int kListSize = 256;
// Consecutive ids of a sorted page from this many on are read as a range: one seek for the run
// instead of one per row.
constexpr std::size_t kShortestRun = 4;

} // namespace

// The rows of one page as they arrive, in whatever order: each goes to its slot, by its id.
class TablePageReader::PageBuilder
{
public:
    using Wanted = std::vector<std::pair<qint64, std::size_t>>;

    // `types` holds the data type of each column of the page.
    PageBuilder(std::vector<DataType> types, int firstColumn, std::size_t rowCount)
        : m_columnCount(static_cast<unsigned int>(types.size()))
        , m_rows(rowCount)
        , m_store(MakeRefCnt<PageCellStore>(std::move(types), firstColumn == 0 ? 0 : -1, rowCount))
    {
    }

    // Ids from `firstId` on go to slots from 0 on.
    void ExpectRange(qint64 firstId) { m_firstId = firstId; }
    // Ids go to the slots `wanted` (sorted by id) gives them.
    void ExpectIds(const Wanted* wanted) { m_wanted = wanted; }

    // `values` holds one value per column of the page. A row that was not asked for is left out.
    void Row(qint64 id, bool special, const CellValue* values)
    {
        std::size_t slot = 0;
        if (m_wanted) {
            const auto found = std::lower_bound(m_wanted->begin(), m_wanted->end(), id,
                [](const std::pair<qint64, std::size_t>& entry, qint64 key) { return entry.first < key; });
            if (found == m_wanted->end() || found->first != id)
                return;
            slot = found->second;
        } else {
            if (id < m_firstId || static_cast<std::size_t>(id - m_firstId) >= m_rows.size())
                return;
            slot = static_cast<std::size_t>(id - m_firstId);
        }
        const unsigned int stored = m_store->Append(special, values);
        m_rows[slot] = MakeRefCnt<TableViewPageRowPresModel>(
            RefCntPtr<TableViewPageCellSource const>(m_store), stored, m_columnCount);
    }

    Rows Finish()
    {
        for (const auto& record : m_rows) {
            if (!record)
                Refuse(QStringLiteral("the table changed under its cache"));
        }
        return std::move(m_rows);
    }

private:
    unsigned int m_columnCount;
    qint64 m_firstId = 0;
    const Wanted* m_wanted = nullptr;
    Rows m_rows;
    RefCntPtr<PageCellStore> m_store;
};

// One way of running the two statements of a column window. Rows arrive in the builder.
class TablePageReader::Backend
{
public:
    Backend(QString table, std::vector<Column> columns, QString specialExpression)
        : m_table(std::move(table))
        , m_columns(std::move(columns))
        , m_specialExpression(std::move(specialExpression))
    {
    }
    virtual ~Backend() = default;
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;

    virtual bool UsesSqliteApi() const noexcept = 0;
    // Rows firstId..lastId.
    virtual void ReadRange(qint64 firstId, qint64 lastId, PageBuilder& builder) = 0;
    // Up to kListSize ids.
    virtual void ReadList(const qint64* ids, std::size_t count, PageBuilder& builder) = 0;

    // The data types of the window's columns.
    const std::vector<DataType>& WindowTypes() const noexcept { return m_windowTypes; }

    // Selects the columns of the statements; a change drops the statements of the old window.
    void SetWindow(int firstColumn, int columnCount)
    {
        if (firstColumn < 0 || columnCount < 0
            || static_cast<std::size_t>(firstColumn + columnCount) > m_columns.size())
            Refuse(QStringLiteral("columns %1 to %2 lie outside the table of %3 columns")
                       .arg(firstColumn)
                       .arg(firstColumn + columnCount - 1)
                       .arg(m_columns.size()));
        if (firstColumn == m_firstColumn && columnCount == m_columnCount)
            return;
        DropStatements();
        m_firstColumn = firstColumn;
        m_columnCount = columnCount;
        m_windowTypes.clear();
        for (int c = firstColumn; c < firstColumn + columnCount; ++c)
            m_windowTypes.push_back(m_columns[static_cast<std::size_t>(c)].type);
    }

protected:
    virtual void DropStatements() = 0;

    int ColumnCount() const noexcept { return m_columnCount; }

    QString RangeSql() const
    {
        return QStringLiteral("SELECT %1 FROM %2 WHERE rowid BETWEEN ? AND ? ORDER BY rowid")
            .arg(SelectList(), m_table);
    }

    QString ListSql() const
    {
        QString placeholders = QStringLiteral("?");
        for (int i = 1; i < kListSize; ++i)
            placeholders += QStringLiteral(",?");
        return QStringLiteral("SELECT %1 FROM %2 WHERE rowid IN (%3) ORDER BY rowid")
            .arg(SelectList(), m_table, placeholders);
    }

private:
    // The row id, the special flag, then the window's columns.
    QString SelectList() const
    {
        QStringList parts {
            QStringLiteral("rowid"), m_specialExpression.isEmpty() ? QStringLiteral("0") : m_specialExpression};
        for (int c = m_firstColumn; c < m_firstColumn + m_columnCount; ++c)
            parts << m_columns[static_cast<std::size_t>(c)].expression;
        return parts.join(QStringLiteral(", "));
    }

    QString m_table;
    std::vector<Column> m_columns;
    QString m_specialExpression;
    int m_firstColumn = -1;
    int m_columnCount = -1;
    std::vector<DataType> m_windowTypes;
};

namespace {

// Portable: any QtSql driver. Each value goes through one QVariant, the driver's own.
class QtSqlBackend final : public TablePageReader::Backend
{
public:
    QtSqlBackend(QSqlDatabase db, QString table, std::vector<TablePageReader::Column> columns, QString special)
        : Backend(std::move(table), std::move(columns), std::move(special))
        , m_db(std::move(db))
    {
    }

    bool UsesSqliteApi() const noexcept override { return false; }

    void ReadRange(qint64 firstId, qint64 lastId, TablePageReader::PageBuilder& builder) override
    {
        QSqlQuery& query = Prepared(m_range, RangeSql());
        query.bindValue(0, firstId);
        query.bindValue(1, lastId);
        Run(query, builder);
    }

    void ReadList(const qint64* ids, std::size_t count, TablePageReader::PageBuilder& builder) override
    {
        QSqlQuery& query = Prepared(m_list, ListSql());
        for (int i = 0; i < kListSize; ++i)
            query.bindValue(i, static_cast<std::size_t>(i) < count ? QVariant(ids[i]) : QVariant(QVariant::LongLong));
        Run(query, builder);
    }

protected:
    void DropStatements() override
    {
        m_range.reset();
        m_list.reset();
    }

private:
    QSqlQuery& Prepared(std::unique_ptr<QSqlQuery>& query, const QString& sql)
    {
        if (!query) {
            auto prepared = std::make_unique<QSqlQuery>(m_db);
            prepared->setForwardOnly(true);
            if (!prepared->prepare(sql))
                Refuse(prepared->lastError().text());
            query = std::move(prepared);
        }
        return *query;
    }

    void Run(QSqlQuery& query, TablePageReader::PageBuilder& builder)
    {
        if (!query.exec())
            Refuse(query.lastError().text());
        const auto columnCount = static_cast<std::size_t>(ColumnCount());
        m_values.resize(columnCount);
        m_texts.resize(columnCount);
        while (query.next()) {
            for (std::size_t c = 0; c < columnCount; ++c) {
                const QVariant value = query.value(static_cast<int>(c) + 2);
                if (value.isNull()) {
                    m_values[c] = CellValue::Null();
                    continue;
                }
                switch (value.userType()) {
                case QMetaType::LongLong:
                case QMetaType::Int:
                case QMetaType::ULongLong:
                case QMetaType::UInt:
                    m_values[c] = CellValue::Integer(value.toLongLong());
                    break;
                case QMetaType::Double:
                    m_values[c] = CellValue::Real(value.toDouble());
                    break;
                default:
                    m_texts[c] = value.toString();
                    m_values[c] = CellValue::Text(m_texts[c]);
                    break;
                }
            }
            builder.Row(query.value(0).toLongLong(), query.value(1).toLongLong() != 0, m_values.data());
        }
        query.finish();
    }

    QSqlDatabase m_db;
    std::unique_ptr<QSqlQuery> m_range;
    std::unique_ptr<QSqlQuery> m_list;
    std::vector<CellValue> m_values;
    std::vector<QString> m_texts;
};

#if defined(ZELSIM_HAVE_SQLITE3)
// SQLite's own API on the connection under QtSql: each value read in its storage class, texts as
// the bytes SQLite holds.
class SqliteBackend final : public TablePageReader::Backend
{
public:
    SqliteBackend(sqlite3* db, QString table, std::vector<TablePageReader::Column> columns, QString special)
        : Backend(std::move(table), std::move(columns), std::move(special))
        , m_db(db)
    {
    }
    ~SqliteBackend() override { DropStatements(); }

    bool UsesSqliteApi() const noexcept override { return true; }

    void ReadRange(qint64 firstId, qint64 lastId, TablePageReader::PageBuilder& builder) override
    {
        sqlite3_stmt* statement = Prepared(m_range, RangeSql());
        sqlite3_bind_int64(statement, 1, firstId);
        sqlite3_bind_int64(statement, 2, lastId);
        Run(statement, builder);
    }

    void ReadList(const qint64* ids, std::size_t count, TablePageReader::PageBuilder& builder) override
    {
        sqlite3_stmt* statement = Prepared(m_list, ListSql());
        for (int i = 0; i < kListSize; ++i) {
            if (static_cast<std::size_t>(i) < count)
                sqlite3_bind_int64(statement, i + 1, ids[i]);
            else
                sqlite3_bind_null(statement, i + 1);
        }
        Run(statement, builder);
    }

protected:
    void DropStatements() override
    {
        sqlite3_finalize(m_range);
        sqlite3_finalize(m_list);
        m_range = nullptr;
        m_list = nullptr;
    }

private:
    // Ends the statement's read transaction on every way out.
    struct Reset
    {
        sqlite3_stmt* statement;
        ~Reset() { sqlite3_reset(statement); }
    };

    sqlite3_stmt* Prepared(sqlite3_stmt*& statement, const QString& sql)
    {
        if (!statement) {
            const QByteArray text = sql.toUtf8();
            if (sqlite3_prepare_v3(m_db, text.constData(), text.size(), SQLITE_PREPARE_PERSISTENT, &statement, nullptr)
                != SQLITE_OK)
                Refuse(QString::fromUtf8(sqlite3_errmsg(m_db)));
        }
        return statement;
    }

    void Run(sqlite3_stmt* statement, TablePageReader::PageBuilder& builder)
    {
        const Reset reset {statement};
        const int columnCount = ColumnCount();
        m_values.resize(static_cast<std::size_t>(columnCount));
        int status = SQLITE_ROW;
        while ((status = sqlite3_step(statement)) == SQLITE_ROW) {
            for (int c = 0; c < columnCount; ++c) {
                // One call into the statement per value; the value's accessors take no lock. The
                // connection serves one thread at a time, which is what makes that safe.
                sqlite3_value* value = sqlite3_column_value(statement, c + 2);
                CellValue& cell = m_values[static_cast<std::size_t>(c)];
                switch (sqlite3_value_type(value)) {
                case SQLITE_INTEGER:
                    cell = CellValue::Integer(sqlite3_value_int64(value));
                    break;
                case SQLITE_FLOAT:
                    cell = CellValue::Real(sqlite3_value_double(value));
                    break;
                case SQLITE_NULL:
                    cell = CellValue::Null();
                    break;
                default: {
                    // The text first, then its length in that encoding.
                    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
                    cell = CellValue::Utf8(text ? text : "", sqlite3_value_bytes(value));
                    break;
                }
                }
            }
            builder.Row(sqlite3_column_int64(statement, 0), sqlite3_column_int64(statement, 1) != 0, m_values.data());
        }
        if (status != SQLITE_DONE)
            Refuse(QString::fromUtf8(sqlite3_errmsg(m_db)));
    }

    sqlite3* m_db;
    sqlite3_stmt* m_range = nullptr;
    sqlite3_stmt* m_list = nullptr;
    std::vector<CellValue> m_values;
};
#endif

} // namespace

TablePageReader::TablePageReader(
    QSqlDatabase db, QString table, std::vector<Column> columns, QString specialExpression, bool useSqliteApi)
{
#if defined(ZELSIM_HAVE_SQLITE3)
    if (useSqliteApi) {
        if (sqlite3* handle = SqliteHandleOf(db))
            m_backend = std::make_unique<SqliteBackend>(
                handle, std::move(table), std::move(columns), std::move(specialExpression));
    }
#else
    Q_UNUSED(useSqliteApi);
#endif
    if (!m_backend)
        m_backend = std::make_unique<QtSqlBackend>(
            std::move(db), std::move(table), std::move(columns), std::move(specialExpression));
}

TablePageReader::~TablePageReader() = default;

bool TablePageReader::ReadsThroughSqliteApi() const noexcept
{
    return m_backend->UsesSqliteApi();
}

TablePageReader::Rows TablePageReader::ReadRange(qint64 firstId, qint64 count, int firstColumn, int columnCount)
{
    m_backend->SetWindow(firstColumn, columnCount);
    PageBuilder builder(m_backend->WindowTypes(), firstColumn, static_cast<std::size_t>(std::max<qint64>(count, 0)));
    builder.ExpectRange(firstId);
    if (count > 0)
        m_backend->ReadRange(firstId, firstId + count - 1, builder);
    return builder.Finish();
}

TablePageReader::Rows TablePageReader::ReadIds(const qint64* ids, std::size_t count, int firstColumn, int columnCount)
{
    m_backend->SetWindow(firstColumn, columnCount);
    // In id order: consecutive ids become ranges, and the list statement walks the table forwards.
    PageBuilder::Wanted wanted;
    wanted.reserve(count);
    for (std::size_t slot = 0; slot < count; ++slot)
        wanted.emplace_back(ids[slot], slot);
    std::sort(wanted.begin(), wanted.end());

    PageBuilder builder(m_backend->WindowTypes(), firstColumn, count);
    builder.ExpectIds(&wanted);
    std::vector<qint64> list;
    list.reserve(kListSize);
    auto flush = [&] {
        if (!list.empty())
            m_backend->ReadList(list.data(), list.size(), builder);
        list.clear();
    };
    for (std::size_t i = 0; i < count;) {
        std::size_t end = i + 1;
        while (end < count && wanted[end].first == wanted[end - 1].first + 1)
            ++end;
        if (end - i >= kShortestRun) {
            m_backend->ReadRange(wanted[i].first, wanted[end - 1].first, builder);
        } else {
            for (std::size_t k = i; k < end; ++k) {
                list.push_back(wanted[k].first);
                if (list.size() == static_cast<std::size_t>(kListSize))
                    flush();
            }
        }
        i = end;
    }
    flush();
    return builder.Finish();
}

} // namespace Zel::Sim
