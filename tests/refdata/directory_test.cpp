#include "fixture.h"

#include "refdata/directory.h"
#include "refdata/subject.h"

namespace dravo::refdata::testing {
namespace {

class DirectoryTest : public RootTest {
  protected:
    void SetUp() override {
        RootTest::SetUp();
        OpenReference(m_db);
    }
    SqlConnection m_db;
    Directory m_directory{m_db};
    SubjectStore m_subjects{m_db};
};

TEST_F(DirectoryTest, NewRowsMayLeaveTheirNamesUnset) {
    EXPECT_TRUE(m_directory.AddParty(PartyKind::Organisation));
    EXPECT_TRUE(m_directory.AddBank());
    EXPECT_TRUE(m_subjects.AddItem());
}

// Storing an empty name is refused by the database itself, as the forms' messages need.
TEST_F(DirectoryTest, EmptyNamesAreRefused) {
    const int party = *m_directory.AddParty(PartyKind::Organisation);
    const int bank = *m_directory.AddBank();
    const int item = *m_subjects.AddItem();
    struct Case {
        const char *what;
        std::function<bool(DbError *)> store;
    } cases[] = {
        {"FACTORY.Name on update",
         [&](DbError *e) {
             return m_directory.UpdateParty(party, {{"Name", ""}}, e);
         }},
        {"FACTORY.Name of blanks",
         [&](DbError *e) {
             return m_directory.UpdateParty(party, {{"name", "   "}}, e);
         }},
        {"FACTORY.Name on insert",
         [&](DbError *e) {
             return m_directory.AddParty(PartyKind::Citizen, {{"Name", ""}}, e).has_value();
         }},
        {"BANK.NameB",
         [&](DbError *e) {
             return m_directory.UpdateBank(bank, {{"NameB", ""}}, e);
         }},
        {"BANK.NameB on insert",
         [&](DbError *e) {
             return m_directory.AddBank({{"NameB", ""}}, e).has_value();
         }},
        {"LISTM.Name",
         [&](DbError *e) {
             return m_subjects.UpdateItem(item, {{"Name", ""}}, e);
         }},
    };
    for (const Case &c : cases) {
        DbError error;
        EXPECT_FALSE(c.store(&error)) << c.what;
        EXPECT_EQ(error.kind, DbError::Kind::Refused) << c.what;
    }
    // A refused update leaves the row as it was.
    ASSERT_TRUE(m_directory.UpdateParty(party, {{"Name", W("Ромашка")}}));
    EXPECT_FALSE(m_directory.UpdateParty(party, {{"Name", ""}, {"City", "X"}}));
    EXPECT_EQ(m_directory.ReadParty(party)->Text(kName), W("Ромашка"));
    EXPECT_EQ(m_directory.ReadParty(party)->Text(kCity), "");
}

TEST_F(DirectoryTest, TextsStoreAndReadBackUnchanged) {
    const std::string values[] = {W("ООО \"Рога и копыта\""), "O'Neil & Co", "100% <b>",
                                  W("Ёлкин-Палкин; DROP TABLE FACTORY; --"), W("«№ 5»")};
    for (const std::string &value : values) {
        const auto id = m_directory.AddParty(PartyKind::Organisation,
                                             {{"Name", value}, {"Otgr", value}, {"Form", value}});
        ASSERT_TRUE(id);
        const auto row = m_directory.ReadParty(*id);
        ASSERT_TRUE(row);
        EXPECT_EQ(row->Text(kName), value);
        EXPECT_EQ(row->Text(kOtgr), value);
        EXPECT_EQ(*row->Column("form"), value);
    }
    EXPECT_TRUE(m_db.TableExists("FACTORY"));
}

TEST_F(DirectoryTest, RowIsJoinedWithItsBank) {
    const int bank = *m_directory.AddBank(
        {{"NameB", W("ПАО Банк")}, {"KS", "301"}, {"BIK", "044"}, {"AddressB", W("Москва")}});
    const int withBank = *m_directory.AddParty(PartyKind::Organisation,
                                               {{"Name", "A"}, {"BankID", std::to_string(bank)}});
    const int without = *m_directory.AddParty(PartyKind::Organisation, {{"Name", "B"}});
    const int dangling =
        *m_directory.AddParty(PartyKind::Organisation, {{"Name", "C"}, {"BankID", "999"}});

    const auto a = m_directory.ReadParty(withBank);
    ASSERT_TRUE(a && a->bank);
    EXPECT_EQ(a->bankId, bank);
    EXPECT_EQ(a->BankText(kNameB), W("ПАО Банк"));
    EXPECT_EQ(*a->Column("bik"), "044");

    const auto b = m_directory.ReadParty(without);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->bankId, -1);
    EXPECT_FALSE(b->bank);
    EXPECT_EQ(*b->Column("NameB"), "");

    const auto c = m_directory.ReadParty(dangling); // left join: the row stays
    ASSERT_TRUE(c);
    EXPECT_EQ(c->bankId, 999);
    EXPECT_FALSE(c->bank);

    ASSERT_TRUE(m_directory.SetPartyBank(without, bank));
    EXPECT_EQ(m_directory.ReadParty(without)->bankId, bank);
    ASSERT_TRUE(m_directory.SetPartyBank(without, -5));
    EXPECT_EQ(m_directory.ReadParty(without)->bankId, -1);
}

TEST_F(DirectoryTest, CitizenKeepsItsFlags) {
    const int id = *m_directory.AddParty(
        PartyKind::Citizen,
        {{"Name", W("Петров")}, {"Form", W("Пётр Петрович")}, {"TypePersonFlag", "true"}});
    const auto row = m_directory.ReadParty(id);
    ASSERT_TRUE(row);
    EXPECT_TRUE(row->person);
    EXPECT_TRUE(row->entrepreneur);
    EXPECT_EQ(*row->Column("PersonFlag"), "true");
    std::vector<PartyListEntry> list;
    ASSERT_TRUE(m_directory.ListParties(list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(PartyListText(list[0].name, list[0].form), W("Петров, Пётр Петрович"));
}

TEST_F(DirectoryTest, BadColumnsAndValuesAreRefusedBeforeTheDatabase) {
    struct Case {
        ColumnValues values;
    } cases[] = {
        {{{"Nmae", "x"}}},           {{{"FactorysID", "5"}}},
        {{{"BankID", "seven"}}},     {{{"BankID", "99999999999"}}},
        {{{"PersonFlag", "maybe"}}}, {{{"Name\"; DROP TABLE FACTORY; --", "x"}}},
    };
    for (const Case &c : cases) {
        DbError error;
        EXPECT_FALSE(m_directory.AddParty(PartyKind::Organisation, c.values, &error));
        EXPECT_EQ(error.kind, DbError::Kind::Invalid) << c.values[0].first;
    }
    EXPECT_TRUE(m_db.TableExists("FACTORY"));
}

TEST_F(DirectoryTest, EditingAndDeletingAMissingRowIsAnError) {
    DbError error;
    EXPECT_FALSE(m_directory.UpdateParty(42, {{"Name", "x"}}, &error));
    EXPECT_EQ(error.kind, DbError::Kind::NotFound);
    error = {};
    EXPECT_FALSE(m_directory.DeleteBank(42, &error));
    EXPECT_EQ(error.kind, DbError::Kind::NotFound);
    error = {};
    EXPECT_FALSE(m_directory.ReadParty(42, &error));
    EXPECT_FALSE(error); // no row is not a failure

    const int id = *m_directory.AddParty(PartyKind::Organisation, {{"Name", "x"}});
    EXPECT_TRUE(m_directory.DeleteParty(id));
    EXPECT_FALSE(m_directory.ReadParty(id));
}

TEST_F(DirectoryTest, BanksListInRussianOrder) {
    for (const char *name : {"Сбербанк", "альфа-банк", "ВТБ", "Ёлки-банк"})
        ASSERT_TRUE(m_directory.AddBank({{"NameB", W(name)}}));
    std::vector<BankRecord> banks;
    ASSERT_TRUE(m_directory.ListBanks(banks));
    ASSERT_EQ(banks.size(), 4u);
    EXPECT_EQ(banks[0].texts[kNameB], W("альфа-банк"));
    EXPECT_EQ(banks[1].texts[kNameB], W("ВТБ"));
    EXPECT_EQ(banks[2].texts[kNameB], W("Ёлки-банк"));
    EXPECT_EQ(banks[3].texts[kNameB], W("Сбербанк"));
}

TEST(PartyListText, NameWithoutTrailingFullStops) {
    struct Case {
        const char *name, *form, *expected;
    } cases[] = {
        {"Ромашка...", "ООО", "Ромашка, ООО"},
        {"А.О.", "ЗАО", "А.О, ЗАО"},
        {"", "", ", "},
        {"Иванов", "Иван Иванович", "Иванов, Иван Иванович"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PartyListText(W(c.name), W(c.form)), W(c.expected)) << c.name;
}

} // namespace
} // namespace dravo::refdata::testing
