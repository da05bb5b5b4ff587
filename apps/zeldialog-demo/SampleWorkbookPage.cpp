#include "SampleWorkbookPage.h"

#include "SummaryTable.h"

#include "sim/OrdersCube.h"
#include "sim/SampleWorkbook.h"
#include "sim/SimWorkbookDoc.h"

#include "host/ui/TMessageBox.h"

#include <QtCore/QLocale>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlQueryModel>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableView>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>

using namespace Zel::Sim;

namespace {

constexpr int kShownRows = 200;
// A field of many aliases is summed up after this many.
constexpr std::size_t kShownAliases = 6;
// Summing up a field scans the whole table; past this size the page would take minutes to open.
constexpr qint64 kSummarisedRows = 1'000'000;

QString TypeName(DataType type)
{
    switch (type) {
    case DT_INTEGER:
        return SampleWorkbookPage::tr("Integer");
    case DT_REAL:
        return SampleWorkbookPage::tr("Real");
    case DT_STRING:
        return SampleWorkbookPage::tr("String");
    case DT_DATE:
        return SampleWorkbookPage::tr("Date");
    case DT_DATETIME:
        return SampleWorkbookPage::tr("Date & time");
    case DT_BOOLEAN:
        return SampleWorkbookPage::tr("Boolean");
    default:
        return SampleWorkbookPage::tr("Other");
    }
}

QLabel* SectionLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QString ValueText(const DataValue& value)
{
    if (value.GetDataType() == DT_REAL && !value.IsNull())
        return QLocale().toString(value.GetReal(), 'f', 2);
    if (value.GetDataType() == DT_INTEGER && !value.IsNull())
        return QLocale().toString(value.GetInt64());
    return value.ToDisplayString().ToQString();
}

// What a field holds, in a few words: the members of a category, the span of anything ordered.
// Identifiers are ordered too; listing their members would say nothing.
QString ValuesText(SampleWorkbook& workbook, const SampleField& field)
{
    const bool identifier = field.name.GetLocalName().ToQString().endsWith(QLatin1String(" ID"));
    if (field.dataType == DT_STRING && !identifier) {
        const std::vector<DataValue> values = workbook.DistinctValues(field.name);
        QStringList shown;
        for (std::size_t i = 0; i < values.size() && i < 4; ++i)
            shown << values[i].ToDisplayString().ToQString();
        if (values.size() > 4)
            shown << QString(QChar(0x2026));
        const QString count = values.size() == 1 ? SampleWorkbookPage::tr("1 value: ")
                                                 : SampleWorkbookPage::tr("%1 values: ").arg(values.size());
        return count + shown.join(QStringLiteral(", "));
    }
    const auto range = workbook.MinMax(field.name);
    if (!range)
        return {};
    return ValueText(range->min) + QStringLiteral(" \u2013 ") + ValueText(range->max);
}

QTableWidget* FieldTable(SampleWorkbook& workbook, QWidget* parent)
{
    const auto& fields = workbook.Fields();
    const bool summarise = workbook.RowCount() <= kSummarisedRows;
    QStringList headers {
        SampleWorkbookPage::tr("Field"), SampleWorkbookPage::tr("Type"), SampleWorkbookPage::tr("Role")};
    if (summarise)
        headers << SampleWorkbookPage::tr("Values");
    auto* table = MakeSummaryTable(static_cast<int>(fields.size()), headers, parent);
    table->setObjectName(QStringLiteral("m_fieldTable"));
    for (int row = 0; row < static_cast<int>(fields.size()); ++row) {
        const SampleField& field = fields[static_cast<std::size_t>(row)];
        table->setItem(row, 0, new QTableWidgetItem(field.name.GetLocalName().ToQString()));
        table->setItem(row, 1, new QTableWidgetItem(TypeName(field.dataType)));
        table->setItem(row, 2,
            new QTableWidgetItem(field.role == FieldRole::Measure ? SampleWorkbookPage::tr("Measure")
                                                                  : SampleWorkbookPage::tr("Dimension")));
        if (summarise)
            table->setItem(row, 3, new QTableWidgetItem(ValuesText(workbook, field)));
    }
    // Every field in view, without a scroll bar: the list is short and fixed.
    FitSummaryTable(*table);
    return table;
}

QString Summary(SampleWorkbook& workbook)
{
    const QLocale locale;
    if (!workbook.Open())
        return SampleWorkbookPage::tr("The workbook could not be opened: %1").arg(workbook.ErrorText());
    const SampleWorkbook::GenerationStats& stats = workbook.LastGeneration();
    const QString made = stats.reused
        ? SampleWorkbookPage::tr("read from an existing database file")
        : SampleWorkbookPage::tr("generated in %1 s").arg(locale.toString(stats.seconds, 'f', 2));
    QString text = SampleWorkbookPage::tr("Data source \u201c%1\u201d: %2 rows in SQLite, %3 fields; %4.")
                       .arg(SampleWorkbook::DataSourceName().ToQString(), locale.toString(workbook.RowCount()))
                       .arg(workbook.Fields().size())
                       .arg(made);
    if (workbook.RowCount() > kSummarisedRows)
        text += QLatin1Char(' ')
            + SampleWorkbookPage::tr("Fields are not summarised above %1 rows.").arg(locale.toString(kSummarisedRows));
    return text;
}

QString HierarchiesText(const SampleWorkbook& workbook)
{
    QStringList lines;
    for (const SampleHierarchy& hierarchy : workbook.Hierarchies()) {
        QStringList levels;
        for (const FieldName& level : hierarchy.levels)
            levels << level.GetLocalName().ToQString();
        lines << hierarchy.name.GetLocalName().ToQString() + QStringLiteral(": ")
                + levels.join(QStringLiteral(" \u203a "));
    }
    return lines.join(QLatin1Char('\n'));
}

QString ParametersText(const SampleWorkbook& workbook)
{
    QStringList lines;
    for (const SampleParameter& parameter : workbook.Parameters())
        lines << parameter.caption.ToQString() + QStringLiteral(" (") + TypeName(parameter.dataType)
                + QStringLiteral(") = ") + parameter.value.ToDisplayString().ToQString();
    return lines.isEmpty() ? SampleWorkbookPage::tr("none") : lines.join(QLatin1Char('\n'));
}

// One line per alias under its field, so that the column stays as narrow as the other notes.
QString AliasesText(const SampleWorkbook& workbook)
{
    QStringList lines;
    for (const auto& field : workbook.AllAliases()) {
        lines << field.first.GetLocalName().ToQString() + QLatin1Char(':');
        std::size_t shown = 0;
        for (const auto& alias : field.second) {
            if (shown++ == kShownAliases) {
                lines << QStringLiteral("  ")
                        + SampleWorkbookPage::tr(
                            "\u2026 %n alias(es) in all", nullptr, static_cast<int>(field.second.size()));
                break;
            }
            lines << QStringLiteral("  ") + alias.first.ToQString() + QStringLiteral(" \u2192 ")
                    + alias.second.ToQString();
        }
    }
    return lines.isEmpty() ? SampleWorkbookPage::tr("none") : lines.join(QLatin1Char('\n'));
}

// The cube's measures, one a line, each calculated one marked as such.
QString MeasuresText(const OrdersCube& cube)
{
    const std::vector<TString> stored = OrdersCube::StoredMeasures();
    QStringList lines;
    for (const TString& measure : cube.Measures()) {
        const bool calculated = std::find(stored.begin(), stored.end(), measure) == stored.end();
        lines << QStringLiteral("[Measures].[") + measure.ToQString() + QLatin1Char(']')
                + (calculated ? QLatin1Char(' ') + SampleWorkbookPage::tr("(calculated)") : QString());
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

SampleWorkbookPage::SampleWorkbookPage(
    SampleWorkbook& workbook, SimWorkbookDoc* document, OrdersCube* cube, QWidget* parent)
    : QWidget(parent)
    , m_workbook(workbook)
    , m_document(document)
{
    setObjectName(QStringLiteral("SampleWorkbookPage"));
    setWindowTitle(tr("Sample workbook"));

    auto* title = new QLabel(tr("Sample workbook"), this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* summary = new QLabel(Summary(workbook), this);
    summary->setObjectName(QStringLiteral("m_summary"));
    summary->setWordWrap(true);

    auto* notes = new QVBoxLayout;
    notes->addWidget(SectionLabel(tr("Hierarchies"), this));
    notes->addWidget(new QLabel(HierarchiesText(workbook), this));
    notes->addSpacing(8);
    notes->addWidget(SectionLabel(tr("Parameters"), this));
    notes->addWidget(new QLabel(ParametersText(workbook), this));
    if (cube) {
        notes->addSpacing(8);
        notes->addWidget(SectionLabel(tr("Measures of %1").arg(OrdersCube::DataSourceName().ToQString()), this));
        auto* measures = new QLabel(MeasuresText(*cube), this);
        measures->setObjectName(QStringLiteral("m_measures"));
        notes->addWidget(measures);
    }
    notes->addSpacing(8);
    notes->addWidget(SectionLabel(tr("Aliases"), this));
    m_aliases = new QLabel(this);
    m_aliases->setObjectName(QStringLiteral("m_aliases"));
    notes->addWidget(m_aliases);
    if (m_document) {
        m_aliasField = new QComboBox(this);
        m_aliasField->setObjectName(QStringLiteral("m_aliasField"));
        for (const SampleField& field : workbook.Fields())
            if (field.role == FieldRole::Dimension)
                m_aliasField->addItem(field.name.GetLocalName().ToQString());
        auto* edit = new QPushButton(tr("Edit Aliases..."), this);
        edit->setObjectName(QStringLiteral("m_editAliasesButton"));
        connect(edit, &QPushButton::clicked, this, &SampleWorkbookPage::OnEditAliases);
        auto* row = new QHBoxLayout;
        row->addWidget(m_aliasField);
        row->addWidget(edit);
        row->addStretch(1);
        notes->addLayout(row);
        SetAliasField(QStringLiteral("Region"));
    }
    notes->addStretch(1);
    UpdateAliases();

    auto* fieldTable = FieldTable(workbook, this);
    auto* fieldColumn = new QVBoxLayout;
    fieldColumn->addWidget(SectionLabel(tr("Fields"), this));
    fieldColumn->addWidget(fieldTable);

    auto* overview = new QHBoxLayout;
    overview->addLayout(fieldColumn, 1);
    overview->addSpacing(12);
    overview->addLayout(notes);

    m_rowsModel = new QSqlQueryModel(this);
    if (workbook.Open()) {
        QSqlQuery query(workbook.Database());
        query.exec(QStringLiteral("SELECT * FROM ") + SampleWorkbook::TableName() + QStringLiteral(" ORDER BY ")
            + SampleWorkbook::SqlColumn(workbook.Fields().front().name) + QStringLiteral(" LIMIT ")
            + QString::number(kShownRows));
        m_rowsModel->setQuery(query);
    }
    auto* rows = new QTableView(this);
    rows->setObjectName(QStringLiteral("m_rowsView"));
    rows->setModel(m_rowsModel);
    rows->verticalHeader()->hide();
    rows->verticalHeader()->setDefaultSectionSize(rows->fontMetrics().height() + 6);
    rows->setFocusPolicy(Qt::NoFocus);
    rows->resizeColumnsToContents();
    rows->setMinimumHeight(rows->verticalHeader()->defaultSectionSize() * 8);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(summary);
    layout->addSpacing(6);
    layout->addLayout(overview);
    layout->addSpacing(6);
    layout->addWidget(SectionLabel(tr("First %1 rows").arg(kShownRows), this));
    layout->addWidget(rows, 1);
    resize(1440, 960);
}

void SampleWorkbookPage::SetAliasField(const QString& localName)
{
    if (m_aliasField)
        m_aliasField->setCurrentText(localName);
}

void SampleWorkbookPage::OnEditAliases()
{
    if (!m_document || !m_aliasField)
        return;
    const FieldName field(SampleWorkbook::DataSourceName(), TString(m_aliasField->currentText()));
    // A slot of a button: whatever the host's handlers raise stops here, shown, rather than going
    // on into Qt's event handling.
    try {
        m_document->RaiseEditAliases(field);
    } catch (const std::exception& e) {
        TMessageBox::Show(TString(tr("Editing the aliases of %1 failed: %2")
                                      .arg(m_aliasField->currentText(), QString::fromUtf8(e.what()))),
            QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok, Qt::ApplicationModal, this);
    }
    UpdateAliases();
}

void SampleWorkbookPage::UpdateAliases()
{
    m_aliases->setText(AliasesText(m_workbook));
}

SampleWorkbookPage::~SampleWorkbookPage()
{
    // The query holds the workbook's connection; let it go while the connection still exists.
    m_rowsModel->clear();
}
