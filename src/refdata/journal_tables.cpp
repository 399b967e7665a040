#include "journal_tables.h"

#include "dialect.h"
#include "qt_text.h"
#include "schema.h"
#include "server.h"

#include <QFileInfo>
#include <QUuid>

#include <climits>

namespace dravo::refdata {

namespace {

constexpr int kFreeColumns = 28;

bool OpenReg(SqlConnection &db, const QString &regPath, DbError *error) {
    QString reason;
    // A server's schema of journals is made when missing, as a computer's file is.
    if ((IsServerAddress(regPath) || !QFileInfo::exists(regPath)) &&
        InitDatabase(regPath, DatabaseKind::Journals, &reason) == InitOutcome::Failed)
        return SetError(error, DbError::Kind::NotOpen, reason);
    if (!db.Open(regPath, SqlConnection::OpenMode::ExistingOnly, &reason))
        return SetError(error, DbError::Kind::NotOpen, reason);
    return true;
}

bool Quoted(const SqlConnection &db, std::string_view name, QString &out, DbError *error) {
    out = db.Sql().QuoteIdentifier(ToQt(name));
    if (out.isEmpty())
        return SetError(error, DbError::Kind::Invalid,
                        QStringLiteral("a journal table needs a name"));
    return true;
}

} // namespace

QString JournalTableStatement(const Dialect &dialect, const QString &quotedName) {
    auto q = [&](const QString &column) { return dialect.QuoteIdentifier(column); };
    // Texts allow the empty value and are not required, with the empty text as default.
    auto text = [&](const QString &column, int size) {
        return q(column) + QLatin1Char(' ') + dialect.TextType(size) +
               QStringLiteral(" DEFAULT ''");
    };
    QStringList columns;
    columns << dialect.AutoIncrementKey(q(QStringLiteral("BookID")))
            << q(QStringLiteral("Number")) + QLatin1Char(' ') + dialect.LongType()
            << text(QStringLiteral("NumberS"), 10)
            << q(QStringLiteral("Date")) + QLatin1Char(' ') + dialect.DateType()
            << q(QStringLiteral("Body")) + QLatin1Char(' ') + dialect.MemoType();
    for (int i = 1; i <= kFreeColumns; ++i)
        columns << text(QStringLiteral("f%1").arg(i), 255);
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(quotedName, columns.join(QStringLiteral(", ")));
}

QStringList JournalColumns() {
    QStringList columns = {QStringLiteral("BookID"), QStringLiteral("Number"),
                           QStringLiteral("NumberS"), QStringLiteral("Date"),
                           QStringLiteral("Body")};
    for (int i = 1; i <= kFreeColumns; ++i)
        columns << QStringLiteral("f%1").arg(i);
    return columns;
}

bool CreateJournalTable(const QString &regPath, std::string_view name, DbError *error) {
    SqlConnection db;
    QString table;
    return OpenReg(db, regPath, error) && Quoted(db, name, table, error) &&
           db.Exec(JournalTableStatement(db.Sql(), table), {}, error);
}

bool DeleteJournalTable(const QString &regPath, std::string_view name, DbError *error) {
    SqlConnection db;
    QString table;
    return OpenReg(db, regPath, error) && Quoted(db, name, table, error) &&
           db.Exec(QStringLiteral("DROP TABLE %1").arg(table), {}, error);
}

bool RenameJournalTable(const QString &regPath, std::string_view oldName, std::string_view newName,
                        DbError *error) {
    SqlConnection db;
    QString from, to;
    if (!OpenReg(db, regPath, error) || !Quoted(db, oldName, from, error) ||
        !Quoted(db, newName, to, error))
        return false;
    const auto rename = [&](const QString &a, const QString &b) {
        return db.Exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(a, b), {}, error);
    };
    if (!Dialect::SameIdentifier(ToQt(oldName), ToQt(newName)))
        return rename(from, to);
    // The engine takes the new spelling for the name that is already there: a new letter case
    // goes by way of a passing name.
    if (!db.TableExists(ToQt(oldName)))
        return SetError(error, DbError::Kind::NotFound,
                        QStringLiteral("no journal table %1").arg(ToQt(oldName)));
    if (oldName == newName)
        return true;
    const QString passing = db.Sql().QuoteIdentifier(
        QStringLiteral("%1 (renaming)").arg(QUuid::createUuid().toString(QUuid::WithoutBraces)));
    if (!db.Begin(error))
        return false;
    if (!rename(from, passing) || !rename(passing, to)) {
        db.Rollback();
        return false;
    }
    return db.Commit(error);
}

bool CopyJournalTable(const QString &regPath, std::string_view source, std::string_view newName,
                      DbError *error) {
    SqlConnection db;
    QString from, to;
    if (!OpenReg(db, regPath, error) || !Quoted(db, source, from, error) ||
        !Quoted(db, newName, to, error))
        return false;
    if (!db.TableExists(ToQt(source)))
        return SetError(error, DbError::Kind::NotFound,
                        QStringLiteral("no journal table %1").arg(ToQt(source)));
    QStringList columns;
    for (const QString &column : JournalColumns())
        columns << db.Sql().QuoteIdentifier(column);
    const QString list = columns.join(QStringLiteral(", "));
    if (!db.Begin(error))
        return false;
    if (!db.Exec(JournalTableStatement(db.Sql(), to), {}, error) ||
        !db.Exec(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3 ORDER BY %4")
                     .arg(to, list, from, db.Sql().QuoteIdentifier(QStringLiteral("BookID"))),
                 {}, error)) {
        db.Rollback();
        return false;
    }
    const QString reset = db.Sql().ResetKeyStatement(to, QStringLiteral("BookID"));
    if (!reset.isEmpty() && !db.Exec(reset, {}, error)) {
        db.Rollback();
        return false;
    }
    return db.Commit(error);
}

bool JournalTableExists(const QString &regPath, std::string_view name) {
    SqlConnection db;
    return (IsServerAddress(regPath) || QFileInfo::exists(regPath)) &&
           db.Open(regPath, SqlConnection::OpenMode::ExistingOnly) && db.TableExists(ToQt(name));
}

int NextJournalNumber(SqlConnection &connection) {
    const auto last = connection.Value(QStringLiteral("SELECT MAX(Number) FROM book"));
    if (!last || last->isNull())
        return 1;
    const qlonglong number = last->toLongLong();
    return number >= INT_MAX ? INT_MAX : int(number < 0 ? 1 : number + 1);
}

} // namespace dravo::refdata
