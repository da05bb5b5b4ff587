#include <QtWidgets/QApplication>

int RunValueFormatTests(int argc, char** argv);
int RunDataValueWidgetTests(int argc, char** argv);
int RunHostEditorsTests(int argc, char** argv);

// The editors of the toolkit share one application object; each suite reports on its own.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = RunValueFormatTests(argc, argv);
    failures += RunDataValueWidgetTests(argc, argv);
    failures += RunHostEditorsTests(argc, argv);
    return failures;
}
