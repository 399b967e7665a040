// The contract page of a typical contract and of a very large one, and the substitution pass on
// texts of growing size (the cost must grow no faster than the text).
#include <benchmark/benchmark.h>

#include <string>

#include "core/body.h"
#include "core/text.h"
#include "russian/dates.h"
#include "textgen/context.h"
#include "textgen/page.h"
#include "textgen/substitute.h"
#include "textgen_contract.h"

namespace {

using namespace dravo;
using namespace dravo::textgen;

class Parties : public PartySource {
  public:
    std::optional<PartyRow> SelectedParty(PartySide side) override {
        if (side == PartySide::ThirdParty)
            return std::nullopt;
        return bench::Company("Ромашка");
    }
};

class Subjects : public SubjectSource {
  public:
    std::optional<SubjectSet> FindSet(std::string_view category) override {
        SubjectSet set;
        set.category = std::string(category);
        set.rows.resize(kSubjectRows);
        set.rows[0] = {FromUtf8("Станок токарный"), 2, FromUtf8("шт."), 750, 1500, "", ""};
        return set;
    }
};

// A template of the given size: `clauses` clauses over `articles` articles, `variables`
// variables, `commandsPerClause` commands in every clause, each clause about `clauseBytes` long.
CBody MakeBody(int articles, int clauses, int variables, int commandsPerClause, int clauseBytes) {
    CBody body;
    bench::SetContractFormats(body, 4);
    body.Paragraph(ParReqText).m_strName = FromUtf8("станок");
    for (int v = 0; v < variables; ++v) {
        CPun var;
        var.m_strName = FromUtf8("переменная ") + std::to_string(v);
        var.m_strText = FromUtf8("значение переменной номер ") + std::to_string(v);
        body.m_parVariables.m_arItems.push_back(var);
    }
    const std::string commands[] = {
        FromUtf8("{первый: название}"),
        FromUtf8("{первого: должность}"),
        FromUtf8("{предмета}"),
        FromUtf8("{должен}"),
        FromUtf8("{сумма предмета}"),
        FromUtf8("{дата составления}"),
        FromUtf8("{/}"),
        FromUtf8("{указанный}"),
    };
    const std::string &filler = bench::ClauseFiller();
    body.m_arArticles.clear();
    int made = 0, command = 0;
    for (int a = 0; a < articles; ++a) {
        CPar article = bench::ContractArticle();
        const int count = clauses / articles + (a < clauses % articles ? 1 : 0);
        for (int j = 0; j < count; ++j, ++made) {
            CPun clause;
            clause.m_nCheck = 1;
            clause.m_nType = 3;
            std::string text;
            for (int c = 0; c < commandsPerClause; ++c, ++command) {
                text += filler;
                // Half the commands name variables, half are the other kinds.
                if (command % 2 == 0)
                    text.append("{")
                        .append(FromUtf8("переменная "))
                        .append(std::to_string(command / 2 % variables))
                        .append("} ");
                else
                    text += commands[command / 2 % std::size(commands)] + " ";
            }
            while (static_cast<int>(text.size()) < clauseBytes)
                text += filler;
            clause.m_strText = text;
            article.m_arItems.push_back(clause);
        }
        body.m_arArticles.push_back(article);
    }
    return body;
}

void RunPage(benchmark::State &state, const CBody &original) {
    CUser user;
    user.Text(CUser::UserName) = FromUtf8("ООО \"Василек\"");
    user.Text(CUser::Settlement) = FromUtf8("г. Москва");
    Parties parties;
    Subjects subjects;
    std::size_t bytes = 0;
    CBody body;
    PageResult page;
    for (auto _ : state) {
        // A fresh copy of the template, and the last page freed, outside the timed part.
        state.PauseTiming();
        body = original;
        page = PageResult();
        state.ResumeTiming();
        PageInputs in;
        in.body = &body;
        in.number = "15";
        in.date = DateFromCalendar(2004, 12, 6);
        in.user = &user;
        in.parties = &parties;
        in.subjects = &subjects;
        page = BuildPage(in);
        bytes = page.html.size();
        benchmark::DoNotOptimize(page);
    }
    state.counters["page_bytes"] = static_cast<double>(bytes);
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
}

// 20 articles, 150 clauses, 30 variables, 300 commands.
void BM_TypicalContract(benchmark::State &state) {
    static const CBody body = MakeBody(20, 150, 30, 2, 400);
    RunPage(state, body);
}
BENCHMARK(BM_TypicalContract)->Unit(benchmark::kMillisecond);

// 10,000 clauses, 50 variables, 30,000 commands, about 5 MB of text.
void BM_LargeContract(benchmark::State &state) {
    static const CBody body = MakeBody(100, 10000, 50, 3, 500);
    RunPage(state, body);
}
BENCHMARK(BM_LargeContract)->Unit(benchmark::kMillisecond);

// The large contract with 5, 50 and 500 variables: a look-up must not cost more with more of them.
void BM_LargeContractVariables(benchmark::State &state) {
    const int variables = static_cast<int>(state.range(0));
    const CBody body = MakeBody(100, 10000, variables, 3, 500);
    RunPage(state, body);
    state.counters["variables"] = variables;
}
BENCHMARK(BM_LargeContractVariables)->Arg(5)->Arg(50)->Arg(500)->Unit(benchmark::kMillisecond);

// The typical contract with 5 and 500 variables.
void BM_TypicalContractVariables(benchmark::State &state) {
    const CBody body = MakeBody(20, 150, static_cast<int>(state.range(0)), 2, 400);
    RunPage(state, body);
}
BENCHMARK(BM_TypicalContractVariables)->Arg(5)->Arg(500)->Unit(benchmark::kMicrosecond);

// The large page converted to UTF-8 as the view and the CLI do: time per byte of the page.
void BM_LargePageToUtf8(benchmark::State &state) {
    CBody body = MakeBody(100, 10000, 50, 3, 500);
    CUser user;
    PageInputs in;
    in.body = &body;
    in.user = &user;
    const std::string html = BuildPage(in).html;
    for (auto _ : state) {
        std::string utf8 = ToUtf8(html);
        benchmark::DoNotOptimize(utf8);
    }
    state.counters["ns_per_byte"] = benchmark::Counter(
        static_cast<double>(html.size()) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetBytesProcessed(static_cast<std::int64_t>(html.size()) * state.iterations());
}
BENCHMARK(BM_LargePageToUtf8)->Unit(benchmark::kMillisecond);

// One text of growing size with one command every ~100 bytes: time per byte must stay flat.
void BM_SubstituteOneText(benchmark::State &state) {
    CBody body = MakeBody(1, 1, 50, 1, 0);
    const CBody sample = MakeBody(1, 1, 50, static_cast<int>(state.range(0)) / 100, 0);
    const std::string text = sample.m_arArticles[0].m_arItems[0].m_strText;
    DocumentContext ctx(body);
    for (auto _ : state) {
        std::string out = Substitute(ctx, text);
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(text.size()) * state.iterations());
    state.SetComplexityN(static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_SubstituteOneText)
    ->RangeMultiplier(8)
    ->Range(1 << 12, 1 << 22)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace
