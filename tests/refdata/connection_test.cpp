#include "fixture.h"

#include "refdata/dialect.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace dravo::refdata::testing {
namespace {

class ConnectionTest : public RootTest {};

TEST_F(ConnectionTest, MissingFileIsNotCreatedWhenOnlyExistingIsWanted) {
    SqlConnection db;
    const QString path = m_root + "/Data/fct.db";
    QString error;
    EXPECT_FALSE(db.Open(path, SqlConnection::OpenMode::ExistingOnly, &error));
    EXPECT_EQ(db.LastOpenFailure(), SqlConnection::OpenFailure::NoFile);
    EXPECT_FALSE(db.IsOpen());
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(ConnectionTest, FileThatIsNoDatabaseFailsToOpen) {
    const QString path = m_root + "/garbage.db";
    WriteFile(path, QByteArray(4096, 'x'));
    SqlConnection db;
    EXPECT_FALSE(db.Open(path, SqlConnection::OpenMode::ExistingOnly));
    EXPECT_EQ(db.LastOpenFailure(), SqlConnection::OpenFailure::NoFile);
    EXPECT_FALSE(QSqlDatabase::contains(db.Name()));
}

TEST_F(ConnectionTest, EachConnectionHasItsOwnNameAndClosesCleanly) {
    SqlConnection a, b;
    ASSERT_NE(a.Name(), b.Name());
    ASSERT_TRUE(a.Open(m_root + "/a.db", SqlConnection::OpenMode::CreateIfMissing));
    ASSERT_TRUE(b.Open(m_root + "/b.db", SqlConnection::OpenMode::CreateIfMissing));
    ASSERT_TRUE(a.Exec("CREATE TABLE t (x TEXT)"));
    EXPECT_TRUE(a.TableExists("T"));
    EXPECT_FALSE(b.TableExists("t"));
    a.Close();
    EXPECT_FALSE(QSqlDatabase::contains(a.Name()));
    EXPECT_TRUE(QSqlDatabase::contains(b.Name()));
    // Reopening the same object works again.
    ASSERT_TRUE(a.Open(m_root + "/a.db", SqlConnection::OpenMode::ExistingOnly));
    EXPECT_TRUE(a.TableExists("t"));
}

TEST_F(ConnectionTest, BoundValuesStoreUserTextUnchanged) {
    SqlConnection db;
    ASSERT_TRUE(db.Open(m_root + "/v.db", SqlConnection::OpenMode::CreateIfMissing));
    ASSERT_TRUE(db.Exec("CREATE TABLE t (x TEXT)"));
    const QString values[] = {
        "O'Brien", "\"Рога и копыта\"", "100% _x_", "'); DROP TABLE t; --", "ёЁ«»№", ""};
    for (const QString &v : values) {
        ASSERT_TRUE(db.Exec("DELETE FROM t"));
        ASSERT_TRUE(db.Exec("INSERT INTO t (x) VALUES (?)", {v}));
        const auto back = db.Value("SELECT x FROM t");
        ASSERT_TRUE(back);
        EXPECT_EQ(back->toString(), v);
        // A percent sign is no wildcard for equality.
        EXPECT_TRUE(db.Value("SELECT 1 FROM t WHERE x = ?", {v}).has_value());
    }
    EXPECT_TRUE(db.TableExists("t"));
}

TEST_F(ConnectionTest, FailuresComeBackAsErrors) {
    SqlConnection db;
    DbError error;
    EXPECT_FALSE(db.Exec("SELECT 1", {}, &error));
    EXPECT_EQ(error.kind, DbError::Kind::NotOpen);
    ASSERT_TRUE(db.Open(m_root + "/e.db", SqlConnection::OpenMode::CreateIfMissing));
    error = {};
    EXPECT_FALSE(db.Exec("SELECT * FROM nowhere", {}, &error));
    EXPECT_EQ(error.kind, DbError::Kind::Failed);
    ASSERT_TRUE(db.Exec("CREATE TABLE t (x TEXT CHECK (x <> ''))"));
    error = {};
    EXPECT_FALSE(db.Exec("INSERT INTO t VALUES (?)", {QString("")}, &error));
    EXPECT_EQ(error.kind, DbError::Kind::Refused);
}

TEST_F(ConnectionTest, ScriptRunsWholeOrNotAtAll) {
    SqlConnection db;
    ASSERT_TRUE(db.Open(m_root + "/s.db", SqlConnection::OpenMode::CreateIfMissing));
    EXPECT_FALSE(db.ExecScript("CREATE TABLE a (x); CREATE TABLE b (y); INSERT INTO nowhere "
                               "VALUES (1);"));
    EXPECT_FALSE(db.TableExists("a"));
    EXPECT_TRUE(db.ExecScript("CREATE TABLE a (x); CREATE TABLE b (y);"));
    EXPECT_TRUE(db.TableExists("b"));
}

TEST(SplitSqlScript, SplitsOnlyOutsideQuotesAndComments) {
    struct Case {
        const char *script;
        QStringList expected;
    } cases[] = {
        {"A; B;", {"A", "B"}},
        {"INSERT INTO t VALUES ('a;b'); X", {"INSERT INTO t VALUES ('a;b')", "X"}},
        {"SELECT 'it''s; ok'", {"SELECT 'it''s; ok'"}},
        {"CREATE TABLE \"a;b\" (x)", {"CREATE TABLE \"a;b\" (x)"}},
        {"-- a comment; still comment\nA;", {"A"}},
        {"A /* ; */ B", {"A   B"}},
        {" ; ;\n", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SplitSqlScript(c.script), c.expected) << c.script;
}

TEST(QuoteIdentifier, QuotesEveryName) {
    EXPECT_EQ(SqliteDialect().QuoteIdentifier("Журнал договоров"), "\"Журнал договоров\"");
    EXPECT_EQ(SqliteDialect().QuoteIdentifier("a\"b"), "\"a\"\"b\"");
    EXPECT_EQ(SqliteDialect().QuoteIdentifier(""), "");
    EXPECT_EQ(SqliteDialect().QuoteIdentifier(QString("a") + QChar(0)), "");
}

TEST(DateValue, IsoTextKeepsDateOrder) {
    const QDate a(2024, 2, 9), b(2024, 10, 1);
    EXPECT_LT(SqliteDialect().DateValue(a).toString(), SqliteDialect().DateValue(b).toString());
    EXPECT_EQ(Dialect::ReadDate(SqliteDialect().DateValue(a)), a);
    EXPECT_TRUE(SqliteDialect().DateValue(QDate()).isNull());
}

} // namespace
} // namespace dravo::refdata::testing
