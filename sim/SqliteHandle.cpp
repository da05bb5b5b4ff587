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
    QSqlQuery version(db);
    if (!version.exec(QStringLiteral("SELECT sqlite_version()")) || !version.next()
        || version.value(0).toString() != QString::fromLatin1(sqlite3_libversion()))
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
#else
    Q_UNUSED(db);
    return nullptr;
#endif
}

} // namespace Zel::Sim
