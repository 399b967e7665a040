// Where the database files live and how they come to exist: created from the schema scripts
// compiled into the program when missing; an existing database is never emptied or replaced,
// it only gets the tables and shipped rows that it lacks.
#pragma once

#include "dialect.h"

#include <QString>
#include <QStringList>

namespace dravo::refdata {

class SqlConnection;

// The data folder of a root: root + "/Data".
QString DataFolder(const QString &root);
// "fct.db" and "reg.db" in the templates root's data folder; "tables.db" in the database root's.
QString FctPath(const QString &templatesRoot);
QString RegPath(const QString &templatesRoot);
QString TablesPath(const QString &databaseRoot);

enum class DatabaseKind {
    Reference, // FACTORY, BANK, book, merch, LISTM: "fct.db" and "tables.db"
    Journals,  // the library's journal tables: "reg.db"
};

// The tables every reference database holds.
const QStringList &ReferenceTables();

// The schema script of a kind for an engine, as compiled into the program; empty when it cannot
// be read.
QString SchemaScript(DatabaseKind kind, Engine engine = Engine::SQLite);

enum class InitOutcome { Failed, Created, Completed };

// Makes sure path is a database of the kind. path may be a server address (IsServerAddress):
// the server's database must exist; it gets the tables it lacks (Created when it had none).
// A missing file is built aside and moved into
// place only when whole; an existing one gets whatever tables and shipped rows it lacks and
// keeps everything else. A file that is no database is left untouched and reported.
InitOutcome InitDatabase(const QString &path, DatabaseKind kind, QString *error);

// At start-up and for "db init": makes sure of "fct.db" and "reg.db" under templatesRoot and
// "tables.db" under databaseRoot. Returns one line per file that failed (empty: all is well);
// created or completed files are listed in done when given.
QStringList EnsureDatabases(const QString &templatesRoot, const QString &databaseRoot,
                            QStringList *done = nullptr);

// On a database server one database holds everything: the reference tables where the address
// points, and the library's journal tables in a schema of their own. The location of those
// (a server address); empty when server is no valid address.
QString ServerJournalsLocation(const QString &server);
// For "db init --server": makes sure of both on the server, like EnsureDatabases.
QStringList EnsureServerDatabases(const QString &server, QStringList *done = nullptr);

// Whether the journal table of an open reference database has the columns that keep a
// registered template and its variable data (a database made by an older version lacks them
// until it is completed).
bool HasTemplateColumns(SqlConnection &connection);

// The indexes the schema script of a kind creates for an engine, by name.
QStringList SchemaIndexes(DatabaseKind kind, Engine engine = Engine::SQLite);
// Whether an open connection holds every index of the kind's script; missing receives the names
// of those it lacks.
bool HasIndexes(SqlConnection &connection, DatabaseKind kind, QString *missing = nullptr);

// Whether an open connection holds every table of the kind.
bool HasTables(SqlConnection &connection, DatabaseKind kind, QString *missing = nullptr);

} // namespace dravo::refdata
