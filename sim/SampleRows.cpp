#include "SampleRows.h"

#include "SqliteHandle.h"

#include <QtCore/QDate>
#include <QtCore/QStringList>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

#include <algorithm>
#include <cmath>

#if defined(ZELSIM_HAVE_SQLITE3)
#include <sqlite3.h>
#endif

namespace Zel::Sim::Rows {

namespace {

constexpr std::uint64_t kSeed = 0x2C1B3C6D5E8F7A91ull;
constexpr int kFirstYear = 2020;
constexpr int kYears = 4;
constexpr int kCustomerCount = 800;
constexpr double kDiscounts[] = {0.0, 0.1, 0.2, 0.3, 0.5};

double Round2(double v)
{
    return std::round(v * 100.0) / 100.0;
}

} // namespace

// Everything the generator draws from, as ready-made texts: making a new string per row would
// cost more than writing the row.
struct Generator::Pools
{
    struct Customer
    {
        Text name;
        const Text* segment;
        int city;
    };
    struct City
    {
        Text region;
        Text state;
        Text city;
    };
    struct Product
    {
        Text category;
        Text subCategory;
        Text name;
    };

    std::vector<Text> days;
    std::vector<QString> dayYear;
    std::vector<City> cities;
    std::vector<Product> products;
    std::vector<Text> shipModes;
    std::vector<Text> segments;
    std::vector<Customer> customers;
    Text country;
    int orderDayCount = 0;

    // Office supplies sell far more often than desks and laptops.
    Catalog::WeightedTable productTable {Catalog::Products(),
        [](const Catalog::Product& p) { return p.category == QLatin1String("Office Supplies") ? 6 : 2; }};
    Catalog::WeightedTable shipModeTable {Catalog::ShipModes(), [](const Catalog::ShipMode& m) { return m.weight; }};
    Catalog::WeightedTable linesTable {std::vector<int> {0, 35, 25, 18, 12, 10}};
    Catalog::WeightedTable discountTable {std::vector<int> {55, 15, 18, 7, 5}};

    explicit Pools(Catalog::Random& random)
        : country(Catalog::Country())
    {
        const QDate first(kFirstYear, 1, 1);
        orderDayCount = static_cast<int>(first.daysTo(QDate(kFirstYear + kYears, 1, 1)));
        // Ship dates run past the last order date by the longest shipping time.
        const int maxShipDays = std::max_element(
            Catalog::ShipModes().begin(), Catalog::ShipModes().end(), [](const auto& a, const auto& b) {
                return a.maxDays < b.maxDays;
            })->maxDays;
        for (int d = 0; d < orderDayCount + maxShipDays; ++d) {
            const QDate date = first.addDays(d);
            days.emplace_back(date.toString(Qt::ISODate));
            dayYear.push_back(QString::number(date.year()));
        }
        for (const Catalog::City& c : Catalog::Cities())
            cities.push_back({Text(c.region), Text(c.state), Text(c.city)});
        for (const Catalog::Product& p : Catalog::Products())
            products.push_back({Text(p.category), Text(p.subCategory), Text(p.name)});
        for (const Catalog::ShipMode& m : Catalog::ShipModes())
            shipModes.emplace_back(m.name);
        for (const QString& s : Catalog::Segments())
            segments.emplace_back(s);

        // Each customer keeps one segment and one home city, as a real customer list would.
        const std::vector<QString> names = Catalog::CustomerNames();
        const Catalog::WeightedTable segmentTable(std::vector<int> {50, 30, 20});
        const Catalog::WeightedTable cityTable(Catalog::Cities(), [](const Catalog::City& c) { return c.weight; });
        const int nameCount = static_cast<int>(names.size());
        const int cityCount = static_cast<int>(Catalog::Cities().size());
        for (int i = 0; i < kCustomerCount; ++i) {
            // 337 is prime to the number of names, so the stride visits distinct names.
            const QString& name = names[static_cast<std::size_t>((i * 337) % nameCount)];
            const Text* segment = &segments[static_cast<std::size_t>(segmentTable.Draw(random))];
            // The first customers live one in each city, so that no city of the hierarchy is empty.
            customers.push_back({Text(name), segment, i < cityCount ? i : cityTable.Draw(random)});
        }
    }
};

Generator::Generator()
    : m_random(kSeed)
    , m_pools(std::make_unique<const Pools>(m_random))
{
}

Generator::~Generator() = default;

void Generator::Next(Row& row)
{
    const Pools& pools = *m_pools;
    if (m_linesLeft == 0) {
        ++m_orderNumber;
        m_linesLeft = pools.linesTable.Draw(m_random);
        m_customer = static_cast<int>(m_random.Below(kCustomerCount));
        // Business grows: later days get somewhat more orders than early ones.
        const double u = m_random.Unit();
        m_orderDay = static_cast<int>((u < 0.7 ? m_random.Unit() : std::sqrt(m_random.Unit())) * pools.orderDayCount);
        m_shipMode = pools.shipModeTable.Draw(m_random);
        const Catalog::ShipMode& mode = Catalog::ShipModes()[static_cast<std::size_t>(m_shipMode)];
        m_shipDay = m_orderDay + mode.minDays + static_cast<int>(m_random.Below(mode.maxDays - mode.minDays + 1));
        m_orderId = Text(QStringLiteral("ORD-") + pools.dayYear[static_cast<std::size_t>(m_orderDay)] + QLatin1Char('-')
            + QString::number(m_orderNumber).rightJustified(7, u'0'));
    }
    --m_linesLeft;

    const int productIndex = pools.productTable.Draw(m_random);
    const Catalog::Product& product = Catalog::Products()[static_cast<std::size_t>(productIndex)];
    const int quantity
        = 1 + static_cast<int>(m_random.Below(5)) + (m_random.Below(4) == 0 ? static_cast<int>(m_random.Below(9)) : 0);
    const double discount = kDiscounts[pools.discountTable.Draw(m_random)];
    const double gross = product.unitPrice * quantity;
    // Deep discounts eat the margin: some lines lose money, as in any real order book.
    const double noise = (m_random.Unit() - 0.5) * 0.08;

    const Pools::Customer& customer = pools.customers[static_cast<std::size_t>(m_customer)];
    const Pools::City& city = pools.cities[static_cast<std::size_t>(customer.city)];
    const Pools::Product& names = pools.products[static_cast<std::size_t>(productIndex)];
    row.rowId = ++m_rowId;
    row.orderId = &m_orderId;
    row.orderDate = &pools.days[static_cast<std::size_t>(m_orderDay)];
    row.shipDate = &pools.days[static_cast<std::size_t>(m_shipDay)];
    row.shipMode = &pools.shipModes[static_cast<std::size_t>(m_shipMode)];
    row.customerName = &customer.name;
    row.segment = customer.segment;
    row.country = &pools.country;
    row.region = &city.region;
    row.state = &city.state;
    row.city = &city.city;
    row.category = &names.category;
    row.subCategory = &names.subCategory;
    row.product = &names.name;
    row.sales = Round2(gross * (1.0 - discount));
    row.quantity = quantity;
    row.discount = discount;
    row.profit = Round2(gross * (product.margin + noise) - gross * discount * 1.1);
}

namespace {

QString InsertStatement(const QString& table, int rows)
{
    QString row = QStringLiteral("(?");
    for (int c = 1; c < kColumnCount; ++c)
        row += QStringLiteral(",?");
    row += QLatin1Char(')');
    QStringList rowList;
    for (int r = 0; r < rows; ++r)
        rowList << row;
    return QStringLiteral("INSERT INTO ") + table + QStringLiteral(" VALUES ") + rowList.join(u',');
}

// Portable: any QtSql driver. QtSql's cost is per statement and per bound value, so many rows go
// into one statement.
QString WriteThroughQtSql(QSqlDatabase& db, const QString& table, qint64 count)
{
    constexpr int kRowsPerStatement = 64;
    std::vector<QVariant> buffer(static_cast<std::size_t>(kRowsPerStatement * kColumnCount));
    QString error;
    auto flush = [&](QSqlQuery& query, int rows) {
        for (int i = 0; i < rows * kColumnCount; ++i)
            query.bindValue(i, buffer[static_cast<std::size_t>(i)]);
        if (!query.exec())
            error = query.lastError().text();
        return error.isEmpty();
    };

    QSqlQuery insert(db);
    if (!insert.prepare(InsertStatement(table, kRowsPerStatement)))
        return insert.lastError().text();
    Generator generator;
    Row row {};
    int slot = 0;
    for (qint64 i = 0; i < count; ++i) {
        generator.Next(row);
        QVariant* cells = &buffer[static_cast<std::size_t>(slot * kColumnCount)];
        cells[0] = QVariant(row.rowId);
        const Text* texts[] = {row.orderId, row.orderDate, row.shipDate, row.shipMode, row.customerName, row.segment,
            row.country, row.region, row.state, row.city, row.category, row.subCategory, row.product};
        for (int t = 0; t < 13; ++t)
            cells[1 + t] = texts[t]->variant;
        cells[14] = QVariant(row.sales);
        cells[15] = QVariant(row.quantity);
        cells[16] = QVariant(row.discount);
        cells[17] = QVariant(row.profit);
        if (++slot == kRowsPerStatement) {
            if (!flush(insert, slot))
                return error;
            slot = 0;
        }
    }
    if (slot > 0) {
        QSqlQuery tail(db);
        if (!tail.prepare(InsertStatement(table, slot)))
            return tail.lastError().text();
        if (!flush(tail, slot))
            return error;
    }
    return {};
}

#if defined(ZELSIM_HAVE_SQLITE3)
// The same rows through SQLite's own API on QtSql's connection: no per-value conversion, shared
// texts bound in place. Several times faster, which matters for the benchmarks' ten million rows.
QString WriteThroughSqlite(sqlite3* handle, const QString& table, qint64 count)
{
    constexpr int kRowsPerStatement = 32;
    using Statement = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)>;
    auto prepare = [handle, &table](int rows) {
        sqlite3_stmt* statement = nullptr;
        const QByteArray sql = InsertStatement(table, rows).toUtf8();
        sqlite3_prepare_v2(handle, sql.constData(), sql.size(), &statement, nullptr);
        return Statement(statement, sqlite3_finalize);
    };
    Statement batch = prepare(kRowsPerStatement);
    if (!batch)
        return QString::fromUtf8(sqlite3_errmsg(handle));

    Generator generator;
    Row row {};
    qint64 written = 0;
    while (written < count) {
        const int rows = static_cast<int>(std::min<qint64>(kRowsPerStatement, count - written));
        Statement tail = rows < kRowsPerStatement ? prepare(rows) : Statement(nullptr, sqlite3_finalize);
        sqlite3_stmt* statement = tail ? tail.get() : batch.get();
        if (!statement)
            return QString::fromUtf8(sqlite3_errmsg(handle));
        for (int r = 0; r < rows; ++r) {
            generator.Next(row);
            const int first = r * kColumnCount + 1;
            sqlite3_bind_int64(statement, first, row.rowId);
            // The order id changes with the next order, before this statement runs; SQLite copies it.
            // Every other text lives as long as the generator, so SQLite reads it in place.
            sqlite3_bind_text(
                statement, first + 1, row.orderId->utf8.constData(), row.orderId->utf8.size(), SQLITE_TRANSIENT);
            const Text* texts[] = {row.orderDate, row.shipDate, row.shipMode, row.customerName, row.segment,
                row.country, row.region, row.state, row.city, row.category, row.subCategory, row.product};
            for (int t = 0; t < 12; ++t)
                sqlite3_bind_text(
                    statement, first + 2 + t, texts[t]->utf8.constData(), texts[t]->utf8.size(), SQLITE_STATIC);
            sqlite3_bind_double(statement, first + 14, row.sales);
            sqlite3_bind_int(statement, first + 15, row.quantity);
            sqlite3_bind_double(statement, first + 16, row.discount);
            sqlite3_bind_double(statement, first + 17, row.profit);
        }
        if (sqlite3_step(statement) != SQLITE_DONE)
            return QString::fromUtf8(sqlite3_errmsg(handle));
        sqlite3_reset(statement);
        written += rows;
    }
    return {};
}
#endif

} // namespace

QString Write(QSqlDatabase& db, const QString& table, qint64 count, bool useDriverHandle)
{
#if defined(ZELSIM_HAVE_SQLITE3)
    if (useDriverHandle) {
        if (sqlite3* handle = SqliteHandleOf(db))
            return WriteThroughSqlite(handle, table, count);
    }
#else
    Q_UNUSED(useDriverHandle);
#endif
    return WriteThroughQtSql(db, table, count);
}

} // namespace Zel::Sim::Rows
