// The formula area of the calculated members dialog on its own: MDX coloured as it is typed,
// "Check Formula" on an empty and on a valid formula, and "Clear". Its owner is a stand-in that
// takes every formula; the calculated members dialog's tour shows the host's real check.

#include "../DemoScenario.h"

#include "widgets/MDXEditBoxWidget.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace {

const QString kColouredFormula
    = QStringLiteral("/* Share of East's sales, 0 where a region sold nothing */\n"
                     "IIF(IsEmpty([Measures].[Sales]), 0,\n"
                     "    [Measures].[Sales] / ([Measures].[Sales], [Geography].[Region].&[East]))\n"
                     "  * IIF([Geography].CurrentMember.Name = \"East\", 1.25, 1) -- weighted\n");

const QString kValidFormula = QStringLiteral("[Measures].[Profit] / [Measures].[Sales]");

// Accepts every formula: enough to show what the widget does with a verdict. Stateless, so one
// serves every window for as long as the demo runs.
class AcceptingOwner final : public MDXEditBoxWidget::IMDXEditBoxWidgetNotify
{
public:
    void OnFormulaChanged(MDXEditBoxWidget*) override { }
    TString ValidateFormula(const TString&) override { return TString(); }
};

AcceptingOwner& Owner()
{
    static AcceptingOwner owner;
    return owner;
}

// The widget in a plain window, as a dialog would hold it.
class FormulaWindow final : public QWidget
{
public:
    explicit FormulaWindow(QWidget* parent = nullptr)
        : QWidget(parent, Qt::Window)
    {
        setWindowTitle(QStringLiteral("MDX edit box"));
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(12, 12, 12, 12);
        layout->addWidget(new QLabel(QStringLiteral("Formula:"), this));
        m_box = new MDXEditBoxWidget(this);
        layout->addWidget(m_box);
        m_box->SetNotify(&Owner(), TString(QStringLiteral("Orders Cube")));
    }

    MDXEditBoxWidget& Box() const { return *m_box; }
    void Press(const char* button) const { m_box->findChild<QPushButton*>(QLatin1String(button))->click(); }
    QString Message() const { return m_box->findChild<QLabel*>(QStringLiteral("m_staticErrors"))->text(); }

private:
    MDXEditBoxWidget* m_box;
};

void RunTour(DemoEnvironment&, TourRecorder& tour)
{
    FormulaWindow window;
    window.Box().SetFormula(TString(kColouredFormula));
    tour.Step(QStringLiteral("Keywords, functions, names, keys, strings, numbers and comments coloured"), window);

    window.Press("m_btnClearFormula");
    window.Press("m_btnCheckFormula");
    Require(!window.Message().isEmpty(), "Check Formula on an empty editor showed nothing");
    tour.Step(QStringLiteral("Check Formula with nothing typed: the empty-formula message"), window);

    window.Box().SetFormula(TString(kValidFormula));
    Require(window.Message().isEmpty(), "typing did not clear the message");
    window.Press("m_btnCheckFormula");
    tour.Step(QStringLiteral("A formula the owner accepts: the valid-formula message"), window);

    window.Press("m_btnClearFormula");
    Require(window.Box().GetFormula().empty() && window.Message().isEmpty(), "Clear left text or a message behind");
    tour.Step(QStringLiteral("Clear empties the editor and the message line"), window);
}

void OpenInteractively(DemoEnvironment&, QWidget* parent)
{
    auto* window = new FormulaWindow(parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->Box().SetFormula(TString(kColouredFormula));
    window->show();
}

} // namespace

DemoScenario MDXEditBoxWidgetScenario()
{
    return DemoScenario {
        QStringLiteral("MDXEditBoxWidget"), QStringLiteral("MDX edit box"), RunTour, OpenInteractively};
}
