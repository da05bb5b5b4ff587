#pragma once

#include "host/commands/TableViewCommands.h"
#include "sim/SampleWorkbook.h"
#include "sim/SimHost.h"
#include "sim/TableViewArea.h"
#include "tests/support/RecordingDispatcher.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <set>

class QAbstractItemModel;

namespace ZelTest {

namespace TableCmds = Zel::Commands::TableView;

// A placeholder's count for "all rows" or "all columns", and the stored sort column of "no sort":
// -1 kept in an unsigned 32-bit field.
inline constexpr quint64 kAllOfThem = std::numeric_limits<std::uint32_t>::max();

// A host table of `rows` x `columns` cells reading "r<row>c<column>", answered the way a host
// answers: the create command with a title, a caption, the columns and one drop command for
// clean-up; the page command with the page (of the description's geometry) that holds the
// requested cell. Rows listed in specialRows have special cells.
struct ScriptedTable
{
    int rows = 2500;
    int columns = 3;
    std::set<unsigned int> specialRows;

    // Answers every create and page command of `dispatcher` from this table, which must outlive it.
    void AnswerAll(RecordingDispatcher& dispatcher) const;

    RefCntPtr<IParameters const> CreateAnswer(const RecordedCommand& command) const;
    RefCntPtr<IParameters const> PageAnswer(const RecordedCommand& command) const;
    // The page that covers rows [firstRow, firstRow + rowCount), all columns.
    RefCntPtr<TableViewPagePresModel const> Page(unsigned int firstRow, unsigned int rowCount) const;
};

QString CellText(int row, int column);

// A cache description as a table view model makes it.
RefCntPtr<TableViewCachePresModel const> MakeDescription(int pageRowCount, int pageColumnCount);
// Delivers `eventId` (changed or discarded) for the host cache `id` names, as the host does: in a
// record that carries the cache's guid alone.
void NotifyCacheEvent(int eventId, const PageCacheIDPresModel& id);
// The column of `model` whose header reads `caption`, or -1.
int Section(const QAbstractItemModel& model, const QString& caption);

// The simulated host over a small sample workbook, with its table caches; the dispatcher is the
// shared handle the table view model takes.
struct SimTables
{
    explicit SimTables(qint64 rows)
        : workbook(Zel::Sim::SampleWorkbook::Options {rows, QString(), true})
        , area(host, workbook)
    {
    }

    Zel::Sim::SampleWorkbook workbook;
    Zel::Sim::SimHost host;
    Zel::Sim::TableViewArea area;
    std::shared_ptr<ICommandDispatcher const> dispatcher {&host, [](const ICommandDispatcher*) {}};
};

} // namespace ZelTest
