// The contract page drawing its parties and subject from the document's database.
#include "fixture.h"

#include "core/defaults.h"
#include "refdata/document_database.h"
#include "textgen/page.h"

namespace dravo::refdata::testing {
namespace {

using textgen::PartySide;

class PageTest : public RootTest {};

TEST_F(PageTest, SelectedPartiesAppearOnThePageAsTyped) {
    ASSERT_EQ(InitDatabase(FctPath(m_root), DatabaseKind::Reference, nullptr),
              InitOutcome::Created);
    DocumentDatabase db;
    ASSERT_TRUE(db.Open(m_root));
    const int bank = *db.Parties().AddBank({{"NameB", W("ПАО \"Банк\"")}, {"BIK", "044525"}});
    const int org = *db.Parties().AddParty(PartyKind::Organisation,
                                           {{"Form", W("ООО")},
                                            {"Name", W("Ромашка <script>alert(1)</script>")},
                                            {"Family", W("Иванов")},
                                            {"IO", W("Иван Иванович")},
                                            {"Dolgn", W("Генеральный директор")},
                                            {"RS", "40702810"},
                                            {"BankID", std::to_string(bank)}});
    const int citizen = *db.Parties().AddParty(
        PartyKind::Citizen, {{"Name", W("Петрова")}, {"Form", W("Анна Сергеевна")}});
    db.SetPartyId(PartySide::Counterparty, org);
    db.SetPartyId(PartySide::ThirdParty, citizen);

    CBody body;
    FillNewTemplate(body, W("г. Тверь"));
    body.Paragraph(ParArticleHead).m_nCheck = 1; // the contract has a third party
    body.Paragraph(ParArticleHead).m_strName = W("Поручитель");
    textgen::PageInputs inputs;
    inputs.body = &body;
    inputs.parties = &db;
    inputs.subjects = &db;
    const std::string page = textgen::BuildPage(inputs).html;

    EXPECT_NE(page.find(W("Ромашка &lt;script&gt;")), std::string::npos);
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_NE(page.find(W("Генерального директора Иванова Ивана Ивановича")), std::string::npos);
    EXPECT_NE(page.find(W("40702810")), std::string::npos);
    EXPECT_NE(page.find(W("044525")), std::string::npos);
    EXPECT_NE(page.find(W("Петрова")), std::string::npos);

    // Once the row is deleted, the next page prints the blank form and the id is dropped.
    ASSERT_TRUE(db.Parties().DeleteParty(org));
    const std::string after = textgen::BuildPage(inputs).html;
    EXPECT_EQ(after.find(W("Ромашка")), std::string::npos);
    EXPECT_EQ(db.PartyId(PartySide::Counterparty), -1);
}

} // namespace
} // namespace dravo::refdata::testing
