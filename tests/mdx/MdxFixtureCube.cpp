#include "tests/mdx/MdxFixtureCube.h"

using namespace Zel::Sim;

namespace {
QString Key(const QString& hierarchy, qint64 scope, QStringView name)
{
    return hierarchy.toCaseFolded() + QStringLiteral("|%1|").arg(scope) + name.toString().toCaseFolded();
}
} // namespace

MdxFixtureCube::MdxFixtureCube()
{
    AddHierarchy(
        QStringLiteral("Geography"), {QStringLiteral("Region"), QStringLiteral("State"), QStringLiteral("City")}, true);
    AddHierarchy(QStringLiteral("Product"),
        {QStringLiteral("Category"), QStringLiteral("Sub-Category"), QStringLiteral("Product")}, true);
    AddHierarchy(QStringLiteral("Customer"), {QStringLiteral("Segment"), QStringLiteral("Customer Name")}, true);
    AddHierarchy(QStringLiteral("Order Date"),
        {QStringLiteral("Year"), QStringLiteral("Quarter"), QStringLiteral("Month"), QStringLiteral("Day")}, true);
    AddHierarchy(QStringLiteral("Ship Mode"), {QStringLiteral("Ship Mode")}, false);
    AddHierarchy(QStringLiteral("Order"), {QStringLiteral("Order ID")}, true);
    m_measures = QStringList {"Sales", "Profit", "Quantity", "Discount"};

    const QString geography = QStringLiteral("Geography");
    const qint64 central = Add(geography, -1, QStringLiteral("Central"));
    const qint64 east = Add(geography, -1, QStringLiteral("East"));
    const qint64 south = Add(geography, -1, QStringLiteral("South"));
    const qint64 west = Add(geography, -1, QStringLiteral("West"));
    const qint64 newYork = Add(geography, east, QStringLiteral("New York"));
    Add(geography, newYork, QStringLiteral("New York City"));
    Add(geography, newYork, QStringLiteral("Buffalo"));
    const qint64 pennsylvania = Add(geography, east, QStringLiteral("Pennsylvania"));
    Add(geography, pennsylvania, QStringLiteral("Philadelphia"));
    const qint64 california = Add(geography, west, QStringLiteral("California"));
    Add(geography, california, QStringLiteral("Los Angeles"));
    Add(geography, california, QStringLiteral("San Francisco"));
    const qint64 washington = Add(geography, west, QStringLiteral("Washington"));
    Add(geography, washington, QStringLiteral("Seattle"));
    const qint64 texas = Add(geography, central, QStringLiteral("Texas"));
    Add(geography, texas, QStringLiteral("Houston"));
    const qint64 florida = Add(geography, south, QStringLiteral("Florida"));
    Add(geography, florida, QStringLiteral("Miami"));

    const QString product = QStringLiteral("Product");
    const qint64 furniture = Add(product, -1, QStringLiteral("Furniture"));
    const qint64 technology = Add(product, -1, QStringLiteral("Technology"));
    const qint64 supplies = Add(product, -1, QStringLiteral("Office Supplies"));
    Add(product, Add(product, furniture, QStringLiteral("Chairs")), QStringLiteral("Task Chair"));
    Add(product, Add(product, technology, QStringLiteral("Phones")), QStringLiteral("Desk Phone"));
    Add(product, Add(product, supplies, QStringLiteral("Paper")), QStringLiteral("Copy Paper"));

    const QString customer = QStringLiteral("Customer");
    Add(customer, Add(customer, -1, QStringLiteral("Consumer")), QStringLiteral("Claire Gute"));
    Add(customer, Add(customer, -1, QStringLiteral("Corporate")), QStringLiteral("Darrin Van Huff"));
    Add(customer, -1, QStringLiteral("Home Office"));

    const QString date = QStringLiteral("Order Date");
    const QStringList months {QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"), QStringLiteral("May"), QStringLiteral("June"), QStringLiteral("July"),
        QStringLiteral("August"), QStringLiteral("September"), QStringLiteral("October"), QStringLiteral("November"),
        QStringLiteral("December")};
    for (int year = 2021; year <= 2024; ++year) {
        const qint64 yearId = Add(date, -1, QString::number(year));
        for (int quarter = 1; quarter <= 4; ++quarter) {
            const qint64 quarterId = Add(
                date, yearId, QStringLiteral("Q%1").arg(quarter), QStringLiteral("%1-Q%2").arg(year).arg(quarter));
            for (int month = quarter * 3 - 2; month <= quarter * 3; ++month) {
                const QString monthKey = QStringLiteral("%1-%2").arg(year).arg(month, 2, 10, QLatin1Char('0'));
                const qint64 monthId = Add(date, quarterId, months[month - 1], monthKey);
                if (year == 2024 && month == 1) {
                    for (int day = 1; day <= 3; ++day) {
                        const QString dayKey = QStringLiteral("%1-%2").arg(monthKey).arg(day, 2, 10, QLatin1Char('0'));
                        Add(date, monthId, dayKey, dayKey);
                    }
                }
            }
        }
    }

    const QString shipMode = QStringLiteral("Ship Mode");
    for (const char* mode : {"First Class", "Second Class", "Standard Class", "Same Day"})
        Add(shipMode, -1, QString::fromLatin1(mode));

    const QString order = QStringLiteral("Order");
    Add(order, -1, QStringLiteral("CA-2021-100006"), QStringLiteral("100006"));
    Add(order, -1, QStringLiteral("US-2024-169551"), QStringLiteral("169551"));
}

void MdxFixtureCube::AddHierarchy(const QString& name, const QStringList& levels, bool hasAll)
{
    MdxHierarchy hierarchy;
    hierarchy.name = name;
    hierarchy.hasAll = hasAll;
    if (hasAll) {
        hierarchy.levels << QStringLiteral("(All)");
        hierarchy.allMemberName = QStringLiteral("All ") + name;
    }
    hierarchy.levels << levels;
    m_hierarchies.push_back(hierarchy);
}

// `parent` -1 puts the member on the first level below the All member.
qint64 MdxFixtureCube::Add(const QString& hierarchy, qint64 parent, const QString& name, const QString& key)
{
    bool hasAll = true;
    for (const MdxHierarchy& h : m_hierarchies) {
        if (h.name == hierarchy)
            hasAll = h.hasAll;
    }
    const qint64 id = static_cast<qint64>(m_members.size());
    const int level = parent < 0 ? (hasAll ? 1 : 0) : m_levelOf.value(parent) + 1;
    m_members.push_back(Member {id, level, name});
    m_levelOf.insert(id, level);
    const QString byKey = key.isEmpty() ? name : key;
    if (!m_byLevelName.contains(Key(hierarchy, level, name)))
        m_byLevelName.insert(Key(hierarchy, level, name), id);
    m_byLevelKey.insert(Key(hierarchy, level, byKey), id);
    if (parent >= 0) {
        m_byParentName.insert(Key(hierarchy, parent, name), id);
        m_byParentKey.insert(Key(hierarchy, parent, byKey), id);
    }
    return id;
}

bool MdxFixtureCube::FindHierarchy(QStringView name, MdxHierarchy& hierarchy) const
{
    ++m_lookups;
    for (const MdxHierarchy& h : m_hierarchies) {
        if (name.compare(h.name, Qt::CaseInsensitive) == 0) {
            hierarchy = h;
            return true;
        }
    }
    return false;
}

bool MdxFixtureCube::FindMeasure(QStringView name, QString& canonicalName) const
{
    ++m_lookups;
    for (const QString& measure : m_measures) {
        if (name.compare(measure, Qt::CaseInsensitive) == 0) {
            canonicalName = measure;
            return true;
        }
    }
    return false;
}

bool MdxFixtureCube::Found(const QHash<QString, qint64>& index, const QString& key, MdxMember& member) const
{
    const auto it = index.constFind(key);
    if (it == index.constEnd())
        return false;
    const Member& found = m_members[static_cast<std::size_t>(it.value())];
    member = MdxMember {found.id, found.level, found.name};
    return true;
}

bool MdxFixtureCube::FindMember(
    const MdxHierarchy& hierarchy, int level, QStringView nameOrKey, MdxMatch match, MdxMember& member) const
{
    ++m_lookups;
    return Found(match == MdxMatch::Name ? m_byLevelName : m_byLevelKey, Key(hierarchy.name, level, nameOrKey), member);
}

bool MdxFixtureCube::FindChild(const MdxHierarchy& hierarchy, const MdxMember& parent, QStringView nameOrKey,
    MdxMatch match, MdxMember& child) const
{
    ++m_lookups;
    return Found(
        match == MdxMatch::Name ? m_byParentName : m_byParentKey, Key(hierarchy.name, parent.id, nameOrKey), child);
}
