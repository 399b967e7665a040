#include "connection.h"

#include "server.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

namespace dravo::refdata {

namespace {

QString NewConnectionName() {
    static std::atomic<unsigned> counter{0};
    return QStringLiteral("dravo-refdata-%1").arg(++counter);
}

DbError::Kind KindOf(const Dialect &dialect, const QSqlError &error) {
    if (dialect.IsRefusal(error))
        return DbError::Kind::Refused;
    return dialect.IsBusy(error) ? DbError::Kind::Busy : DbError::Kind::Failed;
}

// The reason of a failure as the driver gives it, without Qt's own "Unable to ..." prefix.
QString Reason(const QSqlError &error) {
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text() : text;
}

} // namespace

bool SetError(DbError *error, DbError::Kind kind, const QString &text) {
    if (error) {
        error->kind = kind;
        error->text = text;
    }
    return false;
}

SqlConnection::SqlConnection() : m_name(NewConnectionName()) {}

SqlConnection::~SqlConnection() {
    Close();
}

bool SqlConnection::Open(const QString &location, OpenMode mode, QString *error) {
    Close();
    m_openFailure = OpenFailure::None;
    if (IsServerAddress(location))
        return OpenServer(location, error);
    const QString &path = location;
    auto fail = [&](OpenFailure failure, const QString &reason) {
        Close();
        m_openFailure = failure;
        if (error)
            *error = reason;
        return false;
    };
    m_dialect = &SqliteDialect();
    if (!m_dialect->DriverAvailable())
        return fail(
            OpenFailure::NoDriver,
            QStringLiteral("the Qt SQL driver %1 is not installed").arg(m_dialect->DriverName()));
    const QFileInfo info(path);
    if (mode == OpenMode::ExistingOnly) {
        // The engine would quietly create an empty database in place of a missing one.
        if (!info.isFile())
            return fail(OpenFailure::NoFile, QStringLiteral("%1: no such file").arg(path));
        if (!info.isReadable())
            return fail(OpenFailure::NoFile, QStringLiteral("%1: not readable").arg(path));
    } else if (!QDir().mkpath(info.absolutePath())) {
        return fail(OpenFailure::NoFile,
                    QStringLiteral("%1: cannot create the folder").arg(info.absolutePath()));
    }
    m_db = QSqlDatabase::addDatabase(m_dialect->DriverName(), m_name);
    if (!m_db.isValid())
        return fail(OpenFailure::NoConnection, m_db.lastError().text());
    m_db.setDatabaseName(path);
    m_db.setConnectOptions(m_dialect->ConnectOptions());
    if (!m_db.open())
        return fail(OpenFailure::NoFile,
                    QStringLiteral("%1: %2").arg(path, m_db.lastError().text()));
    m_open = true;
    m_path = path;
    QString reason;
    if (!m_dialect->PrepareConnection(m_db, &reason))
        return fail(OpenFailure::NoConnection, reason);
    DbError probe;
    if (!Value(m_dialect->ProbeStatement(), {}, &probe))
        return fail(OpenFailure::NoFile, QStringLiteral("%1: %2").arg(path, probe.text));
    return true;
}

bool SqlConnection::OpenServer(const QString &location, QString *error) {
    QString reason;
    const auto address = ServerAddress::Parse(location, &reason);
    auto fail = [&](OpenFailure failure, const QString &why) {
        Close();
        m_openFailure = failure;
        if (error)
            *error = address ? QStringLiteral("server %1: %2").arg(address->Shown(), why) : why;
        return false;
    };
    if (!address)
        return fail(OpenFailure::NoServer, reason);
    m_dialect = &PostgresDialect();
    if (!m_dialect->DriverAvailable())
        return fail(
            OpenFailure::NoDriver,
            QStringLiteral("the Qt SQL driver %1 is not installed").arg(m_dialect->DriverName()));
    m_db = QSqlDatabase::addDatabase(m_dialect->DriverName(), m_name);
    if (!m_db.isValid())
        return fail(OpenFailure::NoConnection, m_db.lastError().text());
    m_db.setHostName(address->host);
    m_db.setPort(address->port);
    if (!address->user.isEmpty())
        m_db.setUserName(address->user);
    if (!address->database.isEmpty())
        m_db.setDatabaseName(address->database);
    // No password is given: the client library reads ~/.pgpass or PGPASSWORD by itself.
    m_db.setConnectOptions(m_dialect->ConnectOptions());
    if (!m_db.open())
        return fail(OpenFailure::NoServer, Reason(m_db.lastError()));
    m_open = true;
    m_path = location;
    DbError failure;
    // As long as SQLite waits for another writer of its file (busy timeout).
    if (!Exec(QStringLiteral("SET client_encoding TO 'UTF8'"), {}, &failure) ||
        !Exec(QStringLiteral("SET lock_timeout TO '5s'"), {}, &failure))
        return fail(OpenFailure::NoServer, failure.text);
    if (!address->schema.isEmpty() && !Exec(QStringLiteral("SET search_path TO %1")
                                                .arg(m_dialect->QuoteIdentifier(address->schema)),
                                            {}, &failure))
        return fail(OpenFailure::NoServer, failure.text);
    return true;
}

void SqlConnection::Close() {
    m_prepared.clear();
    if (m_db.isValid())
        m_db.close();
    m_db = QSqlDatabase();
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::removeDatabase(m_name);
    m_open = false;
    m_inTransaction = false;
    m_path.clear();
    m_dialect = &SqliteDialect();
}

QSqlQuery *SqlConnection::Run(const QString &sql, const QVariantList &params, DbError *error,
                              std::unique_ptr<QSqlQuery> &owned) {
    if (!m_open) {
        SetError(error, DbError::Kind::NotOpen, QStringLiteral("the database is not open"));
        return nullptr;
    }
    // Statements with parameters are the program's fixed texts, run again and again: they stay
    // prepared. Statements without (DDL with quoted names, listings) are prepared afresh and
    // belong to the caller.
    // (A server prepares only queries and row changes: a statement without parameters, DDL
    // included, is sent as it is.)
    if (params.isEmpty()) {
        owned = std::make_unique<QSqlQuery>(m_db);
        owned->setForwardOnly(true);
        if (!owned->exec(sql)) {
            SetError(error, KindOf(*m_dialect, owned->lastError()), Reason(owned->lastError()));
            return nullptr;
        }
        return owned.get();
    }
    QSqlQuery *query = nullptr;
    if (auto found = m_prepared.find(sql); found != m_prepared.end())
        query = found->second.get();
    if (!query) {
        std::unique_ptr<QSqlQuery> fresh;
        if (!query) {
            fresh = std::make_unique<QSqlQuery>(m_db);
            query = fresh.get();
        }
        query->setForwardOnly(true);
        if (!query->prepare(sql)) {
            SetError(error, KindOf(*m_dialect, query->lastError()), Reason(query->lastError()));
            return nullptr;
        }
        m_prepared.emplace(sql, std::move(fresh));
    }
    for (int i = 0; i < params.size(); ++i)
        query->bindValue(i, params[i]);
    if (!query->exec()) {
        SetError(error, KindOf(*m_dialect, query->lastError()), Reason(query->lastError()));
        query->finish();
        return nullptr;
    }
    return query;
}

bool SqlConnection::Exec(const QString &sql, const QVariantList &params, DbError *error) {
    std::unique_ptr<QSqlQuery> owned;
    QSqlQuery *query = Run(sql, params, error, owned);
    if (!query)
        return false;
    m_rowsAffected = query->numRowsAffected();
    query->finish();
    return true;
}

std::optional<qint64> SqlConnection::Insert(const QString &sql, const QVariantList &params,
                                            const QString &keyColumn, DbError *error) {
    std::unique_ptr<QSqlQuery> owned;
    QSqlQuery *query = Run(m_dialect->InsertReturningKey(sql, keyColumn), params, error, owned);
    if (!query)
        return std::nullopt;
    const QVariant id = m_dialect->Kind() == Engine::SQLite ? query->lastInsertId()
                        : query->next()                     ? query->value(0)
                                                            : QVariant();
    query->finish();
    if (!id.isValid()) {
        SetError(error, DbError::Kind::Failed, QStringLiteral("the new row has no key"));
        return std::nullopt;
    }
    return id.toLongLong();
}

bool SqlConnection::Select(const QString &sql, const QVariantList &params, const RowVisitor &visit,
                           DbError *error) {
    std::unique_ptr<QSqlQuery> owned;
    QSqlQuery *query = Run(sql, params, error, owned);
    if (!query)
        return false;
    while (query->next())
        if (!visit(*query))
            break;
    const QSqlError last = query->lastError();
    query->finish();
    if (last.isValid())
        return SetError(error, DbError::Kind::Failed, Reason(last));
    return true;
}

std::optional<QVariant> SqlConnection::Value(const QString &sql, const QVariantList &params,
                                             DbError *error) {
    std::optional<QVariant> value;
    const bool ok = Select(
        sql, params,
        [&](const QSqlQuery &row) {
            value = row.value(0);
            return false;
        },
        error);
    return ok ? value : std::nullopt;
}

bool SqlConnection::ExecScript(const QString &script, DbError *error) {
    if (!Begin(error))
        return false;
    for (const QString &statement : SplitSqlScript(script)) {
        if (!Exec(statement, {}, error)) {
            Rollback();
            return false;
        }
    }
    return Commit(error);
}

bool SqlConnection::Begin(DbError *error) {
    if (!m_open)
        return SetError(error, DbError::Kind::NotOpen, QStringLiteral("the database is not open"));
    if (!m_db.transaction())
        return SetError(error, DbError::Kind::Failed, Reason(m_db.lastError()));
    m_inTransaction = true;
    return true;
}

bool SqlConnection::BeginWrite(const QString &table, DbError *error) {
    if (!m_open)
        return SetError(error, DbError::Kind::NotOpen, QStringLiteral("the database is not open"));
    if (!Exec(m_dialect->BeginWriteStatement(), {}, error))
        return false;
    m_inTransaction = true;
    const QString lock = m_dialect->LockTableStatement(m_dialect->QuoteIdentifier(table));
    if (!lock.isEmpty() && !Exec(lock, {}, error)) {
        Rollback();
        return false;
    }
    return true;
}

bool SqlConnection::Commit(DbError *error) {
    if (!m_open)
        return SetError(error, DbError::Kind::NotOpen, QStringLiteral("the database is not open"));
    m_inTransaction = false;
    if (!m_db.commit()) {
        const QString reason = Reason(m_db.lastError());
        m_db.rollback();
        return SetError(error, DbError::Kind::Failed, reason);
    }
    return true;
}

void SqlConnection::Rollback() {
    m_inTransaction = false;
    if (m_open)
        m_db.rollback();
}

bool SqlConnection::TableExists(const QString &table) {
    return Value(m_dialect->TableExistsQuery(), {table}).has_value();
}

bool SqlConnection::IsReadOnly() const {
    return m_open && m_dialect->IsReadOnly(m_db);
}

QStringList SplitSqlScript(const QString &script) {
    QStringList statements;
    QString current;
    auto flush = [&] {
        const QString statement = current.trimmed();
        if (!statement.isEmpty())
            statements << statement;
        current.clear();
    };
    const qsizetype n = script.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = script[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // A quoted text or name runs to its closing quote; a doubled quote stays inside.
            current += c;
            for (++i; i < n; ++i) {
                current += script[i];
                if (script[i] == c) {
                    if (i + 1 < n && script[i + 1] == c)
                        current += script[++i];
                    else
                        break;
                }
            }
        } else if (c == QLatin1Char('-') && i + 1 < n && script[i + 1] == QLatin1Char('-')) {
            while (i < n && script[i] != QLatin1Char('\n'))
                ++i;
            current += QLatin1Char('\n');
        } else if (c == QLatin1Char('/') && i + 1 < n && script[i + 1] == QLatin1Char('*')) {
            const qsizetype end = script.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 1;
            current += QLatin1Char(' ');
        } else if (c == QLatin1Char(';')) {
            flush();
        } else {
            current += c;
        }
    }
    flush();
    return statements;
}

} // namespace dravo::refdata
