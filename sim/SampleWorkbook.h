#pragma once

#include "sim/ZelSimExport.h"

#include "host/doc/DataValue.h"
#include "host/doc/DatePeriodType.h"
#include "host/doc/FieldName.h"
#include "host/doc/FormattedText.h"
#include "host/doc/ParameterTypes.h"

#include <QtCore/QString>

#include <map>
#include <optional>
#include <vector>

class QSqlDatabase;

namespace Zel::Sim {

enum class FieldRole
{
    Dimension,
    Measure,
};

// One column of a data source's table as the workbook shows it. The column is named after the local
// name, so a FieldName leads straight to its SQL column.
struct SampleField
{
    FieldName name;
    DataType dataType;
    FieldRole role;
};

// A drill path over fields, top level first.
struct SampleHierarchy
{
    FieldName name;
    std::vector<FieldName> levels;
};

// A data source of the workbook and the table its fields are columns of.
struct SampleDataSource
{
    TString name;
    QString table;
    std::vector<SampleField> fields;
};

// One value of a list of allowable values; an empty alias means none.
struct ListValue
{
    DataValue value;
    TString alias;
};

// A range of allowable values. Bounds and step the user did not set are the host's to derive, so
// they are kept only as last shown. A date range steps by `increment` whole periods.
struct SampleRange
{
    DataValue min;
    DataValue max;
    DataValue increment;
    DatePeriodType period = DPT_DAYS;
    bool userDefinedMin = false;
    bool userDefinedMax = false;
    bool userDefinedIncrement = false;
    // The field or parameter the derived bounds come from; empty: from the value.
    FieldName source;
};

// A workbook parameter as the simulator keeps it; the parameter commands read and change these.
struct SampleParameter
{
    FieldName name;
    TString caption;
    DataType dataType = DT_REAL;
    DataValue value;
    FormattedText comment;
    // Empty: automatic.
    TString format;
    ParameterTypes::DomainType domainType = ParameterTypes::Domain_Any;
    std::vector<ListValue> listValues;
    SampleRange range;
    // Something in the workbook relies on the data type, so an edit may not change it.
    bool inUse = false;
};

// The aliases a field's members are shown with: alias by member name, members without one left out.
using MemberAliases = std::map<TString, TString>;

struct SampleValueRange
{
    DataValue min;
    DataValue max;
};

// The sample workbook behind the simulated host: two data sources, "Orders" (the large generated
// table) and "Sales Targets" (a few dozen rows), whose tables live in SQLite, plus the
// workbook-level state that commands change (its parameters).
//
// The table is generated on first use from a fixed seed, so every run (and every machine) sees the
// same rows. With a database path, a file that already holds the requested number of rows from
// this generator is reused; any other file of ours is regenerated. A path holding something that
// is not ours is left alone and the workbook reports an error instead.
//
// Each instance has its own QtSql connection, removed on destruction; copies of Database() must not
// outlive the workbook.
class ZELSIM_EXPORT SampleWorkbook
{
public:
    static constexpr qint64 kDefaultRowCount = 100'000;

    struct Options
    {
        qint64 rowCount = kDefaultRowCount;
        // Empty: in memory.
        QString databasePath;
        // Writes the rows through SQLite's own API on QtSql's connection where the driver allows;
        // false keeps to the portable QtSql path. Both give the same rows.
        bool loadThroughSqliteApi = true;
    };

    struct GenerationStats
    {
        qint64 rows = 0;
        double seconds = 0;
        bool reused = false;
    };

    SampleWorkbook();
    explicit SampleWorkbook(Options options);
    ~SampleWorkbook();
    SampleWorkbook(const SampleWorkbook&) = delete;
    SampleWorkbook& operator=(const SampleWorkbook&) = delete;

    // The orders data source, the one most areas work on.
    static TString DataSourceName();
    static QString TableName();
    static TString TargetsDataSourceName();
    static QString TargetsTableName();
    // The data source that holds every parameter's name.
    static TString ParametersName();
    // The column of a field's local name, quoted for SQL.
    static QString SqlColumn(const FieldName& field);

    // Opens (and if need be generates) the table. Every query opens on demand; calling this first
    // only moves the wait and gives the error. Later calls return the first call's answer.
    bool Open();
    QString ErrorText() const { return m_error; }
    const GenerationStats& LastGeneration() const noexcept { return m_stats; }

    qint64 RowCount();
    // The orders fields.
    const std::vector<SampleField>& Fields() const;
    // Orders first.
    const std::vector<SampleDataSource>& DataSources() const;
    // A name without a data source is looked up in the orders first, then in the other sources.
    const SampleField* FindField(const FieldName& name) const;
    const std::vector<SampleHierarchy>& Hierarchies() const;

    // Sorted ascending; a field of no data source of the workbook has none. Answers are cached,
    // since the tables never change after generation.
    std::vector<DataValue> DistinctValues(const FieldName& field);
    std::optional<SampleValueRange> MinMax(const FieldName& field);

    // The open connection (an invalid one when Open failed).
    QSqlDatabase Database();

    std::vector<SampleParameter>& Parameters() noexcept { return m_parameters; }
    const std::vector<SampleParameter>& Parameters() const noexcept { return m_parameters; }
    // By caption, case-insensitively, or by name; null when there is none.
    const SampleParameter* FindParameter(const TString& caption) const;
    const SampleParameter* FindParameter(const FieldName& name) const;

    // The aliases committed for a field (by its full name, as FindField gives it); empty for none.
    const MemberAliases& Aliases(const FieldName& field) const;
    void SetAliases(const FieldName& field, MemberAliases aliases);
    // Every field that has aliases, with them.
    const std::map<FieldName, MemberAliases>& AllAliases() const noexcept { return m_aliases; }

private:
    enum class State
    {
        Closed,
        Ready,
        Failed,
    };

    bool Fail(const QString& error);
    bool OpenTables();
    bool OpenFile(QSqlDatabase& db);
    // The targets table is small and kept apart from the generated orders, so an orders file made
    // before it existed is completed rather than generated again.
    bool EnsureTargets(QSqlDatabase& db);
    bool Generate(QSqlDatabase& db);
    // The row count a database file of ours holds, -1 for a partial one of ours, nullopt for one
    // that is not ours.
    static std::optional<qint64> StoredRowCount(QSqlDatabase& db);

    Options m_options;
    QString m_connection;
    State m_state = State::Closed;
    QString m_error;
    GenerationStats m_stats;
    std::vector<SampleParameter> m_parameters;
    std::map<FieldName, MemberAliases> m_aliases;
    std::map<QString, std::vector<DataValue>> m_distinctCache;
    std::map<QString, std::optional<SampleValueRange>> m_rangeCache;
};

} // namespace Zel::Sim
