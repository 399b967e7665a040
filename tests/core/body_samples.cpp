#include "body_samples.h"

#include "core/defaults.h"
#include "core/text.h"

namespace dravo::test {

using namespace dravo::literals;

CBody SampleBody() {
    CBody body;
    FillNewTemplate(body, "г. Новосибирск"_w);
    body.m_arParagraphs[ParSubtitle].m_strText = "(поставки)"_w;
    body.m_arParagraphs[ParClauseText].m_strName = "Поставщик"_w;
    body.m_arParagraphs[ParClauseText].m_strText = "Покупатель"_w;
    body.m_arParagraphs[ParReqText].m_dFirstIndent = 2.5;

    body.m_arArticles.clear();
    for (int a = 0; a < 3; ++a) {
        CPar article;
        article.m_head.m_nType = static_cast<std::uint16_t>(a + 1);
        article.m_head.m_nCheck = 1;
        article.m_head.m_strName = std::string("Статья "_w) + std::to_string(a + 1);
        article.m_head.m_strText = ToUpper(article.m_head.m_strName);
        for (int c = 0; c < 4; ++c) {
            CPun clause;
            clause.m_nType = static_cast<std::uint16_t>(c % 5);
            clause.m_nCheck = c == 3 ? 0 : 1;
            clause.m_nMark = c == 2 ? 1 : 0;
            clause.m_strName = std::string("Пункт "_w) + std::to_string(c + 1);
            clause.m_strText =
                std::string("Поставщик обязуется передать товар в срок {срок поставки}."_w);
            article.m_arItems.push_back(clause);
        }
        body.m_arArticles.push_back(article);
    }
    body.m_arArticles[1].m_arItems[0].m_strText = std::string(300, 'x');   // u16 prefix
    body.m_arArticles[2].m_arItems[1].m_strText = std::string(70000, 'y'); // 4-byte prefix
    body.m_arArticles[2].m_arItems[2].m_dWidth = -12.75;

    for (int v = 0; v < 3; ++v) {
        CPun var;
        var.m_nType = static_cast<std::uint16_t>(v);
        var.m_strName = std::string("переменная "_w) + std::to_string(v);
        var.m_strText = std::string("значение"_w);
        body.m_parVariables.m_arItems.push_back(var);
    }
    body.SetRecordNumbers(17, -1);
    return body;
}

void RawItem(ArchiveWriter &out, const CPun &p) {
    out.U16(p.m_nType);
    out.U16(p.m_nCheck);
    out.U16(p.m_nMark);
    out.Text(p.m_strName);
    out.Text(p.m_strText);
    out.Text(p.m_strFont);
    out.U16(p.m_nFontSize);
    out.U16(p.m_nItalic);
    out.U16(p.m_nBold);
    out.U16(p.m_nAlign);
    out.U16(p.m_nTopMargin);
    out.U16(p.m_nLeftMargin);
    out.F64(p.m_dWidth);
    out.F64(p.m_dFirstIndent);
}

void RawList(ArchiveWriter &out, const CPar &par) {
    RawItem(out, par.m_head);
    out.U16(static_cast<std::uint16_t>(par.m_arItems.size()));
    for (const CPun &item : par.m_arItems)
        RawItem(out, item);
}

std::string RawBodyBytes(const CBody &body, std::string_view version) {
    ArchiveWriter out;
    out.Text(version);
    out.U16(static_cast<std::uint16_t>(body.m_arArticles.size()));
    for (const CPun &p : body.m_arParagraphs)
        RawItem(out, p);
    for (const CPar &a : body.m_arArticles)
        RawList(out, a);
    RawList(out, body.m_parVariables);
    if (version == kCurrentVersion) {
        RawList(out, body.m_parParties);
        for (const CPar &t : body.m_parFieldTables)
            RawList(out, t);
        RawList(out, body.m_parLayout);
    }
    return out.Take();
}

} // namespace dravo::test
