#include "schema.h"

#include "connection.h"
#include "dialect.h"
#include "server.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <initializer_list>
#include <utility>

namespace dravo::refdata {

QString DataFolder(const QString &root) {
    return QDir(root).filePath(QStringLiteral("Data"));
}

QString FctPath(const QString &templatesRoot) {
    return QDir(DataFolder(templatesRoot)).filePath(QStringLiteral("fct.db"));
}

QString RegPath(const QString &templatesRoot) {
    return QDir(DataFolder(templatesRoot)).filePath(QStringLiteral("reg.db"));
}

QString TablesPath(const QString &databaseRoot) {
    return QDir(DataFolder(databaseRoot)).filePath(QStringLiteral("tables.db"));
}

const QStringList &ReferenceTables() {
    static const QStringList tables = {QStringLiteral("FACTORY"), QStringLiteral("BANK"),
                                       QStringLiteral("book"), QStringLiteral("merch"),
                                       QStringLiteral("LISTM")};
    return tables;
}

QString SchemaScript(DatabaseKind kind, Engine engine) {
    QFile file(DialectOf(engine).SchemaFolder() + (kind == DatabaseKind::Reference
                                                       ? QStringLiteral("reference.sql")
                                                       : QStringLiteral("journals.sql")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

bool HasTables(SqlConnection &connection, DatabaseKind kind, QString *missing) {
    if (kind == DatabaseKind::Journals)
        return connection.IsOpen();
    QStringList absent;
    for (const QString &table : ReferenceTables())
        if (!connection.TableExists(table))
            absent << table;
    if (missing)
        *missing = absent.join(QStringLiteral(", "));
    return connection.IsOpen() && absent.isEmpty();
}

namespace {

// Columns added to a table after its first release. The schema script creates them in a new
// database; an existing one gets them through these statements.
struct AddedColumn {
    const char *table;
    const char *column;
    QString (Dialect::*type)() const;
};
const AddedColumn kAddedColumns[] = {
    {"book", "Template", &Dialect::BlobType},
    {"book", "VarData", &Dialect::MemoType},
};

bool HasColumn(SqlConnection &connection, const char *table, const char *column) {
    return connection
        .Value(connection.Sql().ColumnExistsQuery(),
               {QString::fromLatin1(table), QString::fromLatin1(column)})
        .has_value();
}

bool AddMissingColumns(SqlConnection &connection, QString *error) {
    for (const AddedColumn &added : kAddedColumns) {
        if (HasColumn(connection, added.table, added.column))
            continue;
        DbError failure;
        const Dialect &sql = connection.Sql();
        if (!connection.Exec(
                sql.AddColumnStatement(sql.QuoteIdentifier(QString::fromLatin1(added.table)),
                                       sql.QuoteIdentifier(QString::fromLatin1(added.column)),
                                       (sql.*added.type)()),
                {}, &failure)) {
            if (error)
                *error = failure.text;
            return false;
        }
    }
    return true;
}

} // namespace

QStringList SchemaIndexes(DatabaseKind kind, Engine engine) {
    static const QRegularExpression created(
        QStringLiteral("CREATE\\s+INDEX\\s+IF\\s+NOT\\s+EXISTS\\s+(\\w+)"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList names;
    for (const QRegularExpressionMatch &m : created.globalMatch(SchemaScript(kind, engine)))
        names << m.captured(1);
    return names;
}

bool HasIndexes(SqlConnection &connection, DatabaseKind kind, QString *missing) {
    QStringList absent;
    for (const QString &index : SchemaIndexes(kind, connection.Sql().Kind()))
        if (!connection.Value(connection.Sql().IndexExistsQuery(), {index}).has_value())
            absent << index;
    if (missing)
        *missing = absent.join(QStringLiteral(", "));
    return connection.IsOpen() && absent.isEmpty();
}

bool HasTemplateColumns(SqlConnection &connection) {
    for (const AddedColumn &added : kAddedColumns)
        if (!HasColumn(connection, added.table, added.column))
            return false;
    return true;
}

namespace {

bool RunSchema(SqlConnection &connection, DatabaseKind kind, QString *error) {
    const QString script = SchemaScript(kind, connection.Sql().Kind());
    if (script.isEmpty()) {
        if (error)
            *error = QStringLiteral("the schema script is missing from the program");
        return false;
    }
    DbError failure;
    if (!connection.ExecScript(script, &failure)) {
        if (error)
            *error = failure.text;
        return false;
    }
    return kind == DatabaseKind::Journals || AddMissingColumns(connection, error);
}

// Whether the database holds everything its script would add: its tables, their indexes (a
// database made by an older version lacks those added since), the version mark and, for a
// reference database, the shipped subject set. Such a file is not written to, so a
// database that another program is changing, or a write-protected one, is kept at once.
bool IsComplete(SqlConnection &connection, DatabaseKind kind) {
    if (!HasTables(connection, kind) || !HasIndexes(connection, kind) ||
        connection.Value(connection.Sql().SchemaVersionQuery()).value_or(0).toInt() < 1)
        return false;
    return kind == DatabaseKind::Journals ||
           (connection
                    .Value(QStringLiteral("SELECT count(*) FROM merch WHERE Category = ?"),
                           {QStringLiteral("<не определено>")})
                    .value_or(0)
                    .toInt() > 0 &&
            HasTemplateColumns(connection));
}

} // namespace

namespace {

// A database on a server: it must exist (the server's administrator makes it); the schema
// makes its tables, and the first run that made them reports Created.
InitOutcome InitServerDatabase(const QString &address, DatabaseKind kind, QString *error) {
    SqlConnection connection;
    QString reason;
    if (!connection.Open(address, SqlConnection::OpenMode::ExistingOnly, &reason)) {
        if (error)
            *error = reason;
        return InitOutcome::Failed;
    }
    if (IsComplete(connection, kind))
        return InitOutcome::Completed;
    const bool fresh = kind == DatabaseKind::Reference
                           ? !connection.TableExists(ReferenceTables().front())
                           : !connection
                                  .Value(QStringLiteral("SELECT 1 FROM information_schema.schemata "
                                                        "WHERE schema_name = ?"),
                                         {JournalsSchema()})
                                  .has_value();
    if (!RunSchema(connection, kind, &reason)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(connection.Path(), reason);
        return InitOutcome::Failed;
    }
    return fresh ? InitOutcome::Created : InitOutcome::Completed;
}

} // namespace

InitOutcome InitDatabase(const QString &path, DatabaseKind kind, QString *error) {
    if (IsServerAddress(path))
        return InitServerDatabase(path, kind, error);
    SqlConnection connection;
    if (QFileInfo::exists(path)) {
        QString reason;
        if (!connection.Open(path, SqlConnection::OpenMode::ExistingOnly, &reason)) {
            if (error)
                *error = reason;
            return InitOutcome::Failed;
        }
        if (IsComplete(connection, kind))
            return InitOutcome::Completed;
        // A write-protected file can be read but not completed: it serves when it holds the
        // tables (the script would fail at its first write even with nothing to add).
        if (connection.IsReadOnly()) {
            QString missing;
            if (HasTables(connection, kind, &missing))
                return InitOutcome::Completed;
            if (error)
                *error =
                    QStringLiteral("%1: read-only, and it lacks the tables %2").arg(path, missing);
            return InitOutcome::Failed;
        }
        QString reasonRun;
        if (!RunSchema(connection, kind, &reasonRun)) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(path, reasonRun);
            return InitOutcome::Failed;
        }
        return InitOutcome::Completed;
    }

    // Build the new file beside its place and move it in whole, so that an interrupted
    // creation never leaves a half-made database where the program looks for one.
    const QString partial = path + QStringLiteral(".new");
    QFile::remove(partial);
    QString reason;
    bool built = connection.Open(partial, SqlConnection::OpenMode::CreateIfMissing, &reason) &&
                 RunSchema(connection, kind, &reason);
    connection.Close();
    if (built && !QFile::rename(partial, path)) {
        QFile::remove(partial);
        // rename() never replaces a file: when another program created the database meanwhile,
        // complete that one instead.
        if (QFileInfo::exists(path))
            return InitDatabase(path, kind, error);
        built = false;
        reason = QStringLiteral("cannot move the new file into place");
    }
    if (!built) {
        QFile::remove(partial);
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, reason);
        return InitOutcome::Failed;
    }
    return InitOutcome::Created;
}

QString ServerJournalsLocation(const QString &server) {
    const auto address = ServerAddress::Parse(server);
    return address ? address->InSchema(JournalsSchema()).ToString() : QString();
}

namespace {

// One database to make sure of, and how "db init" names it in its report.
struct EnsuredDatabase {
    QString location;
    DatabaseKind kind;
    QString shown;
};

// Makes sure of each database in turn; what was created or kept goes to done, and the reasons
// of the failures are returned (one failure does not stop the others).
QStringList EnsureEach(std::initializer_list<EnsuredDatabase> databases, QStringList *done) {
    QStringList failures;
    for (const EnsuredDatabase &database : databases) {
        QString reason;
        switch (InitDatabase(database.location, database.kind, &reason)) {
        case InitOutcome::Created:
            if (done)
                *done << QStringLiteral("created ") + database.shown;
            break;
        case InitOutcome::Completed:
            if (done)
                *done << QStringLiteral("kept ") + database.shown;
            break;
        case InitOutcome::Failed:
            failures << reason;
            break;
        }
    }
    return failures;
}

} // namespace

QStringList EnsureServerDatabases(const QString &server, QStringList *done) {
    QString reason;
    const auto address = ServerAddress::Parse(server, &reason);
    if (!address)
        return {reason};
    return EnsureEach(
        {
            {address->ToString(), DatabaseKind::Reference,
             QStringLiteral("the reference tables on ") + address->Shown()},
            {ServerJournalsLocation(server), DatabaseKind::Journals,
             QStringLiteral("the journal tables on ") + address->Shown()},
        },
        done);
}

QStringList EnsureDatabases(const QString &templatesRoot, const QString &databaseRoot,
                            QStringList *done) {
    const QString paths[] = {FctPath(templatesRoot), RegPath(templatesRoot),
                             TablesPath(databaseRoot)};
    return EnsureEach(
        {
            {paths[0], DatabaseKind::Reference, paths[0]},
            {paths[1], DatabaseKind::Journals, paths[1]},
            {paths[2], DatabaseKind::Reference, paths[2]},
        },
        done);
}

} // namespace dravo::refdata
