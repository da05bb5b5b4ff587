#pragma once

#include "main/ZelDialogExport.h"
#include "public/utility/CacheDimensions.h"

#include "host/doc/FieldName.h"

#include <QtCore/QAbstractTableModel>

#include <chrono>
#include <memory>

class ICommandDispatcher;
class TString;

// A read-only, sortable table over a table that the host keeps, of any length. The model creates
// the host's table cache when it is constructed and reads cells through a small cache of pages
// fetched one at a time (CreateTableViewCache, GetTableViewPage); sorting is the host's
// (SortTableViewCache). Destroying the model tells the host to drop its cache, unless the host has
// discarded it already.
//
// When a page leaves memory the model reports the cells it covered as changed, so that a view asks
// for them again; while the host has discarded its cache, cells of pages not in memory are empty
// until the posted rebuild has run.
//
// The dispatcher must outlive the model: only its address is kept.
class ZELDIALOG_EXPORT TableViewModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    TableViewModel(const std::shared_ptr<ICommandDispatcher const>& dispatcher, const FieldName& name, QObject* parent,
        int pageRowCount, int pageColumnCount, CacheDimensions<1> cacheCapacity,
        const std::chrono::seconds& cacheTimeout);
    ~TableViewModel() override;

    // A flat table: an index has no rows or columns beneath it, else item views and proxies would
    // look for children under every cell.
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // A column of -1 asks for the host's own order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    const TString& GetTitle() const;
    const TString& GetRowCountCaption() const;

private:
    class TableViewerPageCache;

    void OnPageDiscarded(quint64 startRow, quint64 startColumn, quint64 rowCount, quint64 columnCount);

    std::unique_ptr<TableViewerPageCache> m_cache;
};
