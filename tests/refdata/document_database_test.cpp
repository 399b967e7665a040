#include "fixture.h"

#include "refdata/document_database.h"
#include "refdata/journal_tables.h"

#include <QDir>
#include <QFileInfo>

namespace dravo::refdata::testing {
namespace {

using textgen::PartySide;

class DocumentDatabaseTest : public RootTest {
  protected:
    DocumentDatabase Make() {
        return DocumentDatabase([this](const std::string &m) { m_messages.push_back(m); });
    }
    void CreateDatabase() {
        ASSERT_EQ(InitDatabase(FctPath(m_root), DatabaseKind::Reference, nullptr),
                  InitOutcome::Created);
    }
    std::vector<std::string> m_messages;
};

TEST_F(DocumentDatabaseTest, MissingDatabaseIsReportedAndTheDocumentGoesOn) {
    DocumentDatabase db([this](const std::string &m) { m_messages.push_back(m); });
    EXPECT_FALSE(db.Open(m_root));
    EXPECT_EQ(m_messages, std::vector<std::string>{NoDatabaseFileMessage()});
    EXPECT_EQ(NoDatabaseFileMessage(), W("Не удалось открыть файл баз данных"));
    EXPECT_FALSE(QFileInfo::exists(FctPath(m_root))); // never created behind the user's back
    EXPECT_EQ(db.NextNumber(), 1);
    db.SetPartyId(PartySide::Counterparty, 7);
    EXPECT_FALSE(db.SelectedParty(PartySide::Counterparty));
    EXPECT_EQ(db.PartyId(PartySide::Counterparty), 7); // nothing known: the choice is kept
    EXPECT_FALSE(db.FindSet(NoSetName()));
    const auto data = db.FillPartyData();
    EXPECT_EQ(data[0].surname, std::string(20, '_'));
    EXPECT_EQ(data[1].surname, std::string(21, '_'));
}

TEST_F(DocumentDatabaseTest, UnusableFilesGiveTheFileMessage) {
    ASSERT_TRUE(QDir().mkpath(DataFolder(m_root)));
    struct Case {
        const char *what;
        std::function<void()> make;
    } cases[] = {
        {"not a database", [&] { WriteFile(FctPath(m_root), QByteArray(3000, '\x01')); }},
        {"empty database without tables",
         [&] {
             QFile::remove(FctPath(m_root));
             SqlConnection c;
             ASSERT_TRUE(c.Open(FctPath(m_root), SqlConnection::OpenMode::CreateIfMissing));
             ASSERT_TRUE(c.Exec("CREATE TABLE FACTORY (x)"));
         }},
    };
    for (const Case &c : cases) {
        c.make();
        m_messages.clear();
        DocumentDatabase db([this](const std::string &m) { m_messages.push_back(m); });
        EXPECT_FALSE(db.Open(m_root)) << c.what;
        EXPECT_FALSE(db.IsOpen()) << c.what;
        EXPECT_EQ(m_messages, std::vector<std::string>{NoDatabaseFileMessage()}) << c.what;
    }
}

TEST_F(DocumentDatabaseTest, DeletedPartyBecomesNoneWhenLocated) {
    CreateDatabase();
    DocumentDatabase db([this](const std::string &m) { m_messages.push_back(m); });
    ASSERT_TRUE(db.Open(m_root));
    EXPECT_TRUE(m_messages.empty());
    const int bank = *db.Parties().AddBank({{"NameB", W("Банк")}});
    const int id = *db.Parties().AddParty(
        PartyKind::Organisation, {{"Name", W("Ромашка")}, {"BankID", std::to_string(bank)}});
    db.SetPartyId(PartySide::Counterparty, id);
    EXPECT_EQ(db.PartyColumn(PartySide::Counterparty, "Name"), ""); // not located yet
    ASSERT_TRUE(db.LocateParty(PartySide::Counterparty));
    EXPECT_EQ(db.PartyBankId(PartySide::Counterparty), bank);
    EXPECT_EQ(db.PartyColumn(PartySide::Counterparty, "NAME"), W("Ромашка"));
    EXPECT_EQ(db.PartyColumn(PartySide::Counterparty, "NameB"), W("Банк"));
    EXPECT_EQ(db.PartyColumn(PartySide::ThirdParty, "Name"), "");

    ASSERT_TRUE(db.Parties().DeleteParty(id));
    EXPECT_EQ(db.PartyId(PartySide::Counterparty), id); // until the next page build
    EXPECT_FALSE(db.SelectedParty(PartySide::Counterparty));
    EXPECT_EQ(db.PartyId(PartySide::Counterparty), -1);
    EXPECT_EQ(db.PartyBankId(PartySide::Counterparty), -1);
    EXPECT_EQ(db.PartyColumn(PartySide::Counterparty, "Name"), "");
}

TEST_F(DocumentDatabaseTest, PageReadsTheCurrentRowsOfBothParties) {
    CreateDatabase();
    DocumentDatabase db = Make();
    ASSERT_TRUE(db.Open(m_root));
    const int org = *db.Parties().AddParty(PartyKind::Organisation, {{"Form", W("ООО")},
                                                                     {"Name", W("Ромашка")},
                                                                     {"Family", W("Иванов")},
                                                                     {"IO", W("Иван Иванович")},
                                                                     {"Dolgn", W("Директор")},
                                                                     {"INN", "7701"}});
    const int citizen = *db.Parties().AddParty(PartyKind::Citizen, {{"Name", W("Петрова")},
                                                                    {"Form", W("Анна Сергеевна")},
                                                                    {"INN", "4510"},
                                                                    {"OKPO", "123456"},
                                                                    {"Family", W("ОВД")}});
    db.SetPartyId(PartySide::Counterparty, org);
    db.SetPartyId(PartySide::ThirdParty, citizen);

    const auto row = db.SelectedParty(PartySide::Counterparty);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->Get("name"), W("Ромашка"));
    EXPECT_EQ(row->Get("BankID"), "-1");
    EXPECT_FALSE(row->Flag("PersonFlag"));
    EXPECT_TRUE(db.SelectedParty(PartySide::ThirdParty)->Flag("PersonFlag"));

    auto data = db.FillPartyData();
    EXPECT_EQ(data[0].surname, W("Иванов"));
    EXPECT_EQ(data[0].Field("название"_w), W("Ромашка"));
    EXPECT_EQ(data[0].Field("ИНН"_w), "7701");
    EXPECT_EQ(data[1].surname, W("Петрова"));
    EXPECT_EQ(data[1].Field("паспорт"_w), W("серии 4510 №123456, выдан ОВД"));

    // An edit made meanwhile shows at the next fill.
    ASSERT_TRUE(db.Parties().UpdateParty(org, {{"Family", W("Сидоров")}}));
    data = db.FillPartyData();
    EXPECT_EQ(data[0].surname, W("Сидоров"));
}

// Which directory column feeds which entry of the party data, for an organisation with a bank
// and for a citizen whose row also points at a bank (a citizen's record takes no bank data).
TEST_F(DocumentDatabaseTest, EveryPartyDataEntryComesFromItsColumn) {
    CreateDatabase();
    DocumentDatabase db = Make();
    ASSERT_TRUE(db.Open(m_root));
    const int bank = *db.Parties().AddBank({{"NameB", W("Банк «Альфа» & Ко")},
                                            {"KS", "30101"},
                                            {"BIK", "044525"},
                                            {"AddressB", W("Москва, ул. Банковская")}});
    const ColumnValues shared = {{"Form", "cForm"},   {"Name", "cName"},
                                 {"City", "cCity"},   {"Address", "cAddress"},
                                 {"Family", "cFam"},  {"IO", "cIO"},
                                 {"Dolgn", "cDolgn"}, {"INN", "cINN"},
                                 {"OKPO", "cOKPO"},   {"OKONH", "cOKONH"},
                                 {"RS", "cRS"},       {"Otgr", "cOtgr"},
                                 {"Tel", "cTel"},     {"BankID", std::to_string(bank)}};
    const int org = *db.Parties().AddParty(PartyKind::Organisation, shared);
    ColumnValues citizenValues = shared;
    citizenValues.emplace_back("TypePersonFlag", "true");
    const int citizen = *db.Parties().AddParty(PartyKind::Citizen, citizenValues);
    db.SetPartyId(PartySide::Counterparty, org);
    db.SetPartyId(PartySide::ThirdParty, citizen);
    const auto data = db.FillPartyData();
    EXPECT_EQ(db.PartyBankId(PartySide::Counterparty), bank);
    EXPECT_EQ(db.PartyBankId(PartySide::ThirdParty), bank);

    struct Case {
        std::string_view entry;
        std::string organisation;
        std::string citizen;
    };
    const Case cases[] = {
        {"оргформа", "cForm", ""},
        {"название", "cName", ""},
        {"адрес", "cCity cAddress", "cCity cAddress"},
        {"паспорт", "", W("серии cINN №cOKPO, выдан cFam")},
        {"р/с", "cRS", ""},
        {"название банка", W("Банк «Альфа» & Ко"), ""},
        {"к/с", "30101", ""},
        {"БИК", "044525", ""},
        {"адрес банка", W("Москва, ул. Банковская"), ""},
        {"место работы", "", "cIO"},
        {"телефон", "cTel", "cTel"},
        {"дополнительно", "cOtgr", "cOtgr"},
        {"ИНН", "cINN", ""},
        {"ОКПО", "cOKPO", ""},
        {"ОКОНХ", "cOKONH", ""},
    };
    for (const Case &c : cases) {
        const std::string entry = W(c.entry);
        EXPECT_EQ(data[0].Field(entry), c.organisation) << c.entry << " (organisation)";
        EXPECT_EQ(data[1].Field(entry), c.citizen) << c.entry << " (citizen)";
    }
    EXPECT_EQ(data[0].surname, "cFam");
    EXPECT_EQ(data[0].givenNames, "cIO");
    EXPECT_EQ(data[0].post, "cDolgn");
    EXPECT_EQ(data[1].surname, "cName");
    EXPECT_EQ(data[1].givenNames, "cForm");
    EXPECT_EQ(data[1].post, "cDolgn");

    const auto row = db.SelectedParty(PartySide::ThirdParty);
    ASSERT_TRUE(row);
    EXPECT_TRUE(row->Flag("PersonFlag"));
    EXPECT_TRUE(row->Flag("TypePersonFlag"));
    EXPECT_EQ(row->Get("FactorysID"), std::to_string(citizen));
    EXPECT_EQ(row->Get("BankID"), std::to_string(bank));
    EXPECT_EQ(row->Get("NameB"), W("Банк «Альфа» & Ко"));
}

// A citizen without passport data: the number is a blank of ten underscores; a party whose row
// points at a bank that was deleted reads empty bank columns.
TEST_F(DocumentDatabaseTest, MissingPassportAndDeletedBank) {
    CreateDatabase();
    DocumentDatabase db = Make();
    ASSERT_TRUE(db.Open(m_root));
    const int bank = *db.Parties().AddBank({{"NameB", W("Банк")}});
    const int org = *db.Parties().AddParty(
        PartyKind::Organisation, {{"Name", W("Ромашка")}, {"BankID", std::to_string(bank)}});
    const int citizen = *db.Parties().AddParty(PartyKind::Citizen, {{"Name", W("Петров")}});
    ASSERT_TRUE(db.Parties().DeleteBank(bank));
    db.SetPartyId(PartySide::Counterparty, org);
    db.SetPartyId(PartySide::ThirdParty, citizen);
    const auto data = db.FillPartyData();
    EXPECT_EQ(data[0].Field("название"_w), W("Ромашка"));
    EXPECT_EQ(data[0].Field("название банка"_w), "");
    EXPECT_EQ(db.PartyBankId(PartySide::Counterparty), bank); // as the row stores it
    EXPECT_EQ(data[1].Field("паспорт"_w), "__________");
}

TEST_F(DocumentDatabaseTest, ReopenMovesToTheDatabaseRootAndKeepsTheSelection) {
    CreateDatabase();
    QTemporaryDir other;
    ASSERT_EQ(InitDatabase(TablesPath(other.path()), DatabaseKind::Reference, nullptr),
              InitOutcome::Created);
    {
        SqlConnection c;
        ASSERT_TRUE(c.Open(TablesPath(other.path()), SqlConnection::OpenMode::ExistingOnly));
        ASSERT_TRUE(c.Exec("INSERT INTO book (Number, NumberS) VALUES (70000, '70000')"));
        ASSERT_TRUE(c.Exec("INSERT INTO FACTORY (FactorysID, Name) VALUES (5, 'net')"));
    }
    DocumentDatabase db = Make();
    ASSERT_TRUE(db.Open(m_root));
    EXPECT_EQ(db.NextNumber(), 1); // an empty journal
    db.SetPartyId(PartySide::Counterparty, 5);
    ASSERT_TRUE(db.Reopen(other.path()));
    EXPECT_EQ(db.NextNumber(), 70001); // past what a 16-bit counter holds
    EXPECT_EQ(db.SelectedParty(PartySide::Counterparty)->Get("Name"), "net");
    EXPECT_FALSE(db.Reopen(m_root + "/nowhere"));
    EXPECT_EQ(m_messages, std::vector<std::string>{NoDatabaseFileMessage()});
}

TEST_F(DocumentDatabaseTest, SubjectSetsAreServedByName) {
    CreateDatabase();
    DocumentDatabase db = Make();
    ASSERT_TRUE(db.Open(m_root));
    ASSERT_TRUE(db.Subjects().SetRow(W("Станки"), 1,
                                     {{"Name", W("Станок")}, {"Kolvo", "3"}, {"Price", "10,5"}}));
    const auto set = db.FindSet(W("СТАНКИ")); // names compare without regard to case
    ASSERT_TRUE(set);
    EXPECT_EQ(set->category, W("Станки"));
    ASSERT_EQ(set->rows.size(), kSubjectRows);
    EXPECT_EQ(set->rows[0].name, "");
    EXPECT_EQ(set->rows[1].name, W("Станок"));
    EXPECT_EQ(set->rows[1].kolvo, 3);
    EXPECT_DOUBLE_EQ(set->rows[1].summ, 31.5);
    EXPECT_FALSE(db.FindSet(W("Нет такого")));
}

} // namespace
} // namespace dravo::refdata::testing
