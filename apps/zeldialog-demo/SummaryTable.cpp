#include "SummaryTable.h"

#include <QtWidgets/QHeaderView>
#include <QtWidgets/QTableWidget>

QTableWidget* MakeSummaryTable(int rows, const QStringList& headers, QWidget* parent)
{
    auto* table = new QTableWidget(rows, headers.size(), parent);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return table;
}

void FitSummaryTable(QTableWidget& table)
{
    table.verticalHeader()->setDefaultSectionSize(table.fontMetrics().height() + 6);
    table.resizeColumnsToContents();
    table.horizontalHeader()->setStretchLastSection(true);
    table.setFixedHeight(
        table.horizontalHeader()->height() + table.verticalHeader()->length() + 2 * table.frameWidth());
}
