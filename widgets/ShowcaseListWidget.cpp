#include "widgets/ShowcaseListWidget.h"

#include "ui_ShowcaseListWidget.h"

#include "host/ui/ZelWidgetUtil.h"
#include "widgets/ShowcaseLinkColor.h"

ShowcaseListWidget::ShowcaseListWidget(QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::ShowcaseListWidget>())
{
    m_ui->setupUi(this);
    m_ui->widgetName->setFont(ZelWidgetUtil::GetFont(ZelWidgetUtil::Font_SectionHeading, true));
    m_ui->documentationButton->SetTextColor(ShowcaseLinkColor());
    connect(
        m_ui->documentationButton, &ZelvarClickableLabel::clicked, this, &ShowcaseListWidget::OnDocumentationClicked);
}

ShowcaseListWidget::~ShowcaseListWidget() = default;

void ShowcaseListWidget::SetInformation(ShowcaseWidgetInformation& information)
{
    m_shownExample = information.TakeWidget();
    if (m_shownExample) {
        QBoxLayout* layout = m_ui->widgetLayout;
        layout->insertWidget(layout->indexOf(m_ui->exampleWidget) + 1, m_shownExample, 0, Qt::AlignLeft);
    }
    m_ui->widgetName->setText(information.GetName().ToQString());
    m_information = information;
}

void ShowcaseListWidget::OnDocumentationClicked()
{
    m_information.GiveBackWidget(m_shownExample);
    m_shownExample = nullptr;
    emit DocumentationClicked(m_information);
}
