#include <gtest/gtest.h>

#include "fixture.h"
#include "textgen/party.h"

namespace dravo::textgen {
namespace {

using testing::FakeParties;
using testing::U;
using testing::W;

// ---------------------------------------------------------------------------------------------
// The party data record

struct RecordCase {
    const char *name;
    std::optional<PartyRow> row;
    PartySide side;
    const char *surname, *givenNames, *post;
    std::map<std::string, std::string> fields; // UTF-8 field word -> UTF-8 value
};

TEST(FillPartyDataTest, ValueTable) {
    const std::string u18(18, '_'), u19(19, '_'), u21(21, '_'), u22(22, '_'), u9(9, '_');
    PartyRow noPassportSeries = testing::Citizen();
    noPassportSeries.Set("INN", "");
    noPassportSeries.Set("OKPO", "");
    noPassportSeries.Set("Family", "");
    const RecordCase cases[] = {
        {"organisation",
         testing::Organisation(),
         PartySide::Counterparty,
         "Иванов",
         "Иван Иванович",
         "Генеральный директор",
         {{"оргформа", "ООО"},
          {"название", "Ромашка"},
          {"адрес", "101000 Москва ул. Ленина, 1"},
          {"паспорт", ""},
          {"р/с", "40702810000000000001"},
          {"название банка", "Сбербанк"},
          {"к/с", "30101810400000000225"},
          {"БИК", "044525225"},
          {"адрес банка", "Москва"},
          {"место работы", ""},
          {"телефон", "123-45-67"},
          {"дополнительно", ""},
          {"ИНН", "7701234567"},
          {"ОКПО", "12345678"},
          {"ОКОНХ", "51.1"}}},
        {"citizen",
         testing::Citizen(),
         PartySide::ThirdParty,
         "Петрова.",
         "Мария Ивановна",
         "ИФНС № 1",
         {{"оргформа", ""},
          {"название", ""},
          {"адрес", "190000 Санкт-Петербург Невский пр., 10"},
          {"паспорт", "серии 4005 №654321, выдан ОВД Центрального района"},
          {"р/с", ""},
          {"название банка", ""},
          {"место работы", "123456"},
          {"телефон", "8-812-000-00-00"},
          {"ИНН", ""},
          {"ОКПО", ""}}},
        {"citizen without passport",
         noPassportSeries,
         PartySide::Counterparty,
         "Петрова.",
         "Мария Ивановна",
         "ИФНС № 1",
         {{"паспорт", "__________"}}},
        {"counterparty not selected",
         std::nullopt,
         PartySide::Counterparty,
         "____________________",
         "",
         "",
         {{"оргформа", ""},
          {"название", u21},
          {"адрес", u22},
          {"паспорт", "серии ____ №______, выдан ____________________"},
          {"р/с", u18},
          {"название банка", u19},
          {"к/с", ""},
          {"БИК", ""},
          {"телефон", ""},
          {"ИНН", u9},
          {"ОКПО", ""}}},
        {"third party not selected",
         std::nullopt,
         PartySide::ThirdParty,
         "_____________________",
         "",
         "",
         {{"название", ""},
          {"адрес", u22},
          {"паспорт", "паспорт серии ______ №________, выдан ____________________"},
          {"р/с", u18},
          {"название банка", u19},
          {"ИНН", u9}}},
    };
    for (const RecordCase &c : cases) {
        const PartyData d = FillPartyData(c.row, c.side);
        EXPECT_EQ(U(d.surname), c.surname) << c.name;
        EXPECT_EQ(U(d.givenNames), c.givenNames) << c.name;
        EXPECT_EQ(U(d.post), c.post) << c.name;
        for (const auto &[word, value] : c.fields)
            EXPECT_EQ(U(d.Field(W(word))), value) << c.name << ": " << word;
    }
}

// ---------------------------------------------------------------------------------------------
// Party order and names

TEST(PartyOrderTest, RolesAndNames) {
    CBody body = testing::StyledBody();
    CPun &order = body.Paragraph(ParClauseText);
    const struct {
        std::uint16_t type, check, mark;
        int r1, r2, r3;
    } cases[] = {
        {0, 0, 0, 1, 2, 3}, // unset
        {2, 0, 3, 1, 2, 3}, // not yet set by the set-up dialog
        {2, 1, 3, 2, 1, 3}, {3, 2, 1, 3, 2, 1},
        {2, 2, 1, 1, 2, 3}, // a damaged file: not a permutation
        {7, 1, 2, 1, 2, 3},
    };
    for (const auto &c : cases) {
        order.m_nType = c.type;
        order.m_nCheck = c.check;
        order.m_nMark = c.mark;
        EXPECT_EQ(RoleAt(body, 1), c.r1);
        EXPECT_EQ(RoleAt(body, 2), c.r2);
        EXPECT_EQ(RoleAt(body, 3), c.r3);
    }
    // The position of a role word; 0 for the third position without a third party.
    const struct {
        std::uint16_t type, check, mark;
        bool third;
        const char *word;
        int position;
    } positions[] = {
        {1, 2, 3, true, "Пользователь", 1},    {1, 2, 3, true, "Контрагент", 2},
        {1, 2, 3, true, "Третья сторона", 3},  {1, 2, 3, true, "Гарант", 3},
        {2, 1, 3, true, "Пользователь", 2},    {2, 1, 3, true, "Контрагент", 1},
        {3, 1, 2, true, "Контрагент", 3},      {3, 1, 2, false, "Контрагент", 0},
        {1, 2, 3, false, "Третья сторона", 0}, {0, 0, 0, false, "Контрагент", 2},
    };
    for (const auto &c : positions) {
        order.m_nType = c.type;
        order.m_nCheck = c.check;
        order.m_nMark = c.mark;
        body.Paragraph(ParArticleHead).m_nCheck = c.third ? 1 : 0;
        EXPECT_EQ(PartyPosition(body, W(c.word)), c.position)
            << c.word << " " << c.type << c.check << c.mark << " " << c.third;
    }
    order.m_strName = W("  Продавец ");
    body.Paragraph(ParArticleHead).m_strName = W("  Гарант");
    EXPECT_EQ(U(PartyName(body, 1)), "Продавец ");
    EXPECT_EQ(U(PartyName(body, 2)), "Покупатель");
    EXPECT_EQ(U(PartyName(body, 3)), "Гарант");
}

TEST(ClosingPhraseTest, TitleInLowerCase) {
    const struct {
        const char *title;
        const char *expected;
    } cases[] = {
        {"ДОГОВОР", "заключили настоящий договор о нижеследующем:"},
        {"ДОГОВОР ПОСТАВКИ  ", "заключили настоящий договор поставки о нижеследующем:"},
        {"СОГЛАШЕНИЕ", "заключили настоящее соглашение о нижеследующем:"},
        {"Дополнительное соглашение",
         "заключили настоящее дополнительное соглашение о нижеследующем:"},
        {"ПОЛОЖЕНИЕ ", "заключили настоящее положение о нижеследующем:"},
        {"", "заключили настоящий  о нижеследующем:"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(U(ClosingPhrase(W(c.title))), c.expected) << c.title;
}

// ---------------------------------------------------------------------------------------------
// Header fragments

class WordingTest : public ::testing::Test {
  protected:
    WordingTest() : ctx(body) {
        body = testing::StyledBody();
        user.Text(CUser::UserName) = W("ООО \"Василек\"");
        user.Text(CUser::SignatureLine) = W("____________/С.С. Сидоров");
        user.Text(CUser::ReferredAs) = W("именуемое в дальнейшем");
        user.Text(CUser::RepresentedBy) =
            W("  в лице директора Сидорова С.С., действующего на основании Устава");
        user.Text(CUser::AddressAndTaxId) = W("Москва, ИНН 7700000000");
        user.Text(CUser::PaymentDetails) = W("р/с 40702810900000000002");
        user.Text(CUser::Phones) = W("тел. 111-11-11");
        ctx.user = &user;
    }
    void Select(std::optional<PartyRow> counterparty, std::optional<PartyRow> third = {}) {
        FakeParties parties;
        parties.counterparty = std::move(counterparty);
        parties.thirdParty = std::move(third);
        ctx.LoadParties(&parties);
    }
    std::string Preamble(int position) { return U(PartyPreamble(ctx, position)); }
    std::string Line(int position, int kind) { return U(PartyLine(ctx, position, kind)); }

    CBody body;
    CUser user;
    DocumentContext ctx;
};

TEST_F(WordingTest, UserFragment) {
    EXPECT_EQ(Preamble(1), "ООО \"Василек\", именуемое в дальнейшем \"Продавец\", в лице директора "
                           "Сидорова С.С., действующего на основании Устава");
    body.Paragraph(ParClauseText).m_strName = "  ";
    user.Text(CUser::RepresentedBy) = "   ";
    EXPECT_EQ(Preamble(1), "ООО \"Василек\"");
}

struct FragmentCase {
    const char *name;
    std::optional<PartyRow> row;
    const char *partyName; // position 2
    const char *expected;
};

PartyRow With(PartyRow row, std::initializer_list<std::pair<const char *, const char *>> changes) {
    for (const auto &[column, value] : changes)
        row.Set(column, W(value));
    return row;
}

TEST_F(WordingTest, CounterpartyFragments) {
    const FragmentCase cases[] = {
        {"organisation", testing::Organisation(), "Покупатель",
         "ООО Ромашка, именуемое в дальнейшем \"Покупатель\", в лице Генерального директора "
         "Иванова Ивана Ивановича, действующего на основании Устава"},
        {"organisation without a party name", testing::Organisation(), "",
         "ООО Ромашка в лице Генерального директора Иванова Ивана Ивановича, действующего на "
         "основании Устава"},
        {"organisation, woman on a power of attorney",
         With(testing::Organisation(),
              {{"Family", "Петрова"},
               {"IO", "Анна Сергеевна"},
               {"Dolgn", "Директор, действует на основании доверенности № 5"}}),
         "Покупатель",
         "ООО Ромашка, именуемое в дальнейшем \"Покупатель\", в лице Директора Петровой Анны "
         "Сергеевны, действующей на основании доверенности № 5"},
        {"organisation without representative",
         With(testing::Organisation(), {{"Family", ""}, {"IO", ""}, {"Dolgn", ""}, {"Form", ""}}),
         "Покупатель", "Ромашка, именуемое в дальнейшем \"Покупатель\""},
        {"organisation with a post only",
         With(testing::Organisation(), {{"Family", ""}, {"IO", ""}, {"Dolgn", "директор"}}),
         "Покупатель", "ООО Ромашка, именуемое в дальнейшем \"Покупатель\", в лице директора"},
        {"not selected", std::nullopt, "Покупатель",
         "_________________________, именуемое в дальнейшем \"Покупатель\", в лице "
         "_________________________, действующего на основании Устава"},
        {"row without a name", With(testing::Organisation(), {{"Name", ""}}), "",
         "_________________________, в лице _________________________, действующего на основании "
         "Устава"},
        {"citizen", testing::Citizen(), "Покупатель",
         "Петрова Мария Ивановна, именуемая в дальнейшем \"Покупатель\", действующая от своего "
         "имени"},
        {"citizen without a party name", testing::Citizen(), "",
         "Петрова Мария Ивановна, действующая от своего имени"},
        {"entrepreneur",
         With(testing::Citizen(), {{"Name", "Сидоров"},
                                   {"Form", "Петр Петрович"},
                                   {"TypePersonFlag", "true"},
                                   {"IO", "77 № 123"},
                                   {"Dolgn", "ИФНС № 1"}}),
         "Подрядчик",
         "Предприниматель Сидоров Петр Петрович, именуемый в дальнейшем \"Подрядчик\", действующий "
         "на основании Свидетельства о регистрации в качестве индивидульного предпринимателя 77 № "
         "123, выданного ИФНС № 1"},
        {"entrepreneur without certificate",
         With(testing::Citizen(), {{"TypePersonFlag", "1"}, {"IO", ""}, {"Dolgn", ""}}), "",
         "Предприниматель Петрова Мария Ивановна, действующая на основании Свидетельства о "
         "регистрации в качестве индивидульного предпринимателя"},
        {"citizen on a power of attorney",
         With(testing::Citizen(), {{"Otgr", "действует на основании доверенности от 01.02.2004"}}),
         "", "Петрова Мария Ивановна, действующая на основании доверенности от 01.02.2004"},
        {"citizen acting for herself", With(testing::Citizen(), {{"Otgr", "действует сама"}}), "",
         "Петрова Мария Ивановна, действующая от своего имени"},
        {"escaped", With(testing::Organisation(), {{"Name", "<b>Ромашка & Ко</b>"}}), "",
         "ООО &lt;b&gt;Ромашка &amp; Ко&lt;/b&gt; в лице Генерального директора Иванова Ивана "
         "Ивановича, действующего на основании Устава"},
    };
    for (const FragmentCase &c : cases) {
        body.Paragraph(ParClauseText).m_strText = W(c.partyName);
        Select(c.row);
        EXPECT_EQ(Preamble(2), c.expected) << c.name;
    }
}

TEST_F(WordingTest, RolesFollowTheOrder) {
    Select(testing::Organisation(), testing::Citizen());
    CPun &order = body.Paragraph(ParClauseText);
    order.m_nType = 3;
    order.m_nCheck = 1;
    order.m_nMark = 2;
    body.Paragraph(ParArticleHead).m_strName = W("Арендодатель");
    EXPECT_EQ(Preamble(1), "Петрова Мария Ивановна, именуемая в дальнейшем \"Продавец\", "
                           "действующая от своего имени");
    EXPECT_EQ(Preamble(2).rfind("ООО \"Василек\", именуемое в дальнейшем \"Покупатель\"", 0), 0u);
    EXPECT_EQ(Preamble(3).rfind("ООО Ромашка, именуемое в дальнейшем \"Арендодатель\"", 0), 0u);
}

TEST_F(WordingTest, WholeHeader) {
    Select(testing::Organisation(), std::nullopt);
    body.Paragraph(ParClauseText).m_strName = "";
    body.Paragraph(ParClauseText).m_strText = "";
    user.Text(CUser::RepresentedBy) = "";
    EXPECT_EQ(
        U(ContractHeader(ctx, HeaderMode::Page)),
        "ООО \"Василек\", с одной стороны, и ООО Ромашка в лице Генерального директора Иванова "
        "Ивана Ивановича, действующего на основании Устава, с другой стороны, заключили "
        "настоящий договор о нижеследующем:");
    EXPECT_EQ(U(body.Paragraph(ParArticleHead).m_strText),
              "заключили настоящий договор о нижеследующем:");

    body.Paragraph(ParArticleHead).m_nCheck = 1;
    body.Paragraph(ParTitle).m_strText = W("СОГЛАШЕНИЕ");
    EXPECT_EQ(U(ContractHeader(ctx, HeaderMode::RtfParagraphs)),
              "ООО \"Василек\", с одной стороны, и\\parООО Ромашка в лице Генерального директора "
              "Иванова Ивана Ивановича, действующего на основании Устава, с другой "
              "стороны,\\par_________________________, в лице _________________________, "
              "действующего на основании Устава, с третьей стороны,\\parзаключили настоящее "
              "соглашение о нижеследующем:\\par \\pard");
    EXPECT_EQ(U(ContractHeader(ctx, HeaderMode::Rtf)).find("\\par"), std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// Lines under the contract text

TEST_F(WordingTest, UserLines) {
    EXPECT_EQ(Line(1, 0), "Продавец");
    EXPECT_EQ(Line(1, 1), "ООО \"Василек\"");
    EXPECT_EQ(Line(1, 2), "Москва, ИНН 7700000000 р/с 40702810900000000002 тел. 111-11-11");
    EXPECT_EQ(Line(1, 3), "____________/С.С. Сидоров");
    ctx.user = nullptr; // requisites not loaded
    EXPECT_EQ(Line(1, 2), "  ");
}

TEST_F(WordingTest, CounterpartyLines) {
    const struct {
        const char *name;
        std::optional<PartyRow> row;
        const char *nameLine, *requisites, *signature;
    } cases[] = {
        {"organisation", testing::Organisation(), "ООО Ромашка",
         "101000 Москва ул. Ленина, 1 ИНН:&nbsp;7701234567 р/с&nbsp;№40702810000000000001 "
         "в&nbsp;банке:&nbsp;Сбербанк кор/с&nbsp;№30101810400000000225 БИК:&nbsp;044525225 "
         "ОКПО:&nbsp;12345678 ОКВЭД:&nbsp;51.1, 123-45-67",
         "____________/И.И.&nbsp;Иванов"},
        {"organisation, bank without account",
         With(testing::Organisation(), {{"RS", ""},
                                        {"KS", ""},
                                        {"OKPO", ""},
                                        {"Otgr", "ст. Товарная"},
                                        {"Form", ""},
                                        {"Address", "  "}}),
         "Ромашка",
         "101000 Москва ИНН:&nbsp;7701234567 р/с в&nbsp;банке:&nbsp;Сбербанк БИК:&nbsp;044525225 "
         "ОКВЭД:&nbsp;51.1, ст. Товарная, 123-45-67",
         "____________/И.И.&nbsp;Иванов"},
        {"organisation, no bank",
         With(testing::Organisation(), {{"NameB", ""}, {"KS", ""}, {"BIK", ""}, {"Tel", ""}}),
         "ООО Ромашка",
         "101000 Москва ул. Ленина, 1 ИНН:&nbsp;7701234567 р/с&nbsp;№40702810000000000001 "
         "ОКПО:&nbsp;12345678 ОКВЭД:&nbsp;51.1",
         "____________/И.И.&nbsp;Иванов"},
        {"citizen", testing::Citizen(), "Мария Ивановна Петрова.",
         "190000 Санкт-Петербург Невский пр., 10 паспорт серии 4005 №654321, выдан ОВД "
         "Центрального района, 8-812-000-00-00",
         "____________/М.И.&nbsp;Петрова"},
        {"entrepreneur", With(testing::Citizen(), {{"TypePersonFlag", "true"}, {"Family", ""}}),
         "Мария Ивановна Петрова.",
         "190000 Санкт-Петербург Невский пр., 10, ИНН:780012345678 паспорт серии 4005 №654321, "
         "8-812-000-00-00",
         "____________/М.И.&nbsp;Петрова"},
        {"not selected", std::nullopt, "_________________________",
         "________________________________ ИНН:&nbsp;___________________________ "
         "р/с&nbsp;№___________________________ в&nbsp;банке:&nbsp;_______________________ "
         "к/с&nbsp;№___________________________ БИК:&nbsp;___________ ОКПО&nbsp;__________ "
         "ОКВЭД&nbsp;_______&nbsp;тел.&nbsp;_____________ ",
         "____________/____________________"},
    };
    for (const auto &c : cases) {
        Select(c.row);
        EXPECT_EQ(Line(2, 0), "Покупатель") << c.name;
        EXPECT_EQ(Line(2, 1), c.nameLine) << c.name;
        EXPECT_EQ(Line(2, 2), c.requisites) << c.name;
        EXPECT_EQ(Line(2, 3), c.signature) << c.name;
    }
}

} // namespace
} // namespace dravo::textgen
