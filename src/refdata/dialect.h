// Everything that belongs to the SQL engine in use, in one place: the Qt driver and its
// connection options, what a freshly opened connection needs (the Russian collation), the
// quoting of identifiers, the key column that the engine numbers itself, how dates and yes/no
// values are stored, and which schema scripts create the databases. Moving to another engine
// (PostgreSQL for a shared office) means another version of this file and of the scripts.
#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

class QSqlDatabase;
class QSqlError;

namespace dravo::refdata::dialect {

// The Qt SQL driver ("QSQLITE").
QString DriverName();
// Connection options passed to QSqlDatabase::setConnectOptions.
QString ConnectOptions();

// Whether a database file can be opened at all here: the driver is installed.
bool DriverAvailable();

// Readies a freshly opened connection: registers the collation "RUSSIAN" that the schema gives
// to name columns, so "ORDER BY Name" lists in Russian alphabetical order without regard to
// letter case. On failure returns false with the reason.
bool PrepareConnection(QSqlDatabase &db, QString *error);

// Whether the engine opened the file for reading only (it does so quietly when the file or its
// folder is write-protected).
bool IsReadOnly(const QSqlDatabase &db);

// A statement that fails when the file is no database of this engine (a damaged or foreign
// file opens without complaint and fails only at the first read).
QString ProbeStatement();
// A query giving the version number that the schema scripts mark a database with.
QString SchemaVersionQuery();
// A query for one bound parameter, a table name, giving a row when the table exists (names
// are matched without regard to case).
QString TableExistsQuery();
// A query for two bound parameters, a table name and a column name, giving a row when the table
// has that column (names matched without regard to case).
QString ColumnExistsQuery();
// A query for one bound parameter, an index name, giving a row when the index exists.
QString IndexExistsQuery();
// The statement that adds a column to an existing table (both names quoted).
QString AddColumnStatement(const QString &quotedTable, const QString &quotedColumn,
                           const QString &type);

// An identifier (a table or column name, possibly with blanks, Cyrillic letters or quotes)
// quoted for use in SQL text. Empty names and names with a NUL character are refused: the
// result is empty then.
QString QuoteIdentifier(const QString &name);

// Whether the engine takes two identifiers for the same name (SQLite: without regard to the case
// of ASCII letters only).
bool SameIdentifier(const QString &a, const QString &b);

// Column definition of a whole-number key that the engine assigns.
QString AutoIncrementKey(const QString &quotedColumn);
// Column types of the journal tables.
QString LongType();
QString TextType(int size);
QString MemoType();
QString DateType();
// Bytes stored as they are (a template file's content).
QString BlobType();

// Dates are stored as ISO text "yyyy-MM-dd", so that text comparison is date order and period
// filters compare correctly. An invalid date is stored as NULL.
QVariant DateValue(const QDate &date);
QDate ReadDate(const QVariant &value);

// Yes/no columns hold the texts "true" and "false".
QString YesNoValue(bool value);
bool ReadYesNo(const QVariant &value);

// True when the engine refused a change because it breaks a rule of the table (an empty name).
bool IsRefusal(const QSqlError &error);

// The Qt resource folder of this engine's schema scripts.
QString SchemaFolder();

} // namespace dravo::refdata::dialect
