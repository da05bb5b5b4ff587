#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtCore/QObject>

// The Qt side of a paged table's page cache (a template, so it cannot declare signals or
// invokable methods itself). pageDiscarded relays the signal of every page that leaves memory;
// CreateTableCache is invokable by name so that a rebuild of the host cache can be posted to the
// event loop instead of running inside the call that found the cache gone.
class ZELHOST_UI_EXPORT TablePageCacheSignalProvider : public QObject
{
    Q_OBJECT

public:
    TablePageCacheSignalProvider();
    ~TablePageCacheSignalProvider() override;

    Q_INVOKABLE virtual void CreateTableCache() = 0;

signals:
    void pageDiscarded(quint64 startRow, quint64 startColumn, quint64 rowCount, quint64 columnCount);
};
