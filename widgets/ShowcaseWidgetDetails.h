#pragma once

#include "main/ZelDialogExport.h"
#include <QtCore/QPointer>
#include <QtWidgets/QWidget>

#include <memory>

class ShowcaseWidgetInformation;

namespace Ui {
class ShowcaseWidgetDetails;
}

// The details page of a showcase entry: "< Back", the entry's title and description, its live
// example, its example code and its arguments (a note that there are none, for every entry of the
// showcase).
//
// SetInformation takes the entry's example widget into the page (the page's layout owns it from
// then on); the next row that takes the example over moves it out again. An example still shown
// when another entry is set stays a hidden child of the page, for its entry to hand out again.
//
// Owns its form.
class ZELDIALOG_EXPORT ShowcaseWidgetDetails : public QWidget
{
    Q_OBJECT

public:
    explicit ShowcaseWidgetDetails(QWidget* parent = nullptr);
    ~ShowcaseWidgetDetails() override;

    ShowcaseWidgetDetails(const ShowcaseWidgetDetails&) = delete;
    ShowcaseWidgetDetails& operator=(const ShowcaseWidgetDetails&) = delete;

    void SetInformation(ShowcaseWidgetInformation& information);
    // The example the page shows now; null once a row took it back.
    QWidget* ShownExample() const;

signals:
    void BackButtonClicked();

private:
    void ShowArguments(const ShowcaseWidgetInformation& information);

    std::unique_ptr<Ui::ShowcaseWidgetDetails> m_ui;
    QPointer<QWidget> m_shownExample;
};
