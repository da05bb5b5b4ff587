#include <QtWidgets/QApplication>

namespace {
int beeps = 0;
}

// The library beeps through QApplication::beep, which has no observable effect on the offscreen
// platform. Defined here, it takes the place of Qt's for every module of this executable, so the
// suites can count the beeps a refusal sounds.
void QApplication::beep()
{
    ++beeps;
}

namespace ParameterTest {
int BeepCount()
{
    return beeps;
}
} // namespace ParameterTest

int RunParameterMemberModelTests(int argc, char** argv);
int RunParameterMemberViewTests(int argc, char** argv);
int RunComboBoxTests(int argc, char** argv);
int RunParameterListIntegrationTests(int argc, char** argv);
int RunParameterDialogTests(int argc, char** argv);
int RunParameterDialogIntegrationTests(int argc, char** argv);

// The suites of parameter editing share one application object; each reports on its own.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = RunParameterMemberModelTests(argc, argv);
    failures += RunParameterMemberViewTests(argc, argv);
    failures += RunComboBoxTests(argc, argv);
    failures += RunParameterListIntegrationTests(argc, argv);
    failures += RunParameterDialogTests(argc, argv);
    failures += RunParameterDialogIntegrationTests(argc, argv);
    return failures;
}
