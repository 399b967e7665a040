#include "fixture.h"

#include "refdata/dialect.h"
#include "refdata/journal_tables.h"

#include <QSqlQuery>

namespace dravo::refdata::testing {
namespace {

class JournalTablesTest : public RootTest {
  protected:
    QString Reg() const { return RegPath(m_root); }

    QStringList Columns(const std::string &table) {
        SqlConnection db;
        QStringList columns;
        EXPECT_TRUE(db.Open(Reg(), SqlConnection::OpenMode::ExistingOnly));
        db.Select("SELECT name FROM pragma_table_info(?) ORDER BY cid",
                  {QString::fromStdString(ToUtf8(table))}, [&](const QSqlQuery &row) {
                      columns << row.value(0).toString();
                      return true;
                  });
        return columns;
    }
};

TEST_F(JournalTablesTest, NamesWithBlanksQuotesAndCyrillicLetters) {
    const std::string names[] = {W("Журнал договоров"), W("Договоры \"поставки\""),
                                 W("Аренда; DROP TABLE x"), "it's", "100%"};
    for (const std::string &name : names) {
        DbError error;
        ASSERT_TRUE(CreateJournalTable(Reg(), name, &error)) << error.text.toStdString();
        EXPECT_TRUE(JournalTableExists(Reg(), name));
        EXPECT_EQ(Columns(name), JournalColumns());
    }
    EXPECT_EQ(JournalColumns().size(), 33);
    EXPECT_EQ(JournalColumns()[4], "Body");
    EXPECT_EQ(JournalColumns()[32], "f28");
    DbError error;
    EXPECT_FALSE(CreateJournalTable(Reg(), names[0], &error)); // exists already
    EXPECT_TRUE(error);
    EXPECT_FALSE(CreateJournalTable(Reg(), "", &error));
}

TEST_F(JournalTablesTest, RenameAndDelete) {
    const std::string from = W("Старый журнал"), to = W("Новый журнал");
    ASSERT_TRUE(CreateJournalTable(Reg(), from));
    ASSERT_TRUE(RenameJournalTable(Reg(), from, to));
    EXPECT_FALSE(JournalTableExists(Reg(), from));
    EXPECT_TRUE(JournalTableExists(Reg(), to));
    EXPECT_FALSE(RenameJournalTable(Reg(), from, to));
    ASSERT_TRUE(DeleteJournalTable(Reg(), to));
    EXPECT_FALSE(JournalTableExists(Reg(), to));
    DbError error;
    EXPECT_FALSE(DeleteJournalTable(Reg(), to, &error));
    EXPECT_TRUE(error);
}

// A journal renamed to a spelling that differs only in letter case (or not at all) keeps its
// rows under the new spelling; the engine takes the two spellings for one name.
TEST_F(JournalTablesTest, RenameToAnotherLetterCase) {
    const std::string from = "Journal Of Sales", to = "JOURNAL of sales";
    ASSERT_TRUE(CreateJournalTable(Reg(), from));
    {
        SqlConnection db;
        ASSERT_TRUE(db.Open(Reg(), SqlConnection::OpenMode::ExistingOnly));
        ASSERT_TRUE(db.Exec("INSERT INTO \"Journal Of Sales\" (Number, NumberS) VALUES (7, '7')"));
    }
    DbError error;
    ASSERT_TRUE(RenameJournalTable(Reg(), from, to, &error)) << error.text.toStdString();
    EXPECT_TRUE(RenameJournalTable(Reg(), to, to, &error)) << error.text.toStdString();
    SqlConnection db;
    ASSERT_TRUE(db.Open(Reg(), SqlConnection::OpenMode::ExistingOnly));
    QStringList names;
    db.Select("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'", {},
              [&](const QSqlQuery &row) {
                  names << row.value(0).toString();
                  return true;
              });
    EXPECT_EQ(names, QStringList{"JOURNAL of sales"});
    EXPECT_EQ(db.Value("SELECT Number FROM \"JOURNAL of sales\"").value_or(0).toInt(), 7);
    db.Close();
    EXPECT_FALSE(RenameJournalTable(Reg(), "no such journal", "No Such Journal", &error));
    EXPECT_TRUE(error);
}

TEST_F(JournalTablesTest, CopyTakesEveryRowAndColumn) {
    const std::string source = W("Журнал 1"), copy = W("Журнал 1 (копия)");
    ASSERT_TRUE(CreateJournalTable(Reg(), source));
    {
        SqlConnection db;
        ASSERT_TRUE(db.Open(Reg(), SqlConnection::OpenMode::ExistingOnly));
        const QString table =
            SqliteDialect().QuoteIdentifier(QString::fromStdString(ToUtf8(source)));
        for (int i = 1; i <= 3; ++i)
            ASSERT_TRUE(
                db.Exec("INSERT INTO " + table +
                            " (Number, NumberS, Date, Body, f1, f28) VALUES (?, ?, ?, ?, "
                            "?, ?)",
                        {i, QString("%1-A").arg(i), SqliteDialect().DateValue(QDate(2024, i, 9)),
                         QString("<P>текст %1</P>").arg(i), QString("O'Neil %1").arg(i),
                         QString("последний")}));
    }
    ASSERT_TRUE(CopyJournalTable(Reg(), source, copy));
    SqlConnection db;
    ASSERT_TRUE(db.Open(Reg(), SqlConnection::OpenMode::ExistingOnly));
    const QString a = SqliteDialect().QuoteIdentifier(QString::fromStdString(ToUtf8(source)));
    const QString b = SqliteDialect().QuoteIdentifier(QString::fromStdString(ToUtf8(copy)));
    EXPECT_EQ(db.Value("SELECT count(*) FROM " + b)->toInt(), 3);
    // Every value of every column is the same, row by row.
    EXPECT_EQ(
        db.Value("SELECT count(*) FROM (SELECT * FROM " + a + " EXCEPT SELECT * FROM " + b + ")")
            ->toInt(),
        0);
    // Dates compare in period order.
    EXPECT_EQ(db.Value("SELECT count(*) FROM " + b + " WHERE Date >= ? AND Date <= ?",
                       {SqliteDialect().DateValue(QDate(2024, 2, 1)),
                        SqliteDialect().DateValue(QDate(2024, 3, 9))})
                  ->toInt(),
              2);
}

TEST_F(JournalTablesTest, CopyOfAnEmptyTableAndOfAMissingOne) {
    const std::string source = W("Пустой");
    ASSERT_TRUE(CreateJournalTable(Reg(), source));
    ASSERT_TRUE(CopyJournalTable(Reg(), source, W("Пустой 2")));
    EXPECT_EQ(Columns(W("Пустой 2")), JournalColumns());
    DbError error;
    EXPECT_FALSE(CopyJournalTable(Reg(), W("Нет такого"), W("Копия"), &error));
    EXPECT_EQ(error.kind, DbError::Kind::NotFound);
    EXPECT_FALSE(JournalTableExists(Reg(), W("Копия")));
}

TEST_F(JournalTablesTest, NextNumberFollowsTheLargest) {
    SqlConnection db;
    EXPECT_EQ(NextJournalNumber(db), 1); // no connection
    OpenReference(db);
    EXPECT_EQ(NextJournalNumber(db), 1); // an empty journal
    for (int n : {7, 12, 3})
        ASSERT_TRUE(
            db.Exec("INSERT INTO book (Number, NumberS) VALUES (?, ?)", {n, QString::number(n)}));
    EXPECT_EQ(NextJournalNumber(db), 13);
}

TEST_F(JournalTablesTest, JournalDatesMustBeIsoText) {
    DRAVO_FILES_ONLY(); // the server's column is a date by its type
    SqlConnection db;
    OpenReference(db);
    DbError error;
    EXPECT_FALSE(db.Exec("INSERT INTO book (Date) VALUES (?)", {QString("05.03.2024")}, &error));
    EXPECT_EQ(error.kind, DbError::Kind::Refused);
    EXPECT_TRUE(db.Exec("INSERT INTO book (Date) VALUES (?)",
                        {SqliteDialect().DateValue(QDate(2024, 3, 5))}));
}

} // namespace
} // namespace dravo::refdata::testing
