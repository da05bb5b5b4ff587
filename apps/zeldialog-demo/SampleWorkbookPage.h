#pragma once

#include <QtWidgets/QWidget>

class QSqlQueryModel;

namespace Zel::Sim {
class OrdersCube;
class SampleWorkbook;
} // namespace Zel::Sim

// The demo's "about the data" page: what the sample workbook holds (its size, fields with their
// types and roles, hierarchies and parameters), the measures of its cube when there is one (the
// calculated ones applied to it among them), and its first rows. The rows come from a query model
// on the workbook's own connection, so the page must go before the workbook does.
class SampleWorkbookPage : public QWidget
{
    Q_OBJECT

public:
    // The cube is read once, here; it may be null.
    SampleWorkbookPage(Zel::Sim::SampleWorkbook& workbook, Zel::Sim::OrdersCube* cube, QWidget* parent = nullptr);
    ~SampleWorkbookPage() override;

private:
    QSqlQueryModel* m_rowsModel = nullptr;
};
