#pragma once

// The host's records of a paged table view: what a client asks a table cache for (the cache
// description), what the host answers about the table (title, size, columns) and one page of
// cells. Accessors that index into a list check the index: a page or table description from the
// host that does not hold what it says it holds raises the logic exception, not a stray read.

#include "FieldName.h"
#include "PageCacheIDPresModel.h"
#include "PresentationModel.h"

#include <atomic>
#include <mutex>
#include <vector>

// What kind of table a cache is made for. The host decides from the name whether a field's table
// is a set's members or a data source's rows.
enum class TableViewDataType : int
{
    Unknown = 0,
    Field = 1,
};

enum class SortDirection : int
{
    Ascending = 0,
    Descending = 1,
};

// The description of a host table cache, made and kept by the client; its sort state is
// rewritten by the client before each sort command.
class ZELHOST_DOC_EXPORT TableViewCachePresModel : public PresentationModel
{
public:
    TableViewCachePresModel() = default;
    ~TableViewCachePresModel() override;

    ZEL_PRES_FIELD(RefCntPtr<PageCacheIDPresModel const>, CacheID)
    ZEL_PRES_FIELD(TableViewDataType, TableDataType)
    ZEL_PRES_FIELD(FieldName, Name)
    ZEL_PRES_FIELD(bool, IsSorted)
    ZEL_PRES_FIELD(unsigned int, SortColumnIndex)
    ZEL_PRES_FIELD(SortDirection, SortDirection)
};

class ZELHOST_DOC_EXPORT TableViewColumnInfoPresModel : public PresentationModel
{
public:
    TableViewColumnInfoPresModel() = default;
    ~TableViewColumnInfoPresModel() override;

    ZEL_PRES_FIELD(TString, Caption)
    // Qt::Alignment flags.
    ZEL_PRES_FIELD(int, AlignmentFlags)
};

// The host's answer to the creation of a table cache.
class ZELHOST_DOC_EXPORT TableViewInfoPresModel : public PresentationModel
{
public:
    TableViewInfoPresModel() = default;
    ~TableViewInfoPresModel() override;

    ZEL_PRES_FIELD(TString, Title)
    ZEL_PRES_FIELD(TString, RowCountCaption)
    ZEL_PRES_FIELD(int, RowCount)
    ZEL_PRES_FIELD(std::vector<RefCntPtr<TableViewColumnInfoPresModel const>>, Columns)

public:
    unsigned int GetColumnCount() const noexcept { return static_cast<unsigned int>(m_Columns.size()); }
    const TableViewColumnInfoPresModel& GetColumn(unsigned int column) const;
};

// One cell of a page. A default record is an empty, plain cell.
//
// The text is kept in the toolkit's string type: a view asks for the text of every visible cell on
// every repaint, and a conversion per request would cost more than everything else it does.
class ZELHOST_DOC_EXPORT TableViewPageItemPresModel : public PresentationModel
{
public:
    TableViewPageItemPresModel() = default;
    ~TableViewPageItemPresModel() override;

    TString GetDisplayText() const { return TString(m_displayText); }
    const QString& GetDisplayQString() const noexcept { return m_displayText; }
    void SetDisplayText(const TString& text) { m_displayText = text.ToQString(); }
    void SetDisplayText(QString text) noexcept { m_displayText = std::move(text); }

    // Qt::Alignment flags.
    ZEL_PRES_FIELD(int, AlignmentFlags)
    // A value that is not an ordinary one (a null, a member standing for all others).
    ZEL_PRES_FIELD(bool, IsSpecial)

private:
    QString m_displayText;
};

// Makes the cells of rows that keep their values in another form until a cell is asked for: a
// page holds a thousand rows, a view shows a few dozen of them, and a cell record costs more to
// make than the value it shows.
class ZELHOST_DOC_EXPORT TableViewPageCellSource : public RefCntObject
{
public:
    TableViewPageCellSource() = default;
    ~TableViewPageCellSource() override;
    TableViewPageCellSource(const TableViewPageCellSource&) = delete;
    TableViewPageCellSource& operator=(const TableViewPageCellSource&) = delete;

    // The cells of the source's row `row`, in column order, as many as the row was made with.
    virtual std::vector<RefCntPtr<TableViewPageItemPresModel const>> MakeCells(unsigned int row) const = 0;

private:
    friend class TableViewPageRowPresModel;
    // Rows of one source may be asked for their first cell on several threads at once.
    mutable std::mutex m_making;
};

class ZELHOST_DOC_EXPORT TableViewPageRowPresModel : public PresentationModel
{
public:
    using Cells = std::vector<RefCntPtr<TableViewPageItemPresModel const>>;

    TableViewPageRowPresModel() = default;
    // A row whose `columnCount` cells `source` makes from its row `sourceRow` when the first of
    // them is asked for.
    TableViewPageRowPresModel(
        RefCntPtr<TableViewPageCellSource const> source, unsigned int sourceRow, unsigned int columnCount);
    ~TableViewPageRowPresModel() override;

    // Cells may be shared between rows and pages: a record is never changed once it is handed out.
    void SetColumns(Cells cells);
    unsigned int GetColumnCount() const noexcept { return m_columnCount; }
    // `column` is relative to the page's first column.
    const RefCntPtr<TableViewPageItemPresModel const>& GetColumn(unsigned int column) const;

private:
    void MakeCells() const;

    mutable Cells m_columns;
    mutable std::atomic<bool> m_made {true};
    RefCntPtr<TableViewPageCellSource const> m_source;
    unsigned int m_sourceRow = 0;
    unsigned int m_columnCount = 0;
};

// Where a page lies in its table.
class ZELHOST_DOC_EXPORT PageInfoPresModel : public PresentationModel
{
public:
    PageInfoPresModel() = default;
    PageInfoPresModel(const PageInfoPresModel&) = default;
    ~PageInfoPresModel() override;

    ZEL_PRES_FIELD(unsigned int, StartDataRow)
    ZEL_PRES_FIELD(unsigned int, StartDataColumn)
    ZEL_PRES_FIELD(unsigned int, RowCount)
    ZEL_PRES_FIELD(unsigned int, ColumnCount)
};

class ZELHOST_DOC_EXPORT TableViewPagePresModel : public PresentationModel
{
public:
    TableViewPagePresModel() = default;
    ~TableViewPagePresModel() override;

    ZEL_PRES_FIELD(PageInfoPresModel, PageInfo)
    ZEL_PRES_FIELD(std::vector<RefCntPtr<TableViewPageRowPresModel const>>, Rows)

public:
    // `row` is relative to the page's first row.
    const TableViewPageRowPresModel& GetRow(unsigned int row) const;
};
