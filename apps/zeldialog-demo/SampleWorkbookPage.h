#pragma once

#include <QtWidgets/QWidget>

class QComboBox;
class QLabel;
class QSqlQueryModel;

namespace Zel::Sim {
class OrdersCube;
class SampleWorkbook;
class SimWorkbookDoc;
} // namespace Zel::Sim

// The demo's "about the data" page: what the sample workbook holds (its size, fields with their
// types and roles, hierarchies, parameters and the aliases of its fields), the measures of its cube
// when there is one (the calculated ones applied to it among them), and its first rows. The rows
// come from a query model on the workbook's own connection, so the page must go before the workbook
// does.
//
// Given the workbook's document, the page also offers what the host's menu does: "Edit Aliases..."
// on a dimension field raises the host's edit-aliases event for it, which opens the alias dialog
// through whatever the library subscribed, and shows the aliases the workbook has afterwards.
class SampleWorkbookPage : public QWidget
{
    Q_OBJECT

public:
    // The document and the cube may be null; the cube is read once, here.
    explicit SampleWorkbookPage(Zel::Sim::SampleWorkbook& workbook, Zel::Sim::SimWorkbookDoc* document = nullptr,
        Zel::Sim::OrdersCube* cube = nullptr, QWidget* parent = nullptr);
    ~SampleWorkbookPage() override;

    // Picks the field whose aliases "Edit Aliases..." edits, by its local name.
    void SetAliasField(const QString& localName);

public slots:
    // Raises the edit-aliases event for the picked field; returns once the dialog has closed.
    void OnEditAliases();
    void UpdateAliases();

private:
    Zel::Sim::SampleWorkbook& m_workbook;
    Zel::Sim::SimWorkbookDoc* m_document;
    QSqlQueryModel* m_rowsModel = nullptr;
    QLabel* m_aliases = nullptr;
    QComboBox* m_aliasField = nullptr;
};
