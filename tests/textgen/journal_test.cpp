#include "fixture.h"

#include "core/styles.h"
#include "textgen/journal.h"

#include <gtest/gtest.h>

using namespace dravo;
using namespace dravo::textgen;
using namespace dravo::textgen::testing;

namespace {

JournalRow MakeRow(int id, const char *number, const char *kontragent, const char *status) {
    JournalRow row;
    row.bookId = id;
    row.numberText = W(number);
    row.number = std::atoi(number);
    row.date = DateFromCalendar(2026, 3, 5);
    row.name = W("Договор поставки");
    row.kontragent = W(kontragent);
    row.status = W(status);
    row.predmet = std::string(kEmptyCell);
    row.price = 150000;
    row.dateControl = DateFromCalendar(2026, 12, 31);
    return row;
}

JournalSettings Settings() {
    StyleFile shipped = ShippedStyleFile();
    JournalSettings s =
        ReadJournalSettings(shipped.records[kJournalRecord], DateFromCalendar(2026, 6, 1));
    s.showCount = true;
    return s;
}

std::size_t Count(const std::string &text, std::string_view what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(JournalCard, StoredForms) {
    struct Case {
        const char *name, *number, *price;
        int storedNumber;
        long long storedPrice;
        const char *numberText;
    } cases[] = {
        {"digits then a letter", "12а", "1500", 12, 1500, "12а"},
        {"no leading digits", "б/н", "0", 0, 0, "б/н"},
        {"empty number", "", "", 0, 0, "&nbsp;"},
        {"thousands gaps and kopecks", "7", "1 500 000,50", 7, 1500000, "7"},
        {"price with a currency", "8", "2000 руб.", 8, 2000, "8"},
    };
    for (const Case &c : cases) {
        CardFields card;
        card.number = W(c.number);
        card.price = W(c.price);
        EXPECT_EQ(CardProblem(card), "") << c.name;
        const JournalRow row = RowFromCard(card);
        EXPECT_EQ(row.number, c.storedNumber) << c.name;
        EXPECT_EQ(row.price, c.storedPrice) << c.name;
        EXPECT_EQ(U(row.numberText), c.numberText) << c.name;
        EXPECT_EQ(row.name, "&nbsp;") << c.name;
        EXPECT_EQ(CardFromRow(row).name, "") << c.name;
    }
    CardFields letters;
    letters.price = W("сто рублей");
    EXPECT_EQ(U(CardProblem(letters)), "Цена договора: укажите сумму числом");
    letters.price.clear();
    letters.number = "12345678901";
    EXPECT_NE(CardProblem(letters), "");
}

TEST(JournalSettings, RoundTripAndCurrentYearWhenNeverSet) {
    CBody record = NewStyleRecord();
    EnsureJournalColumns(record);
    const JournalSettings fresh = ReadJournalSettings(record, DateFromCalendar(2031, 7, 9));
    EXPECT_EQ(fresh.from, DateFromCalendar(2031, 1, 1));
    EXPECT_EQ(fresh.to, DateFromCalendar(2031, 12, 31));
    JournalSettings s = Settings();
    s.from = DateFromCalendar(2025, 2, 1);
    s.to = DateFromCalendar(2025, 2, 28);
    s.columns[ColKontragent].filter = W("ООО 'Ромашка'");
    s.columns[ColPrice].filter = "ignored: the price column has no filter";
    WriteJournalSettings(s, record);
    const JournalSettings back = ReadJournalSettings(record);
    EXPECT_EQ(back.columns[ColPrice].filter, "");
    s.columns[ColPrice].filter.clear();
    EXPECT_EQ(back, s);
    const JournalFilter f = FilterOf(back);
    EXPECT_EQ(f.kontragent, W("ООО 'Ромашка'"));
    EXPECT_EQ(f.name, "");
}

TEST(JournalPage, RowsColumnsAndCountLine) {
    JournalSettings s = Settings();
    const std::vector<JournalRow> rows = {MakeRow(4, "1", "ООО <Ромашка>", "покупатель"),
                                          MakeRow(9, "2", "ИП Петров", "&nbsp;")};
    CBody formats = ShippedStyleFile().records[kJournalRecord];
    const std::string page = BuildJournalPage(formats, s, rows);
    EXPECT_NE(page.find("background-color:floralwhite"), std::string::npos);
    EXPECT_NE(page.find("<A onClick='window.external.DirRekv(5)';><DIV CLASS = \"capdoc\">"),
              std::string::npos);
    EXPECT_NE(page.find(W("2026 г.</DIV>")), std::string::npos);
    EXPECT_NE(page.find("<A onClick='window.external.Direc(4)';>1</A>"), std::string::npos);
    EXPECT_NE(page.find("<A onclick='window.external.CardKontr(9)';> 05.03.26 </A>"),
              std::string::npos);
    // Directory text is escaped; a status of "&nbsp;" adds nothing after the counterparty.
    EXPECT_NE(page.find(W("ООО &lt;Ромашка&gt;, покупатель")), std::string::npos);
    EXPECT_NE(page.find(W(">ИП Петров</TD>")), std::string::npos);
    EXPECT_EQ(Count(page, "background-color:white;"), 1u);
    EXPECT_EQ(Count(page, "background-color:aliceblue;"), 1u);
    EXPECT_NE(page.find(W("<DIV CLASS = \"tab\">Всего документов: 2</DIV>")), std::string::npos);

    // Hidden columns vanish with their captions; without clickable regions nothing calls back.
    s.columns[ColPredmet].shown = false;
    s.showCount = false;
    const std::string plain = BuildJournalPage(formats, s, rows, false);
    EXPECT_EQ(plain.find(W("Предмет договора")), std::string::npos);
    EXPECT_EQ(plain.find("window.external"), std::string::npos);
    EXPECT_EQ(plain.find(W("Всего документов")), std::string::npos);
    EXPECT_EQ(Count(plain, "<TR STYLE=\"background-color:floralwhite;"), 2u);
    EXPECT_EQ(Count(page, "<TD WIDTH=25%") - Count(plain, "<TD WIDTH=25%"),
              3u); // two rows, one header
}

TEST(JournalPage, EmptyJournalCountsZeroAndNoTitleMeansNoTitleBlock) {
    JournalSettings s = Settings();
    s.title.clear();
    CBody formats = ShippedStyleFile().records[kJournalRecord];
    const std::string page = BuildJournalPage(formats, s, {});
    EXPECT_EQ(page.find("capdoc\">"), std::string::npos);
    EXPECT_NE(page.find(W("Всего документов: 0")), std::string::npos);
    EXPECT_EQ(page.substr(page.size() - 14), "</BODY></HTML>");
}

// A long journal goes in blocks of 100 rows, each a table of the same columns: the header comes
// once, every row once in journal order, the colours alternate across the blocks, and the blocks
// after the first are drawn only as they come near the window.
TEST(JournalPage, RowsInBlocksOfAHundred) {
    const JournalSettings s = Settings();
    const CBody formats = ShippedStyleFile().records[kJournalRecord];
    const struct {
        std::size_t rows, tables;
    } cases[] = {{0, 1}, {1, 1}, {100, 1}, {101, 2}, {250, 3}};
    for (const auto &c : cases) {
        std::vector<JournalRow> rows;
        for (std::size_t i = 0; i < c.rows; ++i)
            rows.push_back(MakeRow(int(i) + 1, std::to_string(i + 1).c_str(), "ООО Ромашка", ""));
        const std::string page = BuildJournalPage(formats, s, rows);
        EXPECT_EQ(Count(page, "<TABLE CLASS=\"jt\""), c.tables) << c.rows;
        EXPECT_EQ(Count(page, "</TABLE>"), c.tables) << c.rows;
        EXPECT_EQ(Count(page, "<COLGROUP>"), c.tables) << c.rows;
        EXPECT_EQ(Count(page, "<DIV CLASS=\"jb\" STYLE=\"contain-intrinsic-size:"), c.tables - 1)
            << c.rows;
        EXPECT_EQ(Count(page, "<THEAD"), 1u) << c.rows;
        EXPECT_EQ(Count(page, "<TR STYLE="), c.rows) << c.rows;
        EXPECT_EQ(Count(page, "background-color:aliceblue;"), c.rows / 2) << c.rows;
        std::size_t at = 0;
        for (std::size_t i = 0; i < c.rows; ++i) {
            at = page.find("Direc(" + std::to_string(i + 1) + ")", at);
            ASSERT_NE(at, std::string::npos) << c.rows << " row " << i;
        }
        EXPECT_NE(page.find(W("Всего документов: ") + std::to_string(c.rows) + "</DIV>", at),
                  std::string::npos);
    }
}

// The short columns are as wide as their longest value: a long number widens the number column,
// and a long word of a text column may wrap inside its cell.
TEST(JournalPage, ShortColumnsFitTheirLongestValue) {
    const JournalSettings s = Settings();
    const CBody formats = ShippedStyleFile().records[kJournalRecord];
    const auto numberColumn = [&](const char *number) {
        const std::string page = BuildJournalPage(formats, s, {{MakeRow(1, number, "x", "")}});
        const std::size_t col = page.find("<COL STYLE=\"width:calc(");
        return std::stoi(page.substr(col + 23));
    };
    EXPECT_LT(numberColumn("1"), numberColumn("1234567"));
    EXPECT_LT(numberColumn("1234567"), numberColumn("ДОГ-12/ЮР"));
    EXPECT_NE(BuildJournalPage(formats, s, {}).find("overflow-wrap:break-word"), std::string::npos);

    // A text column shares the rest of the width, unless its longest word would not fit there.
    const auto nameColumn = [&](const char *name) {
        JournalRow row = MakeRow(1, "1", "x", "");
        row.name = W(name);
        const std::string page = BuildJournalPage(formats, s, {{row}});
        std::size_t col = page.find("<COLGROUP>");
        for (int k = 0; k < 3; ++k) // the number, the date, the name
            col = page.find("<COL", col + 1);
        return page.substr(col, page.find('>', col) - col + 1);
    };
    EXPECT_EQ(nameColumn("Договор поставки"), "<COL>");
    EXPECT_NE(nameColumn("Договоркупли-продажинедвижимогоимуществасрассрочкойплатежа"), "<COL>");
}

namespace {

struct PrefillSetup {
    CBody body = StyledBody();
    FakeParties parties;
    FakeSubjects subjects;

    PrefillSetup() {
        CPun &order = body.Paragraph(ParClauseText);
        order.m_nType = 1; // the user first, the counterparty second, a third party third
        order.m_nCheck = 2;
        order.m_nMark = 3;
    }

    CardFields Prefill(std::string *problem = nullptr) {
        DocumentContext ctx(body);
        ctx.highlight = false;
        ctx.htmlText = false;
        ctx.LoadParties(&parties);
        ctx.LoadSubjects(&subjects);
        return PrefillCard(ctx, {"17", DateFromCalendar(2026, 4, 2)}, problem);
    }
};

} // namespace

TEST(JournalPrefill, NumberDatesTitleAndParties) {
    PrefillSetup s;
    s.parties.counterparty = Organisation();
    std::string problem;
    CardFields card = s.Prefill(&problem);
    EXPECT_EQ(problem, "");
    EXPECT_EQ(card.number, "17");
    EXPECT_EQ(card.date, DateFromCalendar(2026, 4, 2));
    EXPECT_EQ(card.dateControl, DateFromCalendar(2026, 12, 31));
    EXPECT_EQ(U(card.name), "ДОГОВОР");
    EXPECT_EQ(U(card.kontragent), "ООО Ромашка");
    EXPECT_EQ(U(card.status), "покупатель");

    // A third party joins both fields; a citizen is named surname first.
    s.body.Paragraph(ParArticleHead).m_nCheck = 1;
    s.body.Paragraph(ParArticleHead).m_strName = W("Гарант");
    s.parties.thirdParty = Citizen();
    s.body.Paragraph(ParTitle).m_strText.clear();
    card = s.Prefill();
    EXPECT_EQ(U(card.kontragent), "ООО Ромашка, Петрова. Мария Ивановна");
    EXPECT_EQ(U(card.status), "покупатель, гарант");
    EXPECT_EQ(U(card.name), "<не определен>");

    // An order that is no permutation: the message, and the counterparty read at position 2.
    s.body.Paragraph(ParClauseText).m_nMark = 2;
    card = s.Prefill(&problem);
    EXPECT_EQ(U(problem).rfind("Ошибка определения названия сторон. Обратитесь к разработчику ", 0),
              0u);
    EXPECT_EQ(U(card.status), "покупатель, гарант");
}

TEST(JournalPrefill, SubjectAndPriceFallBackInOrder) {
    struct Case {
        const char *name;
        bool withSet;
        std::vector<std::pair<const char *, const char *>> variables;
        const char *subject, *price;
    } cases[] = {
        {"the subject set", true, {{"наименование", "лишнее"}}, "станок", "3000.00"},
        {"no set: наименование and сумма",
         false,
         {{"наименование", "Квартира"}, {"сумма", "900 000"}},
         "Квартира",
         "900 000"},
        {"no set: название and цена", false, {{"название", "Дом"}, {"цена", " 75 "}}, "Дом", "75"},
        {"nothing at all", false, {}, "", "0"},
    };
    for (const Case &c : cases) {
        PrefillSetup s;
        if (c.withSet) {
            s.body.Paragraph(ParReqText).m_strName = W("Станки");
            s.subjects.Add("станок", {Item("Станок токарный", 2, "шт.", 1500, 3000)});
            s.subjects.sets.begin()->second.category = W("станок");
            s.body.Paragraph(ParReqText).m_strName = W("станок");
        }
        for (const auto &[word, value] : c.variables)
            AddVariable(s.body, word, value);
        const CardFields card = s.Prefill();
        EXPECT_EQ(U(card.predmet), c.subject) << c.name;
        EXPECT_EQ(U(card.price), c.price) << c.name;
    }
}
