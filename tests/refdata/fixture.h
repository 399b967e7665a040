// A templates root in a temporary folder with its databases created, for the database tests.
// When CTest started a database server for the run (DRAVO_TEST_SERVER holds its address), the
// reference database of a test is a fresh database on that server instead of the root's file.
#pragma once

#include "core/text.h"
#include "refdata/connection.h"
#include "refdata/schema.h"
#include "refdata/server.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

namespace dravo::refdata::testing {

using namespace dravo::literals;

// windows-1251 text of a UTF-8 literal, for values built at run time.
inline std::string W(std::string_view utf8) {
    return FromUtf8(utf8);
}

// The address of the test run's database server; empty when there is none.
inline QString TestServer() {
    return qEnvironmentVariable("DRAVO_TEST_SERVER");
}

// dravo-cli of this build.
inline QString CliPath() {
    return QString(DRAVO_BINARY_DIR) + "/src/cli/dravo-cli";
}

// Runs dravo-cli with the arguments: its exit status, standard output in out, standard error in
// err.
inline int RunCli(const QStringList &args, QString &out, QString &err, int timeoutMs = 30000) {
    QProcess process;
    process.start(CliPath(), args);
    EXPECT_TRUE(process.waitForFinished(timeoutMs));
    out = QString::fromUtf8(process.readAllStandardOutput());
    err = QString::fromUtf8(process.readAllStandardError());
    return process.exitCode();
}

// A database of its own on the test server for one test, dropped at the end (with whatever
// connections the test left open).
class ServerDatabase {
  public:
    explicit ServerDatabase(const QString &server) {
        auto address = ServerAddress::Parse(server);
        if (!address)
            return;
        m_admin = address->ToString();
        address->database =
            QStringLiteral("t_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
        m_name = address->database;
        SqlConnection admin;
        if (admin.Open(m_admin, SqlConnection::OpenMode::ExistingOnly) &&
            admin.Exec(QStringLiteral("CREATE DATABASE %1").arg(m_name)))
            m_address = address->ToString();
    }
    ~ServerDatabase() {
        if (m_address.isEmpty())
            return;
        SqlConnection admin;
        if (admin.Open(m_admin, SqlConnection::OpenMode::ExistingOnly))
            admin.Exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
    }
    ServerDatabase(const ServerDatabase &) = delete;
    ServerDatabase &operator=(const ServerDatabase &) = delete;

    // Empty when the database could not be made.
    const QString &Address() const { return m_address; }

  private:
    QString m_admin, m_name, m_address;
};

class RootTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_root = m_dir.path();
    }

    // Where OpenReference puts the reference database: the root's file, or a database of the
    // test server.
    QString ReferenceLocation() {
        if (TestServer().isEmpty())
            return FctPath(m_root);
        if (!m_server)
            m_server = std::make_unique<ServerDatabase>(TestServer());
        return m_server->Address();
    }
    bool OnServer() const { return !TestServer().isEmpty(); }
// For the tests of what only a database file has (its folder, its write protection).
#define DRAVO_FILES_ONLY()                                                                         \
    if (!OnServer()) {                                                                             \
    } else                                                                                         \
        GTEST_SKIP() << "a test of database files"

    // Creates the reference database and opens db on it.
    void OpenReference(SqlConnection &db) {
        QString error;
        const QString location = ReferenceLocation();
        ASSERT_FALSE(location.isEmpty()) << "no database on the test server";
        ASSERT_EQ(InitDatabase(location, DatabaseKind::Reference, &error), InitOutcome::Created)
            << error.toStdString();
        ASSERT_TRUE(db.Open(location, SqlConnection::OpenMode::ExistingOnly, &error))
            << error.toStdString();
    }

    void WriteFile(const QString &path, const QByteArray &bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    std::unique_ptr<ServerDatabase> m_server; // destroyed after the tests' connections
    QTemporaryDir m_dir;
    QString m_root;
};

} // namespace dravo::refdata::testing
