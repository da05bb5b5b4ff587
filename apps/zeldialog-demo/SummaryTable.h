#pragma once

#include <QtCore/QStringList>

class QTableWidget;
class QWidget;

// The demo's pages list short, fixed facts in tables that are read, not used: no editing, no
// selection, no focus, and every row in view without a scroll bar.
QTableWidget* MakeSummaryTable(int rows, const QStringList& headers, QWidget* parent);
// Once filled: columns fitted to their contents, the last one stretched, and the table exactly as
// high as its rows.
void FitSummaryTable(QTableWidget& table);
