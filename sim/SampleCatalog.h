#pragma once

// The fixed lists the sample workbook's rows are drawn from. Every city belongs to exactly one state
// and region, every product to one sub-category and category, so the hierarchies built over the
// table are consistent by construction. Internal to zelsim.

#include <QtCore/QDate>
#include <QtCore/QString>

#include <cstdint>
#include <vector>

namespace Zel::Sim::Catalog {

struct City
{
    QString region;
    QString state;
    QString city;
    // Relative share of the orders placed from this city.
    int weight;
};

struct Product
{
    QString category;
    QString subCategory;
    QString name;
    double unitPrice;
    // Share of the undiscounted price that is profit.
    double margin;
};

struct ShipMode
{
    QString name;
    int weight;
    int minDays;
    int maxDays;
};

const QString& Country();
const std::vector<City>& Cities();
const std::vector<Product>& Products();
const std::vector<ShipMode>& ShipModes();
const std::vector<QString>& Segments();
// Every "first last" combination, in a fixed order.
std::vector<QString> CustomerNames();

// One row of the small second data source: what a region was to sell of a category in a month.
struct SalesTarget
{
    QString region;
    QString category;
    QDate month;
    double target;
};

// Every region and category at the start of each quarter of the last year of orders, regions and
// categories in first-seen order.
std::vector<SalesTarget> SalesTargets();

// splitmix64: tiny, fast and fully specified, so the workbook is the same on every platform and
// standard library (the std:: distributions are not).
class Random
{
public:
    explicit Random(std::uint64_t seed) noexcept
        : m_state(seed)
    {
    }

    std::uint64_t Next() noexcept
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, n) for n > 0.
    std::uint32_t Below(std::uint32_t n) noexcept { return static_cast<std::uint32_t>(((Next() >> 32) * n) >> 32); }
    // Uniform in [0, 1).
    double Unit() noexcept { return static_cast<double>(Next() >> 11) * 0x1p-53; }

private:
    std::uint64_t m_state;
};

// Draws indexes in proportion to integer weights in constant time: index i appears weight[i] times.
class WeightedTable
{
public:
    template <typename Container, typename WeightOf>
    WeightedTable(const Container& items, WeightOf weightOf)
    {
        for (std::size_t i = 0; i < items.size(); ++i)
            m_slots.insert(m_slots.end(), static_cast<std::size_t>(weightOf(items[i])), static_cast<int>(i));
    }
    explicit WeightedTable(const std::vector<int>& weights)
        : WeightedTable(weights, [](int w) { return w; })
    {
    }

    int Draw(Random& random) const noexcept
    {
        return m_slots[random.Below(static_cast<std::uint32_t>(m_slots.size()))];
    }

private:
    std::vector<int> m_slots;
};

} // namespace Zel::Sim::Catalog
