#pragma once

#include "main/ZelDialogExport.h"
#include "widgets/ShowcaseWidgetInformation.h"

#include <QtWidgets/QWidget>

#include <memory>
#include <vector>

class ShowcaseListWidget;
class ShowcaseWidgetDetails;

namespace Ui {
class ShowcaseDisplayWidget;
}

// One widget tab of the showcase: a stack of three pages, "nothing here yet" (page 0, until entries
// are set), the entries' rows (page 1) and one entry's details (page 2).
//
// The tab owns its entries. Each example widget lives in its row, moves to the details page on
// Documentation, and on Back moves into a new row: Back schedules every row for deletion
// (deleteLater) and builds the rows again from the entries, whose TakeWidget hands each example to
// its new row before the old rows are deleted. An example is thus never deleted with a row, nor
// left without an owner.
//
// Owns its form and its entries.
class ZELDIALOG_EXPORT ShowcaseDisplayWidget : public QWidget
{
    Q_OBJECT

public:
    enum Page : int
    {
        NoWidgetsPage = 0,
        WidgetsPage = 1,
        DetailsPage = 2
    };

    explicit ShowcaseDisplayWidget(QWidget* parent = nullptr);
    ~ShowcaseDisplayWidget() override;

    ShowcaseDisplayWidget(const ShowcaseDisplayWidget&) = delete;
    ShowcaseDisplayWidget& operator=(const ShowcaseDisplayWidget&) = delete;

    // Shows a row per entry and keeps the entries, moved out of `entries` (unless it is this tab's
    // own list).
    void SetWidgets(std::vector<ShowcaseWidgetInformation>& entries);

    const std::vector<ShowcaseWidgetInformation>& Entries() const noexcept { return m_entries; }
    int CurrentPage() const;
    // The rows shown now, top to bottom.
    std::vector<ShowcaseListWidget*> Rows() const;
    ShowcaseWidgetDetails& Details() const;

private:
    void ShowDetails(ShowcaseWidgetInformation& information);
    void OnBackButtonClicked();

    std::vector<ShowcaseWidgetInformation> m_entries;
    std::unique_ptr<Ui::ShowcaseDisplayWidget> m_ui;
};
