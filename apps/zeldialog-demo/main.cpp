#include "DemoEnvironment.h"
#include "LauncherWindow.h"
#include "Tour.h"

#include "main/dialogs/DialogNotificationRegistry.h"

#include <QtCore/QCommandLineParser>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyleFactory>

#include <cstdio>

namespace {

bool HasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool IsTour(int argc, char** argv)
{
    return argc > 1 && qstrcmp(argv[1], "tour") == 0;
}

} // namespace

int main(int argc, char** argv)
{
    const bool tour = IsTour(argc, argv);
    // The tour's screenshots must not depend on the desktop it happens to run on; the launcher needs
    // a real one, but still starts (and says what to do) without.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && (tour || !HasDisplay()))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zeldialog-demo"));
    QApplication::setApplicationVersion(QStringLiteral(ZELDIALOG_DEMO_VERSION));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Opens the library's dialogs against a simulated workbook host.\n"
                       "  zeldialog-demo                 the launcher (needs a display)\n"
                       "  zeldialog-demo tour --out DIR  screenshots of every dialog and DIR/tour.md"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("tour"), QStringLiteral("Run the tour instead of the launcher."));
    const QCommandLineOption outOption(QStringLiteral("out"),
        QStringLiteral("Where the tour writes its pictures and tour.md."), QStringLiteral("DIR"));
    const QCommandLineOption rowsOption(QStringLiteral("rows"),
        QStringLiteral("Rows of the sample workbook (default %1).").arg(Zel::Sim::SampleWorkbook::kDefaultRowCount),
        QStringLiteral("N"));
    const QCommandLineOption dbOption(QStringLiteral("db"),
        QStringLiteral("Keep the sample workbook in this SQLite file (reused when it holds N rows) instead of in "
                       "memory."),
        QStringLiteral("FILE"));
    parser.addOptions({outOption, rowsOption, dbOption});
    parser.process(app);

    Zel::Sim::SampleWorkbook::Options options;
    if (parser.isSet(rowsOption)) {
        bool ok = false;
        options.rowCount = parser.value(rowsOption).toLongLong(&ok);
        if (!ok || options.rowCount < 0) {
            std::fprintf(stderr, "--rows needs a whole number of rows, 0 or more\n");
            return 2;
        }
    }
    options.databasePath = parser.value(dbOption);

    // What the host does at start-up: the library's dialogs that open from the host's events (edit
    // aliases) are subscribed until the registry goes, after every window of the demo.
    DialogNotificationRegistry registry;
    registry.Register();

    const QStringList positional = parser.positionalArguments();
    if (tour) {
        if (!parser.isSet(outOption) || positional.size() != 1) {
            std::fprintf(stderr, "usage: zeldialog-demo tour --out DIR [--rows N] [--db FILE]\n");
            return 2;
        }
        DemoEnvironment environment(options);
        return RunTour(environment, parser.value(outOption));
    }
    if (!positional.isEmpty()) {
        std::fprintf(stderr, "unknown command '%s'; try --help\n", qUtf8Printable(positional.front()));
        return 2;
    }
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        std::fprintf(stderr, "The launcher needs a display. Without one, run: zeldialog-demo tour --out DIR\n");
        return 2;
    }

    DemoEnvironment environment(options);
    LauncherWindow launcher(environment);
    launcher.show();
    return app.exec();
}
