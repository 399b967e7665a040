// Shared helpers of the contract-text tests: UTF-8 literals to windows-1251 and back, fake data
// sources and a small template body with known styles.
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/body.h"
#include "core/text.h"
#include "textgen/context.h"
#include "textgen/datasource.h"

namespace dravo::textgen::testing {

// Test sources are UTF-8; the engine speaks windows-1251.
inline std::string W(std::string_view utf8) {
    return FromUtf8(utf8);
}
inline std::string U(std::string_view cp1251) {
    return ToUtf8(cp1251);
}

inline PartyRow Row(std::initializer_list<std::pair<const char *, const char *>> columns) {
    PartyRow row;
    for (const auto &[name, value] : columns)
        row.Set(name, W(value));
    return row;
}

inline PartyRow Organisation() {
    return Row({{"Form", "ООО"},
                {"Name", "Ромашка"},
                {"City", "101000 Москва"},
                {"Address", "ул. Ленина, 1"},
                {"Family", "Иванов"},
                {"IO", "Иван Иванович"},
                {"Dolgn", "Генеральный директор"},
                {"INN", "7701234567"},
                {"OKPO", "12345678"},
                {"OKONH", "51.1"},
                {"RS", "40702810000000000001"},
                {"Tel", "123-45-67"},
                {"Otgr", ""},
                {"PersonFlag", "false"},
                {"TypePersonFlag", "false"},
                {"BankID", "3"},
                {"NameB", "Сбербанк"},
                {"KS", "30101810400000000225"},
                {"BIK", "044525225"},
                {"AddressB", "Москва"}});
}

inline PartyRow Citizen() {
    return Row({{"Form", "Мария Ивановна"},
                {"Name", "Петрова."},
                {"City", "190000 Санкт-Петербург"},
                {"Address", "Невский пр., 10"},
                {"Family", "ОВД Центрального района"},
                {"IO", "123456"},
                {"Dolgn", "ИФНС № 1"},
                {"INN", "4005"},
                {"OKPO", "654321"},
                {"OKONH", ""},
                {"RS", "780012345678"},
                {"Tel", "8-812-000-00-00"},
                {"Otgr", ""},
                {"PersonFlag", "true"},
                {"TypePersonFlag", "false"},
                {"BankID", "-1"}});
}

class FakeParties : public PartySource {
  public:
    std::optional<PartyRow> counterparty;
    std::optional<PartyRow> thirdParty;
    int calls = 0;

    std::optional<PartyRow> SelectedParty(PartySide side) override {
        ++calls;
        return side == PartySide::Counterparty ? counterparty : thirdParty;
    }
};

class FakeSubjects : public SubjectSource {
  public:
    std::map<std::string, SubjectSet, std::less<>> sets;

    std::optional<SubjectSet> FindSet(std::string_view category) override {
        const auto it = sets.find(category);
        if (it == sets.end())
            return std::nullopt;
        return it->second;
    }

    // A set of seven rows, the given ones first, the rest unused.
    void Add(std::string_view utf8Name, std::initializer_list<SubjectRow> rows) {
        SubjectSet set;
        set.category = W(utf8Name);
        set.rows = rows;
        set.rows.resize(kSubjectRows);
        sets[set.category] = set;
    }
};

inline SubjectRow Item(const char *name, std::int64_t kolvo, const char *edizm, double price,
                       double summ, const char *currency = "", const char *vat = "") {
    return SubjectRow{W(name), kolvo, W(edizm), price, summ, W(currency), W(vat)};
}

// A template body with known styles: the title "ДОГОВОР", two parties "Продавец" and
// "Покупатель", styles in Arial 12 (the title 14, bold and centred), widths 600.
inline CBody StyledBody() {
    CBody body;
    for (std::uint16_t k = 0; k < kParagraphCount; ++k) {
        CPun &p = body.Paragraph(k);
        p.m_strFont = "Arial";
        p.m_nFontSize = 12;
        p.m_dWidth = 600.0;
    }
    CPun &title = body.Paragraph(ParTitle);
    title.m_strText = W("ДОГОВОР");
    title.m_nType = 1;
    title.m_nFontSize = 14;
    title.m_nBold = 1;
    title.m_nAlign = 1;
    body.Paragraph(ParDateLine).m_strText = W("г. Москва");
    body.Paragraph(ParClauseText).m_strName = W("Продавец");
    body.Paragraph(ParClauseText).m_strText = W("Покупатель");
    body.Paragraph(ParClauseText).m_nAlign = 3;
    body.Paragraph(ParClauseText).m_dFirstIndent = 2.0;
    body.m_arArticles.clear();
    return body;
}

inline CPun Clause(std::string_view utf8Text, std::uint16_t type = 0, std::uint16_t check = 1) {
    CPun c;
    c.m_strText = W(utf8Text);
    c.m_nType = type;
    c.m_nCheck = check;
    return c;
}

inline CPar Article(std::string_view utf8Heading, std::initializer_list<CPun> clauses,
                    std::uint16_t type = 1, std::uint16_t check = 1) {
    CPar a;
    a.m_head.m_strText = W(utf8Heading);
    a.m_head.m_nType = type;
    a.m_head.m_nCheck = check;
    a.m_arItems = clauses;
    return a;
}

inline void AddVariable(CBody &body, std::string_view utf8Name, std::string_view utf8Value) {
    CPun v;
    v.m_strName = W(utf8Name);
    v.m_strText = W(utf8Value);
    body.m_parVariables.m_arItems.push_back(v);
}

} // namespace dravo::textgen::testing
