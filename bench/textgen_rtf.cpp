// The contract as RTF: a typical contract and a 10,000-clause one, and contracts in series: one
// thousand documents from the sample template and a table, as dravo-cli batch makes them.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/body.h"
#include "core/text.h"
#include "russian/dates.h"
#include "textgen/page.h"
#include "textgen/rtf.h"
#include "textgen_contract.h"

namespace {

using namespace dravo;
using namespace dravo::textgen;

class Parties : public PartySource {
  public:
    std::optional<PartyRow> SelectedParty(PartySide side) override {
        return bench::Company(side == PartySide::ThirdParty ? "Гарант" : "Ромашка");
    }
};

class Subjects : public SubjectSource {
  public:
    std::optional<SubjectSet> FindSet(std::string_view category) override {
        SubjectSet set;
        set.category = std::string(category);
        set.rows.resize(kSubjectRows);
        for (int i = 0; i < 7; ++i)
            set.rows[i] = {FromUtf8("Станок токарный {модель ") + std::to_string(i) + "}",
                           2,
                           FromUtf8("шт."),
                           750,
                           1500,
                           "",
                           ""};
        return set;
    }
};

// clauses clauses over articles articles, two commands in each, a third party and the subject
// as a table.
CBody MakeBody(int articles, int clauses, int clauseBytes) {
    CBody body;
    bench::SetContractFormats(body, 8);
    body.Paragraph(ParArticleHead).m_nCheck = 1;
    body.Paragraph(ParArticleHead).m_strName = FromUtf8("Гарант");
    body.Paragraph(ParReqText).m_strName = FromUtf8("станок");
    body.Paragraph(ParReqText).m_nType = 1;
    CPun var;
    var.m_strName = FromUtf8("срок");
    var.m_strText = FromUtf8("10 (десять) дней {с} \\ &#10003;");
    body.m_parVariables.m_arItems.push_back(var);
    const std::string &filler = bench::ClauseFiller();
    for (int a = 0; a < articles; ++a) {
        CPar article = bench::ContractArticle();
        const int count = clauses / articles + (a < clauses % articles ? 1 : 0);
        for (int j = 0; j < count; ++j) {
            CPun clause;
            clause.m_nCheck = 1;
            clause.m_nType = 3;
            clause.m_strText = filler + FromUtf8("{срок} {первый: название} {/}");
            if (a == 0 && j == 0)
                clause.m_strText += FromUtf8("{список предмета}");
            while (static_cast<int>(clause.m_strText.size()) < clauseBytes)
                clause.m_strText += filler;
            article.m_arItems.push_back(clause);
        }
        body.m_arArticles.push_back(article);
    }
    return body;
}

void RunRtf(benchmark::State &state, const CBody &original) {
    Parties parties;
    Subjects subjects;
    std::size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CBody body = original;
        state.ResumeTiming();
        PageInputs in;
        in.body = &body;
        in.number = "15";
        in.date = DateFromCalendar(2026, 12, 7);
        in.parties = &parties;
        in.subjects = &subjects;
        RtfResult rtf = BuildRtf(in);
        bytes = rtf.rtf.size();
        benchmark::DoNotOptimize(rtf);
    }
    state.counters["rtf_bytes"] = static_cast<double>(bytes);
}

// 20 articles, 150 clauses of about 400 bytes.
void BM_RtfTypicalContract(benchmark::State &state) {
    static const CBody body = MakeBody(20, 150, 400);
    RunRtf(state, body);
}
BENCHMARK(BM_RtfTypicalContract)->Unit(benchmark::kMillisecond);

// 10,000 clauses of about 500 bytes: about 5 MB of text.
void BM_Rtf10000Clauses(benchmark::State &state) {
    static const CBody body = MakeBody(100, 10000, 500);
    RunRtf(state, body);
}
BENCHMARK(BM_Rtf10000Clauses)->Unit(benchmark::kMillisecond);

// dravo-cli batch on the sample template and a table of 1,000 rows, each file saved safely.
void RunBatch(benchmark::State &state, const char *format) {
    namespace fs = std::filesystem;
    const std::string bin = DRAVO_BINARY_DIR;
    const fs::path dir = fs::temp_directory_path() / "dravo-bench-batch";
    fs::remove_all(dir);
    fs::create_directories(dir);
    {
        std::ofstream csv(dir / "rows.csv");
        csv << "гарантийный срок;номер;дата;файл\n";
        for (int i = 1; i <= 1000; ++i)
            csv << i << " месяцев;" << i << ";07.12.2026;договор " << i << "\n";
    }
    const std::string command = "'" + bin + "/src/cli/dravo-cli' batch '" + bin +
                                "/resources/Templates/Договор купли-продажи.adf' '" +
                                (dir / "rows.csv").string() + "' --out '" + (dir / "out").string() +
                                "' --format " + format + " >/dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("dravo-cli batch failed");
    fs::remove_all(dir);
}
void BM_Batch1000Rtf(benchmark::State &state) {
    RunBatch(state, "rtf");
}
void BM_Batch1000Html(benchmark::State &state) {
    RunBatch(state, "html");
}
BENCHMARK(BM_Batch1000Rtf)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Batch1000Html)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
