#include <QtWidgets/QApplication>

int RunDialogBaseTests(int argc, char** argv);
int RunFramelessDialogTests(int argc, char** argv);
int RunLegacyFramelessDialogTests(int argc, char** argv);
int RunNonModalDialogTests(int argc, char** argv);
int RunOverrideCursorTests(int argc, char** argv);

// The frame suites share one application object; each reports on its own.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = RunDialogBaseTests(argc, argv);
    failures += RunFramelessDialogTests(argc, argv);
    failures += RunLegacyFramelessDialogTests(argc, argv);
    failures += RunNonModalDialogTests(argc, argv);
    failures += RunOverrideCursorTests(argc, argv);
    return failures;
}
