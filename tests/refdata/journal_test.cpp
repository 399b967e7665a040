#include "fixture.h"

#include "core/body_io.h"
#include "core/defaults.h"
#include "refdata/document_database.h"
#include "refdata/journal.h"
#include "refdata/registration.h"

#include <QSqlQuery>

namespace dravo::refdata::testing {
namespace {

class JournalTest : public RootTest {
  protected:
    void SetUp() override {
        RootTest::SetUp();
        OpenReference(m_db);
    }

    int Add(int y, int m, int d, const char *number, const char *kontragent,
            const char *name = "Договор") {
        textgen::CardFields card;
        card.number = W(number);
        card.date = DateFromCalendar(y, m, d);
        card.dateControl = DateFromCalendar(y, 12, 31);
        card.name = W(name);
        card.kontragent = W(kontragent);
        card.price = "100";
        DbError error;
        const auto id = RegisterDocument(m_store, card, {"<p>page</p>", "", ""}, &error);
        EXPECT_TRUE(id) << error.text.toStdString();
        return id.value_or(-1);
    }

    std::vector<std::string> Numbers(const JournalFilter &filter) {
        std::vector<JournalRow> rows;
        DbError error;
        EXPECT_TRUE(m_store.List(filter, rows, &error)) << error.text.toStdString();
        std::vector<std::string> out;
        for (const JournalRow &row : rows)
            out.push_back(row.numberText);
        return out;
    }

    static JournalFilter Year(int y) {
        JournalFilter f;
        f.from = DateFromCalendar(y, 1, 1);
        f.to = DateFromCalendar(y, 12, 31);
        return f;
    }

    SqlConnection m_db;
    JournalStore m_store{m_db};
};

using NumberList = std::vector<std::string>;

TEST_F(JournalTest, OrderByDateThenNumberThenNumberText) {
    Add(2026, 5, 1, "10", "A");
    Add(2026, 3, 1, "2б", "A");
    Add(2026, 3, 1, "2а", "A");
    Add(2026, 3, 1, "11", "A");
    Add(2026, 3, 1, "без", "A"); // Number 0
    Add(2025, 12, 31, "1", "A");
    EXPECT_EQ(Numbers(Year(2026)), (NumberList{W("без"), W("2а"), W("2б"), "11", "10"}));
}

TEST_F(JournalTest, FiltersAreBoundValues) {
    Add(2026, 1, 10, "1", "ООО 'Ромашка'");
    Add(2026, 1, 11, "2", "ООО Ромашка");
    Add(2026, 1, 12, "3", "x' OR '1'='1", "Купля");
    Add(2026, 2, 1, "4", "ООО 'Ромашка'", "Купля");
    struct Case {
        const char *name;
        JournalFilter filter;
        NumberList expected;
    } cases[] = {
        {"no filter adds no condition", Year(2026), {"1", "2", "3", "4"}},
        {"an apostrophe in the value",
         [] {
             JournalFilter f = Year(2026);
             f.kontragent = W("ООО 'Ромашка'");
             return f;
         }(),
         {"1", "4"}},
        {"an injection attempt matches only itself",
         [] {
             JournalFilter f = Year(2026);
             f.kontragent = "x' OR '1'='1";
             return f;
         }(),
         {"3"}},
        {"two filters",
         [] {
             JournalFilter f = Year(2026);
             f.kontragent = W("ООО 'Ромашка'");
             f.name = W("купля"); // names compare without regard to case
             return f;
         }(),
         {"4"}},
        {"the period cuts by date",
         [] {
             JournalFilter f = Year(2026);
             f.from = DateFromCalendar(2026, 1, 11);
             f.to = DateFromCalendar(2026, 1, 31);
             return f;
         }(),
         {"2", "3"}},
        {"start after end gives nothing",
         [] {
             JournalFilter f = Year(2026);
             std::swap(f.from, f.to);
             return f;
         }(),
         {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Numbers(c.filter), c.expected) << c.name;
}

TEST_F(JournalTest, CardEditAndDeleteAndContent) {
    const int id = Add(2026, 4, 4, "5", "ООО Ромашка");
    DbError error;
    auto row = m_store.Read(id, &error);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->status, "&nbsp;");
    EXPECT_EQ(row->price, 100);
    row->otv = W("Сидоров");
    row->numberText = "5a";
    ASSERT_TRUE(m_store.Update(id, *row, &error));
    EXPECT_EQ(m_store.Read(id, &error)->otv, W("Сидоров"));
    std::string name;
    const auto content = m_store.ReadContent(id, &name, &error);
    ASSERT_TRUE(content);
    EXPECT_EQ(content->body, "<p>page</p>");
    EXPECT_EQ(name, W("Договор"));
    EXPECT_EQ(m_store.LargestNumber(&error), 5);
    ASSERT_TRUE(m_store.Delete(id, &error));
    EXPECT_FALSE(m_store.Read(id, &error));
    EXPECT_FALSE(error);
    EXPECT_FALSE(m_store.Delete(id, &error));
    EXPECT_EQ(error.kind, DbError::Kind::NotFound);
}

TEST_F(JournalTest, SetColumnByName) {
    JournalRow row;
    std::string reason;
    EXPECT_TRUE(JournalStore::SetColumn(row, "numbers", "12/3", &reason));
    EXPECT_EQ(row.number, 12);
    EXPECT_TRUE(JournalStore::SetColumn(row, "Date", "2026-02-28", &reason));
    EXPECT_EQ(row.date, DateFromCalendar(2026, 2, 28));
    EXPECT_TRUE(JournalStore::SetColumn(row, "Price", "1 200", &reason));
    EXPECT_EQ(row.price, 1200);
    EXPECT_TRUE(JournalStore::SetColumn(row, "Otv", "", &reason));
    EXPECT_EQ(row.otv, "&nbsp;");
    for (const auto &[column, value] :
         {std::pair{"Date", "2026-02-30"}, std::pair{"Price", "abc"}, std::pair{"Body", "x"},
          std::pair{"NumberS", "12345678901"}})
        EXPECT_FALSE(JournalStore::SetColumn(row, column, value, &reason)) << column << value;
}

// Many rows stored in one transaction of the caller: each registration joins it, so a rollback
// takes them all back.
TEST_F(JournalTest, RegistrationsJoinTheCallersTransaction) {
    ASSERT_TRUE(m_db.Begin());
    Add(2026, 1, 1, "1", "Альфа");
    Add(2026, 1, 2, "2", "Бета");
    EXPECT_EQ(Numbers(Year(2026)).size(), 2u);
    m_db.Rollback();
    EXPECT_TRUE(Numbers(Year(2026)).empty());
}

// A database made before the journal kept templates gets the two columns and keeps its rows.
TEST_F(JournalTest, OldDatabaseGetsTheTemplateColumns) {
    ASSERT_TRUE(m_db.Exec("ALTER TABLE book DROP COLUMN Template"));
    ASSERT_TRUE(m_db.Exec("ALTER TABLE book DROP COLUMN VarData"));
    ASSERT_TRUE(m_db.Exec("INSERT INTO book (Number, NumberS, Date, Name) VALUES (1, '1', "
                          "'2026-01-01', 'old')"));
    EXPECT_FALSE(HasTemplateColumns(m_db));
    {
        // Registering into such a database still works: the content is kept without them.
        JournalStore old(m_db);
        DbError error;
        textgen::CardFields card;
        card.date = DateFromCalendar(2026, 1, 2);
        EXPECT_TRUE(RegisterDocument(old, card, {"b", "t", "v"}, &error));
    }
    m_db.Close();
    QString error;
    ASSERT_EQ(InitDatabase(ReferenceLocation(), DatabaseKind::Reference, &error),
              InitOutcome::Completed)
        << error.toStdString();
    ASSERT_TRUE(m_db.Open(ReferenceLocation(), SqlConnection::OpenMode::ExistingOnly));
    EXPECT_TRUE(HasTemplateColumns(m_db));
    EXPECT_EQ(Numbers(Year(2026)).size(), 2u);
}

TEST_F(JournalTest, RegistrationKeepsPageTemplateAndVariables) {
    DocumentDatabase db;
    ASSERT_TRUE(db.OpenAt(ReferenceLocation()));
    const int party = *db.Parties().AddParty(PartyKind::Organisation,
                                             {{"Form", W("ООО")}, {"Name", W("Ромашка")}});
    db.SetPartyId(textgen::PartySide::Counterparty, party);
    CBody body;
    FillNewTemplate(body, W("г. Тверь"));
    CPun variable;
    variable.m_strName = W("сумма");
    variable.m_strText = W("12 500,00");
    body.m_parVariables.m_arItems.push_back(variable);

    RegistrationSource source;
    source.body = &body;
    source.db = &db;
    source.numberText = std::to_string(db.NextNumber());
    source.date = DateFromCalendar(2026, 6, 15);
    const RegistrationDraft draft = DraftRegistration(source);
    EXPECT_EQ(draft.problem, "");
    EXPECT_EQ(draft.card.number, "1");
    EXPECT_EQ(draft.card.kontragent, W("ООО Ромашка"));
    EXPECT_EQ(draft.card.price, W("12 500,00"));
    EXPECT_NE(draft.content.body.find(W("ДОГОВОР")), std::string::npos);
    EXPECT_EQ(draft.content.varData, W("сумма\t12 500,00\n"));

    JournalStore store(db.Connection());
    DbError error;
    const auto id = RegisterDocument(store, draft.card, draft.content, &error);
    ASSERT_TRUE(id) << error.text.toStdString();
    db.RecomputeNextNumber();
    EXPECT_EQ(db.NextNumber(), 2);
    const auto row = store.Read(*id, &error);
    EXPECT_EQ(row->price, 12500);
    const auto content = store.ReadContent(*id, nullptr, &error);
    ASSERT_TRUE(content);
    EXPECT_EQ(content->body, draft.content.body);
    CBody reopened;
    std::string why;
    ASSERT_TRUE(LoadBody(content->templateFile, reopened, why)) << why;
    EXPECT_EQ(reopened.RecordNumber(0), party);
    EXPECT_EQ(reopened.Variable(reopened.VariableCount() - 1).m_strText, W("12 500,00"));
}

} // namespace
} // namespace dravo::refdata::testing
