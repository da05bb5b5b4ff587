#include "SqliteHandle.h"

#include <QtCore/QVariant>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlDriver>
#include <QtSql/QSqlQuery>

#if defined(ZELSIM_HAVE_SQLITE3)
#include <sqlite3.h>
#endif

namespace Zel::Sim {

sqlite3* SqliteHandleOf(QSqlDatabase& db)
{
#if defined(ZELSIM_HAVE_SQLITE3)
    // QSQLITE hands out its connection as a QVariant holding a sqlite3*.
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    // Which SQLite the driver runs does not change while the process runs: asked once.
    static const bool sameSqlite = [&db] {
        QSqlQuery version(db);
        return version.exec(QStringLiteral("SELECT sqlite_version()")) && version.next()
            && version.value(0).toString() == QString::fromLatin1(sqlite3_libversion());
    }();
    return sameSqlite ? *static_cast<sqlite3* const*>(handle.constData()) : nullptr;
#else
    Q_UNUSED(db);
    return nullptr;
#endif
}

} // namespace Zel::Sim
