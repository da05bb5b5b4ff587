#include "SampleWorkbook.h"

#include "SampleCatalog.h"
#include "SampleRows.h"

#include "host/doc/HostLog.h"

#include <QtCore/QAtomicInteger>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

#include <algorithm>

namespace Zel::Sim {

namespace {

// Changing anything that changes the rows must change this, so that stale files are regenerated.
constexpr int kGeneratorVersion = 1;

QAtomicInteger<int> s_connectionCounter {0};

QString Quote(const QString& identifier)
{
    QString quoted = identifier;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

const std::vector<SampleField>& AllFields()
{
    static const std::vector<SampleField> fields = [] {
        const TString ds = SampleWorkbook::DataSourceName();
        auto field = [&ds](const char* name, DataType type, FieldRole role) {
            return SampleField {FieldName(ds, TString::FromUtf8(name)), type, role};
        };
        // Order matters: it is the column order of the table, and SampleRows writes rows in it.
        return std::vector<SampleField> {
            field("Row ID", DT_INTEGER, FieldRole::Dimension),
            field("Order ID", DT_STRING, FieldRole::Dimension),
            field("Order Date", DT_DATE, FieldRole::Dimension),
            field("Ship Date", DT_DATE, FieldRole::Dimension),
            field("Ship Mode", DT_STRING, FieldRole::Dimension),
            field("Customer Name", DT_STRING, FieldRole::Dimension),
            field("Segment", DT_STRING, FieldRole::Dimension),
            field("Country", DT_STRING, FieldRole::Dimension),
            field("Region", DT_STRING, FieldRole::Dimension),
            field("State", DT_STRING, FieldRole::Dimension),
            field("City", DT_STRING, FieldRole::Dimension),
            field("Category", DT_STRING, FieldRole::Dimension),
            field("Sub-Category", DT_STRING, FieldRole::Dimension),
            field("Product", DT_STRING, FieldRole::Dimension),
            field("Sales", DT_REAL, FieldRole::Measure),
            field("Quantity", DT_INTEGER, FieldRole::Measure),
            field("Discount", DT_REAL, FieldRole::Measure),
            field("Profit", DT_REAL, FieldRole::Measure),
        };
    }();
    return fields;
}

const std::vector<SampleField>& TargetFields()
{
    static const std::vector<SampleField> fields = [] {
        const TString ds = SampleWorkbook::TargetsDataSourceName();
        auto field = [&ds](const char* name, DataType type, FieldRole role) {
            return SampleField {FieldName(ds, TString::FromUtf8(name)), type, role};
        };
        return std::vector<SampleField> {
            field("Region", DT_STRING, FieldRole::Dimension),
            field("Category", DT_STRING, FieldRole::Dimension),
            field("Target Month", DT_DATE, FieldRole::Dimension),
            field("Target", DT_REAL, FieldRole::Measure),
        };
    }();
    return fields;
}

const std::vector<SampleDataSource>& AllDataSources()
{
    static const std::vector<SampleDataSource> sources = {
        {SampleWorkbook::DataSourceName(), SampleWorkbook::TableName(), AllFields()},
        {SampleWorkbook::TargetsDataSourceName(), SampleWorkbook::TargetsTableName(), TargetFields()},
    };
    return sources;
}

const SampleDataSource* SourceOf(const SampleField& field)
{
    for (const SampleDataSource& source : AllDataSources())
        if (source.name == field.name.GetDataSource())
            return &source;
    return nullptr;
}

SampleParameter MakeParameter(const char* name, const char* caption, DataType type, DataValue value)
{
    SampleParameter parameter;
    parameter.name = FieldName(SampleWorkbook::ParametersName(), TString::FromUtf8(name));
    parameter.caption = TString::FromUtf8(caption);
    parameter.dataType = type;
    parameter.value = std::move(value);
    return parameter;
}

QString SqlType(DataType type)
{
    switch (type) {
    case DT_INTEGER:
        return QStringLiteral("INTEGER");
    case DT_REAL:
        return QStringLiteral("REAL");
    default:
        // Dates are ISO text: it sorts in date order and reads back through DataValue::FromVariant.
        return QStringLiteral("TEXT");
    }
}

QString CreateTableStatement()
{
    QStringList columns;
    for (const SampleField& field : AllFields()) {
        QString column = Quote(field.name.GetLocalName().ToQString()) + QLatin1Char(' ') + SqlType(field.dataType);
        columns << (columns.isEmpty() ? column + QStringLiteral(" PRIMARY KEY") : column + QStringLiteral(" NOT NULL"));
    }
    return QStringLiteral("CREATE TABLE ") + SampleWorkbook::TableName() + QStringLiteral(" (") + columns.join(u',')
        + QLatin1Char(')');
}

bool Exec(QSqlDatabase& db, const QString& statement, QString* error = nullptr)
{
    QSqlQuery query(db);
    if (query.exec(statement))
        return true;
    if (error)
        *error = query.lastError().text();
    return false;
}

} // namespace

SampleWorkbook::SampleWorkbook()
    : SampleWorkbook(Options {})
{
}

SampleWorkbook::SampleWorkbook(Options options)
    : m_options(std::move(options))
    , m_connection(QStringLiteral("zelsim-workbook-") + QString::number(s_connectionCounter.fetchAndAddRelaxed(1)))
{
    SampleParameter topCustomers = MakeParameter("Parameter 1", "Top Customers", DT_INTEGER, DataValue(10));
    // A top-N filter counts with it, so it must stay a whole number.
    topCustomers.inUse = true;
    topCustomers.domainType = ParameterTypes::Domain_Range;
    topCustomers.range = SampleRange {DataValue(1), DataValue(50), DataValue(1), DPT_DAYS, true, true, true, {}};
    SampleParameter profitTarget = MakeParameter("Parameter 2", "Profit Target", DT_REAL, DataValue(0.15));
    profitTarget.format = TString::FromUtf8("p0");
    SampleParameter focusRegion
        = MakeParameter("Parameter 3", "Focus Region", DT_STRING, DataValue(TString::FromUtf8("East")));
    focusRegion.domainType = ParameterTypes::Domain_List;
    for (const char* region : {"East", "West", "Central", "South"})
        focusRegion.listValues.push_back(ListValue {DataValue(TString::FromUtf8(region)), TString()});
    m_parameters = {std::move(topCustomers), std::move(profitTarget), std::move(focusRegion)};
}

SampleWorkbook::~SampleWorkbook()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

TString SampleWorkbook::DataSourceName()
{
    return TString::FromUtf8("Orders");
}

QString SampleWorkbook::TableName()
{
    return QStringLiteral("orders");
}

TString SampleWorkbook::TargetsDataSourceName()
{
    return TString::FromUtf8("Sales Targets");
}

QString SampleWorkbook::TargetsTableName()
{
    return QStringLiteral("sales_targets");
}

TString SampleWorkbook::ParametersName()
{
    return TString::FromUtf8("Parameters");
}

QString SampleWorkbook::SqlColumn(const FieldName& field)
{
    return Quote(field.GetLocalName().ToQString());
}

const std::vector<SampleField>& SampleWorkbook::Fields() const
{
    return AllFields();
}

const std::vector<SampleDataSource>& SampleWorkbook::DataSources() const
{
    return AllDataSources();
}

const SampleField* SampleWorkbook::FindField(const FieldName& name) const
{
    // A name typed by a user carries no data source: the orders, the main source, answer first.
    for (const SampleDataSource& source : AllDataSources()) {
        if (!name.GetDataSource().empty() && name.GetDataSource() != source.name)
            continue;
        const auto it = std::find_if(source.fields.begin(), source.fields.end(),
            [&name](const SampleField& f) { return f.name.GetLocalName() == name.GetLocalName(); });
        if (it != source.fields.end())
            return &*it;
    }
    return nullptr;
}

const MemberAliases& SampleWorkbook::Aliases(const FieldName& field) const
{
    static const MemberAliases none;
    const auto it = m_aliases.find(field);
    return it != m_aliases.end() ? it->second : none;
}

void SampleWorkbook::SetAliases(const FieldName& field, MemberAliases aliases)
{
    if (aliases.empty())
        m_aliases.erase(field);
    else
        m_aliases[field] = std::move(aliases);
}

const SampleParameter* SampleWorkbook::FindParameter(const TString& caption) const
{
    const QString wanted = caption.ToQString();
    const auto it = std::find_if(m_parameters.begin(), m_parameters.end(), [&wanted](const SampleParameter& p) {
        return p.caption.ToQString().compare(wanted, Qt::CaseInsensitive) == 0;
    });
    return it != m_parameters.end() ? &*it : nullptr;
}

const SampleParameter* SampleWorkbook::FindParameter(const FieldName& name) const
{
    const auto it = std::find_if(
        m_parameters.begin(), m_parameters.end(), [&name](const SampleParameter& p) { return p.name == name; });
    return it != m_parameters.end() ? &*it : nullptr;
}

const std::vector<SampleHierarchy>& SampleWorkbook::Hierarchies() const
{
    static const std::vector<SampleHierarchy> hierarchies = [] {
        const TString ds = DataSourceName();
        auto name = [&ds](const char* n) { return FieldName(ds, TString::FromUtf8(n)); };
        return std::vector<SampleHierarchy> {
            {name("Geography"), {name("Region"), name("State"), name("City")}},
            {name("Products"), {name("Category"), name("Sub-Category"), name("Product")}},
        };
    }();
    return hierarchies;
}

bool SampleWorkbook::Fail(const QString& error)
{
    m_state = State::Failed;
    m_error = error;
    LogMessage(TString(QStringLiteral("Sample workbook: ") + error));
    return false;
}

bool SampleWorkbook::Open()
{
    if (m_state != State::Closed)
        return m_state == State::Ready;
    if (!OpenTables())
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    return EnsureTargets(db);
}

bool SampleWorkbook::EnsureTargets(QSqlDatabase& db)
{
    {
        QSqlQuery exists(db);
        if (exists.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = '")
                + TargetsTableName() + QLatin1Char('\''))
            && exists.next() && exists.value(0).toInt() > 0)
            return true;
    }
    QStringList columns;
    for (const SampleField& field : TargetFields())
        columns << Quote(field.name.GetLocalName().ToQString()) + QLatin1Char(' ') + SqlType(field.dataType)
                + QStringLiteral(" NOT NULL");
    QString error;
    if (!db.transaction())
        return Fail(db.lastError().text());
    bool ok = Exec(db,
        QStringLiteral("CREATE TABLE ") + TargetsTableName() + QStringLiteral(" (") + columns.join(u',')
            + QLatin1Char(')'),
        &error);
    QSqlQuery insert(db);
    ok = ok
        && insert.prepare(QStringLiteral("INSERT INTO ") + TargetsTableName() + QStringLiteral(" VALUES (?, ?, ?, ?)"));
    for (const Catalog::SalesTarget& target : Catalog::SalesTargets()) {
        if (!ok)
            break;
        insert.addBindValue(target.region);
        insert.addBindValue(target.category);
        insert.addBindValue(target.month.toString(Qt::ISODate));
        insert.addBindValue(target.target);
        ok = insert.exec();
        if (!ok)
            error = insert.lastError().text();
    }
    if (!ok) {
        db.rollback();
        return Fail(error.isEmpty() ? insert.lastError().text() : error);
    }
    if (!db.commit())
        return Fail(db.lastError().text());
    return true;
}

bool SampleWorkbook::OpenTables()
{
    if (m_options.rowCount < 0)
        return Fail(QStringLiteral("a negative row count was requested"));

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    if (!db.isValid())
        return Fail(QStringLiteral("the QSQLITE driver is not available"));
    if (m_options.databasePath.isEmpty()) {
        db.setDatabaseName(QStringLiteral(":memory:"));
        if (!db.open())
            return Fail(db.lastError().text());
        return Generate(db);
    }
    return OpenFile(db);
}

bool SampleWorkbook::OpenFile(QSqlDatabase& db)
{
    const QString& path = m_options.databasePath;
    db.setDatabaseName(path);
    const QFileInfo file(path);
    if (file.exists() && file.size() > 0) {
        if (!db.open())
            return Fail(db.lastError().text());
        const std::optional<qint64> stored = StoredRowCount(db);
        if (!stored)
            return Fail(path + QStringLiteral(" is not a sample workbook database; it was left as it is"));
        if (*stored == m_options.rowCount) {
            m_stats = GenerationStats {*stored, 0, true};
            m_state = State::Ready;
            return true;
        }
        // Starting from an empty file is much faster than deleting millions of rows.
        db.close();
        if (!QFile::remove(path))
            return Fail(QStringLiteral("cannot replace ") + path);
    }
    if (!db.open())
        return Fail(db.lastError().text());
    return Generate(db);
}

std::optional<qint64> SampleWorkbook::StoredRowCount(QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT key, value FROM workbook_info")))
        return std::nullopt;
    int generator = 0;
    qint64 rows = -1;
    while (query.next()) {
        const QString key = query.value(0).toString();
        if (key == QLatin1String("generator"))
            generator = query.value(1).toInt();
        else if (key == QLatin1String("rows"))
            rows = query.value(1).toLongLong();
    }
    return generator == kGeneratorVersion ? rows : -1;
}

bool SampleWorkbook::Generate(QSqlDatabase& db)
{
    QElapsedTimer timer;
    timer.start();
    QString error;
    // Nothing here needs to survive a crash: an interrupted file has no row count and is made again.
    for (const char* pragma :
        {"PRAGMA journal_mode=OFF", "PRAGMA synchronous=OFF", "PRAGMA cache_size=-65536", "PRAGMA temp_store=MEMORY"})
        Exec(db, QString::fromLatin1(pragma));
    if (!Exec(db, QStringLiteral("CREATE TABLE workbook_info (key TEXT PRIMARY KEY, value)"), &error)
        || !Exec(db,
            QStringLiteral("INSERT INTO workbook_info VALUES ('generator', ") + QString::number(kGeneratorVersion)
                + QLatin1Char(')'),
            &error)
        || !Exec(db, CreateTableStatement(), &error))
        return Fail(error);
    if (AllFields().size() != static_cast<std::size_t>(Rows::kColumnCount))
        return Fail(QStringLiteral("the generator does not fill every field"));
    if (!db.transaction())
        return Fail(db.lastError().text());
    error = Rows::Write(db, TableName(), m_options.rowCount, m_options.loadThroughSqliteApi);
    if (error.isEmpty())
        Exec(db,
            QStringLiteral("INSERT INTO workbook_info VALUES ('rows', ") + QString::number(m_options.rowCount)
                + QLatin1Char(')'),
            &error);
    if (!error.isEmpty()) {
        db.rollback();
        return Fail(error);
    }
    if (!db.commit())
        return Fail(db.lastError().text());
    // Later writers (the areas' own tables) get ordinary safety back.
    Exec(db, QStringLiteral("PRAGMA journal_mode=MEMORY"));
    Exec(db, QStringLiteral("PRAGMA synchronous=NORMAL"));

    m_stats = GenerationStats {m_options.rowCount, static_cast<double>(timer.nsecsElapsed()) / 1e9, false};
    m_state = State::Ready;
    LogMessage(TString(QStringLiteral("Sample workbook: generated ") + QString::number(m_stats.rows)
        + QStringLiteral(" rows in ") + QString::number(m_stats.seconds, 'f', 2) + QStringLiteral(" s")));
    return true;
}

qint64 SampleWorkbook::RowCount()
{
    return Open() ? m_options.rowCount : 0;
}

std::vector<DataValue> SampleWorkbook::DistinctValues(const FieldName& field)
{
    const SampleField* info = FindField(field);
    if (!info || !Open())
        return {};
    const QString table = SourceOf(*info)->table;
    const QString column = SqlColumn(info->name);
    const QString key = table + QLatin1Char('.') + column;
    if (const auto cached = m_distinctCache.find(key); cached != m_distinctCache.end())
        return cached->second;

    std::vector<DataValue> values;
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    if (query.exec(QStringLiteral("SELECT DISTINCT ") + column + QStringLiteral(" FROM ") + table
            + QStringLiteral(" ORDER BY ") + column)) {
        while (query.next())
            values.push_back(DataValue::FromVariant(info->dataType, query.value(0)));
    }
    m_distinctCache.emplace(key, values);
    return values;
}

std::optional<SampleValueRange> SampleWorkbook::MinMax(const FieldName& field)
{
    const SampleField* info = FindField(field);
    if (!info || !Open())
        return std::nullopt;
    const QString table = SourceOf(*info)->table;
    const QString column = SqlColumn(info->name);
    const QString key = table + QLatin1Char('.') + column;
    if (const auto cached = m_rangeCache.find(key); cached != m_rangeCache.end())
        return cached->second;

    std::optional<SampleValueRange> range;
    QSqlQuery query(Database());
    if (query.exec(QStringLiteral("SELECT MIN(") + column + QStringLiteral("), MAX(") + column
            + QStringLiteral(") FROM ") + table)
        && query.next() && !query.isNull(0))
        range = SampleValueRange {DataValue::FromVariant(info->dataType, query.value(0)),
            DataValue::FromVariant(info->dataType, query.value(1))};
    m_rangeCache.emplace(key, range);
    return range;
}

QSqlDatabase SampleWorkbook::Database()
{
    Open();
    return QSqlDatabase::database(m_connection, false);
}

} // namespace Zel::Sim
