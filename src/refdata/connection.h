// The one narrow road to the database: a named connection to one database file or one database
// of a server, statements with bound parameters only, and errors as values. Nothing typed by a
// user is ever pasted into SQL text; identifiers that come from the user go through the
// connection's Dialect::QuoteIdentifier.
#pragma once

#include "dialect.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariant>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class QSqlQuery;

namespace dravo::refdata {

struct DbError {
    enum class Kind {
        None,
        NotOpen,  // no database behind the connection
        Refused,  // the database refused the change (a rule of the table, e.g. an empty name)
        Busy,     // another program held the database longer than the engine waits
        NotFound, // no row with the given key
        Invalid,  // a value or name that cannot be stored (an unknown column, a bad number)
        Failed,   // anything else
    };
    Kind kind = Kind::None;
    QString text;

    explicit operator bool() const { return kind != Kind::None; }
};

class SqlConnection {
  public:
    enum class OpenMode {
        ExistingOnly,    // a missing file is an error; nothing is created
        CreateIfMissing, // creates the file (and its folder) when it does not exist
    };
    enum class OpenFailure {
        None,
        NoDriver,     // the database engine is not installed
        NoConnection, // the engine would not give a connection
        NoFile,       // the file is missing, unreadable or not a database
        NoServer,     // the server is down, unknown, or refused the user or the password
    };

    SqlConnection();
    ~SqlConnection();
    SqlConnection(const SqlConnection &) = delete;
    SqlConnection &operator=(const SqlConnection &) = delete;

    // Opens a location (closing whatever was open): a database file, or a server address
    // (IsServerAddress; the mode does not matter there: a server's database is never created
    // by the program). On failure the connection stays closed and error, when given, holds the
    // reason, naming the file or the server.
    bool Open(const QString &location, OpenMode mode, QString *error = nullptr);
    OpenFailure LastOpenFailure() const { return m_openFailure; }
    void Close();
    bool IsOpen() const { return m_open; }
    // The location it was opened on (a path or a server address).
    const QString &Path() const { return m_path; }
    // The engine of the open connection (SQLite when closed).
    const Dialect &Sql() const { return *m_dialect; }
    bool OnServer() const { return m_dialect->Kind() == Engine::PostgreSQL; }
    // The unique Qt connection name of this object.
    const QString &Name() const { return m_name; }

    // Runs one statement; params bind to its "?" placeholders in order.
    bool Exec(const QString &sql, const QVariantList &params = {}, DbError *error = nullptr);
    // Runs an INSERT and gives the key that the engine assigned to keyColumn.
    std::optional<qint64> Insert(const QString &sql, const QVariantList &params,
                                 const QString &keyColumn, DbError *error = nullptr);
    // Runs a query and hands every row to visit, which returns false to stop early. A statement
    // with parameters stays prepared for reuse, so visit must not run that same statement again.
    using RowVisitor = std::function<bool(const QSqlQuery &row)>;
    bool Select(const QString &sql, const QVariantList &params, const RowVisitor &visit,
                DbError *error = nullptr);
    // The first column of the first row, or nullopt when there is no row (or on failure).
    std::optional<QVariant> Value(const QString &sql, const QVariantList &params = {},
                                  DbError *error = nullptr);
    // The number of rows the last Exec changed.
    int RowsAffected() const { return m_rowsAffected; }

    // Runs several statements separated by ";" (quotes and "--" comments respected), all or none.
    bool ExecScript(const QString &script, DbError *error = nullptr);

    bool Begin(DbError *error = nullptr);
    // A transaction that will write table and must not meet another writer of it: a second
    // program waits here until the first one commits (a number taken from the table and the
    // row that uses it are then never taken twice).
    bool BeginWrite(const QString &table, DbError *error = nullptr);
    bool Commit(DbError *error = nullptr);
    void Rollback();
    // Whether a transaction begun here is open.
    bool InTransaction() const { return m_inTransaction; }

    bool TableExists(const QString &table);
    // True when the file could only be opened for reading (write-protected file or folder).
    bool IsReadOnly() const;

  private:
    QSqlQuery *Run(const QString &sql, const QVariantList &params, DbError *error,
                   std::unique_ptr<QSqlQuery> &owned);

    QString m_name;
    QString m_path;
    bool OpenServer(const QString &address, QString *error);

    const Dialect *m_dialect = &SqliteDialect();
    QSqlDatabase m_db;
    bool m_open = false;
    bool m_inTransaction = false;
    OpenFailure m_openFailure = OpenFailure::None;
    int m_rowsAffected = 0;
    // Prepared statements by their text, kept for the life of the connection: the party rows
    // are read before every page build and must not be parsed again each time.
    std::map<QString, std::unique_ptr<QSqlQuery>> m_prepared;
};

// Splits a script into statements at ";" outside quotes and comments; blank statements dropped.
QStringList SplitSqlScript(const QString &script);

// Sets error (when given) and returns false.
bool SetError(DbError *error, DbError::Kind kind, const QString &text);

} // namespace dravo::refdata
