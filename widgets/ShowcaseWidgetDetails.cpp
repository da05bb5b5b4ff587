#include "widgets/ShowcaseWidgetDetails.h"

#include "ui_ShowcaseWidgetDetails.h"

#include "host/ui/ScaleForDpi.h"
#include "host/ui/ZelWidgetUtil.h"
#include "widgets/ShowcaseLinkColor.h"
#include "widgets/ShowcaseWidgetInformation.h"

#include <QtWidgets/QHeaderView>

namespace {
constexpr int kGapHeight = 12;
constexpr int kArgumentColumns = 4;
} // namespace

ShowcaseWidgetDetails::ShowcaseWidgetDetails(QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::ShowcaseWidgetDetails>())
{
    m_ui->setupUi(this);
    m_ui->backButton->SetTextColor(ShowcaseLinkColor());
    m_ui->widgetName->setFont(ZelWidgetUtil::GetFont(ZelWidgetUtil::Font_SectionHeading, true));
    m_ui->exampleCodeLabel->setFont(ZelWidgetUtil::GetFont(ZelWidgetUtil::Font_DialogTitle, true));
    m_ui->arguments->setFont(ZelWidgetUtil::GetFont(ZelWidgetUtil::Font_DialogTitle, true));
    m_ui->exampleCode->setFont(ZelWidgetUtil::GetFont(ZelWidgetUtil::Font_Code, true));
    const int gap = ScaleForDpi(this, kGapHeight);
    m_ui->verticalSpacer->changeSize(1, gap, QSizePolicy::Minimum, QSizePolicy::Fixed);
    m_ui->verticalSpacer_2->changeSize(1, gap, QSizePolicy::Minimum, QSizePolicy::Fixed);
    connect(m_ui->backButton, &ZelvarClickableLabel::clicked, this, &ShowcaseWidgetDetails::BackButtonClicked);
}

ShowcaseWidgetDetails::~ShowcaseWidgetDetails() = default;

QWidget* ShowcaseWidgetDetails::ShownExample() const
{
    return m_shownExample && m_shownExample->parentWidget() == this ? m_shownExample.data() : nullptr;
}

void ShowcaseWidgetDetails::SetInformation(ShowcaseWidgetInformation& information)
{
    m_ui->widgetName->setText(information.GetName().ToQString());
    m_ui->description->setText(information.GetDescription().ToQString());

    if (QWidget* previous = ShownExample(); previous && previous != information.PeekWidget()) {
        m_ui->exampleWidgetLayout->removeWidget(previous);
        previous->hide();
    }
    m_shownExample = information.TakeWidget();
    if (m_shownExample)
        m_ui->exampleWidgetLayout->addWidget(m_shownExample, 0, Qt::AlignLeft);

    m_ui->exampleCode->setText(information.GetExampleCode().ToQString());
    ShowArguments(information);
}

void ShowcaseWidgetDetails::ShowArguments(const ShowcaseWidgetInformation& information)
{
    QTableWidget* table = m_ui->argumentsTable;
    const auto& arguments = information.GetArguments();
    if (arguments.empty()) {
        table->clearContents();
        table->setRowCount(1);
        table->setColumnCount(1);
        table->horizontalHeader()->hide();
        auto* note = new QLabel(tr("No arguments for this widget. Please check Qt documentation."), table);
        table->setCellWidget(0, 0, note);
        return;
    }
    table->setCellWidget(0, 0, nullptr);
    table->setColumnCount(kArgumentColumns);
    table->setRowCount(static_cast<int>(arguments.size()));
    table->setHorizontalHeaderLabels({tr("Name"), tr("Type"), tr("Default"), tr("Description")});
    table->horizontalHeader()->show();
    for (int row = 0; row < static_cast<int>(arguments.size()); ++row) {
        const ShowcaseWidgetArgument& argument = arguments[static_cast<std::size_t>(row)];
        const QString name = argument.name.ToQString() + (argument.required ? QStringLiteral(" *") : QString());
        table->setItem(row, 0, new QTableWidgetItem(name));
        table->setItem(row, 1, new QTableWidgetItem(argument.type.ToQString()));
        table->setItem(row, 2, new QTableWidgetItem(argument.defaultValue.ToQString()));
        table->setItem(row, 3, new QTableWidgetItem(argument.description.ToQString()));
    }
}
