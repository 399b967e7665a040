#include "server_copy.h"

#include "connection.h"
#include "journal_tables.h"
#include "schema.h"
#include "server.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>

#include <vector>

namespace dravo::refdata {

namespace {

struct Table {
    QString name;
    QString key;
};

// In the order that keeps the copy readable: banks before the counterparties that name them.
const Table kReferenceTables[] = {
    {QStringLiteral("BANK"), QStringLiteral("BankID")},
    {QStringLiteral("FACTORY"), QStringLiteral("FactorysID")},
    {QStringLiteral("LISTM"), QStringLiteral("TovarID")},
    {QStringLiteral("merch"), QStringLiteral("MerchID")},
    {QStringLiteral("book"), QStringLiteral("BookID")},
};

const QString kNoSet = QStringLiteral("<не определено>");

bool Fail(QString *error, const QString &reason) {
    if (error)
        *error = reason;
    return false;
}

// Copies every row of source's table into target's (both quoted as their engines quote),
// columns by name, keys included; gives the number of rows.
bool CopyRows(SqlConnection &source, const QString &from, SqlConnection &target, const QString &to,
              int &rows, QString *error) {
    rows = 0;
    QStringList columns;
    QString insert;
    DbError failure;
    bool written = true;
    const bool read = source.Select(
        QStringLiteral("SELECT * FROM %1").arg(from), {},
        [&](const QSqlQuery &row) {
            const QSqlRecord record = row.record();
            if (insert.isEmpty()) {
                QStringList marks;
                for (int i = 0; i < record.count(); ++i) {
                    columns << target.Sql().QuoteIdentifier(record.fieldName(i));
                    marks << QStringLiteral("?");
                }
                insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                             .arg(to, columns.join(QStringLiteral(", ")),
                                  marks.join(QStringLiteral(", ")));
            }
            QVariantList values;
            for (int i = 0; i < record.count(); ++i)
                values << record.value(i);
            written = target.Exec(insert, values, &failure);
            rows += written;
            return written;
        },
        &failure);
    if (!read || !written)
        return Fail(error, QStringLiteral("%1: %2").arg(to, failure.text));
    return true;
}

bool Count(SqlConnection &db, const QString &sql, const QVariantList &params, int &count,
           QString *error) {
    DbError failure;
    const auto value = db.Value(sql, params, &failure);
    if (!value)
        return Fail(error, failure.text);
    count = value->toInt();
    return true;
}

} // namespace

bool CopyToServer(const QString &fctPath, const QString &regPath, const QString &server,
                  QStringList *done, QString *error) {
    QString reason;
    const auto address = ServerAddress::Parse(server, &reason);
    if (!address)
        return Fail(error, reason);
    SqlConnection fct;
    if (!fct.Open(fctPath, SqlConnection::OpenMode::ExistingOnly, &reason))
        return Fail(error, reason);
    QString missing;
    if (!HasTables(fct, DatabaseKind::Reference, &missing))
        return Fail(error, QStringLiteral("%1: no tables %2").arg(fctPath, missing));
    SqlConnection reg;
    QStringList journals;
    if (QFileInfo::exists(regPath)) {
        if (!reg.Open(regPath, SqlConnection::OpenMode::ExistingOnly, &reason))
            return Fail(error, reason);
        if (!reg.Select(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                       "name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name"),
                        {}, [&](const QSqlQuery &row) {
                            journals << row.value(0).toString();
                            return true;
                        }))
            return Fail(error,
                        QStringLiteral("%1: the journal tables cannot be read").arg(regPath));
    }

    // The server's tables, made when missing (empty tables are no half-copied data).
    const QStringList failures = EnsureServerDatabases(server);
    if (!failures.isEmpty())
        return Fail(error, failures.join(QLatin1Char('\n')));
    SqlConnection target;
    if (!target.Open(address->ToString(), SqlConnection::OpenMode::ExistingOnly, &reason))
        return Fail(error, reason);
    const Dialect &sql = target.Sql();
    const QString schema = sql.QuoteIdentifier(JournalsSchema()) + QLatin1Char('.');

    DbError failure;
    if (!target.Begin(&failure))
        return Fail(error, failure.text);
    auto abandon = [&](const QString &why) {
        target.Rollback();
        return Fail(error, QStringLiteral("copy onto %1 abandoned, nothing written: %2")
                               .arg(address->Shown(), why));
    };
    // No other program writes these tables until the copy is whole.
    for (const Table &table : kReferenceTables)
        if (!target.Exec(sql.LockTableStatement(sql.QuoteIdentifier(table.name)), {}, &failure))
            return abandon(failure.text);

    // Refuse before writing anything: rows already there would be doubled or meet their keys.
    for (const Table &table : kReferenceTables) {
        const bool isMerch = table.name == QLatin1String("merch");
        int rows = 0;
        if (!Count(target,
                   QStringLiteral("SELECT count(*) FROM %1%2")
                       .arg(sql.QuoteIdentifier(table.name),
                            isMerch ? QStringLiteral(" WHERE Category <> ?") : QString()),
                   isMerch ? QVariantList{kNoSet} : QVariantList{}, rows, &reason))
            return abandon(reason);
        if (rows > 0)
            return abandon(QStringLiteral("the server already holds rows in %1 (%2): nothing "
                                          "copied; a copy is made only onto empty tables")
                               .arg(table.name)
                               .arg(rows));
    }
    SqlConnection journalTables;
    if (!journals.isEmpty() && !journalTables.Open(ServerJournalsLocation(server),
                                                   SqlConnection::OpenMode::ExistingOnly, &reason))
        return abandon(reason);
    for (const QString &name : journals)
        if (journalTables.TableExists(name))
            return abandon(QStringLiteral("the server already has the journal table \"%1\": "
                                          "nothing copied")
                               .arg(name));
    journalTables.Close();

    // The shipped "no set" comes with the computer's rows and keys.
    if (!target.Exec(QStringLiteral("DELETE FROM merch"), {}, &failure))
        return abandon(failure.text);
    QStringList copied;
    for (const Table &table : kReferenceTables) {
        int rows = 0;
        const QString to = sql.QuoteIdentifier(table.name);
        if (!CopyRows(fct, fct.Sql().QuoteIdentifier(table.name), target, to, rows, &reason))
            return abandon(reason);
        const QString reset = sql.ResetKeyStatement(to, table.key);
        if (!reset.isEmpty() && !target.Exec(reset, {}, &failure))
            return abandon(failure.text);
        copied << QStringLiteral("copied %1: %2 rows").arg(table.name).arg(rows);
    }
    for (const QString &name : journals) {
        int rows = 0;
        const QString to = schema + sql.QuoteIdentifier(name);
        if (!target.Exec(JournalTableStatement(sql, to), {}, &failure))
            return abandon(QStringLiteral("%1: %2").arg(name, failure.text));
        if (!CopyRows(reg, reg.Sql().QuoteIdentifier(name), target, to, rows, &reason))
            return abandon(reason);
        const QString reset = sql.ResetKeyStatement(to, QStringLiteral("BookID"));
        if (!reset.isEmpty() && !target.Exec(reset, {}, &failure))
            return abandon(failure.text);
        copied << QStringLiteral("copied the journal table \"%1\": %2 rows").arg(name).arg(rows);
    }
    if (!target.Commit(&failure))
        return abandon(failure.text);
    if (done)
        *done << copied;
    return true;
}

} // namespace dravo::refdata
