// The parameter dialog creating four parameters of the sample workbook: a whole-number range
// "Top N" (after a name the host refuses), a text list "Region Pick" filled from a field with
// aliases, a boolean "Show Targets" with aliases, and a date range "Report Month" stepping by
// months. Every data type and domain layout is shown on the way.

#include "../DemoEnvironment.h"
#include "../DemoScenario.h"
#include "../TourModalPresenter.h"

#include "host/doc/DataValue.h"
#include "host/doc/DatePeriodType.h"

#include "ui_ParameterDialog.h"

#include "host/doc/ValueFormat.h"
#include "host/ui/EnumConverterRegistry.h"
#include "host/ui/RichEditWidget.h"
#include "host/ui/TMessageBox.h"
#include "host/ui/UberFormatWidget.h"
#include "main/dialogs/ParameterDialog.h"
#include "main/models/ParameterMemberModel.h"
#include "sim/ParameterEditArea.h"

#include <QtCore/QCoreApplication>
#include <QtTest/QTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QVBoxLayout>

#include <memory>
#include <stdexcept>

using Zel::Sim::ParameterEditArea;
using Zel::Sim::SampleParameter;

namespace {

void Require(bool condition, const char* what)
{
    if (!condition)
        throw std::runtime_error(what);
}

// The dialog as the host makes it: the edit opened first, its clean-up list handed over.
class TourDialog : public ParameterDialog
{
public:
    TourDialog(DemoEnvironment& environment, const ParameterEditArea::OpenedEdit& edit, QWidget* parent)
        : ParameterDialog(environment.Host(), edit.editInfo,
            std::make_unique<ComponentCleanup>(environment.Host(), edit.cleanup), edit.editId, parent)
    {
    }

    using ParameterDialog::Form;

    void Caption(const QString& caption)
    {
        Form().m_ctrlCaption->selectAll();
        QTest::keyClicks(Form().m_ctrlCaption, caption);
    }

    void Type(DataType type)
    {
        QComboBox* combo = Form().m_ctrlType;
        combo->setCurrentIndex(combo->findData(QVariant(int(type))));
    }

    // Typed into the value widget's editor, then the field is left.
    static void Enter(DataValueWidget* widget, const QString& text)
    {
        auto* editor = qobject_cast<QLineEdit*>(widget->focusProxy());
        Require(editor, "a value widget shows no text editor");
        editor->selectAll();
        QTest::keyClicks(editor, text);
        // Leaving the field finishes the edit; Enter would also press the dialog's default button.
        emit editor->editingFinished();
    }

    void Format(const QString& format)
    {
        UberFormatWidget& popup = *Form().m_ctrlFormat->GetUberWidget();
        popup.SetTextFormat(TString(format));
        emit popup.UberWidgetChanged();
    }
};

template <typename T>
QString EnumText(T value)
{
    return EnumConverterRegistry::GetInstance()
        .ToStringLocal(EnumConverterRegistry::KeyOf<T>(), static_cast<int>(value))
        .ToQString();
}

QString DomainText(const SampleParameter& parameter)
{
    switch (parameter.domainType) {
    case ParameterTypes::Domain_List: {
        QStringList values;
        for (const auto& value : parameter.listValues) {
            const QString text = ValueFormat::Format(value.value, parameter.format).ToQString();
            values << (value.alias.empty() ? text : text + QStringLiteral(" as ") + value.alias.ToQString());
        }
        return QStringLiteral("list: ") + values.join(QStringLiteral(", "));
    }
    case ParameterTypes::Domain_Range: {
        const auto& range = parameter.range;
        QString step = range.increment.ToDisplayString().ToQString();
        if (parameter.dataType == DT_DATE || parameter.dataType == DT_DATETIME)
            step += QStringLiteral(" ") + EnumText<DatePeriodType>(range.period).toLower();
        return QStringLiteral("range: %1 to %2, step %3")
            .arg(ValueFormat::Format(range.min, parameter.format).ToQString(),
                ValueFormat::Format(range.max, parameter.format).ToQString(), step);
    }
    default:
        return QStringLiteral("any value");
    }
}

// What the workbook holds after the tour, as the host would list its parameters.
std::unique_ptr<QWidget> ParametersPage(DemoEnvironment& environment)
{
    auto page = std::make_unique<QWidget>();
    page->setWindowTitle(QStringLiteral("Workbook parameters"));
    auto* layout = new QVBoxLayout(page.get());
    layout->setContentsMargins(18, 14, 18, 18);
    auto* heading = new QLabel(QStringLiteral("The workbook's parameters after the tour"), page.get());
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    QStringList lines;
    for (const SampleParameter& parameter : environment.Workbook().Parameters())
        lines << QStringLiteral("%1 (%2) = %3; %4")
                     .arg(parameter.caption.ToQString(), EnumText<DataType>(parameter.dataType),
                         ValueFormat::Format(parameter.value, parameter.format).ToQString(), DomainText(parameter));
    auto* body = new QLabel(lines.join(QLatin1Char('\n')), page.get());
    body->setWordWrap(true);
    layout->addWidget(body);
    layout->addStretch(1);
    page->resize(640, 80 + 40 * lines.size());
    return page;
}

void CreateTopN(DemoEnvironment& environment, TourRecorder& tour)
{
    TourDialog dialog(environment, environment.ParameterEdits().OpenNewParameterEdit(), nullptr);
    Ui::ParameterDialog& ui = dialog.Form();
    tour.Step(QStringLiteral("A new parameter: a number, any value allowed"), dialog);

    // A name that a field of the workbook already has: the host refuses it and the dialog stays.
    TourModalPresenter presenter(dialog, tour);
    const ScopedModalPresenter scoped(presenter);
    dialog.Caption(QStringLiteral("Sales"));
    presenter.AnswerMessageBox(QMessageBox::Ok, QStringLiteral("OK refused: the name is taken by a field"));
    dialog.accept();
    Require(dialog.isVisible() && dialog.GetCommittedParameterName().IsEmpty(), "a refused commit closed the dialog");

    dialog.Caption(QStringLiteral("Top N"));
    dialog.Type(DT_INTEGER);
    ui.m_ctrlDomainList->click();
    tour.Step(QStringLiteral("A whole number with a list of values, still empty"), dialog);

    ui.m_ctrlDomainRange->click();
    tour.Step(QStringLiteral("A range: bounds and step derived by the host"), dialog);
    ui.m_ctrlMinBtn->click();
    TourDialog::Enter(ui.m_ctrlMin, QStringLiteral("1"));
    ui.m_ctrlMaxBtn->click();
    TourDialog::Enter(ui.m_ctrlMax, QStringLiteral("50"));
    ui.m_ctrlStepBtn->click();
    TourDialog::Enter(ui.m_ctrlNumStep, QStringLiteral("1"));
    TourDialog::Enter(ui.m_ctrlValueEdit, QStringLiteral("10"));
    tour.Step(QStringLiteral("Top N: 1 to 50 in steps of 1, currently 10"), dialog);
    dialog.accept();
    Require(!dialog.GetCommittedParameterName().IsEmpty(), "Top N was not committed");
}

void CreateRegionPick(DemoEnvironment& environment, TourRecorder& tour)
{
    TourDialog dialog(environment, environment.ParameterEdits().OpenNewParameterEdit(), nullptr);
    Ui::ParameterDialog& ui = dialog.Form();
    dialog.Caption(QStringLiteral("Region Pick"));
    dialog.Type(DT_STRING);
    tour.Step(QStringLiteral("Text: no display format and no range"), dialog);

    ui.m_ctrlDomainList->click();
    TourModalPresenter presenter(dialog, tour);
    const ScopedModalPresenter scoped(presenter);
    presenter.PickMenuItem(
        QStringLiteral("Orders/Region"), QStringLiteral("Add from Field: one submenu per data source"));
    ui.m_ctrlAddFromDimBtn->click();

    ParameterMemberModel& members = *ui.m_ctrlMembers->GetModel();
    Require(members.GetNumberOfDataRows() == 4, "Region did not fill the list with its four values");
    const QStringList aliases {QStringLiteral("Central US"), QStringLiteral("Eastern US"),
        QStringLiteral("Southern US"), QStringLiteral("Western US")};
    for (int row = 0; row < aliases.size(); ++row)
        members.UpdateItem(members.index(row, ParameterMemberModel::SubitemAlias), TString(aliases[row]));
    members.OnIndexChanged(1);
    tour.Step(QStringLiteral("The regions with aliases; Eastern US is the current value"), dialog);
    dialog.accept();
    Require(!dialog.GetCommittedParameterName().IsEmpty(), "Region Pick was not committed");
}

void CreateShowTargets(DemoEnvironment& environment, TourRecorder& tour)
{
    TourDialog dialog(environment, environment.ParameterEdits().OpenNewParameterEdit(), nullptr);
    Ui::ParameterDialog& ui = dialog.Form();
    dialog.Caption(QStringLiteral("Show Targets"));
    dialog.Type(DT_BOOLEAN);
    tour.Step(QStringLiteral("A boolean: the two options and their aliases"), dialog);

    ui.m_ctrlTrueAliasText->setText(QStringLiteral("Show"));
    emit ui.m_ctrlTrueAliasText->editingFinished();
    ui.m_ctrlFalseAliasText->setText(QStringLiteral("Hide"));
    emit ui.m_ctrlFalseAliasText->editingFinished();
    ui.m_ctrlValueFalseBtn->click();
    tour.Step(QStringLiteral("Aliases Show and Hide; currently false"), dialog);
    dialog.accept();
    Require(!dialog.GetCommittedParameterName().IsEmpty(), "Show Targets was not committed");
}

void CreateReportMonth(DemoEnvironment& environment, TourRecorder& tour)
{
    TourDialog dialog(environment, environment.ParameterEdits().OpenNewParameterEdit(), nullptr);
    Ui::ParameterDialog& ui = dialog.Form();
    dialog.Caption(QStringLiteral("Report Month"));
    dialog.Type(DT_DATETIME);
    ui.m_ctrlDomainRange->click();
    ui.m_ctrlStepBtn->click();
    tour.Step(QStringLiteral("Date and time: a range stepping by any of eight periods"), dialog);

    dialog.Type(DT_DATE);
    ui.m_ctrlDomainRange->click();
    ui.m_ctrlDescnBtn->click();
    auto* comment = dialog.findChild<RichEditWidget*>();
    comment->SetFormattedText(FormattedText::FromMarkup(
        TString(L"<p>The month the <b>monthly report</b> covers, one quarter at a time.</p>")));
    emit comment->textChanged();
    TourModalPresenter presenter(dialog, tour);
    const ScopedModalPresenter scoped(presenter);
    presenter.PickMenuItem(
        QStringLiteral("Orders/Order Date"), QStringLiteral("Set from Field: the dates of either source"));
    ui.m_ctrlSetFromMeasBtn->click();
    if (!ui.m_ctrlStepBtn->isChecked())
        ui.m_ctrlStepBtn->click();
    ui.m_ctrlDateStepSpin->setValue(3);
    QComboBox* period = ui.m_ctrlDateStepPeriod;
    period->setCurrentIndex(period->findData(QVariant(int(DPT_MONTHS))));
    dialog.Format(QStringLiteral("MMMM yyyy"));
    tour.Step(QStringLiteral("A date range by 3 months, shown as month and year, with a comment"), dialog);
    dialog.accept();
    Require(!dialog.GetCommittedParameterName().IsEmpty(), "Report Month was not committed");
}

void RunParameterTour(DemoEnvironment& environment, TourRecorder& tour)
{
    CreateTopN(environment, tour);
    CreateRegionPick(environment, tour);
    CreateShowTargets(environment, tour);
    CreateReportMonth(environment, tour);
    for (const char* caption : {"Top N", "Region Pick", "Show Targets", "Report Month"})
        Require(environment.ParameterEdits().FindParameter(TString(QString::fromLatin1(caption))),
            "a parameter of the tour is missing from the workbook");
    const auto page = ParametersPage(environment);
    tour.Step(QStringLiteral("The workbook's parameters"), *page);
}

void OpenInteractively(DemoEnvironment& environment, QWidget* parent)
{
    TourDialog dialog(environment, environment.ParameterEdits().OpenNewParameterEdit(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const SampleParameter* parameter
        = environment.ParameterEdits().FindParameter(dialog.GetCommittedParameterName().GetLocalName());
    TMessageBox::Show(TString(QStringLiteral("The workbook now has the parameter %1 (%2).")
                                  .arg(dialog.GetCommittedParameterName().GetLocalName().ToQString(),
                                      parameter ? DomainText(*parameter) : QString())),
        QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok, Qt::ApplicationModal, parent);
}

} // namespace

DemoScenario ParameterDialogScenario()
{
    return DemoScenario {
        QStringLiteral("ParameterDialog"), QStringLiteral("Parameter dialog"), RunParameterTour, OpenInteractively};
}
