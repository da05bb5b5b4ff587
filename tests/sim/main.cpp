#include <QtWidgets/QApplication>

int RunSimHostTests(int argc, char** argv);
int RunSampleWorkbookTests(int argc, char** argv);
int RunParameterEditAreaTests(int argc, char** argv);

// The suites share one application object; each reports on its own.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = RunSimHostTests(argc, argv);
    failures += RunSampleWorkbookTests(argc, argv);
    failures += RunParameterEditAreaTests(argc, argv);
    return failures;
}
