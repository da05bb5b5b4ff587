#include <QtWidgets/QApplication>

int RunAutosaveFileTableModelTests(int argc, char** argv);
int RunAutosaveFileRecoverDialogTests(int argc, char** argv);
int RunCertificateNamesDialogTests(int argc, char** argv);
int RunRecoveryIntegrationTests(int argc, char** argv);

// The recovery and certificate suites share one application object; each reports on its own.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = RunAutosaveFileTableModelTests(argc, argv);
    failures += RunAutosaveFileRecoverDialogTests(argc, argv);
    failures += RunCertificateNamesDialogTests(argc, argv);
    failures += RunRecoveryIntegrationTests(argc, argv);
    return failures;
}
