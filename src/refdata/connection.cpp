#include "connection.h"

#include "dialect.h"

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

DbError::Kind KindOf(const QSqlError &error) {
    return dialect::IsRefusal(error) ? DbError::Kind::Refused : DbError::Kind::Failed;
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

bool SqlConnection::Open(const QString &path, OpenMode mode, QString *error) {
    Close();
    m_openFailure = OpenFailure::None;
    auto fail = [&](OpenFailure failure, const QString &reason) {
        Close();
        m_openFailure = failure;
        if (error)
            *error = reason;
        return false;
    };
    if (!dialect::DriverAvailable())
        return fail(
            OpenFailure::NoDriver,
            QStringLiteral("the Qt SQL driver %1 is not installed").arg(dialect::DriverName()));
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
    m_db = QSqlDatabase::addDatabase(dialect::DriverName(), m_name);
    if (!m_db.isValid())
        return fail(OpenFailure::NoConnection, m_db.lastError().text());
    m_db.setDatabaseName(path);
    m_db.setConnectOptions(dialect::ConnectOptions());
    if (!m_db.open())
        return fail(OpenFailure::NoFile,
                    QStringLiteral("%1: %2").arg(path, m_db.lastError().text()));
    m_open = true;
    m_path = path;
    QString reason;
    if (!dialect::PrepareConnection(m_db, &reason))
        return fail(OpenFailure::NoConnection, reason);
    DbError probe;
    if (!Value(dialect::ProbeStatement(), {}, &probe))
        return fail(OpenFailure::NoFile, QStringLiteral("%1: %2").arg(path, probe.text));
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
    m_path.clear();
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
    QSqlQuery *query = nullptr;
    if (params.isEmpty()) {
        owned = std::make_unique<QSqlQuery>(m_db);
        query = owned.get();
    } else if (auto found = m_prepared.find(sql); found != m_prepared.end()) {
        query = found->second.get();
    }
    if (!query || params.isEmpty()) {
        std::unique_ptr<QSqlQuery> fresh;
        if (!query) {
            fresh = std::make_unique<QSqlQuery>(m_db);
            query = fresh.get();
        }
        query->setForwardOnly(true);
        if (!query->prepare(sql)) {
            SetError(error, KindOf(query->lastError()), query->lastError().text());
            return nullptr;
        }
        if (fresh)
            m_prepared.emplace(sql, std::move(fresh));
    }
    for (int i = 0; i < params.size(); ++i)
        query->bindValue(i, params[i]);
    if (!query->exec()) {
        SetError(error, KindOf(query->lastError()), query->lastError().text());
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
                                            DbError *error) {
    std::unique_ptr<QSqlQuery> owned;
    QSqlQuery *query = Run(sql, params, error, owned);
    if (!query)
        return std::nullopt;
    const QVariant id = query->lastInsertId();
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
        return SetError(error, DbError::Kind::Failed, last.text());
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
        return SetError(error, DbError::Kind::Failed, m_db.lastError().text());
    return true;
}

bool SqlConnection::Commit(DbError *error) {
    if (!m_open)
        return SetError(error, DbError::Kind::NotOpen, QStringLiteral("the database is not open"));
    if (!m_db.commit()) {
        const QString reason = m_db.lastError().text();
        m_db.rollback();
        return SetError(error, DbError::Kind::Failed, reason);
    }
    return true;
}

void SqlConnection::Rollback() {
    if (m_open)
        m_db.rollback();
}

bool SqlConnection::TableExists(const QString &table) {
    return Value(dialect::TableExistsQuery(), {table}).has_value();
}

bool SqlConnection::IsReadOnly() const {
    return m_open && dialect::IsReadOnly(m_db);
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
