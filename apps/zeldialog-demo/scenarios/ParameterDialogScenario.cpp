// The parameter dialog creating four parameters of the sample workbook: a whole-number range
// "Top N" (after a name the host refuses), a text list "Region Pick" filled from a field with
// aliases, a boolean "Show Targets" with aliases, and a date range "Report Month" stepping by
// months. Every data type and domain layout is shown on the way.

#include "../DemoEnvironment.h"
#include "../DemoScenario.h"
#include "../TourModalPresenter.h"

#include "host/doc/DataValue.h"
#include "host/doc/DatePeriodType.h"

#include "apps/drivers/ParameterDialogDriver.h"
#include "host/doc/ValueFormat.h"
#include "host/ui/EnumConverterRegistry.h"
#include "host/ui/RichEditWidget.h"
#include "host/ui/TMessageBox.h"
#include "host/ui/UberFormatWidget.h"
#include "main/dialogs/ParameterDialog.h"
#include "main/models/ParameterMemberModel.h"
#include "sim/ParameterEditArea.h"

#include <QtCore/QCoreApplication>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QLabel>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QVBoxLayout>

#include <memory>

using Zel::Sim::ParameterEditArea;
using Zel::Sim::SampleParameter;

namespace {

// The dialog as the host makes it: the edit opened first, its clean-up list handed over.
std::unique_ptr<ParameterDialog> NewParameterDialog(DemoEnvironment& environment, QWidget* parent)
{
    return Zel::Drivers::OpenNewParameterDialog(environment.Host(), environment.ParameterEdits(), parent);
}

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
    const auto owned = NewParameterDialog(environment, nullptr);
    ParameterDialog& dialog = *owned;
    const Zel::Drivers::ParameterDialogDriver driver(dialog);
    tour.Step(QStringLiteral("A new parameter: a number, any value allowed"), dialog);

    // A name that a field of the workbook already has: the host refuses it and the dialog stays.
    TourModalPresenter presenter(dialog, tour);
    const ScopedModalPresenter scoped(presenter);
    driver.Caption(QStringLiteral("Sales"));
    presenter.AnswerMessageBox(QMessageBox::Ok, QStringLiteral("OK refused: the name is taken by a field"));
    dialog.accept();
    Require(dialog.isVisible() && dialog.GetCommittedParameterName().IsEmpty(), "a refused commit closed the dialog");

    driver.Caption(QStringLiteral("Top N"));
    driver.PickType(DT_INTEGER);
    driver.Click("m_ctrlDomainList");
    tour.Step(QStringLiteral("A whole number with a list of values, still empty"), dialog);

    driver.Click("m_ctrlDomainRange");
    tour.Step(QStringLiteral("A range: bounds and step derived by the host"), dialog);
    driver.Click("m_ctrlMinBtn");
    driver.Enter("m_ctrlMin", QStringLiteral("1"));
    driver.Click("m_ctrlMaxBtn");
    driver.Enter("m_ctrlMax", QStringLiteral("50"));
    driver.Click("m_ctrlStepBtn");
    driver.Enter("m_ctrlNumStep", QStringLiteral("1"));
    driver.Enter("m_ctrlValueEdit", QStringLiteral("10"));
    tour.Step(QStringLiteral("Top N: 1 to 50 in steps of 1, currently 10"), dialog);
    dialog.accept();
    Require(!dialog.GetCommittedParameterName().IsEmpty(), "Top N was not committed");
}

void CreateRegionPick(DemoEnvironment& environment, TourRecorder& tour)
{
    const auto owned = NewParameterDialog(environment, nullptr);
    ParameterDialog& dialog = *owned;
    const Zel::Drivers::ParameterDialogDriver driver(dialog);
    driver.Caption(QStringLiteral("Region Pick"));
    driver.PickType(DT_STRING);
    tour.Step(QStringLiteral("Text: no display format and no range"), dialog);

    driver.Click("m_ctrlDomainList");
    TourModalPresenter presenter(dialog, tour);
    const ScopedModalPresenter scoped(presenter);
    presenter.PickMenuItem(
        QStringLiteral("Orders/Region"), QStringLiteral("Add from Field: one submenu per data source"));
    driver.Click("m_ctrlAddFromDimBtn");

    ParameterMemberModel& members = driver.Members();
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
    const auto owned = NewParameterDialog(environment, nullptr);
    ParameterDialog& dialog = *owned;
    const Zel::Drivers::ParameterDialogDriver driver(dialog);
    driver.Caption(QStringLiteral("Show Targets"));
    driver.PickType(DT_BOOLEAN);
    tour.Step(QStringLiteral("A boolean: the two options and their aliases"), dialog);

    driver.Type("m_ctrlTrueAliasText", QStringLiteral("Show"));
    driver.Leave("m_ctrlTrueAliasText");
    driver.Type("m_ctrlFalseAliasText", QStringLiteral("Hide"));
    driver.Leave("m_ctrlFalseAliasText");
    driver.Click("m_ctrlValueFalseBtn");
    tour.Step(QStringLiteral("Aliases Show and Hide; currently false"), dialog);
    dialog.accept();
    Require(!dialog.GetCommittedParameterName().IsEmpty(), "Show Targets was not committed");
}

void CreateReportMonth(DemoEnvironment& environment, TourRecorder& tour)
{
    const auto owned = NewParameterDialog(environment, nullptr);
    ParameterDialog& dialog = *owned;
    const Zel::Drivers::ParameterDialogDriver driver(dialog);
    driver.Caption(QStringLiteral("Report Month"));
    driver.PickType(DT_DATETIME);
    driver.Click("m_ctrlDomainRange");
    driver.Click("m_ctrlStepBtn");
    tour.Step(QStringLiteral("Date and time: a range stepping by any of eight periods"), dialog);

    driver.PickType(DT_DATE);
    driver.Click("m_ctrlDomainRange");
    driver.Click("m_ctrlDescnBtn");
    auto* comment = dialog.findChild<RichEditWidget*>();
    comment->SetFormattedText(FormattedText::FromMarkup(
        TString(L"<p>The month the <b>monthly report</b> covers, one quarter at a time.</p>")));
    emit comment->textChanged();
    TourModalPresenter presenter(dialog, tour);
    const ScopedModalPresenter scoped(presenter);
    presenter.PickMenuItem(
        QStringLiteral("Orders/Order Date"), QStringLiteral("Set from Field: the dates of either source"));
    driver.Click("m_ctrlSetFromMeasBtn");
    if (!driver.Get<QAbstractButton>("m_ctrlStepBtn").isChecked())
        driver.Click("m_ctrlStepBtn");
    driver.Get<QSpinBox>("m_ctrlDateStepSpin").setValue(3);
    driver.PickData("m_ctrlDateStepPeriod", QVariant(int(DPT_MONTHS)));
    driver.Format(QStringLiteral("MMMM yyyy"));
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
    const auto owned = NewParameterDialog(environment, parent);
    ParameterDialog& dialog = *owned;
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
