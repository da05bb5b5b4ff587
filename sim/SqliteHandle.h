#pragma once

// The SQLite connection under a QtSql connection, for the work that QtSql makes slow: writing
// millions of generated rows, reading pages of a table cache. Internal to zelsim.

class QSqlDatabase;
struct sqlite3;

namespace Zel::Sim {

// The connection of `db`'s QSQLITE driver, or null: when zelsim was built without SQLite's headers,
// when the driver is another one, or when the driver runs another SQLite than the one zelsim links
// (a driver with SQLite built in), whose connection is not ours to call into.
sqlite3* SqliteHandleOf(QSqlDatabase& db);

} // namespace Zel::Sim
