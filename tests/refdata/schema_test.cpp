#include "fixture.h"

#include "refdata/subject.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>

#include <map>
#include <vector>

namespace dravo::refdata::testing {
namespace {

class SchemaTest : public RootTest {};

int CountRows(SqlConnection &db, const QString &table) {
    return db.Value("SELECT count(*) FROM " + table).value_or(-1).toInt();
}

TEST_F(SchemaTest, NewDatabaseHoldsTheTablesAndTheShippedSet) {
    SqlConnection db;
    OpenReference(db);
    EXPECT_TRUE(HasTables(db, DatabaseKind::Reference));
    SubjectStore subjects(db);
    const auto set = subjects.ReadSet(NoSetName());
    ASSERT_TRUE(set);
    EXPECT_EQ(set->rows.size(), kSubjectRows);
    for (const SubjectRow &row : set->rows) {
        EXPECT_TRUE(row.name.empty());
        EXPECT_EQ(row.kolvo, 0);
        EXPECT_EQ(row.summ, 0.0);
    }
    EXPECT_FALSE(QFileInfo::exists(FctPath(m_root) + ".new"));
}

// The columns the program reads and writes, by table, with the storage class each holds:
// whole numbers, doubles and texts (dates and yes/no values are texts).
TEST_F(SchemaTest, ReferenceTablesHaveTheColumnsOfTheFormat) {
    SqlConnection db;
    OpenReference(db);
    // The server's own types differ (booleans, dates, bigint): there the columns are checked.
    const QString declaredTypes =
        db.OnServer() ? "SELECT column_name, 'TEXT' FROM information_schema.columns WHERE "
                        "table_schema = current_schema() AND table_name = lower(?)"
                      : "SELECT name, type FROM pragma_table_info(?)";
    struct Column {
        const char *name;
        const char *type;
    };
    const std::vector<std::pair<QString, std::vector<Column>>> tables = {
        {"FACTORY",
         {{"FactorysID", "INTEGER"},
          {"Form", "TEXT"},
          {"Name", "TEXT"},
          {"City", "TEXT"},
          {"Address", "TEXT"},
          {"Family", "TEXT"},
          {"IO", "TEXT"},
          {"Dolgn", "TEXT"},
          {"INN", "TEXT"},
          {"OKPO", "TEXT"},
          {"OKONH", "TEXT"},
          {"RS", "TEXT"},
          {"Otgr", "TEXT"},
          {"Tel", "TEXT"},
          {"BankID", "INTEGER"},
          {"PersonFlag", "TEXT"},
          {"TypePersonFlag", "TEXT"}}},
        {"BANK",
         {{"BankID", "INTEGER"},
          {"NameB", "TEXT"},
          {"KS", "TEXT"},
          {"BIK", "TEXT"},
          {"AddressB", "TEXT"}}},
        {"book",
         {{"BookID", "INTEGER"},
          {"Number", "INTEGER"},
          {"NumberS", "VARCHAR(10)"},
          {"Date", "DATE"},
          {"Name", "TEXT"},
          {"Kontragent", "TEXT"},
          {"Status", "TEXT"},
          {"Predmet", "TEXT"},
          {"Price", "INTEGER"},
          {"Date_contr", "DATE"},
          {"Form_rasch", "TEXT"},
          {"Deb", "INTEGER"},
          {"Cred", "INTEGER"},
          {"Otv", "TEXT"},
          {"NF", "TEXT"},
          {"Body", "TEXT"}}},
        {"merch",
         {{"Category", "TEXT"},
          {"Name", "TEXT"},
          {"Kolvo", "INTEGER"},
          {"Edizm", "TEXT"},
          {"Price", "REAL"},
          {"Summ", "REAL"},
          {"Currency", "TEXT"},
          {"Definds", "TEXT"}}},
        {"LISTM",
         {{"TovarID", "INTEGER"},
          {"Name", "TEXT"},
          {"Edizm", "TEXT"},
          {"Price2", "REAL"},
          {"Currency", "TEXT"},
          {"Definds", "TEXT"},
          {"Dop", "TEXT"}}},
    };
    for (const auto &[table, columns] : tables) {
        std::map<QString, QString> declared; // by lower-case name
        ASSERT_TRUE(db.Select(declaredTypes, {table}, [&](const QSqlQuery &row) {
            declared[row.value(0).toString().toLower()] = row.value(1).toString();
            return true;
        }));
        for (const Column &c : columns) {
            const auto found = declared.find(QString(c.name).toLower());
            ASSERT_NE(found, declared.end()) << table.toStdString() << "." << c.name;
            if (!db.OnServer()) {
                EXPECT_EQ(found->second, c.type) << table.toStdString() << "." << c.name;
            }
        }
    }
}

TEST_F(SchemaTest, InitKeepsAnExistingDatabase) {
    {
        SqlConnection db;
        OpenReference(db);
        ASSERT_TRUE(db.Exec("INSERT INTO FACTORY (Name) VALUES (?)", {QString("Ромашка")}));
    }
    QString error;
    EXPECT_EQ(InitDatabase(ReferenceLocation(), DatabaseKind::Reference, &error),
              InitOutcome::Completed);
    SqlConnection db;
    ASSERT_TRUE(db.Open(ReferenceLocation(), SqlConnection::OpenMode::ExistingOnly));
    EXPECT_EQ(CountRows(db, "FACTORY"), 1);
    EXPECT_EQ(CountRows(db, "merch"), int(kSubjectRows)); // the set is not added twice
}

// A write-protected file (a read-only share, a locked-down folder) can still be read. Root
// ignores file permissions, so the file is made immutable instead where that is allowed.
class ReadOnlyFile {
  public:
    explicit ReadOnlyFile(const QString &path) : m_path(path) {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        if (QFileInfo(path).isWritable())
            m_immutable = QProcess::execute("chattr", {"+i", path}) == 0;
        m_ok = !QFileInfo(path).isWritable() || m_immutable;
    }
    ~ReadOnlyFile() {
        if (m_immutable)
            QProcess::execute("chattr", {"-i", m_path});
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    bool ok() const { return m_ok; }

  private:
    QString m_path;
    bool m_immutable = false;
    bool m_ok = false;
};

TEST_F(SchemaTest, InitKeepsACompleteReadOnlyDatabaseWithoutComplaint) {
    DRAVO_FILES_ONLY();
    {
        SqlConnection db;
        OpenReference(db);
    }
    const QString path = FctPath(m_root);
    const QByteArray before = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ReadOnlyFile guard(path);
    if (!guard.ok())
        GTEST_SKIP() << "cannot make a file read-only here";
    QString error;
    EXPECT_EQ(InitDatabase(path, DatabaseKind::Reference, &error), InitOutcome::Completed)
        << error.toStdString();
    SqlConnection db;
    ASSERT_TRUE(db.Open(path, SqlConnection::OpenMode::ExistingOnly, &error))
        << error.toStdString();
    EXPECT_TRUE(HasTables(db, DatabaseKind::Reference));
    EXPECT_EQ(CountRows(db, "merch"), int(kSubjectRows));
    DbError failure;
    EXPECT_FALSE(db.Exec("INSERT INTO BANK (NameB) VALUES (?)", {QString("Банк")}, &failure));
    EXPECT_TRUE(failure);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(SchemaTest, InitReportsAReadOnlyDatabaseThatLacksTables) {
    const QString path = FctPath(m_root);
    {
        SqlConnection db;
        ASSERT_TRUE(db.Open(path, SqlConnection::OpenMode::CreateIfMissing));
        ASSERT_TRUE(db.Exec("CREATE TABLE BANK (BankID INTEGER PRIMARY KEY, NameB TEXT)"));
    }
    ReadOnlyFile guard(path);
    if (!guard.ok())
        GTEST_SKIP() << "cannot make a file read-only here";
    QString error;
    EXPECT_EQ(InitDatabase(path, DatabaseKind::Reference, &error), InitOutcome::Failed);
    EXPECT_TRUE(error.contains("FACTORY")) << error.toStdString();
}

// Another program in the middle of a change holds the file's write lock: a database that
// lacks nothing is kept at once, without waiting for that lock or writing to the file.
TEST_F(SchemaTest, InitDoesNotWriteToACompleteDatabase) {
    DRAVO_FILES_ONLY();
    {
        SqlConnection db;
        OpenReference(db);
    }
    const QString path = FctPath(m_root);
    SqlConnection other;
    ASSERT_TRUE(other.Open(path, SqlConnection::OpenMode::ExistingOnly));
    ASSERT_TRUE(other.Exec("BEGIN IMMEDIATE"));
    ASSERT_TRUE(other.Exec("INSERT INTO BANK (NameB) VALUES ('x')"));
    QElapsedTimer timer;
    timer.start();
    QString error;
    EXPECT_EQ(InitDatabase(path, DatabaseKind::Reference, &error), InitOutcome::Completed)
        << error.toStdString();
    EXPECT_EQ(InitDatabase(RegPath(m_root), DatabaseKind::Journals, &error), InitOutcome::Created);
    EXPECT_EQ(InitDatabase(RegPath(m_root), DatabaseKind::Journals, &error),
              InitOutcome::Completed);
    EXPECT_LT(timer.elapsed(), 2000);
    other.Exec("ROLLBACK");
}

TEST_F(SchemaTest, InitCompletesADatabaseThatLacksTables) {
    const QString path = FctPath(m_root);
    {
        SqlConnection db;
        ASSERT_TRUE(db.Open(path, SqlConnection::OpenMode::CreateIfMissing));
        ASSERT_TRUE(db.Exec("CREATE TABLE BANK (BankID INTEGER PRIMARY KEY, NameB TEXT, KS TEXT, "
                            "BIK TEXT, AddressB TEXT)"));
        ASSERT_TRUE(db.Exec("INSERT INTO BANK (NameB) VALUES ('x')"));
        EXPECT_FALSE(HasTables(db, DatabaseKind::Reference));
    }
    EXPECT_EQ(InitDatabase(path, DatabaseKind::Reference, nullptr), InitOutcome::Completed);
    SqlConnection db;
    ASSERT_TRUE(db.Open(path, SqlConnection::OpenMode::ExistingOnly));
    EXPECT_TRUE(HasTables(db, DatabaseKind::Reference));
    EXPECT_EQ(CountRows(db, "BANK"), 1);
}

TEST_F(SchemaTest, ATableOfAnotherShapeFailsAndChangesNothing) {
    const QString path = FctPath(m_root);
    {
        SqlConnection db;
        ASSERT_TRUE(db.Open(path, SqlConnection::OpenMode::CreateIfMissing));
        ASSERT_TRUE(db.Exec("CREATE TABLE FACTORY (FactorysID INTEGER PRIMARY KEY, Name TEXT)"));
        ASSERT_TRUE(db.Exec("INSERT INTO FACTORY (Name) VALUES ('x')"));
    }
    QString error;
    EXPECT_EQ(InitDatabase(path, DatabaseKind::Reference, &error), InitOutcome::Failed);
    EXPECT_FALSE(error.isEmpty());
    SqlConnection db;
    ASSERT_TRUE(db.Open(path, SqlConnection::OpenMode::ExistingOnly));
    EXPECT_FALSE(db.TableExists("BANK")); // all or nothing
    EXPECT_EQ(CountRows(db, "FACTORY"), 1);
}

TEST_F(SchemaTest, FileThatIsNoDatabaseIsLeftUntouched) {
    const QString path = FctPath(m_root);
    ASSERT_TRUE(QDir().mkpath(DataFolder(m_root)));
    const QByteArray garbage(2048, 'z');
    WriteFile(path, garbage);
    QString error;
    EXPECT_EQ(InitDatabase(path, DatabaseKind::Reference, &error), InitOutcome::Failed);
    EXPECT_FALSE(error.isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), garbage);
}

TEST_F(SchemaTest, JournalsDatabaseIsCreatedEmpty) {
    EXPECT_EQ(InitDatabase(RegPath(m_root), DatabaseKind::Journals, nullptr), InitOutcome::Created);
    SqlConnection db;
    ASSERT_TRUE(db.Open(RegPath(m_root), SqlConnection::OpenMode::ExistingOnly));
    EXPECT_EQ(CountRows(db, "sqlite_master"), 0);
}

TEST_F(SchemaTest, EnsureDatabasesMakesAllThreeAndThenKeepsThem) {
    const QString databaseRoot = m_root + "/network";
    QStringList done;
    EXPECT_TRUE(EnsureDatabases(m_root, databaseRoot, &done).isEmpty());
    EXPECT_EQ(done.size(), 3);
    EXPECT_TRUE(done.filter("created").size() == 3);
    EXPECT_TRUE(QFileInfo::exists(TablesPath(databaseRoot)));
    done.clear();
    EXPECT_TRUE(EnsureDatabases(m_root, databaseRoot, &done).isEmpty());
    EXPECT_EQ(done.filter("kept").size(), 3);
}

// Everything a database holds but its indexes: the schema of its tables and every row of them.
QStringList Contents(SqlConnection &db) {
    QStringList out;
    db.Select("SELECT type, name, sql FROM sqlite_master WHERE type <> 'index' ORDER BY name", {},
              [&](const QSqlQuery &q) {
                  out << q.value(0).toString() + " " + q.value(1).toString() + " " +
                             q.value(2).toString();
                  return true;
              });
    out << "version " + db.Value("PRAGMA user_version")->toString();
    for (const QString &table : ReferenceTables())
        db.Select("SELECT * FROM " + table + " ORDER BY rowid", {}, [&](const QSqlQuery &q) {
            QStringList row;
            for (int i = 0; i < q.record().count(); ++i)
                row << q.value(i).toString();
            out << table + ": " + row.join('|');
            return true;
        });
    return out;
}

// A database made by an older version lacks the indexes added since: it gets each of them when it
// is opened, and nothing else in it changes.
TEST_F(SchemaTest, AnOlderDatabaseGetsTheIndexesItLacks) {
    DRAVO_FILES_ONLY();
    const QStringList indexes = SchemaIndexes(DatabaseKind::Reference);
    for (const char *added :
         {"book_List", "book_Kontragent", "book_Name", "book_Predmet", "book_Otv", "book_NF"})
        EXPECT_TRUE(indexes.contains(added)) << added;
    const QString path = FctPath(m_root);
    QStringList before;
    {
        SqlConnection db;
        OpenReference(db);
        ASSERT_TRUE(db.Exec("INSERT INTO FACTORY (Form, Name) VALUES ('ООО', 'Ромашка')"));
        ASSERT_TRUE(db.Exec("INSERT INTO book (Number, NumberS, Date, Name, Kontragent, Otv) "
                            "VALUES (7, '7а', '2026-03-05', 'Договор', 'ООО Ромашка', 'Иванов')"));
        for (const QString &index : indexes)
            ASSERT_TRUE(db.Exec("DROP INDEX " + index));
        EXPECT_FALSE(HasIndexes(db, DatabaseKind::Reference));
        before = Contents(db);
    }
    QString error;
    ASSERT_EQ(InitDatabase(path, DatabaseKind::Reference, &error), InitOutcome::Completed)
        << error.toStdString();
    SqlConnection db;
    ASSERT_TRUE(db.Open(path, SqlConnection::OpenMode::ExistingOnly));
    QString missing;
    EXPECT_TRUE(HasIndexes(db, DatabaseKind::Reference, &missing)) << missing.toStdString();
    EXPECT_EQ(Contents(db), before);
    // The journal's listing reads its index alone; each filter goes by its own index.
    const std::pair<const char *, const char *> uses[] = {{"", "COVERING INDEX book_List"},
                                                          {"Kontragent", "book_Kontragent"},
                                                          {"Name", "book_Name"},
                                                          {"Predmet", "book_Predmet"},
                                                          {"Otv", "book_Otv"},
                                                          {"NF", "book_NF"}};
    for (const auto &[column, index] : uses) {
        const QString filter = *column ? QString(" AND %1 = ?").arg(column) : QString();
        QVariantList params = {"2026-01-01", "2026-12-31"};
        if (*column)
            params << "x";
        QStringList plan;
        db.Select("EXPLAIN QUERY PLAN SELECT BookID, Number, NumberS, Date, Name, Kontragent, "
                  "Status, Predmet, Price, Date_contr, Form_rasch, Deb, Cred, Otv, NF FROM book "
                  "WHERE Date >= ? AND Date <= ?" +
                      filter + " ORDER BY Date, Number, NumberS",
                  params, [&](const QSqlQuery &q) {
                      plan << q.value(3).toString();
                      return true;
                  });
        EXPECT_TRUE(plan.join(' ').contains(index))
            << column << ": " << plan.join(' ').toStdString();
    }
}

TEST(Paths, DataFolderOfEachRoot) {
    EXPECT_EQ(FctPath("/t"), "/t/Data/fct.db");
    EXPECT_EQ(RegPath("/t"), "/t/Data/reg.db");
    EXPECT_EQ(TablesPath("/d"), "/d/Data/tables.db");
}

} // namespace
} // namespace dravo::refdata::testing
