#include "OrdersCube.h"

#include "ICubeExtension.h"
#include "SampleWorkbook.h"

#include "host/doc/HostLog.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

#include <algorithm>
#include <iterator>
#include <limits>
#include <map>
#include <stdexcept>

namespace Zel::Sim {

namespace {

// Changing how a table is made or what it holds must change this, so that tables kept in workbook
// files are made again.
constexpr int kTableVersion = 1;

// A level over the orders table: SQL expressions for its members' names, keys (empty: the key is
// the name) and order (empty: by name).
struct LevelShape
{
    QString name;
    QString nameSql;
    QString keySql;
    QString orderSql;
};

struct HierarchyShape
{
    QString name;
    bool hasAll;
    std::vector<LevelShape> levels;
    bool measures;
};

const char* const kMeasures[] = {"Sales", "Profit", "Quantity", "Discount"};

QString OrdersColumn(const char* name)
{
    return SampleWorkbook::SqlColumn(FieldName(SampleWorkbook::DataSourceName(), TString::FromUtf8(name)));
}

const std::vector<HierarchyShape>& Shapes()
{
    static const std::vector<HierarchyShape> shapes = [] {
        auto plain = [](const char* name) { return LevelShape {QString::fromUtf8(name), OrdersColumn(name), {}, {}}; };
        // Order dates are ISO text, 'YYYY-MM-DD'.
        const QString date = OrdersColumn("Order Date");
        const QString year = QStringLiteral("substr(%1, 1, 4)").arg(date);
        const QString month = QStringLiteral("CAST(substr(%1, 6, 2) AS INTEGER)").arg(date);
        const QString quarter = QStringLiteral("((%1 + 2) / 3)").arg(month);
        const QString quarterKey = year + QStringLiteral(" || '-Q' || ") + quarter;
        const QString monthKey = QStringLiteral("substr(%1, 1, 7)").arg(date);
        QString monthName = QStringLiteral("CASE ") + month;
        const char* const months[] = {"January", "February", "March", "April", "May", "June", "July", "August",
            "September", "October", "November", "December"};
        for (int m = 0; m < 12; ++m)
            monthName += QStringLiteral(" WHEN %1 THEN '%2'").arg(m + 1).arg(QString::fromLatin1(months[m]));
        monthName += QStringLiteral(" END");

        return std::vector<HierarchyShape> {
            {QStringLiteral("Geography"), true, {plain("Region"), plain("State"), plain("City")}, false},
            {QStringLiteral("Product"), true, {plain("Category"), plain("Sub-Category"), plain("Product")}, false},
            {QStringLiteral("Customer"), true, {plain("Segment"), plain("Customer Name")}, false},
            {QStringLiteral("Order Date"), true,
                {
                    {QStringLiteral("Year"), year, {}, {}},
                    {QStringLiteral("Quarter"), QStringLiteral("'Q' || ") + quarter, quarterKey, quarterKey},
                    {QStringLiteral("Month"), monthName, monthKey, monthKey},
                    {QStringLiteral("Day"), date, {}, {}},
                },
                false},
            {QStringLiteral("Ship Mode"), false, {plain("Ship Mode")}, false},
            {QStringLiteral("Order"), true, {plain("Order ID")}, false},
            {QStringLiteral("Measures"), false, {{QStringLiteral("MeasuresLevel"), {}, {}, {}}}, true},
        };
    }();
    return shapes;
}

QString TableOf(const HierarchyShape& shape)
{
    QString table = QStringLiteral("cube_") + shape.name.toLower();
    table.replace(QLatin1Char(' '), QLatin1Char('_'));
    table.replace(QLatin1Char('-'), QLatin1Char('_'));
    return table;
}

QString Bracketed(const QString& name)
{
    return QLatin1Char('[') + QString(name).replace(QStringLiteral("]"), QStringLiteral("]]")) + QLatin1Char(']');
}

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// One part of a member's name: "[New York]" or "&[NY]" (a key).
struct NamePart
{
    QString text;
    bool isKey = false;
};

// Splits "[a].[b].&[c]" into its parts; plain identifiers (Measures.Sales) are taken too. Nothing
// for text that is not a dotted list of names.
std::optional<std::vector<NamePart>> SplitName(const QString& s)
{
    std::vector<NamePart> parts;
    int i = 0;
    auto skipBlanks = [&] {
        while (i < s.size() && s[i].isSpace())
            ++i;
    };
    while (true) {
        skipBlanks();
        NamePart part;
        if (i < s.size() && s[i] == QLatin1Char('&')) {
            part.isKey = true;
            ++i;
        }
        if (i < s.size() && s[i] == QLatin1Char('[')) {
            bool closed = false;
            for (++i; i < s.size(); ++i) {
                if (s[i] != QLatin1Char(']')) {
                    part.text += s[i];
                } else if (i + 1 < s.size() && s[i + 1] == QLatin1Char(']')) {
                    part.text += QLatin1Char(']');
                    ++i;
                } else {
                    closed = true;
                    ++i;
                    break;
                }
            }
            if (!closed)
                return std::nullopt;
        } else {
            while (i < s.size() && (s[i].isLetterOrNumber() || s[i] == QLatin1Char('_')))
                part.text += s[i++];
            if (part.text.isEmpty())
                return std::nullopt;
        }
        parts.push_back(std::move(part));
        skipBlanks();
        if (i == s.size())
            return parts;
        if (s[i] != QLatin1Char('.'))
            return std::nullopt;
        ++i;
    }
}

// A row of a member table.
struct StoredRow
{
    qint64 id = 0;
    qint64 parent = 0;
    int level = 0;
    qint64 ordinal = 0;
    QString name;
    QString key;
    qint64 childCount = 0;
    qint64 firstChild = 0;
};

const QString kRowColumns = QStringLiteral("id, parent, level, ordinal, name, key, child_count, first_child");

StoredRow ReadRow(const QSqlQuery& query)
{
    StoredRow row;
    row.id = query.value(0).toLongLong();
    row.parent = query.value(1).toLongLong();
    row.level = query.value(2).toInt();
    row.ordinal = query.value(3).toLongLong();
    row.name = query.value(4).toString();
    row.key = query.value(5).isNull() ? row.name : query.value(5).toString();
    row.childCount = query.value(6).toLongLong();
    row.firstChild = query.value(7).toLongLong();
    return row;
}

[[noreturn]] void Fail(const QString& what, const QSqlQuery& query)
{
    throw std::runtime_error(QString(what + QStringLiteral(": ") + query.lastError().text()).toStdString());
}

} // namespace

struct OrdersCube::Impl
{
    // The prepared lookups of one member table, made once its table is there.
    struct Table
    {
        bool ready = false;
        qint64 topCount = 0;
        std::unique_ptr<QSqlQuery> byId;
        std::unique_ptr<QSqlQuery> range;
        std::unique_ptr<QSqlQuery> onLevel;
        std::unique_ptr<QSqlQuery> child;
        std::unique_ptr<QSqlQuery> onLevelByKey;
        std::unique_ptr<QSqlQuery> childByKey;
        std::unique_ptr<QSqlQuery> search;
    };

    explicit Impl(SampleWorkbook& w)
        : workbook(w)
    {
        for (const HierarchyShape& shape : Shapes())
            offered.push_back(static_cast<int>(shape.levels.size()));
        RebuildInfos();
        tables.resize(infos.size());
        defaults.resize(infos.size());
    }

    SampleWorkbook& workbook;
    // The hierarchies as they are offered now: each lists its levels down to the last one offered.
    std::vector<CubeHierarchyInfo> infos;
    // Per hierarchy, how many of its levels (below its All member) are offered, from the top.
    std::vector<int> offered;
    bool allFieldsHidden = false;
    std::vector<Table> tables;
    std::vector<DefaultMemberSetting> defaults;
    const ICubeExtension* extension = nullptr;

    const HierarchyShape& Shape(int h) const { return Shapes()[static_cast<std::size_t>(h)]; }

    // How many levels below the All member are offered; the measures are always offered.
    int Depth(int h) const
    {
        if (Shape(h).measures)
            return static_cast<int>(Shape(h).levels.size());
        return allFieldsHidden ? 0 : offered[static_cast<std::size_t>(h)];
    }

    // The deepest member level offered: 0 for an All member alone, -1 when nothing is. A hierarchy
    // that offers all its levels has no limit, so the extension's members may hang below its last.
    int MaxLevel(int h) const
    {
        if (Depth(h) == static_cast<int>(Shape(h).levels.size()))
            return std::numeric_limits<int>::max();
        return (Shape(h).hasAll ? 1 : 0) + Depth(h) - 1;
    }

    void RebuildInfos()
    {
        infos.clear();
        for (std::size_t h = 0; h < Shapes().size(); ++h) {
            const HierarchyShape& shape = Shapes()[h];
            CubeHierarchyInfo info;
            info.name = TString(shape.name);
            if (shape.hasAll) {
                info.levels.push_back(TString(QStringLiteral("(All)")));
                info.allMemberName = TString(QStringLiteral("All ") + shape.name);
            }
            const int depth = Depth(static_cast<int>(h));
            for (int j = 0; j < depth; ++j)
                info.levels.push_back(TString(shape.levels[static_cast<std::size_t>(j)].name));
            info.hasAllMember = shape.hasAll;
            info.isMeasures = shape.measures;
            infos.push_back(std::move(info));
        }
    }

    void CheckHierarchy(int h) const
    {
        if (h < 0 || h >= static_cast<int>(infos.size()))
            throw std::out_of_range("the cube has no hierarchy " + std::to_string(h));
    }

    QSqlDatabase Database()
    {
        if (!workbook.Open())
            throw std::runtime_error(
                QString(QStringLiteral("the sample workbook is not available: ") + workbook.ErrorText()).toStdString());
        return workbook.Database();
    }

    // The member table's level of the shape's level `j`.
    int LevelOf(int h, std::size_t j) const { return static_cast<int>(j) + (Shape(h).hasAll ? 1 : 0); }

    bool LevelHasKey(int h, int level) const
    {
        const int j = level - (Shape(h).hasAll ? 1 : 0);
        return j >= 0 && j < static_cast<int>(Shape(h).levels.size())
            && !Shape(h).levels[static_cast<std::size_t>(j)].keySql.isEmpty();
    }

    // ---- Making a member table ----------------------------------------------------------------

    void Exec(QSqlDatabase& db, const QString& statement)
    {
        QSqlQuery query(db);
        if (!query.exec(statement))
            Fail(QStringLiteral("cannot make the member table (") + statement.left(60) + QStringLiteral("...)"), query);
    }

    std::optional<qint64> StoredTable(QSqlDatabase& db, const QString& table)
    {
        Exec(db,
            QStringLiteral("CREATE TABLE IF NOT EXISTS cube_info (hierarchy TEXT PRIMARY KEY, version INTEGER NOT "
                           "NULL, members INTEGER NOT NULL)"));
        QSqlQuery query(db);
        query.prepare(QStringLiteral("SELECT version, members FROM cube_info WHERE hierarchy = ?"));
        query.addBindValue(table);
        if (!query.exec())
            Fail(QStringLiteral("cannot read cube_info"), query);
        if (query.next() && query.value(0).toInt() == kTableVersion)
            return query.value(1).toLongLong();
        return std::nullopt;
    }

    // The distinct values of one level joined to the members of the level above, inserted so that
    // every parent's children get consecutive ids in the level's order.
    QString LevelInsert(int h, std::size_t j, const QString& table, bool fromLeaves) const
    {
        const HierarchyShape& shape = Shape(h);
        const LevelShape& level = shape.levels[j];
        auto name = [&](std::size_t i) { return fromLeaves ? QStringLiteral("n%1").arg(i) : shape.levels[i].nameSql; };
        const bool hasKey = !level.keySql.isEmpty();
        const bool hasOrder = !level.orderSql.isEmpty();
        QStringList columns;
        for (std::size_t i = 0; i <= j; ++i)
            columns << name(i) + QStringLiteral(" AS n%1").arg(i);
        if (hasKey)
            columns << (fromLeaves ? QStringLiteral("k%1").arg(j) : level.keySql) + QStringLiteral(" AS k");
        if (hasOrder)
            columns << (fromLeaves ? QStringLiteral("o%1").arg(j) : level.orderSql) + QStringLiteral(" AS o");
        const QString source = fromLeaves ? QStringLiteral("temp.cube_leaves") : SampleWorkbook::TableName();
        const QString values = QStringLiteral("(SELECT DISTINCT ") + columns.join(QStringLiteral(", "))
            + QStringLiteral(" FROM ") + source + QStringLiteral(") v");

        QString joins;
        for (std::size_t i = 0; i < j; ++i) {
            joins += QStringLiteral(" JOIN %1 p%2 ON p%2.level = %3 AND p%2.name = v.n%2")
                         .arg(table)
                         .arg(i)
                         .arg(LevelOf(h, i));
            if (i > 0)
                joins += QStringLiteral(" AND p%1.parent = p%2.id").arg(i).arg(i - 1);
        }
        const QString parent = j == 0 ? QString::number(shape.hasAll ? 1 : 0) : QStringLiteral("p%1.id").arg(j - 1);
        const QString order = (hasOrder ? QStringLiteral("v.o, ") : QString()) + QStringLiteral("v.n%1").arg(j);
        const QString partition = j == 0 ? QString() : QStringLiteral("PARTITION BY ") + parent + QLatin1Char(' ');
        // A constant parent must stay out of the ORDER BY, where SQLite would read it as a column number.
        const QString insertOrder = j == 0 ? order : parent + QStringLiteral(", ") + order;
        return QStringLiteral("INSERT INTO %1 (parent, level, ordinal, name, key, child_count, first_child) "
                              "SELECT %2, %3, ROW_NUMBER() OVER (%4ORDER BY %5) - 1, v.n%6, %7, 0, 0 FROM %8%9 "
                              "ORDER BY %10")
            .arg(table, parent)
            .arg(LevelOf(h, j))
            .arg(partition, order)
            .arg(j)
            .arg(hasKey ? QStringLiteral("v.k") : QStringLiteral("NULL"), values, joins, insertOrder);
    }

    qint64 Build(int h, QSqlDatabase& db, const QString& table)
    {
        const HierarchyShape& shape = Shape(h);
        if (!db.transaction())
            throw std::runtime_error(db.lastError().text().toStdString());
        try {
            Exec(db, QStringLiteral("DROP TABLE IF EXISTS ") + table);
            Exec(db,
                QStringLiteral("CREATE TABLE %1 (id INTEGER PRIMARY KEY, parent INTEGER NOT NULL, level INTEGER NOT "
                               "NULL, ordinal INTEGER NOT NULL, name TEXT NOT NULL COLLATE NOCASE, key TEXT COLLATE "
                               "NOCASE, child_count INTEGER NOT NULL, first_child INTEGER NOT NULL)")
                    .arg(table));
            // Before the levels go in: each level finds its parents through it.
            Exec(db, QStringLiteral("CREATE INDEX %1_name ON %1 (level, name)").arg(table));
            if (std::any_of(
                    shape.levels.begin(), shape.levels.end(), [](const LevelShape& l) { return !l.keySql.isEmpty(); }))
                Exec(db, QStringLiteral("CREATE INDEX %1_key ON %1 (level, key) WHERE key IS NOT NULL").arg(table));
            if (shape.hasAll)
                Exec(db,
                    QStringLiteral("INSERT INTO %1 VALUES (1, 0, 0, 0, %2, NULL, 0, 0)")
                        .arg(table,
                            QLatin1Char('\'') + infos[static_cast<std::size_t>(h)].allMemberName.ToQString()
                                + QLatin1Char('\'')));

            // One pass over the orders gives every distinct path; the upper levels come from it. A
            // hierarchy of one level reads its values straight from the orders.
            const bool fromLeaves = shape.levels.size() > 1;
            if (fromLeaves) {
                QStringList columns;
                for (std::size_t i = 0; i < shape.levels.size(); ++i) {
                    const LevelShape& level = shape.levels[i];
                    columns << level.nameSql + QStringLiteral(" AS n%1").arg(i);
                    if (!level.keySql.isEmpty())
                        columns << level.keySql + QStringLiteral(" AS k%1").arg(i);
                    if (!level.orderSql.isEmpty())
                        columns << level.orderSql + QStringLiteral(" AS o%1").arg(i);
                }
                Exec(db, QStringLiteral("DROP TABLE IF EXISTS temp.cube_leaves"));
                Exec(db,
                    QStringLiteral("CREATE TEMP TABLE cube_leaves AS SELECT DISTINCT ")
                        + columns.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + SampleWorkbook::TableName());
            }
            for (std::size_t j = 0; j < shape.levels.size(); ++j)
                Exec(db, LevelInsert(h, j, table, fromLeaves));
            if (fromLeaves)
                Exec(db, QStringLiteral("DROP TABLE temp.cube_leaves"));

            Exec(db, QStringLiteral("DROP TABLE IF EXISTS temp.cube_counts"));
            Exec(db,
                QStringLiteral("CREATE TEMP TABLE cube_counts (parent INTEGER PRIMARY KEY, n INTEGER, first INTEGER)"));
            Exec(db,
                QStringLiteral("INSERT INTO temp.cube_counts SELECT parent, COUNT(*), MIN(id) FROM %1 WHERE parent > 0 "
                               "GROUP BY parent")
                    .arg(table));
            Exec(db,
                QStringLiteral("UPDATE %1 SET child_count = (SELECT n FROM temp.cube_counts c WHERE c.parent = %1.id), "
                               "first_child = (SELECT first FROM temp.cube_counts c WHERE c.parent = %1.id) "
                               "WHERE id IN (SELECT parent FROM temp.cube_counts)")
                    .arg(table));
            Exec(db, QStringLiteral("DROP TABLE temp.cube_counts"));

            QSqlQuery count(db);
            if (!count.exec(QStringLiteral("SELECT MAX(id) FROM ") + table) || !count.next())
                Fail(QStringLiteral("cannot count the members"), count);
            const qint64 members = count.value(0).toLongLong();
            count.finish();
            QSqlQuery info(db);
            info.prepare(QStringLiteral("INSERT OR REPLACE INTO cube_info VALUES (?, ?, ?)"));
            info.addBindValue(table);
            info.addBindValue(kTableVersion);
            info.addBindValue(members);
            if (!info.exec())
                Fail(QStringLiteral("cannot record the member table"), info);
            if (!db.commit())
                throw std::runtime_error(db.lastError().text().toStdString());
            return members;
        } catch (...) {
            db.rollback();
            throw;
        }
    }

    std::unique_ptr<QSqlQuery> Prepared(QSqlDatabase& db, const QString& statement)
    {
        auto query = std::make_unique<QSqlQuery>(db);
        query->setForwardOnly(true);
        if (!query->prepare(statement))
            Fail(QStringLiteral("cannot prepare a member lookup"), *query);
        return query;
    }

    PrepareStats EnsureTable(int h)
    {
        CheckHierarchy(h);
        Table& t = tables[static_cast<std::size_t>(h)];
        if (t.ready || Shape(h).measures) {
            t.ready = true;
            return {};
        }
        QElapsedTimer timer;
        timer.start();
        QSqlDatabase db = Database();
        const QString table = TableOf(Shape(h));
        PrepareStats stats;
        if (const std::optional<qint64> stored = StoredTable(db, table)) {
            stats.members = *stored;
            stats.reused = true;
        } else {
            stats.members = Build(h, db, table);
            LogMessage(TString(QStringLiteral("Orders Cube: made the %1 members of [%2] in %3 s")
                                   .arg(stats.members)
                                   .arg(Shape(h).name)
                                   .arg(static_cast<double>(timer.nsecsElapsed()) / 1e9, 0, 'f', 2)));
        }
        const QString select = QStringLiteral("SELECT ") + kRowColumns + QStringLiteral(" FROM ") + table;
        t.byId = Prepared(db, select + QStringLiteral(" WHERE id = ?"));
        t.range = Prepared(db, select + QStringLiteral(" WHERE id >= ? AND id < ? ORDER BY id"));
        t.onLevel = Prepared(db, select + QStringLiteral(" WHERE level = ? AND name = ? ORDER BY id LIMIT 1"));
        t.child
            = Prepared(db, select + QStringLiteral(" WHERE level = ? AND name = ? AND parent = ? ORDER BY id LIMIT 1"));
        t.onLevelByKey = Prepared(db, select + QStringLiteral(" WHERE level = ? AND key = ? ORDER BY id LIMIT 1"));
        t.childByKey
            = Prepared(db, select + QStringLiteral(" WHERE level = ? AND key = ? AND parent = ? ORDER BY id LIMIT 1"));
        t.search = Prepared(
            db, select + QStringLiteral(" WHERE name LIKE ? ESCAPE '\\' AND level <= ? ORDER BY id LIMIT ?"));
        if (Shape(h).hasAll) {
            t.topCount = 1;
        } else {
            QSqlQuery count(db);
            if (!count.exec(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE level = 0").arg(table)) || !count.next())
                Fail(QStringLiteral("cannot count the top members"), count);
            t.topCount = count.value(0).toLongLong();
        }
        t.ready = true;
        stats.seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
        return stats;
    }

    // ---- Reading stored members ---------------------------------------------------------------

    static std::vector<StoredRow> Run(QSqlQuery& query, const QVariantList& values)
    {
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values[i]);
        if (!query.exec())
            Fail(QStringLiteral("a member lookup failed"), query);
        std::vector<StoredRow> rows;
        while (query.next())
            rows.push_back(ReadRow(query));
        query.finish();
        return rows;
    }

    std::optional<StoredRow> Row(int h, qint64 id)
    {
        EnsureTable(h);
        if (id <= 0 || Shape(h).measures)
            return std::nullopt;
        std::vector<StoredRow> rows = Run(*tables[static_cast<std::size_t>(h)].byId, {id});
        return rows.empty() ? std::nullopt : std::optional<StoredRow>(std::move(rows.front()));
    }

    qint64 StoredChildren(int h, qint64 parentId)
    {
        EnsureTable(h);
        if (parentId == 0)
            return Shape(h).measures || MaxLevel(h) < 0 ? 0 : tables[static_cast<std::size_t>(h)].topCount;
        const std::optional<StoredRow> row = Row(h, parentId);
        return row && row->level < MaxLevel(h) ? row->childCount : 0;
    }

    // The unique name of a child of `parent` (null: the top).
    TString ChildUniqueName(int h, const CubeMember* parent, const QString& name) const
    {
        if (!parent || parent->isAllMember)
            return TString(Bracketed(Shape(h).name) + QLatin1Char('.') + Bracketed(name));
        return TString(parent->uniqueName.ToQString() + QLatin1Char('.') + Bracketed(name));
    }

    CubeMember FromRow(int h, const StoredRow& row, const CubeMember* parent)
    {
        CubeMember m;
        m.hierarchy = h;
        m.id = row.id;
        m.parentId = row.parent;
        m.level = row.level;
        m.ordinal = row.ordinal;
        // The children of a member on the last level offered are not offered either.
        m.childCount = row.level < MaxLevel(h) ? row.childCount : 0;
        m.name = TString(row.name);
        m.key = TString(row.key);
        m.isAllMember = Shape(h).hasAll && row.id == 1;
        m.uniqueName = ChildUniqueName(h, parent, row.name);
        return m;
    }

    // The stored path from the top to a stored member, each with its unique name.
    std::vector<CubeMember> StoredPath(int h, qint64 id)
    {
        std::vector<StoredRow> rows;
        for (qint64 at = id; at > 0;) {
            std::optional<StoredRow> row = Row(h, at);
            if (!row)
                return {};
            at = row->parent;
            rows.push_back(std::move(*row));
        }
        std::vector<CubeMember> path;
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            path.push_back(FromRow(h, *it, path.empty() ? nullptr : &path.back()));
        return path;
    }

    std::optional<CubeMember> StoredMember(int h, qint64 id)
    {
        std::vector<CubeMember> path = StoredPath(h, id);
        if (path.empty())
            return std::nullopt;
        return path.back();
    }

    // ---- Members of the extension, and the measures --------------------------------------------

    // Every member held in memory for a hierarchy, in the extension's order, with ids, parents,
    // ordinals and unique names filled in.
    std::vector<CubeMember> Extras(int h)
    {
        std::vector<CubeMember> extras;
        const HierarchyShape& shape = Shape(h);
        if (shape.measures) {
            std::vector<TString> names = StoredMeasures();
            if (extension) {
                const std::vector<TString> more = extension->ExtraMeasures();
                names.insert(names.end(), more.begin(), more.end());
            }
            for (std::size_t i = 0; i < names.size(); ++i) {
                CubeMember m;
                m.hierarchy = h;
                m.id = -static_cast<qint64>(i + 1);
                m.ordinal = static_cast<qint64>(i);
                m.name = m.key = names[i];
                m.uniqueName = ChildUniqueName(h, nullptr, names[i].ToQString());
                extras.push_back(std::move(m));
            }
            return extras;
        }
        if (!extension)
            return extras;
        const std::vector<ICubeExtension::Member> members = extension->ExtraMembers(TString(shape.name));
        std::map<qint64, qint64> perParent;
        for (std::size_t i = 0; i < members.size(); ++i) {
            std::optional<CubeMember> parent;
            if (members[i].parentUniqueName.empty()) {
                if (shape.hasAll)
                    parent = StoredMember(h, 1);
            } else {
                parent = ResolveStored(members[i].parentUniqueName);
                if (!parent || parent->hierarchy != h)
                    continue;
            }
            const qint64 parentId = parent ? parent->id : 0;
            // A member below the last level offered is not offered either.
            if ((parent ? parent->level + 1 : 0) > MaxLevel(h))
                continue;
            auto [count, fresh] = perParent.emplace(parentId, 0);
            CubeMember m;
            m.hierarchy = h;
            m.id = -static_cast<qint64>(i + 1);
            m.parentId = parentId;
            m.level = parent ? parent->level + 1 : 0;
            m.ordinal = StoredChildren(h, parentId) + count->second++;
            m.name = m.key = members[i].name;
            m.uniqueName = ChildUniqueName(h, parent ? &*parent : nullptr, members[i].name.ToQString());
            extras.push_back(std::move(m));
        }
        return extras;
    }

    static std::map<qint64, qint64> ExtraCounts(const std::vector<CubeMember>& extras)
    {
        std::map<qint64, qint64> counts;
        for (const CubeMember& m : extras)
            ++counts[m.parentId];
        return counts;
    }

    // ---- Lookups ------------------------------------------------------------------------------

    std::vector<CubeMember> Children(int h, const CubeMember* parent, qint64 first, qint64 count)
    {
        EnsureTable(h);
        std::vector<CubeMember> children;
        if (first < 0 || count <= 0)
            return children;
        const qint64 parentId = parent ? parent->id : 0;
        qint64 stored = 0;
        qint64 firstChild = 1;
        if (parentId == 0) {
            stored = StoredChildren(h, 0);
        } else if (parentId > 0) {
            const std::optional<StoredRow> row = Row(h, parentId);
            if (!row)
                return children;
            stored = row->level < MaxLevel(h) ? row->childCount : 0;
            firstChild = row->firstChild;
        }
        const std::vector<CubeMember> extras = Extras(h);
        const std::map<qint64, qint64> extraCounts = ExtraCounts(extras);
        const qint64 end = first + count;
        if (first < stored) {
            const std::vector<StoredRow> rows = Run(
                *tables[static_cast<std::size_t>(h)].range, {firstChild + first, firstChild + std::min(end, stored)});
            for (const StoredRow& row : rows) {
                CubeMember m = FromRow(h, row, parent);
                if (const auto it = extraCounts.find(m.id); it != extraCounts.end())
                    m.childCount += it->second;
                children.push_back(std::move(m));
            }
        }
        for (const CubeMember& m : extras) {
            if (m.parentId == parentId && m.ordinal >= first && m.ordinal < end)
                children.push_back(m);
        }
        return children;
    }

    qint64 ChildCount(int h, const CubeMember* parent)
    {
        const qint64 parentId = parent ? parent->id : 0;
        qint64 count = parentId >= 0 ? StoredChildren(h, parentId) : 0;
        for (const CubeMember& m : Extras(h))
            count += m.parentId == parentId ? 1 : 0;
        return count;
    }

    std::optional<CubeMember> FindChild(
        int h, const CubeMember* parent, const QString& name, bool byKey, bool storedOnly)
    {
        EnsureTable(h);
        const qint64 parentId = parent ? parent->id : 0;
        const int level = parent ? parent->level + 1 : 0;
        if (level > MaxLevel(h))
            return std::nullopt;
        if (!Shape(h).measures && parentId >= 0) {
            Table& t = tables[static_cast<std::size_t>(h)];
            const bool keyed = byKey && LevelHasKey(h, level);
            std::vector<StoredRow> rows = Run(keyed ? *t.childByKey : *t.child, {level, name, parentId});
            if (!rows.empty())
                return FromRow(h, rows.front(), parent);
        }
        if (storedOnly)
            return std::nullopt;
        for (const CubeMember& m : Extras(h))
            if (m.parentId == parentId && SameName(m.name.ToQString(), name))
                return m;
        return std::nullopt;
    }

    std::optional<CubeMember> FindOnLevel(int h, int level, const QString& name, bool byKey, bool storedOnly)
    {
        EnsureTable(h);
        if (level < 0 || level > MaxLevel(h))
            return std::nullopt;
        if (!Shape(h).measures) {
            Table& t = tables[static_cast<std::size_t>(h)];
            const bool keyed = byKey && LevelHasKey(h, level);
            const std::vector<StoredRow> rows = Run(keyed ? *t.onLevelByKey : *t.onLevel, {level, name});
            if (!rows.empty())
                return StoredMember(h, rows.front().id);
        }
        if (storedOnly)
            return std::nullopt;
        for (const CubeMember& m : Extras(h))
            if (m.level == level && SameName(m.name.ToQString(), name))
                return m;
        return std::nullopt;
    }

    int HierarchyNamed(const QString& name) const
    {
        for (std::size_t h = 0; h < infos.size(); ++h)
            if (SameName(infos[h].name.ToQString(), name))
                return static_cast<int>(h);
        return -1;
    }

    int FindHierarchy(const QString& text) const
    {
        const QString name = text.trimmed();
        if (!name.startsWith(QLatin1Char('[')))
            return HierarchyNamed(name);
        const std::optional<std::vector<NamePart>> parts = SplitName(name);
        return parts && parts->size() == 1 && !parts->front().isKey ? HierarchyNamed(parts->front().text) : -1;
    }

    // Adds the extension's members to the child counts of stored members, which the table alone
    // does not know.
    void CountExtras(int h, std::vector<CubeMember>& members)
    {
        const std::map<qint64, qint64> counts = ExtraCounts(Extras(h));
        for (CubeMember& m : members)
            if (const auto it = counts.find(m.id); m.id > 0 && it != counts.end())
                m.childCount += it->second;
    }

    std::optional<CubeMember> Counted(int h, std::optional<CubeMember> member)
    {
        if (!member)
            return member;
        std::vector<CubeMember> one {std::move(*member)};
        CountExtras(h, one);
        return std::move(one.front());
    }

    int FindLevel(int h, const QString& name) const
    {
        const std::vector<TString>& levels = infos[static_cast<std::size_t>(h)].levels;
        for (std::size_t i = 0; i < levels.size(); ++i)
            if (SameName(levels[i].ToQString(), name))
                return static_cast<int>(i);
        return -1;
    }

    std::optional<CubeMember> Resolve(const TString& uniqueName, bool storedOnly)
    {
        const std::optional<std::vector<NamePart>> parts = SplitName(uniqueName.ToQString());
        if (!parts || parts->size() < 2 || parts->front().isKey)
            return std::nullopt;
        const int h = HierarchyNamed(parts->front().text);
        if (h < 0)
            return std::nullopt;
        EnsureTable(h);
        const NamePart& second = (*parts)[1];
        if (!second.isKey) {
            const int level = FindLevel(h, second.text);
            if (level >= 0 && parts->size() == 3) {
                if (std::optional<CubeMember> m
                    = FindOnLevel(h, level, (*parts)[2].text, (*parts)[2].isKey, storedOnly))
                    return m;
            }
        }
        // A path, from the top; the All member's name may head it or be left out.
        const CubeHierarchyInfo& info = infos[static_cast<std::size_t>(h)];
        std::optional<CubeMember> at;
        for (std::size_t i = 1; i < parts->size(); ++i) {
            const NamePart& part = (*parts)[i];
            if (!at && info.hasAllMember) {
                at = StoredMember(h, 1);
                if (!at)
                    return std::nullopt;
                if (!part.isKey && SameName(part.text, info.allMemberName.ToQString()))
                    continue;
            }
            at = FindChild(h, at ? &*at : nullptr, part.text, part.isKey, storedOnly);
            if (!at)
                return std::nullopt;
        }
        return at;
    }

    std::optional<CubeMember> ResolveStored(const TString& uniqueName) { return Resolve(uniqueName, true); }
};

OrdersCube::OrdersCube(SampleWorkbook& workbook)
    : m_impl(std::make_unique<Impl>(workbook))
{
}

OrdersCube::~OrdersCube() = default;

TString OrdersCube::DataSourceName()
{
    return TString(QStringLiteral("Orders Cube"));
}

const std::vector<CubeHierarchyInfo>& OrdersCube::Hierarchies() const
{
    return m_impl->infos;
}

int OrdersCube::FindHierarchy(const TString& name) const
{
    return m_impl->FindHierarchy(name.ToQString());
}

int OrdersCube::FindLevel(int hierarchy, const TString& name) const
{
    m_impl->CheckHierarchy(hierarchy);
    return m_impl->FindLevel(hierarchy, name.ToQString());
}

qint64 OrdersCube::ChildCount(int hierarchy, const CubeMember* parent)
{
    m_impl->CheckHierarchy(hierarchy);
    return m_impl->ChildCount(hierarchy, parent);
}

std::vector<CubeMember> OrdersCube::Children(int hierarchy, const CubeMember* parent, qint64 first, qint64 count)
{
    m_impl->CheckHierarchy(hierarchy);
    return m_impl->Children(hierarchy, parent, first, count);
}

std::optional<CubeMember> OrdersCube::FindChild(
    int hierarchy, const CubeMember* parent, const TString& name, bool byKey)
{
    m_impl->CheckHierarchy(hierarchy);
    return m_impl->Counted(hierarchy, m_impl->FindChild(hierarchy, parent, name.ToQString(), byKey, false));
}

std::optional<CubeMember> OrdersCube::FindOnLevel(int hierarchy, int level, const TString& name, bool byKey)
{
    m_impl->CheckHierarchy(hierarchy);
    return m_impl->Counted(hierarchy, m_impl->FindOnLevel(hierarchy, level, name.ToQString(), byKey, false));
}

std::optional<CubeMember> OrdersCube::AllMember(int hierarchy)
{
    m_impl->CheckHierarchy(hierarchy);
    if (!m_impl->infos[static_cast<std::size_t>(hierarchy)].hasAllMember)
        return std::nullopt;
    return m_impl->Counted(hierarchy, m_impl->StoredMember(hierarchy, 1));
}

std::optional<CubeMember> OrdersCube::Resolve(const TString& uniqueName)
{
    std::optional<CubeMember> member = m_impl->Resolve(uniqueName, false);
    return member ? m_impl->Counted(member->hierarchy, std::move(member)) : member;
}

std::vector<CubeMember> OrdersCube::PathTo(const CubeMember& member)
{
    m_impl->CheckHierarchy(member.hierarchy);
    const int h = member.hierarchy;
    std::vector<CubeMember> path = m_impl->StoredPath(h, member.id > 0 ? member.id : member.parentId);
    if (member.id <= 0 && (member.parentId == 0 || !path.empty()))
        path.push_back(member);
    m_impl->CountExtras(h, path);
    return path;
}

OrdersCube::MemberSearch OrdersCube::Search(int hierarchy, const TString& text, int limit)
{
    m_impl->CheckHierarchy(hierarchy);
    m_impl->EnsureTable(hierarchy);
    MemberSearch result;
    const int wanted = std::max(limit, 0);
    const QString needle = text.ToQString();
    if (!m_impl->Shape(hierarchy).measures) {
        QString pattern = needle;
        pattern.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
            .replace(QLatin1Char('%'), QStringLiteral("\\%"))
            .replace(QLatin1Char('_'), QStringLiteral("\\_"));
        const std::vector<StoredRow> rows = Impl::Run(*m_impl->tables[static_cast<std::size_t>(hierarchy)].search,
            {QVariant(QString(QLatin1Char('%') + pattern + QLatin1Char('%'))), QVariant(m_impl->MaxLevel(hierarchy)),
                QVariant(wanted + 1)});
        for (const StoredRow& row : rows) {
            if (static_cast<int>(result.members.size()) == wanted) {
                result.truncated = true;
                break;
            }
            if (std::optional<CubeMember> m = m_impl->StoredMember(hierarchy, row.id))
                result.members.push_back(std::move(*m));
        }
        m_impl->CountExtras(hierarchy, result.members);
    }
    if (result.truncated)
        return result;
    for (const CubeMember& m : m_impl->Extras(hierarchy)) {
        if (!m.name.ToQString().contains(needle, Qt::CaseInsensitive))
            continue;
        if (static_cast<int>(result.members.size()) == wanted) {
            result.truncated = true;
            break;
        }
        result.members.push_back(m);
    }
    return result;
}

std::vector<TString> OrdersCube::Measures() const
{
    std::vector<TString> names = StoredMeasures();
    if (m_impl->extension) {
        const std::vector<TString> more = m_impl->extension->ExtraMeasures();
        names.insert(names.end(), more.begin(), more.end());
    }
    return names;
}

std::vector<TString> OrdersCube::StoredMeasures()
{
    std::vector<TString> names;
    for (const char* name : kMeasures)
        names.push_back(TString::FromUtf8(name));
    return names;
}

std::vector<CubeMember> OrdersCube::ExtensionMembers(int hierarchy)
{
    m_impl->CheckHierarchy(hierarchy);
    std::vector<CubeMember> members = m_impl->Extras(hierarchy);
    if (m_impl->Shape(hierarchy).measures)
        members.erase(members.begin(), members.begin() + static_cast<std::ptrdiff_t>(std::size(kMeasures)));
    return members;
}

void OrdersCube::SetExtension(const ICubeExtension* extension)
{
    m_impl->extension = extension;
}

std::vector<TString> OrdersCube::SchemaLevels(int hierarchy) const
{
    m_impl->CheckHierarchy(hierarchy);
    std::vector<TString> levels;
    if (m_impl->Shape(hierarchy).measures)
        return levels;
    for (const LevelShape& level : m_impl->Shape(hierarchy).levels)
        levels.push_back(TString(level.name));
    return levels;
}

int OrdersCube::OfferedLevelCount(int hierarchy) const
{
    m_impl->CheckHierarchy(hierarchy);
    return m_impl->Shape(hierarchy).measures ? 0 : m_impl->offered[static_cast<std::size_t>(hierarchy)];
}

void OrdersCube::SetOfferedLevelCount(int hierarchy, int count)
{
    m_impl->CheckHierarchy(hierarchy);
    const int levels = static_cast<int>(SchemaLevels(hierarchy).size());
    if (count < 0 || count > levels)
        throw std::invalid_argument(
            QString(Bracketed(m_impl->infos[static_cast<std::size_t>(hierarchy)].name.ToQString())
                + QStringLiteral(" has %1 levels to offer, not %2").arg(levels).arg(count))
                .toStdString());
    m_impl->offered[static_cast<std::size_t>(hierarchy)] = count;
    m_impl->RebuildInfos();
}

bool OrdersCube::AreAllFieldsHidden() const
{
    return m_impl->allFieldsHidden;
}

void OrdersCube::SetAllFieldsHidden(bool hidden)
{
    m_impl->allFieldsHidden = hidden;
    m_impl->RebuildInfos();
}

OrdersCube::DefaultMemberSetting OrdersCube::GetDefaultSetting(int hierarchy) const
{
    m_impl->CheckHierarchy(hierarchy);
    return m_impl->defaults[static_cast<std::size_t>(hierarchy)];
}

void OrdersCube::SetDefaultSetting(int hierarchy, const DefaultMemberSetting& setting)
{
    m_impl->CheckHierarchy(hierarchy);
    const CubeHierarchyInfo& info = m_impl->infos[static_cast<std::size_t>(hierarchy)];
    const QString name = Bracketed(info.name.ToQString());
    switch (setting.type) {
    case HSM::DMT_CubeDefault:
    case HSM::DMT_SelectedMember:
        break;
    case HSM::DMT_AllMember:
        if (!info.hasAllMember)
            throw std::invalid_argument(QString(name + QStringLiteral(" has no All member")).toStdString());
        break;
    default:
        throw std::invalid_argument(("there is no default member type " + std::to_string(setting.type)));
    }
    // A choice that names no member keeps the one picked before, to be offered again.
    DefaultMemberSetting stored {setting.type, m_impl->defaults[static_cast<std::size_t>(hierarchy)].member};
    if (!setting.member.empty()) {
        const std::optional<CubeMember> member = Resolve(setting.member);
        if (!member || member->hierarchy != hierarchy)
            throw std::invalid_argument(
                QString(name + QStringLiteral(" has no member ") + setting.member.ToQString()).toStdString());
        stored.member = member->uniqueName;
    } else if (setting.type == HSM::DMT_SelectedMember) {
        // Not the one picked before: a selected default is what the user picked now.
        throw std::invalid_argument(
            QString(QStringLiteral("a selected default member of ") + name + QStringLiteral(" needs a member"))
                .toStdString());
    }
    m_impl->defaults[static_cast<std::size_t>(hierarchy)] = stored;
}

CubeMember OrdersCube::DefaultMember(int hierarchy)
{
    m_impl->CheckHierarchy(hierarchy);
    const DefaultMemberSetting& setting = m_impl->defaults[static_cast<std::size_t>(hierarchy)];
    if (setting.type == HSM::DMT_SelectedMember) {
        // A selected member that is gone (an extension's member removed since) falls back.
        if (std::optional<CubeMember> member = Resolve(setting.member))
            return *member;
    }
    if (std::optional<CubeMember> all = AllMember(hierarchy))
        return *all;
    std::vector<CubeMember> first = Children(hierarchy, nullptr, 0, 1);
    if (first.empty())
        throw std::runtime_error("the hierarchy has no members");
    return first.front();
}

DataValue OrdersCube::ValueOf(const CubeMember& member)
{
    return member.isAllMember ? DataValue::Special(DT_STRING, member.uniqueName) : DataValue(member.uniqueName);
}

OrdersCube::PrepareStats OrdersCube::Prepare(int hierarchy)
{
    return m_impl->EnsureTable(hierarchy);
}

} // namespace Zel::Sim
