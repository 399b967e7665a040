#include "dialect.h"

#include "collation.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>

#include <sqlite3.h>

namespace dravo::refdata::dialect {

namespace {

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

} // namespace

QString DriverName() {
    return QStringLiteral("QSQLITE");
}

// A shared office may have two programs writing the same file: wait for the other's lock
// rather than failing at once.
QString ConnectOptions() {
    return QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000");
}

bool DriverAvailable() {
    return QSqlDatabase::isDriverAvailable(DriverName());
}

bool PrepareConnection(QSqlDatabase &db, QString *error) {
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

bool IsReadOnly(const QSqlDatabase &db) {
    sqlite3 *connection = Handle(db);
    return connection && sqlite3_db_readonly(connection, "main") == 1;
}

QString ProbeStatement() {
    return QStringLiteral("SELECT count(*) FROM sqlite_master");
}

QString SchemaVersionQuery() {
    return QStringLiteral("PRAGMA user_version");
}

QString TableExistsQuery() {
    return QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE");
}

QString ColumnExistsQuery() {
    return QStringLiteral("SELECT name FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE");
}

QString IndexExistsQuery() {
    return QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'index' AND name = ? COLLATE NOCASE");
}

QString AddColumnStatement(const QString &quotedTable, const QString &quotedColumn,
                           const QString &type) {
    return QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3").arg(quotedTable, quotedColumn, type);
}

QString QuoteIdentifier(const QString &name) {
    if (name.isEmpty() || name.contains(QChar(0)))
        return {};
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool SameIdentifier(const QString &a, const QString &b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode(), y = b[i].unicode();
        const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c + 0x20 : c; };
        if (lower(x) != lower(y))
            return false;
    }
    return true;
}

QString AutoIncrementKey(const QString &quotedColumn) {
    return quotedColumn + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT");
}

QString LongType() {
    return QStringLiteral("INTEGER");
}
QString TextType(int size) {
    return QStringLiteral("VARCHAR(%1)").arg(size);
}
QString MemoType() {
    return QStringLiteral("TEXT");
}
QString DateType() {
    return QStringLiteral("DATE");
}
QString BlobType() {
    return QStringLiteral("BLOB");
}

QVariant DateValue(const QDate &date) {
    if (!date.isValid())
        return QVariant(QMetaType::fromType<QString>());
    return date.toString(Qt::ISODate);
}

QDate ReadDate(const QVariant &value) {
    if (value.isNull())
        return {};
    // Tolerate a time part written by another program.
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

QString YesNoValue(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

bool ReadYesNo(const QVariant &value) {
    const QString text = value.toString().trimmed();
    return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
           text == QLatin1String("1") || text == QLatin1String("-1");
}

bool IsRefusal(const QSqlError &error) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok && (code & 0xFF) == SQLITE_CONSTRAINT;
}

QString SchemaFolder() {
    return QStringLiteral(":/schema/sqlite/");
}

} // namespace dravo::refdata::dialect
