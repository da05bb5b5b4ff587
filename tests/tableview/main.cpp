#include <QtWidgets/QApplication>

int RunTablePageCacheTests(int argc, char** argv);
int RunTableViewModelTests(int argc, char** argv);
int RunTableViewAreaTests(int argc, char** argv);
int RunShowMembersDialogTests(int argc, char** argv);

// The suites share one application object; each reports on its own.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = RunTablePageCacheTests(argc, argv);
    failures += RunTableViewModelTests(argc, argv);
    failures += RunTableViewAreaTests(argc, argv);
    failures += RunShowMembersDialogTests(argc, argv);
    return failures;
}
