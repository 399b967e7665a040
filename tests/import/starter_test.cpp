// The starter library's contracts, as the build imported them into the data skeleton: each reads
// as a contract of its kind, and with a counterparty and a subject every command in it resolves.
#include "core/body_io.h"
#include "core/text.h"
#include "textgen/context.h"
#include "textgen/datasource.h"
#include "textgen/page.h"
#include "textgen/substitute.h"

#include <gtest/gtest.h>

#include <set>

using namespace dravo;
using namespace dravo::textgen;

namespace {

struct OneParty : PartySource {
    std::optional<PartyRow> SelectedParty(PartySide side) override {
        if (side != PartySide::Counterparty)
            return std::nullopt;
        PartyRow row;
        row.Set("Name", FromUtf8("Бета"));
        row.Set("Form", FromUtf8("ООО"));
        row.Set("City", FromUtf8("г. Тверь"));
        row.Set("Address", FromUtf8("ул. Советская, д. 5"));
        row.Set("Family", FromUtf8("Иванов"));
        row.Set("IO", FromUtf8("Петр Сергеевич"));
        row.Set("Dolgn", FromUtf8("генеральный директор"));
        row.Set("INN", "7707083893");
        row.Set("Tel", "+7 4822 123456");
        return row;
    }
};

struct OneSubject : SubjectSource {
    std::optional<SubjectSet> FindSet(std::string_view category) override {
        if (category != FromUtf8("Оборудование"))
            return std::nullopt;
        SubjectSet set{std::string(category), {}};
        set.rows.push_back(
            {FromUtf8("Станок токарный"), 2, FromUtf8("шт."), 450000.0, 900000.0, "", ""});
        return set;
    }
};

// Every command of the template's texts, with braces.
std::set<std::string> Commands(const CBody &body) {
    std::vector<const std::string *> texts = {&body.Paragraph(ParTitle).m_strText,
                                              &body.Paragraph(ParSubtitle).m_strText};
    for (const CPar &a : body.m_arArticles) {
        texts.push_back(&a.m_head.m_strText);
        for (const CPun &c : a.m_arItems)
            texts.push_back(&c.m_strText);
    }
    std::set<std::string> out;
    for (const std::string *t : texts)
        for (std::size_t at = 0; (at = t->find('{', at)) != std::string::npos;) {
            const std::size_t end = t->find('}', at);
            EXPECT_NE(end, std::string::npos) << ToUtf8(*t);
            if (end == std::string::npos)
                break;
            out.insert(t->substr(at, end - at + 1));
            at = end;
        }
    return out;
}

struct Starter {
    const char *name, *subtitle, *user, *counterparty;
};

const Starter kStarters[] = {
    {"Договор купли-продажи имущества", "купли-продажи имущества", "Продавец", "Покупатель"},
    {"Договор поставки", "поставки", "Поставщик", "Покупатель"},
    {"Договор аренды нежилого помещения", "аренды нежилого помещения", "Арендодатель", "Арендатор"},
    {"Договор подряда", "подряда", "Подрядчик", "Заказчик"},
    {"Договор возмездного оказания услуг", "возмездного оказания услуг", "Исполнитель", "Заказчик"},
    {"Договор займа", "займа", "Займодавец", "Заемщик"},
};

TEST(StarterLibrary, EveryContractResolvesEveryCommand) {
    for (const Starter &s : kStarters) {
        SCOPED_TRACE(s.name);
        const std::string path =
            std::string(DRAVO_BINARY_DIR) + "/resources/Templates/" + s.name + ".adf";
        CBody body;
        std::string error;
        ASSERT_TRUE(LoadBodyFile(path, body, error)) << error;
        EXPECT_EQ(ToUtf8(body.Paragraph(ParTitle).m_strText), "ДОГОВОР");
        EXPECT_EQ(ToUtf8(body.Paragraph(ParSubtitle).m_strText), s.subtitle);
        EXPECT_EQ(ToUtf8(body.Paragraph(ParClauseText).m_strName), s.user);
        EXPECT_EQ(ToUtf8(body.Paragraph(ParClauseText).m_strText), s.counterparty);
        // Articles from the subject to the requisites, each with its clauses.
        ASSERT_GE(body.ArticleCount(), 6u);
        EXPECT_EQ(ToUtf8(body.Article(0).m_head.m_strText), "ПРЕДМЕТ ДОГОВОРА");
        EXPECT_EQ(ToUtf8(body.m_arArticles.back().m_head.m_strText),
                  "АДРЕСА, РЕКВИЗИТЫ И ПОДПИСИ СТОРОН");
        for (std::size_t a = 0; a + 1 < body.ArticleCount(); ++a)
            EXPECT_GE(body.ClauseCount(static_cast<std::uint16_t>(a)), 2u) << a;

        // Values for every variable, a counterparty and a subject.
        ASSERT_GE(body.VariableCount(), 4u);
        for (CPun &v : body.m_parVariables.m_arItems)
            v.m_strText = v.m_nType == 3 ? std::string("150000") : FromUtf8("значение");
        body.Paragraph(ParReqText).m_strName = FromUtf8("Оборудование");
        OneParty parties;
        OneSubject subjects;
        DocumentContext ctx(body);
        ctx.highlight = false;
        ctx.LoadParties(&parties);
        ctx.LoadSubjects(&subjects);

        const std::set<std::string> commands = Commands(body);
        bool party = false;
        for (const std::string &command : commands) {
            const std::string word = CommandWord(command);
            const std::string value = Evaluate(ctx, word);
            EXPECT_FALSE(value.empty() || value == word) << ToUtf8(command) << " unresolved";
            party = party || word.starts_with("первый"_w);
        }
        EXPECT_TRUE(party) << "no command of the counterparty";
        // Every variable is used by the text.
        for (const CPun &v : body.m_parVariables.m_arItems)
            if (!v.m_strFont.starts_with('-')) {
                EXPECT_TRUE(commands.count("{" + v.m_strName + "}") ||
                            commands.count("{" + v.m_strName + std::string(" прописью}"_w)))
                    << ToUtf8(v.m_strName) << " unused";
            }

        PageInputs in;
        in.body = &body;
        in.parties = &parties;
        in.subjects = &subjects;
        in.number = "17";
        const std::string page = BuildPage(in).html;
        for (const std::string &command : commands)
            EXPECT_EQ(page.find(command), std::string::npos) << ToUtf8(command) << " left";
        EXPECT_NE(page.find(FromUtf8("Бета")), std::string::npos);
    }
}

} // namespace
