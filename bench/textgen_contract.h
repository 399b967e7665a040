// What the contract benchmarks share: the company that signs, the paragraph formats of the
// template, the clause filler and an empty article.
#pragma once

#include <cstdint>
#include <string>

#include "core/body.h"
#include "core/text.h"
#include "textgen/datasource.h"

namespace dravo::bench {

// A limited company of the given name, its director signing.
inline textgen::PartyRow Company(const char *nameUtf8) {
    textgen::PartyRow row;
    row.Set("Form", FromUtf8("ООО"));
    row.Set("Name", FromUtf8(nameUtf8));
    row.Set("City", FromUtf8("101000 Москва"));
    row.Set("Address", FromUtf8("ул. Ленина, 1"));
    row.Set("Family", FromUtf8("Иванов"));
    row.Set("IO", FromUtf8("Иван Иванович"));
    row.Set("Dolgn", FromUtf8("Генеральный директор"));
    row.Set("INN", "7701234567");
    row.Set("PersonFlag", "false");
    return row;
}

// Times New Roman 12 pt across 640 px everywhere, the supply contract's title and the sides'
// names; clauses indented by firstIndent.
inline void SetContractFormats(CBody &body, double firstIndent) {
    for (std::uint16_t k = 0; k < kParagraphCount; ++k) {
        body.Paragraph(k).m_strFont = "Times New Roman";
        body.Paragraph(k).m_nFontSize = 12;
        body.Paragraph(k).m_dWidth = 640;
    }
    body.Paragraph(ParTitle).m_strText = FromUtf8("ДОГОВОР ПОСТАВКИ");
    body.Paragraph(ParTitle).m_nType = 1;
    body.Paragraph(ParClauseText).m_strName = FromUtf8("Поставщик");
    body.Paragraph(ParClauseText).m_strText = FromUtf8("Покупатель");
    body.Paragraph(ParClauseText).m_dFirstIndent = firstIndent;
}

// The sentence clauses are filled up with to the size a benchmark asks.
inline const std::string &ClauseFiller() {
    static const std::string filler = FromUtf8(
        "Стороны обязуются исполнять условия настоящего договора надлежащим образом и в срок. ");
    return filler;
}

// An article with its heading shown and no clauses yet.
inline CPar ContractArticle() {
    CPar article;
    article.m_head.m_nCheck = 1;
    article.m_head.m_nType = 1;
    article.m_head.m_strText = FromUtf8("СТАТЬЯ ДОГОВОРА");
    return article;
}

} // namespace dravo::bench
