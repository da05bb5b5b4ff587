#pragma once

#include <QtWidgets/QWidget>

class QSqlQueryModel;

namespace Zel::Sim {
class SampleWorkbook;
}

// The demo's "about the data" page: what the sample workbook holds (its size, fields with their
// types and roles, hierarchies and parameters) and its first rows. The rows come from a query model
// on the workbook's own connection, so the page must go before the workbook does.
class SampleWorkbookPage : public QWidget
{
    Q_OBJECT

public:
    explicit SampleWorkbookPage(Zel::Sim::SampleWorkbook& workbook, QWidget* parent = nullptr);
    ~SampleWorkbookPage() override;

private:
    QSqlQueryModel* m_rowsModel = nullptr;
};
