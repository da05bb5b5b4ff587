#include "host/ui/TableView.h"

TableView::TableView(QWidget* parent)
    : QTableView(parent)
{
}

TableView::~TableView() = default;
