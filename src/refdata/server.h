// The address of a database server: "postgresql://user@host:port/database", parts
// percent-encoded as in any URL. It never holds a password: the client library takes it from
// the user's ~/.pgpass file or the PGPASSWORD environment variable, as PostgreSQL users expect.
//
// Wherever the program names a database by its location (a file path), a server address may
// stand instead: SqlConnection::Open and InitDatabase tell the two apart by IsServerAddress.
#pragma once

#include <QString>

#include <optional>

namespace dravo::refdata {

struct ServerAddress {
    static constexpr int kDefaultPort = 5432;

    QString user; // empty: the client library's default (the login name)
    QString host; // a name or an address; "[::1]" style for IPv6 in the text form
    int port = kDefaultPort;
    QString database; // empty: the client library's default (the user's name)
    // The schema that unqualified names mean; empty: the server's own default. The library's
    // journal tables live in a schema of their own, so no journal name can meet a table of
    // the reference database.
    QString schema;

    // Reads "postgresql://[user@]host[:port][/database]" ("postgres://" too). A password, a
    // query other than "schema=NAME" or a fragment is refused, with the reason in error.
    static std::optional<ServerAddress> Parse(const QString &text, QString *error = nullptr);
    // The text form; the schema, when set, as "?schema=NAME".
    QString ToString() const;
    // The text form without the schema, for messages.
    QString Shown() const;

    // The same server and database, with unqualified names in schema.
    ServerAddress InSchema(const QString &schemaName) const;
};

// Whether a database location is a server address rather than a file path.
bool IsServerAddress(const QString &location);

// The schema of the library's journal tables on a server.
QString JournalsSchema();

} // namespace dravo::refdata
