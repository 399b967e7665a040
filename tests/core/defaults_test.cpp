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

// Every cell of the four default tables, slots 0-19 row after row; slots 20-29 are blank.
const FieldRow kFieldTables[kFieldTableCount * 20] = {
    // row 0
    {"фамилия"_w, "Фамилия"_w, 1},
    {"имя"_w, "Имя, отчество"_w, 1},
    {"индекс"_w, "Индекс, город"_w, 1},
    {"адрес"_w, "Адрес"_w, 1},
    {"телефон"_w, "Телефон"_w, 1},
    {"элпочта"_w, "Адрес эл. почты"_w, 0},
    {"паспорт"_w, "Номер и серия поспорта"_w, 1},
    {"паспорт выдан"_w, "Когда выдан паспорт"_w, 1},
    {"орган милиции"_w, "Кем выдан паспорт"_w, 0},
    {"название"_w, "Название предприятия"_w, 1},
    {"оргформа"_w, "Оргформа предприятия"_w, 0},
    {"должность"_w, "Должность"_w, 1},
    {"подразделение"_w, "Подразделение предприятия"_w, 0},
    {"начальник"_w, "Начальник"_w, 0},
    {"страховое свидетельство"_w, "Страховое свидетельство"_w, 0},
    {"", "", 0},
    {"", "", 0},
    {"", "", 0},
    {"", "", 0},
    {"", "", 0},
    // row 1
    {"фамилия"_w, "Фамилия"_w, 1},
    {"имя"_w, "Имя, отчество"_w, 1},
    {"индекс"_w, "Индекс, город"_w, 1},
    {"адрес"_w, "Адрес"_w, 1},
    {"телефон"_w, "Телефон"_w, 1},
    {"элпочта"_w, "Адрес эл. почты"_w, 0},
    {"паспорт"_w, "Номер и серия поспорта"_w, 1},
    {"паспорт выдан"_w, "Когда выдан паспорт"_w, 1},
    {"орган милиции"_w, "Кем выдан паспорт"_w, 0},
    {"свидетельство"_w, "Свидетельство предпринимателя"_w, 1},
    {"дата свидетельства"_w, "Когда выдано свидетельство"_w, 0},
    {"административный орган"_w, "Кем выдано свидетельство"_w, 0},
    {"страховое свидетельство"_w, "Страховое свидетельство"_w, 0},
    {"инн"_w, "ИНН"_w, 1},
    {"резерв"_w, "", 0},
    {"р/с"_w, "Расчетный счет"_w, 1},
    {"банк"_w, "В банке"_w, 1},
    {"к/с"_w, "Корреспондентский счет"_w, 1},
    {"бик"_w, "БИК"_w, 1},
    {"ж/д"_w, "Отгрузочные реквизиты"_w, 0},
    // row 2
    {"название"_w, "Название"_w, 1},
    {"оргформа"_w, "Орг.-правовая форма"_w, 1},
    {"индекс"_w, "Индекс, город"_w, 1},
    {"адрес"_w, "Адрес"_w, 1},
    {"телефон"_w, "Телефоны"_w, 1},
    {"элпочта"_w, "Адрес эл. почты"_w, 0},
    {"факс"_w, "Факс"_w, 0},
    {"фамилия"_w, "Фамилия руководителя"_w, 1},
    {"имя"_w, "Имя, отчество руководителя"_w, 1},
    {"должность"_w, "Название должности"_w, 1},
    {"основание"_w, "Действует на основании"_w, 1},
    {"инн"_w, "ИНН"_w, 1},
    {"окпо"_w, "ОКПО"_w, 1},
    {"оконх"_w, "ОКВЭД"_w, 1},
    {"кпп"_w, "КПП"_w, 0},
    {"р/с"_w, "Расчетный счет"_w, 1},
    {"банк"_w, "В банке"_w, 1},
    {"к/с"_w, "Корреспондентский счет"_w, 1},
    {"бик"_w, "БИК"_w, 1},
    {"ж/д"_w, "Отгрузочные реквизиты"_w, 0},
    // row 3
    {"название"_w, "Название"_w, 1},
    {"территория"_w, "Территория"_w, 1},
    {"индекс"_w, "Индекс, город"_w, 1},
    {"адрес"_w, "Адрес"_w, 1},
    {"телефон"_w, "Телефоны"_w, 1},
    {"элпочта"_w, "Адрес эл. почты"_w, 0},
    {"факс"_w, "Факс"_w, 1},
    {"фамилия"_w, "Фамилия руководителя"_w, 1},
    {"имя"_w, "Имя, отчество руководителя"_w, 1},
    {"должность"_w, "Название должности"_w, 1},
    {"основание"_w, "Действует на основании"_w, 1},
    {"инн"_w, "ИНН"_w, 1},
    {"окпо"_w, "ОКПО"_w, 1},
    {"оконх"_w, "ОКВЭД"_w, 1},
    {"кпп"_w, "КПП"_w, 0},
    {"р/с"_w, "Расчетный счет"_w, 1},
    {"банк"_w, "В банке"_w, 1},
    {"к/с"_w, "Корреспондентский счет"_w, 1},
    {"бик"_w, "БИК"_w, 1},
    {"", "", 0},
};

TEST(NewTemplate, FieldTablesHoldTheDefaultDescriptorsInEveryCell) {
    CBody body;
    FillNewTemplate(body, "");
    for (std::uint16_t row = 0; row < kFieldTableCount; ++row) {
        ASSERT_EQ(body.m_parFieldTables[row].m_arItems.size(), kFieldTableSlots);
        EXPECT_EQ(body.m_parFieldTables[row].m_head, CPun{}) << row;
        for (std::uint16_t slot = 0; slot < kFieldTableSlots; ++slot) {
            CPun expected;
            if (slot < 20) {
                const FieldRow &e = kFieldTables[row * 20 + slot];
                expected.m_strName = e.word;
                expected.m_strText = e.caption;
                expected.m_nCheck = e.flag;
            }
            EXPECT_EQ(body.FieldDescriptor(row, slot), expected) << row << "/" << slot;
        }
    }
}

} // namespace
