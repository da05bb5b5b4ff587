#pragma once

// The rows of the sample workbook's orders table, drawn one at a time from a fixed seed, and the
// two ways of writing them into SQLite. Internal to zelsim.

#include "SampleCatalog.h"

#include <QtCore/QByteArray>
#include <QtCore/QVariant>

#include <array>
#include <memory>
#include <vector>

class QSqlDatabase;

namespace Zel::Sim::Rows {

// A text value ready for either writer: a shared QVariant for QtSql, UTF-8 bytes for SQLite's own
// API. Made once per distinct value, not once per row.
struct Text
{
    explicit Text(const QString& s = {})
        : variant(s)
        , utf8(s.toUtf8())
    {
    }
    QVariant variant;
    QByteArray utf8;
};

// One row in column order. The texts belong to the generator and stay valid until its next call.
struct Row
{
    qint64 rowId;
    const Text* orderId;
    const Text* orderDate;
    const Text* shipDate;
    const Text* shipMode;
    const Text* customerName;
    const Text* segment;
    const Text* country;
    const Text* region;
    const Text* state;
    const Text* city;
    const Text* category;
    const Text* subCategory;
    const Text* product;
    double sales;
    int quantity;
    double discount;
    double profit;
};
inline constexpr int kColumnCount = 18;

class Generator
{
public:
    Generator();
    ~Generator();
    // Fills the next row; row ids count from 1.
    void Next(Row& row);

private:
    struct Pools;
    // Declared first: the pools draw their customers from it.
    Catalog::Random m_random;
    std::unique_ptr<const Pools> m_pools;
    qint64 m_rowId = 0;
    qint64 m_orderNumber = 100'000;
    int m_linesLeft = 0;
    int m_customer = 0;
    int m_orderDay = 0;
    int m_shipDay = 0;
    int m_shipMode = 0;
    Text m_orderId;
};

// Writes `count` generated rows into the (empty) orders table inside the caller's transaction.
// With `useDriverHandle`, the rows go straight through the SQLite connection under QtSql's driver
// when there is one; otherwise (and as the fallback) through QtSql's prepared statements. Both give
// the same rows. Returns an empty string or the error.
QString Write(QSqlDatabase& db, const QString& table, qint64 count, bool useDriverHandle);

} // namespace Zel::Sim::Rows
