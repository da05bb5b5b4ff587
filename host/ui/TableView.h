#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtWidgets/QTableView>

// The toolkit's table view. It adds nothing to QTableView but a destructor of its own, so that
// forms can name one class for every table of the host.
class ZELHOST_UI_EXPORT TableView : public QTableView
{
    Q_OBJECT

public:
    explicit TableView(QWidget* parent = nullptr);
    ~TableView() override;
};
