#include "server.h"

#include <QUrl>
#include <QUrlQuery>

namespace dravo::refdata {

namespace {

bool Fail(QString *error, const QString &reason) {
    if (error)
        *error = reason;
    return false;
}

} // namespace

bool IsServerAddress(const QString &location) {
    return location.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           location.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

QString JournalsSchema() {
    return QStringLiteral("journals");
}

std::optional<ServerAddress> ServerAddress::Parse(const QString &text, QString *error) {
    const QString trimmed = text.trimmed();
    if (!IsServerAddress(trimmed)) {
        Fail(error,
             QStringLiteral("%1: not a server address (postgresql://user@host:port/database)")
                 .arg(text));
        return std::nullopt;
    }
    const QUrl url(trimmed, QUrl::StrictMode);
    if (!url.isValid()) {
        Fail(error, QStringLiteral("%1: %2").arg(text, url.errorString()));
        return std::nullopt;
    }
    if (!url.password().isEmpty()) {
        Fail(error, QStringLiteral("a server address holds no password: keep it in ~/.pgpass "
                                   "or the PGPASSWORD environment variable"));
        return std::nullopt;
    }
    if (url.host().isEmpty()) {
        Fail(error, QStringLiteral("%1: the address names no server").arg(text));
        return std::nullopt;
    }
    if (url.hasFragment()) {
        Fail(error, QStringLiteral("%1: unexpected \"#\" part").arg(text));
        return std::nullopt;
    }
    ServerAddress address;
    address.user = url.userName(QUrl::FullyDecoded);
    address.host = url.host(QUrl::FullyDecoded);
    address.port = url.port(kDefaultPort);
    if (address.port <= 0) {
        Fail(error, QStringLiteral("%1: bad port").arg(text));
        return std::nullopt;
    }
    QString path = url.path(QUrl::FullyDecoded);
    if (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    if (path.contains(QLatin1Char('/'))) {
        Fail(error, QStringLiteral("%1: a database name has no \"/\"").arg(text));
        return std::nullopt;
    }
    address.database = path;
    if (url.hasQuery()) {
        const QUrlQuery query(url);
        for (const auto &[key, value] : query.queryItems(QUrl::FullyDecoded)) {
            if (key != QLatin1String("schema") || value.isEmpty()) {
                Fail(error, QStringLiteral("%1: unknown option \"%2\"").arg(text, key));
                return std::nullopt;
            }
            address.schema = value;
        }
    }
    return address;
}

QString ServerAddress::Shown() const {
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    url.setUserName(user);
    url.setHost(host);
    url.setPort(port);
    if (!database.isEmpty())
        url.setPath(QLatin1Char('/') + database);
    return url.toString(QUrl::FullyEncoded);
}

QString ServerAddress::ToString() const {
    QString text = Shown();
    if (!schema.isEmpty()) {
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("schema"), schema);
        text += QLatin1Char('?') + query.toString(QUrl::FullyEncoded);
    }
    return text;
}

ServerAddress ServerAddress::InSchema(const QString &schemaName) const {
    ServerAddress address = *this;
    address.schema = schemaName;
    return address;
}

} // namespace dravo::refdata
