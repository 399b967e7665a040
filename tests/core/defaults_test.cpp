#include "core/body_io.h"
#include "core/defaults.h"
#include "core/text.h"

#include <gtest/gtest.h>

using namespace dravo;
using namespace dravo::literals;

namespace {

struct ParagraphRow {
    std::uint16_t type, check, mark;
    std::string_view name, text;
    std::uint16_t size, italic, bold, align, top;
    double firstIndent, width;
};

const ParagraphRow kExpected[kParagraphCount] = {
    {1, 0, 0, "Российская{/}Федерация"_w, "ДОГОВОР"_w, 12, 0, 2, 1, 0, 0.0, 640.0},
    {0, 1, 1, "", "", 11, 0, 2, 1, 0, 0.0, 640.0},
    {0, 5, 0, "", "с. Верхние Пупсы"_w, 10, 1, 0, 3, 15, 0.0, 640.0},
    {0, 0, 0, "", "", 11, 0, 1, 1, 10, 0.0, 640.0},
    {1, 2, 3, "Первая сторона"_w, "Вторая сторона"_w, 10, 0, 0, 3, 5, 15.0, 640.0},
    {0, 0, 0, "", "", 9, 0, 2, 1, 5, 0.0, 310.0},
    {0, 0, 0, "", "", 9, 0, 0, 0, 0, 0.0, 310.0},
};

void ExpectDefaults(const CBody &body) {
    EXPECT_EQ(body.m_strVersion, "ADF2.2");
    for (std::size_t k = 0; k < kParagraphCount; ++k) {
        SCOPED_TRACE("paragraph " + std::to_string(k));
        const CPun &p = body.m_arParagraphs[k];
        const ParagraphRow &e = kExpected[k];
        EXPECT_EQ(p.m_nType, e.type);
        EXPECT_EQ(p.m_nCheck, e.check);
        EXPECT_EQ(p.m_nMark, e.mark);
        EXPECT_EQ(p.m_strName, e.name);
        EXPECT_EQ(p.m_strText, e.text);
        EXPECT_EQ(p.m_strFont, "Courier New");
        EXPECT_EQ(p.m_nFontSize, e.size);
        EXPECT_EQ(p.m_nItalic, e.italic);
        EXPECT_EQ(p.m_nBold, e.bold);
        EXPECT_EQ(p.m_nAlign, e.align);
        EXPECT_EQ(p.m_nTopMargin, e.top);
        EXPECT_EQ(p.m_nLeftMargin, 0);
        EXPECT_EQ(p.m_dFirstIndent, e.firstIndent);
        EXPECT_EQ(p.m_dWidth, e.width);
    }
    ASSERT_EQ(body.ArticleCount(), 1u);
    CPun heading;
    heading.m_strText = "НОВЫЙ ШАБЛОН ДОГОВОРА"_w;
    heading.m_strName = "Новый шаблон договора"_w;
    heading.m_nCheck = 1;
    EXPECT_EQ(body.Article(0).m_head, heading);
    ASSERT_EQ(body.ClauseCount(0), 1u);
    CPun clause;
    clause.m_strText = "...Текст..."_w;
    clause.m_strName = "Измените этот текст"_w;
    clause.m_nCheck = 1;
    EXPECT_EQ(body.Clause(0, 0), clause);
    EXPECT_EQ(body.VariableCount(), 0u);
    EXPECT_EQ(body.m_parParties.m_arItems.size(), 2u);
    EXPECT_EQ(body.m_parLayout.m_arItems.size(), 8u);
}

struct FieldRow {
    std::uint16_t row, slot;
    std::string_view word, caption;
    std::uint16_t flag;
};

TEST(NewTemplate, HasTheDefaultContent) {
    CBody body;
    FillNewTemplate(body, "с. Верхние Пупсы"_w);
    ExpectDefaults(body);
}

TEST(NewTemplate, SavedAndLoadedReproducesTheDefaults) {
    CBody body;
    FillNewTemplate(body, "с. Верхние Пупсы"_w);
    CBody loaded;
    std::string error;
    ASSERT_TRUE(LoadBody(StoreBody(body), loaded, error)) << error;
    ExpectDefaults(loaded);
    EXPECT_EQ(loaded, body);
}

TEST(NewTemplate, ReplacesWhateverTheBodyHeld) {
    CBody body;
    body.m_arArticles.resize(4);
    body.m_parVariables.m_arItems.resize(3);
    body.m_parLayout.m_arItems.resize(20);
    FillNewTemplate(body, "с. Верхние Пупсы"_w);
    ExpectDefaults(body);
}

TEST(NewTemplate, EmptySettlementGivesAnEmptyPlace) {
    CBody body;
    FillNewTemplate(body, "");
    EXPECT_EQ(body.m_arParagraphs[ParDateLine].m_strText, "");
}

TEST(NewTemplate, FieldTables) {
    CBody body;
    FillNewTemplate(body, "");
    const FieldRow rows[] = {
        {0, 0, "фамилия"_w, "Фамилия"_w, 1},
        {0, 6, "паспорт"_w, "Номер и серия поспорта"_w, 1},
        {0, 8, "орган милиции"_w, "Кем выдан паспорт"_w, 0},
        {0, 14, "страховое свидетельство"_w, "Страховое свидетельство"_w, 0},
        {0, 15, "", "", 0},
        {1, 9, "свидетельство"_w, "Свидетельство предпринимателя"_w, 1},
        {1, 14, "резерв"_w, "", 0},
        {1, 19, "ж/д"_w, "Отгрузочные реквизиты"_w, 0},
        {2, 1, "оргформа"_w, "Орг.-правовая форма"_w, 1},
        {2, 6, "факс"_w, "Факс"_w, 0},
        {2, 13, "оконх"_w, "ОКВЭД"_w, 1},
        {2, 14, "кпп"_w, "КПП"_w, 0},
        {3, 1, "территория"_w, "Территория"_w, 1},
        {3, 6, "факс"_w, "Факс"_w, 1},
        {3, 18, "бик"_w, "БИК"_w, 1},
        {3, 19, "", "", 0},
    };
    for (const FieldRow &r : rows) {
        const CPun &f = body.FieldDescriptor(r.row, r.slot);
        EXPECT_EQ(f.m_strName, r.word) << r.row << "/" << r.slot;
        EXPECT_EQ(f.m_strText, r.caption) << r.row << "/" << r.slot;
        EXPECT_EQ(f.m_nCheck, r.flag) << r.row << "/" << r.slot;
    }
    // Counts per row: filled slots and ticked flags.
    const std::size_t filled[] = {15, 20, 20, 19};
    const std::size_t ticked[] = {9, 13, 16, 17};
    for (std::uint16_t row = 0; row < kFieldTableCount; ++row) {
        std::size_t nFilled = 0, nTicked = 0;
        for (std::uint16_t slot = 0; slot < kFieldTableSlots; ++slot) {
            nFilled += body.FieldDescriptor(row, slot).m_strName.empty() ? 0 : 1;
            nTicked += body.FieldDescriptor(row, slot).m_nCheck;
        }
        EXPECT_EQ(nFilled, filled[row]) << row;
        EXPECT_EQ(nTicked, ticked[row]) << row;
    }
}

} // namespace
