#pragma once

#include "main/ZelDialogExport.h"
#include "widgets/ShowcaseWidgetInformation.h"

#include <QtCore/QPointer>
#include <QtWidgets/QWidget>

#include <memory>

namespace Ui {
class ShowcaseListWidget;
}

// One row of a showcase tab: an entry's title, its "Documentation" link and its live example.
//
// SetInformation takes the entry's example widget into the row (the row's layout owns it from then
// on) and keeps a copy of the entry's texts. A click on "Documentation" gives the example back to
// that copy, which then owns it and no longer shares it with the row, and passes the copy on with
// DocumentationClicked for the details page to take the example over.
//
// Owns its form and its copy of the entry.
class ZELDIALOG_EXPORT ShowcaseListWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ShowcaseListWidget(QWidget* parent = nullptr);
    ~ShowcaseListWidget() override;

    ShowcaseListWidget(const ShowcaseListWidget&) = delete;
    ShowcaseListWidget& operator=(const ShowcaseListWidget&) = delete;

    void SetInformation(ShowcaseWidgetInformation& information);
    // The example the row shows now; null once it went to the details page.
    QWidget* ShownExample() const { return m_shownExample; }

signals:
    void DocumentationClicked(ShowcaseWidgetInformation& information);

private:
    void OnDocumentationClicked();

    std::unique_ptr<Ui::ShowcaseListWidget> m_ui;
    ShowcaseWidgetInformation m_information;
    QPointer<QWidget> m_shownExample;
};
