#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtCore/QObject>

// The Qt side of a page of a paged table. Page classes are templates and cannot declare signals
// themselves, so they derive from this. A page emits pageDiscarded once, when it is destroyed,
// with the rectangle of cells it covered (a count of 4294967295 stands for "to the end").
class ZELHOST_UI_EXPORT TablePageSignalProvider : public QObject
{
    Q_OBJECT

public:
    TablePageSignalProvider();
    ~TablePageSignalProvider() override;

signals:
    void pageDiscarded(quint64 startRow, quint64 startColumn, quint64 rowCount, quint64 columnCount);
};
