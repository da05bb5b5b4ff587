#include "Tour.h"

#include "DemoEnvironment.h"
#include "DemoScenario.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDateTime>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QLocale>
#include <QtCore/QRegularExpression>
#include <QtCore/QTextStream>
#include <QtGui/QPixmap>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <cstdio>
#include <exception>

using namespace Zel::Sim;

namespace {

// A table cell stays readable with a handful of commands; the full list goes to the console.
constexpr int kCommandsPerCell = 12;
constexpr int kCommandTextLength = 140;

void Print(const QString& text)
{
    std::fputs(qUtf8Printable(text + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

QString Slug(const QString& text)
{
    static const QRegularExpression nonWord(QStringLiteral("[^a-z0-9]+"));
    QString slug = text.toLower();
    slug.replace(nonWord, QStringLiteral("-"));
    while (slug.endsWith(QLatin1Char('-')))
        slug.chop(1);
    while (slug.startsWith(QLatin1Char('-')))
        slug.remove(0, 1);
    return slug;
}

// Text inside a Markdown table cell that also holds HTML: no pipes, no markup.
QString CellText(QString text)
{
    text.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
    text.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    text.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    text.replace(QLatin1Char('|'), QStringLiteral("\\|"));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString Elided(const QString& text)
{
    return text.size() <= kCommandTextLength ? text : text.left(kCommandTextLength - 1) + QChar(0x2026);
}

class TourWriter final : public TourRecorder
{
public:
    TourWriter(QDir directory, SimHost& host)
        : m_directory(std::move(directory))
        , m_host(host)
    {
    }

    void Begin(const DemoScenario& scenario)
    {
        m_scenario = &scenario;
        m_host.ClearExchanges();
        Print(QStringLiteral("%1: %2").arg(scenario.dialogClass, scenario.title));
    }

    // A see-through window (a frameless frame with its shadow band) whose form fills its own
    // background counts as opaque to grab(), which then never clears the band; rendering into a
    // cleared pixmap shows what a screen shows.
    static QPixmap Screenshot(QWidget& window)
    {
        if (!window.testAttribute(Qt::WA_TranslucentBackground))
            return window.grab();
        QPixmap pixmap(window.size() * window.devicePixelRatioF());
        pixmap.setDevicePixelRatio(window.devicePixelRatioF());
        pixmap.fill(Qt::transparent);
        window.render(&pixmap, QPoint(), QRegion(), QWidget::DrawChildren);
        return pixmap;
    }

    void Step(const QString& title, QWidget& window) override
    {
        if (!window.isVisible())
            window.show();
        // Layouts settle over a few passes of the event loop (size hints, then geometry, then paint).
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();

        const QString file = QStringLiteral("%1-%2.png")
                                 .arg(++m_shots, 2, 10, QLatin1Char('0'))
                                 .arg(Slug(m_scenario->dialogClass + QLatin1Char('-') + title));
        const bool saved = Screenshot(window).save(m_directory.filePath(file), "PNG");
        Print(QStringLiteral("  step \u201c%1\u201d: %2%3")
                  .arg(title, file, saved ? QString() : QStringLiteral(" (NOT SAVED)")));
        if (!saved)
            m_failed = true;

        Row row {m_scenario->dialogClass, title, saved ? file : QString(), CommandsOfStep()};
        m_rows.push_back(std::move(row));
    }

    void Fail(const QString& reason)
    {
        m_failed = true;
        Print(QStringLiteral("  FAILED: ") + reason);
        m_rows.push_back(
            Row {m_scenario->dialogClass, QStringLiteral("failed: ") + reason, QString(), CommandsOfStep()});
    }

    bool WriteMarkdown(const QString& introduction) const
    {
        QFile file(m_directory.filePath(QStringLiteral("tour.md")));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            return false;
        QTextStream out(&file);
        out.setCodec("UTF-8");
        out << "# zeldialog demo tour\n\n" << introduction << "\n\n";
        out << "| dialog class | step | screenshot | commands exchanged |\n";
        out << "|---|---|---|---|\n";
        for (const Row& row : m_rows) {
            const QString image = row.image.isEmpty()
                ? QStringLiteral("(none)")
                : QStringLiteral("<a href=\"%1\"><img src=\"%1\" width=\"420\" alt=\"%2\"></a>")
                      .arg(row.image, CellText(row.step));
            out << "| `" << row.dialogClass << "` | " << CellText(row.step) << " | " << image << " | " << row.commands
                << " |\n";
        }
        return file.flush();
    }

    bool Failed() const noexcept { return m_failed; }
    int Screenshots() const noexcept { return m_shots; }

private:
    struct Row
    {
        QString dialogClass;
        QString step;
        QString image;
        QString commands;
    };

    // The commands since the previous step, printed in full and returned as a short table cell.
    QString CommandsOfStep()
    {
        const std::vector<SimExchange>& exchanges = m_host.Exchanges();
        QStringList cell;
        for (const SimExchange& exchange : exchanges) {
            Print(QStringLiteral("    ") + exchange.ToString());
            if (cell.size() < kCommandsPerCell)
                cell << (exchange.refused ? QStringLiteral("\u2717 ") : QString())
                        + CellText(Elided(exchange.ToString()));
        }
        const int more = static_cast<int>(exchanges.size()) - static_cast<int>(cell.size());
        if (more > 0)
            cell << QStringLiteral("\u2026 and %1 more").arg(more);
        m_host.ClearExchanges();
        return cell.isEmpty() ? QStringLiteral("none") : cell.join(QStringLiteral("<br>"));
    }

    QDir m_directory;
    SimHost& m_host;
    const DemoScenario* m_scenario = nullptr;
    std::vector<Row> m_rows;
    int m_shots = 0;
    bool m_failed = false;
};

QString Introduction(SampleWorkbook& workbook, int dialogScenarios)
{
    const QLocale locale(QLocale::English);
    QString text = QStringLiteral(
        "Each dialog of the library, driven through its typical use against the simulated host (zelsim) over the "
        "sample workbook: one screenshot per step, with the commands that the dialog and the host exchanged in "
        "that step. The workbook's data source \u201cOrders\u201d has %1 rows")
                       .arg(locale.toString(workbook.RowCount()));
    const SampleWorkbook::GenerationStats& stats = workbook.LastGeneration();
    if (stats.reused)
        text += QStringLiteral(", read from an existing database file.");
    else
        text += QStringLiteral(", generated in %1 s.").arg(locale.toString(stats.seconds, 'f', 2));
    if (dialogScenarios == 0)
        text += QStringLiteral(
            "\n\nNo dialog scenarios are registered yet, so this tour shows the sample workbook only. Each dialog "
            "adds its scenario as it arrives.");
    return text;
}

} // namespace

int RunTour(DemoEnvironment& environment, const QString& outputDirectory)
{
    QDir directory(outputDirectory);
    if (!directory.mkpath(QStringLiteral("."))) {
        Print(QStringLiteral("cannot create %1").arg(outputDirectory));
        return 1;
    }
    if (!environment.Workbook().Open()) {
        Print(QStringLiteral("the sample workbook could not be opened: ") + environment.Workbook().ErrorText());
        return 1;
    }
    const SampleWorkbook::GenerationStats& stats = environment.Workbook().LastGeneration();
    if (stats.reused)
        Print(QStringLiteral("Sample workbook: %1 rows, reused").arg(stats.rows));
    else
        Print(QStringLiteral("Sample workbook: %1 rows generated in %2 s (%3 rows/s)")
                  .arg(stats.rows)
                  .arg(stats.seconds, 0, 'f', 2)
                  .arg(stats.seconds > 0 ? qRound64(static_cast<double>(stats.rows) / stats.seconds) : 0));

    TourWriter writer(directory, environment.Host());
    const std::vector<DemoScenario>& scenarios = DemoScenarios();
    for (const DemoScenario& scenario : scenarios) {
        writer.Begin(scenario);
        try {
            scenario.runTour(environment, writer);
        } catch (const std::exception& e) {
            writer.Fail(QString::fromUtf8(e.what()));
        } catch (...) {
            writer.Fail(QStringLiteral("unknown exception"));
        }
        // A scenario may leave deferred deletions behind; run them before the next one starts.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    const int dialogScenarios = static_cast<int>(scenarios.size()) - 1;
    if (!writer.WriteMarkdown(Introduction(environment.Workbook(), dialogScenarios))) {
        Print(QStringLiteral("cannot write %1").arg(directory.filePath(QStringLiteral("tour.md"))));
        return 1;
    }
    Print(QStringLiteral("Wrote %1 screenshots and %2")
              .arg(writer.Screenshots())
              .arg(directory.absoluteFilePath(QStringLiteral("tour.md"))));
    return writer.Failed() ? 1 : 0;
}
