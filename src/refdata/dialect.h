// Everything that belongs to the SQL engine in use, in one place: the Qt driver and its
// connection options, what a freshly opened connection needs (the Russian collation), the
// quoting of identifiers, the key column that the engine numbers itself and how a new key is
// read back, how dates and yes/no values are stored, how a writer takes the journal for itself,
// and which schema scripts create the databases.
//
// Two engines: SQLite for the files of one computer, PostgreSQL for the shared database of an
// office. A connection carries the dialect of the engine it was opened on.
#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

class QSqlDatabase;
class QSqlError;

namespace dravo::refdata {

enum class Engine { SQLite, PostgreSQL };

class Dialect {
  public:
    virtual ~Dialect() = default;

    virtual Engine Kind() const = 0;
    // The Qt SQL driver ("QSQLITE", "QPSQL").
    virtual QString DriverName() const = 0;
    // Connection options passed to QSqlDatabase::setConnectOptions.
    virtual QString ConnectOptions() const = 0;
    // Whether the driver is installed.
    bool DriverAvailable() const;

    // Readies a freshly opened connection: on SQLite registers the collation "RUSSIAN" that the
    // schema gives to name columns, so "ORDER BY Name" lists in Russian alphabetical order
    // without regard to letter case (the server keeps its own, created by the schema). On
    // failure returns false with the reason.
    virtual bool PrepareConnection(QSqlDatabase &db, QString *error) const = 0;

    // Whether the engine opened the database for reading only.
    virtual bool IsReadOnly(const QSqlDatabase &db) const = 0;

    // A statement that fails when the database is no database of this engine (a damaged or
    // foreign file opens without complaint and fails only at the first read).
    virtual QString ProbeStatement() const = 0;
    // A query giving the version number that the schema scripts mark a database with. It fails
    // (no value) on a server database that was never marked.
    virtual QString SchemaVersionQuery() const = 0;
    // A query for one bound parameter, a table name, giving a row when the table exists (names
    // are matched without regard to the case of Latin letters).
    virtual QString TableExistsQuery() const = 0;
    // A query for two bound parameters, a table name and a column name, giving a row when the
    // table has that column (names matched as above).
    virtual QString ColumnExistsQuery() const = 0;
    // A query for one bound parameter, an index name, giving a row when the index exists.
    virtual QString IndexExistsQuery() const = 0;
    // The statement that adds a column to an existing table (both names quoted).
    QString AddColumnStatement(const QString &quotedTable, const QString &quotedColumn,
                               const QString &type) const;

    // An identifier (a table or column name, possibly with blanks, Cyrillic letters or quotes)
    // quoted for use in SQL text. Empty names and names with a NUL character are refused: the
    // result is empty then. Both engines take names without regard to the case of Latin
    // letters: PostgreSQL folds the unquoted names of the program's statements to lower case,
    // so a quoted name is written in lower case there too.
    virtual QString QuoteIdentifier(const QString &name) const = 0;

    // Whether the engines take two identifiers for the same name: equal but for the case of
    // Latin letters.
    static bool SameIdentifier(const QString &a, const QString &b);

    // Column definition of a whole-number key that the engine assigns.
    virtual QString AutoIncrementKey(const QString &quotedColumn) const = 0;
    // Column types of the journal tables.
    QString LongType() const { return QStringLiteral("INTEGER"); }
    QString TextType(int size) const { return QStringLiteral("VARCHAR(%1)").arg(size); }
    QString MemoType() const { return QStringLiteral("TEXT"); }
    QString DateType() const { return QStringLiteral("DATE"); }
    // Bytes stored as they are (a template file's content).
    virtual QString BlobType() const = 0;

    // The value stored for a date: ISO text "yyyy-MM-dd" in SQLite (text order is date order),
    // a date on the server. An invalid date is stored as NULL.
    virtual QVariant DateValue(const QDate &date) const = 0;
    static QDate ReadDate(const QVariant &value);

    // Yes/no columns hold the texts "true" and "false" (the server's boolean columns take and
    // give the same texts).
    static QString YesNoValue(bool value);
    static bool ReadYesNo(const QVariant &value);

    // True when the engine refused a change because it breaks a rule of the table (an empty
    // name, a key that is taken).
    virtual bool IsRefusal(const QSqlError &error) const = 0;
    // True when another program held the database (or the table) longer than the engine waits.
    virtual bool IsBusy(const QSqlError &error) const = 0;

    // An INSERT statement that also gives the key the engine assigned in keyColumn.
    virtual QString InsertReturningKey(const QString &insert, const QString &keyColumn) const = 0;
    // Starts a transaction that writes: the writers of the same database wait for one another
    // here rather than meeting at the commit.
    virtual QString BeginWriteStatement() const = 0;
    // Within a transaction: a statement that keeps every other writer of the table out until
    // the commit, while readers go on; empty when the transaction already does (SQLite).
    virtual QString LockTableStatement(const QString &quotedTable) const = 0;

    // After rows were stored with their keys given (a copy): a statement that makes the engine
    // number the next new row of the table (quoted, possibly with its schema) above them; empty
    // when the engine does so by itself.
    virtual QString ResetKeyStatement(const QString &quotedTable,
                                      const QString &keyColumn) const = 0;

    // The Qt resource folder of this engine's schema scripts.
    virtual QString SchemaFolder() const = 0;
};

const Dialect &SqliteDialect();
const Dialect &PostgresDialect();
const Dialect &DialectOf(Engine engine);

} // namespace dravo::refdata
