#include "widgets/ShowcaseDisplayWidget.h"

#include "ui_ShowcaseDisplayWidget.h"

#include "widgets/ShowcaseListWidget.h"
#include "widgets/ShowcaseWidgetDetails.h"

ShowcaseDisplayWidget::ShowcaseDisplayWidget(QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::ShowcaseDisplayWidget>())
{
    m_ui->setupUi(this);
    // The rows lie on the tab's own background.
    m_ui->widgetScrollArea->viewport()->setAutoFillBackground(false);
    m_ui->widgetList->setAutoFillBackground(false);
    m_ui->stackedWidget->setCurrentIndex(NoWidgetsPage);
    connect(m_ui->particularWidget, &ShowcaseWidgetDetails::BackButtonClicked, this,
        &ShowcaseDisplayWidget::OnBackButtonClicked);
}

ShowcaseDisplayWidget::~ShowcaseDisplayWidget() = default;

void ShowcaseDisplayWidget::SetWidgets(std::vector<ShowcaseWidgetInformation>& entries)
{
    if (!entries.empty())
        m_ui->stackedWidget->setCurrentIndex(WidgetsPage);
    for (ShowcaseWidgetInformation& entry : entries) {
        auto* row = new ShowcaseListWidget;
        row->SetInformation(entry);
        m_ui->widgetLayout->addWidget(row);
        connect(row, &ShowcaseListWidget::DocumentationClicked, this, &ShowcaseDisplayWidget::ShowDetails);
    }
    // Moving the vector keeps its elements where they are, so each entry's pointer to its handed-out
    // example stays with it.
    if (&entries != &m_entries)
        m_entries = std::move(entries);
}

int ShowcaseDisplayWidget::CurrentPage() const
{
    return m_ui->stackedWidget->currentIndex();
}

std::vector<ShowcaseListWidget*> ShowcaseDisplayWidget::Rows() const
{
    std::vector<ShowcaseListWidget*> rows;
    for (int i = 0; i < m_ui->widgetLayout->count(); ++i)
        if (auto* row = qobject_cast<ShowcaseListWidget*>(m_ui->widgetLayout->itemAt(i)->widget()))
            rows.push_back(row);
    return rows;
}

ShowcaseWidgetDetails& ShowcaseDisplayWidget::Details() const
{
    return *m_ui->particularWidget;
}

void ShowcaseDisplayWidget::ShowDetails(ShowcaseWidgetInformation& information)
{
    m_ui->particularWidget->SetInformation(information);
    m_ui->stackedWidget->setCurrentIndex(DetailsPage);
}

void ShowcaseDisplayWidget::OnBackButtonClicked()
{
    // The old rows go once control is back in the event loop: the row whose link was clicked is
    // still inside its own signal, and the new rows must take the examples over first.
    while (QLayoutItem* item = m_ui->widgetLayout->takeAt(0)) {
        if (QWidget* row = item->widget()) {
            row->hide();
            row->deleteLater();
        }
        delete item;
    }
    m_ui->stackedWidget->setCurrentIndex(WidgetsPage);
    SetWidgets(m_entries);
}
