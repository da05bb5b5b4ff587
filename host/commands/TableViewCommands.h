#pragma once

// The table-view area: host table caches that a client reads page by page and sorts on the host.

#include "host/commands/CommonParameters.h"
#include "host/doc/TableViewPresModels.h"

namespace Zel::Commands::TableView {

ZEL_COMMAND_AREA(TableViewArea, "gen-command-wrappers/TableViewCommandWrappers");

ZEL_PARAMETER(TableViewCache, 334326766, RefCntPtr<TableViewCachePresModel const>);
ZEL_PARAMETER(TableViewInfo, 326842159, RefCntPtr<TableViewInfoPresModel const>);
ZEL_PARAMETER(RequestedRow, 319863463, unsigned int);
ZEL_PARAMETER(RequestedColumn, 331346128, unsigned int);
ZEL_PARAMETER(TableViewPage, 331567407, RefCntPtr<TableViewPagePresModel const>);
using Common::CleanupCommands;

// Creates (or, for a guid the host still holds, refreshes) the host cache that the description
// names, and answers the table's title, size and columns with the commands that drop it again.
ZEL_COMMAND(CreateTableViewCache, 3463140, TableViewArea, Arguments<Required<TableViewCache>>,
    Results<Required<TableViewInfo>, Required<CleanupCommands>>);

// The page that holds the requested cell. Its rectangle is the host's choice and need not start
// at that cell.
ZEL_COMMAND(GetTableViewPage, 3796328, TableViewArea,
    Arguments<Required<TableViewCache>, Required<RequestedRow>, Required<RequestedColumn>>,
    Results<Required<TableViewPage>>);

// Sorts the host cache as the description's sort state says. The host reports the new order with
// its page-cache-changed event; nobody reads the answer.
ZEL_COMMAND(SortTableViewCache, 13730112, TableViewArea, Arguments<Required<TableViewCache>>, Results<>);

// The host's own clean-up command, handed out by CreateTableViewCache and sent back by the
// client's ComponentCleanup; the client never sends it by name, so it has no wrapper.
ZEL_COMMAND(DropTableViewCache, 3463141, TableViewArea, Arguments<Required<TableViewCache>>, Results<>);

using AllCommands = CommandList<CreateTableViewCache, GetTableViewPage, SortTableViewCache, DropTableViewCache>;

} // namespace Zel::Commands::TableView
