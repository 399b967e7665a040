#include "dialect.h"

#include "collation.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>

#include <sqlite3.h>

namespace dravo::refdata {

namespace {

QString Quoted(const QString &name) {
    if (name.isEmpty() || name.contains(QChar(0)))
        return {};
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

char16_t LowerLatin(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c;
}

// ---- SQLite: the databases of one computer, one file each.

int CompareRussian(void *, int lengthA, const void *a, int lengthB, const void *b) {
    return RussianCompare(std::string_view(static_cast<const char *>(a), std::size_t(lengthA)),
                          std::string_view(static_cast<const char *>(b), std::size_t(lengthB)));
}

sqlite3 *Handle(const QSqlDatabase &db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        return *static_cast<sqlite3 *const *>(handle.constData());
    return nullptr;
}

class Sqlite final : public Dialect {
  public:
    Engine Kind() const override { return Engine::SQLite; }
    QString DriverName() const override { return QStringLiteral("QSQLITE"); }
    // Two programs may write the same file: wait for the other's lock rather than failing.
    QString ConnectOptions() const override { return QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"); }

    bool PrepareConnection(QSqlDatabase &db, QString *error) const override {
        sqlite3 *connection = Handle(db);
        if (!connection) {
            if (error)
                *error = QStringLiteral("the SQLite driver gives no connection handle");
            return false;
        }
        const int rc = sqlite3_create_collation_v2(connection, "RUSSIAN", SQLITE_UTF8, nullptr,
                                                   &CompareRussian, nullptr);
        if (rc != SQLITE_OK) {
            if (error)
                *error = QString::fromUtf8(sqlite3_errstr(rc));
            return false;
        }
        return true;
    }

    bool IsReadOnly(const QSqlDatabase &db) const override {
        sqlite3 *connection = Handle(db);
        return connection && sqlite3_db_readonly(connection, "main") == 1;
    }

    QString ProbeStatement() const override {
        return QStringLiteral("SELECT count(*) FROM sqlite_master");
    }
    QString SchemaVersionQuery() const override { return QStringLiteral("PRAGMA user_version"); }
    QString TableExistsQuery() const override {
        return QStringLiteral(
            "SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE");
    }
    QString ColumnExistsQuery() const override {
        return QStringLiteral(
            "SELECT name FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE");
    }
    QString IndexExistsQuery() const override {
        return QStringLiteral(
            "SELECT name FROM sqlite_master WHERE type = 'index' AND name = ? COLLATE NOCASE");
    }
    QString QuoteIdentifier(const QString &name) const override { return Quoted(name); }
    QString AutoIncrementKey(const QString &quotedColumn) const override {
        return quotedColumn + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT");
    }
    QString BlobType() const override { return QStringLiteral("BLOB"); }
    QVariant DateValue(const QDate &date) const override {
        if (!date.isValid())
            return QVariant(QMetaType::fromType<QString>());
        return date.toString(Qt::ISODate);
    }
    bool IsRefusal(const QSqlError &error) const override {
        bool ok = false;
        const int code = error.nativeErrorCode().toInt(&ok);
        return ok && (code & 0xFF) == SQLITE_CONSTRAINT;
    }
    bool IsBusy(const QSqlError &error) const override {
        bool ok = false;
        const int code = error.nativeErrorCode().toInt(&ok) & 0xFF;
        return ok && (code == SQLITE_BUSY || code == SQLITE_LOCKED);
    }
    QString InsertReturningKey(const QString &insert, const QString &) const override {
        return insert; // the driver reads the new row's key itself
    }
    // Takes the file's write lock at once: a second writer waits (busy timeout) at its BEGIN,
    // before it has read anything that the first one is about to change.
    QString BeginWriteStatement() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    QString LockTableStatement(const QString &) const override { return {}; }
    QString ResetKeyStatement(const QString &, const QString &) const override { return {}; }
    QString SchemaFolder() const override { return QStringLiteral(":/schema/sqlite/"); }
};

// ---- PostgreSQL: the shared database of an office.

class Postgres final : public Dialect {
  public:
    Engine Kind() const override { return Engine::PostgreSQL; }
    QString DriverName() const override { return QStringLiteral("QPSQL"); }
    // A server that does not answer is given up after a few seconds, not the system's minutes.
    QString ConnectOptions() const override {
        return QStringLiteral("connect_timeout=5;application_name=dravo");
    }
    bool PrepareConnection(QSqlDatabase &, QString *) const override { return true; }
    bool IsReadOnly(const QSqlDatabase &) const override { return false; }
    QString ProbeStatement() const override { return QStringLiteral("SELECT 1"); }
    QString SchemaVersionQuery() const override {
        return QStringLiteral("SELECT max(version) FROM dravo_schema");
    }
    // Names compared in the "C" collation, whose lower() folds Latin letters only, as SQLite's
    // NOCASE does (the catalogue's names are of that collation, the parameter of the database's).
    QString TableExistsQuery() const override {
        return QStringLiteral("SELECT table_name FROM information_schema.tables "
                              "WHERE table_schema = current_schema() "
                              "AND lower(table_name::text COLLATE \"C\") = "
                              "lower(CAST(? AS text) COLLATE \"C\")");
    }
    QString ColumnExistsQuery() const override {
        return QStringLiteral("SELECT column_name FROM information_schema.columns "
                              "WHERE table_schema = current_schema() "
                              "AND lower(table_name::text COLLATE \"C\") = "
                              "lower(CAST(? AS text) COLLATE \"C\") "
                              "AND lower(column_name::text COLLATE \"C\") = "
                              "lower(CAST(? AS text) COLLATE \"C\")");
    }
    QString IndexExistsQuery() const override {
        return QStringLiteral("SELECT indexname FROM pg_indexes "
                              "WHERE schemaname = current_schema() "
                              "AND lower(indexname::text COLLATE \"C\") = "
                              "lower(CAST(? AS text) COLLATE \"C\")");
    }
    QString QuoteIdentifier(const QString &name) const override {
        QString folded = name;
        for (QChar &c : folded)
            c = QChar(LowerLatin(c.unicode()));
        return Quoted(folded);
    }
    QString AutoIncrementKey(const QString &quotedColumn) const override {
        return quotedColumn +
               QStringLiteral(" INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
    }
    QString BlobType() const override { return QStringLiteral("BYTEA"); }
    QVariant DateValue(const QDate &date) const override {
        if (!date.isValid())
            return QVariant(QMetaType::fromType<QDate>());
        return date;
    }
    // Class 23 of the SQLSTATE codes: integrity constraint violations.
    bool IsRefusal(const QSqlError &error) const override {
        return error.nativeErrorCode().startsWith(QLatin1String("23"));
    }
    // A lock not granted in time, a deadlock, or a transaction that met another's change.
    bool IsBusy(const QSqlError &error) const override {
        const QString code = error.nativeErrorCode();
        return code == QLatin1String("55P03") || code == QLatin1String("40P01") ||
               code == QLatin1String("40001");
    }
    QString InsertReturningKey(const QString &insert, const QString &keyColumn) const override {
        return insert + QStringLiteral(" RETURNING ") + QuoteIdentifier(keyColumn);
    }
    QString BeginWriteStatement() const override { return QStringLiteral("BEGIN"); }
    // Conflicts with itself and with every row change of the table, not with reading.
    QString LockTableStatement(const QString &quotedTable) const override {
        return QStringLiteral("LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE").arg(quotedTable);
    }
    QString ResetKeyStatement(const QString &quotedTable, const QString &keyColumn) const override {
        QString literal = quotedTable;
        literal.replace(QLatin1Char('\''), QLatin1String("''"));
        QString column = keyColumn.toLower();
        column.replace(QLatin1Char('\''), QLatin1String("''"));
        return QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), "
                              "coalesce(max(%3), 0) + 1, false) FROM %4")
            .arg(literal, column, QuoteIdentifier(keyColumn), quotedTable);
    }
    QString SchemaFolder() const override { return QStringLiteral(":/schema/postgresql/"); }
};

} // namespace

bool Dialect::DriverAvailable() const {
    return QSqlDatabase::isDriverAvailable(DriverName());
}

QString Dialect::AddColumnStatement(const QString &quotedTable, const QString &quotedColumn,
                                    const QString &type) const {
    return QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3").arg(quotedTable, quotedColumn, type);
}

bool Dialect::SameIdentifier(const QString &a, const QString &b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (LowerLatin(a[i].unicode()) != LowerLatin(b[i].unicode()))
            return false;
    return true;
}

QDate Dialect::ReadDate(const QVariant &value) {
    if (value.isNull())
        return {};
    if (value.metaType() == QMetaType::fromType<QDate>())
        return value.toDate();
    // Tolerate a time part written by another program.
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

QString Dialect::YesNoValue(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

bool Dialect::ReadYesNo(const QVariant &value) {
    if (value.metaType() == QMetaType::fromType<bool>())
        return value.toBool();
    const QString text = value.toString().trimmed();
    return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
           text == QLatin1String("1") || text == QLatin1String("-1");
}

const Dialect &SqliteDialect() {
    static const Sqlite dialect;
    return dialect;
}

const Dialect &PostgresDialect() {
    static const Postgres dialect;
    return dialect;
}

const Dialect &DialectOf(Engine engine) {
    return engine == Engine::PostgreSQL ? PostgresDialect() : SqliteDialect();
}

} // namespace dravo::refdata
