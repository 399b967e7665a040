#include "defaults.h"

#include "body_io.h"
#include "text.h"

#include <array>

namespace dravo {

using namespace literals;

namespace {

struct Field {
    std::string_view word;
    std::string_view caption;
    std::uint16_t flag;
};

// Slots 0..19 of each table; the rest stay empty. The caption "Номер и серия поспорта" is spelt
// so in every file the program has ever written, and "оконх" is the word for "ОКВЭД".
constexpr std::size_t kFilledSlots = 20;
using Row = std::array<Field, kFilledSlots>;

const std::array<Row, kFieldTableCount> &DefaultRows() {
    static const std::array<Row, kFieldTableCount> rows = {{
        // 0: a citizen
        {{{"фамилия"_w, "Фамилия"_w, 1},
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
          {},
          {},
          {},
          {},
          {}}},
        // 1: an entrepreneur
        {{{"фамилия"_w, "Фамилия"_w, 1},
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
          {"резерв"_w, ""_w, 0},
          {"р/с"_w, "Расчетный счет"_w, 1},
          {"банк"_w, "В банке"_w, 1},
          {"к/с"_w, "Корреспондентский счет"_w, 1},
          {"бик"_w, "БИК"_w, 1},
          {"ж/д"_w, "Отгрузочные реквизиты"_w, 0}}},
        // 2: an organisation
        {{{"название"_w, "Название"_w, 1},
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
          {"ж/д"_w, "Отгрузочные реквизиты"_w, 0}}},
        // 3: an organisation with a territory
        {{{"название"_w, "Название"_w, 1},
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
          {}}},
    }};
    return rows;
}

struct ParagraphDefault {
    std::uint16_t type, check, mark;
    std::string_view name, text;
    std::uint16_t size, italic, bold, align, top;
    double firstIndent, width;
};

} // namespace

void SetDefaultFieldTables(CBody &body) {
    const auto &rows = DefaultRows();
    for (std::size_t row = 0; row < kFieldTableCount; ++row) {
        std::vector<CPun> items(kFieldTableSlots);
        for (std::size_t slot = 0; slot < kFilledSlots; ++slot) {
            const Field &f = rows[row][slot];
            items[slot].m_strName = f.word;
            items[slot].m_strText = f.caption;
            items[slot].m_nCheck = f.flag;
        }
        body.m_parFieldTables[row].m_arItems = std::move(items);
    }
}

void FillNewTemplate(CBody &body, std::string_view place) {
    CBody fresh;

    CPar &article = fresh.m_arArticles.at(0);
    article.m_head.m_strText = "НОВЫЙ ШАБЛОН ДОГОВОРА"_w;
    article.m_head.m_strName = "Новый шаблон договора"_w;
    article.m_head.m_nCheck = 1;
    CPun clause;
    clause.m_strText = "...Текст..."_w;
    clause.m_strName = "Измените этот текст"_w;
    clause.m_nCheck = 1;
    article.m_arItems.push_back(std::move(clause));

    // The title in 12-point bold, centred; the date line italic and justified; clause text
    // justified with a 15-space first indent; the user first, the counterparty second.
    static constexpr std::array<ParagraphDefault, kParagraphCount> paragraphs = {{
        {1, 0, 0, "Российская{/}Федерация"_w, "ДОГОВОР"_w, 12, 0, 2, 1, 0, 0.0, 640.0},
        {0, 1, 1, {}, {}, 11, 0, 2, 1, 0, 0.0, 640.0},
        {0, 5, 0, {}, {}, 10, 1, 0, 3, 15, 0.0, 640.0},
        {0, 0, 0, {}, {}, 11, 0, 1, 1, 10, 0.0, 640.0},
        {1, 2, 3, "Первая сторона"_w, "Вторая сторона"_w, 10, 0, 0, 3, 5, 15.0, 640.0},
        {0, 0, 0, {}, {}, 9, 0, 2, 1, 5, 0.0, 310.0},
        {0, 0, 0, {}, {}, 9, 0, 0, 0, 0, 0.0, 310.0},
    }};
    for (std::size_t k = 0; k < kParagraphCount; ++k) {
        const ParagraphDefault &d = paragraphs[k];
        CPun &p = fresh.m_arParagraphs[k];
        p.m_nType = d.type;
        p.m_nCheck = d.check;
        p.m_nMark = d.mark;
        p.m_strName = d.name;
        p.m_strText = d.text;
        p.m_strFont = "Courier New";
        p.m_nFontSize = d.size;
        p.m_nItalic = d.italic;
        p.m_nBold = d.bold;
        p.m_nAlign = d.align;
        p.m_nTopMargin = d.top;
        p.m_nLeftMargin = 0;
        p.m_dFirstIndent = d.firstIndent;
        p.m_dWidth = d.width;
    }
    fresh.m_arParagraphs[ParDateLine].m_strText = place;

    UpgradeBody(fresh);
    body = std::move(fresh);
}

} // namespace dravo
