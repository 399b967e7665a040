// The contract journal at office size: 10,000 registered rows over one year. The journal page
// reads the rows of the period and builds the table; a filter by counterparty picks 100 of them;
// a registration stores a page of 1 MB; a formatting style is applied to a template of 10,000
// clauses.
#include "core/body_io.h"
#include "core/defaults.h"
#include "core/styles.h"
#include "core/text.h"
#include "refdata/journal.h"
#include "refdata/registration.h"
#include "refdata/schema.h"
#include "textgen/journal.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace dravo;
using namespace dravo::refdata;

constexpr int kRows = 10000;
constexpr int kCounterparties = 100; // 100 rows each

struct Journal10k {
    QTemporaryDir dir;
    SqlConnection db;
    StyleFile styles = ShippedStyleFile();
    textgen::JournalSettings settings;

    Journal10k() {
        InitDatabase(FctPath(dir.path()), DatabaseKind::Reference, nullptr);
        db.Open(FctPath(dir.path()), SqlConnection::OpenMode::ExistingOnly);
        JournalStore store(db);
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> day(1, 28), month(1, 12);
        db.Begin();
        for (int i = 0; i < kRows; ++i) {
            textgen::CardFields card;
            card.number = std::to_string(i + 1);
            card.date = DateFromCalendar(2026, month(rng), day(rng));
            card.dateControl = DateFromCalendar(2026, 12, 31);
            card.name = FromUtf8("Договор купли-продажи");
            card.kontragent =
                FromUtf8("ООО «Контрагент ") + std::to_string(i % kCounterparties) + FromUtf8("»");
            card.status = FromUtf8("покупатель");
            // 100 rows of each counterparty, subject, responsible person and mark.
            card.predmet = FromUtf8("Станок токарный, модель ") + std::to_string(i % 100);
            card.price = std::to_string(1000 + i);
            card.otv = FromUtf8("Иванов И. И., отдел ") + std::to_string(i % 100);
            card.nf = FromUtf8("папка ") + std::to_string(i % 100);
            RegisterDocument(store, card, {std::string(2000, 'x'), {}, {}}, nullptr);
        }
        db.Commit();
        settings = textgen::ReadJournalSettings(styles.records[kJournalRecord],
                                                DateFromCalendar(2026, 6, 1));
        settings.showCount = true;
    }
};

Journal10k &Fixture() {
    static Journal10k journal;
    return journal;
}

// The whole journal page of the year: query and page.
void BM_JournalPage10k(benchmark::State &state) {
    Journal10k &j = Fixture();
    std::vector<textgen::JournalRow> rows;
    for (auto _ : state) {
        JournalStore(j.db).List(textgen::FilterOf(j.settings), rows, nullptr);
        const std::string page =
            textgen::BuildJournalPage(j.styles.records[kJournalRecord], j.settings, rows);
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["rows"] = double(rows.size());
}
BENCHMARK(BM_JournalPage10k)->Unit(benchmark::kMillisecond);

// The two halves of the page above: the rows read, and the page built from them.
void BM_JournalQuery10k(benchmark::State &state) {
    Journal10k &j = Fixture();
    std::vector<textgen::JournalRow> rows;
    for (auto _ : state) {
        JournalStore(j.db).List(textgen::FilterOf(j.settings), rows, nullptr);
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["rows"] = double(rows.size());
}
BENCHMARK(BM_JournalQuery10k)->Unit(benchmark::kMillisecond);

void BM_JournalPageBuild10k(benchmark::State &state) {
    Journal10k &j = Fixture();
    std::vector<textgen::JournalRow> rows;
    JournalStore(j.db).List(textgen::FilterOf(j.settings), rows, nullptr);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string page =
            textgen::BuildJournalPage(j.styles.records[kJournalRecord], j.settings, rows);
        bytes = page.size();
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["page_bytes"] = double(bytes);
}
BENCHMARK(BM_JournalPageBuild10k)->Unit(benchmark::kMillisecond);

// 100 rows of one counterparty out of 10,000.
void BM_JournalPageFiltered100(benchmark::State &state) {
    Journal10k &j = Fixture();
    textgen::JournalSettings s = j.settings;
    s.columns[ColKontragent].filter = FromUtf8("ООО «Контрагент 42»");
    std::vector<textgen::JournalRow> rows;
    for (auto _ : state) {
        JournalStore(j.db).List(textgen::FilterOf(s), rows, nullptr);
        const std::string page =
            textgen::BuildJournalPage(j.styles.records[kJournalRecord], s, rows);
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["rows"] = double(rows.size());
}
BENCHMARK(BM_JournalPageFiltered100)->Unit(benchmark::kMillisecond);

// 100 rows of 10,000 by each of the other filters: subject, responsible person, marks.
void BM_JournalPageFilteredBy(benchmark::State &state) {
    Journal10k &j = Fixture();
    textgen::JournalSettings s = j.settings;
    const auto column = static_cast<std::size_t>(state.range(0));
    s.columns[column].filter = column == ColPredmet ? FromUtf8("Станок токарный, модель 42")
                               : column == ColOtv ? FromUtf8("Иванов И. И., отдел 42")
                                                  : FromUtf8("папка 42");
    std::vector<textgen::JournalRow> rows;
    for (auto _ : state) {
        JournalStore(j.db).List(textgen::FilterOf(s), rows, nullptr);
        const std::string page =
            textgen::BuildJournalPage(j.styles.records[kJournalRecord], s, rows);
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["rows"] = double(rows.size());
}
BENCHMARK(BM_JournalPageFilteredBy)
    ->Arg(ColPredmet)
    ->Arg(ColOtv)
    ->Arg(ColNF)
    ->Unit(benchmark::kMillisecond);

// One registration with a page of 1 MB, its template and variable data (committed to disk).
void BM_Register1MB(benchmark::State &state) {
    Journal10k &j = Fixture();
    JournalStore store(j.db);
    std::string page;
    for (int i = 0; page.size() < (1u << 20); ++i)
        page += FromUtf8("<DIV CLASS = \"docbody\">Пункт договора номер ") + std::to_string(i) +
                "</DIV>\n";
    CBody body;
    FillNewTemplate(body, "");
    RegisteredContent content{page, StoreBody(body), VariableDataText(body)};
    textgen::CardFields card;
    card.number = "1";
    card.date = DateFromCalendar(2026, 7, 1);
    card.kontragent = FromUtf8("ООО Ромашка");
    for (auto _ : state) {
        const auto id = RegisterDocument(store, card, content, nullptr);
        state.PauseTiming();
        store.Delete(*id, nullptr);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Register1MB)->Unit(benchmark::kMillisecond);

// A style applied to a template of 10,000 clauses (only the seven paragraphs change).
void BM_ApplyStyle10kClauses(benchmark::State &state) {
    CBody body;
    FillNewTemplate(body, "");
    body.m_arArticles[0].m_arItems.resize(10000, body.m_arArticles[0].m_arItems[0]);
    StyleFile file = ShippedStyleFile();
    const FormattingStyle a = GetStyle(file.records[1], 1), b = GetStyle(file.records[1], 2);
    bool flip = false;
    for (auto _ : state) {
        ApplyStyle(flip ? a : b, body, file.records[1]);
        flip = !flip;
        benchmark::DoNotOptimize(body.Paragraph(4).m_nFontSize);
    }
}
BENCHMARK(BM_ApplyStyle10kClauses)->Unit(benchmark::kMicrosecond);

} // namespace
