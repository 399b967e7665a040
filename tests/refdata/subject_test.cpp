#include "fixture.h"

#include "refdata/subject.h"

namespace dravo::refdata::testing {
namespace {

class SubjectTest : public RootTest {
  protected:
    void SetUp() override {
        RootTest::SetUp();
        OpenReference(m_db);
    }
    SqlConnection m_db;
    SubjectStore m_store{m_db};
};

TEST_F(SubjectTest, SaveAndReadASet) {
    const std::string name = W("Оборудование");
    ASSERT_TRUE(m_store.CreateSet(name));
    std::vector<SubjectRow> rows(2);
    rows[0] = {W("Станок \"ТВ-4\""), 2, W("шт."), 1500.5, 3001, W("евро"), W("без НДС")};
    rows[1] = {"O'Neil 100%", 1, "", 0.01, 0.01, "", ""};
    ASSERT_TRUE(m_store.SaveSet(name, rows));
    const auto set = m_store.ReadSet(name);
    ASSERT_TRUE(set);
    ASSERT_EQ(set->rows.size(), kSubjectRows);
    EXPECT_EQ(set->rows[0].name, rows[0].name);
    EXPECT_EQ(set->rows[0].kolvo, 2);
    EXPECT_DOUBLE_EQ(set->rows[0].price, 1500.5);
    EXPECT_EQ(set->rows[0].currency, W("евро"));
    EXPECT_EQ(set->rows[0].definds, W("без НДС"));
    EXPECT_EQ(set->rows[1].name, "O'Neil 100%");
    EXPECT_EQ(set->rows[6].name, "");
    // Saving again changes the rows in place: still seven.
    ASSERT_TRUE(m_store.SaveSet(name, {}));
    EXPECT_EQ(m_store.ReadSet(name)->rows[0].name, "");
    EXPECT_EQ(m_db.Value("SELECT count(*) FROM merch WHERE Category = ?",
                         {QString::fromUtf8("Оборудование")})
                  ->toInt(),
              7);
}

TEST_F(SubjectTest, SetNamesAndDeletion) {
    ASSERT_TRUE(m_store.CreateSet(W("Яблоки")));
    ASSERT_TRUE(m_store.CreateSet(W("арбузы")));
    std::vector<std::string> names;
    ASSERT_TRUE(m_store.SetNames(names));
    const std::vector<std::string> expected = {NoSetName(), W("арбузы"), W("Яблоки")};
    EXPECT_EQ(names, expected);
    ASSERT_TRUE(m_store.DeleteSet(W("Яблоки")));
    EXPECT_FALSE(m_store.ReadSet(W("Яблоки")));
    DbError error;
    EXPECT_FALSE(m_store.DeleteSet(NoSetName(), &error)); // the shipped set stays
    EXPECT_TRUE(m_store.ReadSet(NoSetName()));
}

TEST_F(SubjectTest, SetRowCreatesTheSetAndComputesTheAmount) {
    const std::string name = W("Мебель");
    ASSERT_TRUE(
        m_store.SetRow(name, 6, {{"Name", W("Стол")}, {"Kolvo", "4"}, {"Price", "250.25"}}));
    auto set = m_store.ReadSet(name);
    ASSERT_TRUE(set);
    ASSERT_EQ(set->rows.size(), kSubjectRows);
    EXPECT_DOUBLE_EQ(set->rows[6].summ, 1001.0);
    // A given amount stands as typed.
    ASSERT_TRUE(m_store.SetRow(name, 6, {{"Price", "1"}, {"Summ", "5"}}));
    EXPECT_DOUBLE_EQ(m_store.ReadSet(name)->rows[6].summ, 5.0);
    DbError error;
    EXPECT_FALSE(m_store.SetRow(name, 7, {{"Name", "x"}}, &error));
    EXPECT_EQ(error.kind, DbError::Kind::Invalid);
    EXPECT_FALSE(m_store.SetRow(name, 0, {{"Kolvo", "two"}}, &error));
    EXPECT_EQ(error.kind, DbError::Kind::Invalid);
    EXPECT_FALSE(m_store.SetRow(name, 0, {{"Category", "x"}}, &error));
}

TEST_F(SubjectTest, CatalogueInRussianOrder) {
    for (const char *name : {"Шкаф", "ёмкость", "Ведро"})
        ASSERT_TRUE(m_store.AddItem({{"Name", W(name)}, {"Price2", "12.5"}, {"Dop", "%'\""}}));
    std::vector<CatalogueItem> items;
    ASSERT_TRUE(m_store.ListItems(items));
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].name, W("Ведро"));
    EXPECT_EQ(items[1].name, W("ёмкость"));
    EXPECT_EQ(items[2].name, W("Шкаф"));
    const auto item = m_store.ReadItem(items[0].id);
    ASSERT_TRUE(item);
    EXPECT_DOUBLE_EQ(item->price, 12.5);
    EXPECT_EQ(item->extra, "%'\"");
    ASSERT_TRUE(m_store.DeleteItem(items[0].id));
    EXPECT_FALSE(m_store.ReadItem(items[0].id));
}

} // namespace
} // namespace dravo::refdata::testing
