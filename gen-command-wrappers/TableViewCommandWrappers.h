#pragma once

#include "gen-command-wrappers/CommandFrame.h"
#include "host/commands/TableViewCommands.h"

// The commands that a table view model sends to the host's table caches.
ZEL_COMMAND_WRAPPER(Zel::Commands::TableView, CreateTableViewCache);
ZEL_COMMAND_WRAPPER(Zel::Commands::TableView, GetTableViewPage);
ZEL_COMMAND_WRAPPER(Zel::Commands::TableView, SortTableViewCache);
