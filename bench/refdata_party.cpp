// The counterparty directory at office size: 10,000 counterparties and 1,000 banks. Filling the
// party data before a page build reads two rows by their keys; listing the directory sorts the
// whole table in Russian order.
//
// With DRAVO_BENCH_SERVER holding a server address ("postgresql://user@host:port/database") the
// same runs against that database of a PostgreSQL server; its counterparties and banks are
// replaced by the benchmark's.
#include "core/text.h"
#include "refdata/directory.h"
#include "refdata/document_database.h"
#include "refdata/schema.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

using namespace dravo;
using namespace dravo::refdata;

constexpr int kParties = 10000;
constexpr int kBanks = 1000;

std::string RandomName(std::mt19937 &rng) {
    static const char *syllables[] = {"ро",  "Ма", "шка", "ТЕХ", "снаб", "ёл", "Ка", "жу", "ва",
                                      "Ель", "ин", "ЯР",  "ком", "лес",  "Эн", "ер", "го", "щи"};
    std::uniform_int_distribution<int> count(2, 5), pick(0, std::size(syllables) - 1);
    std::string utf8;
    for (int i = count(rng); i > 0; --i)
        utf8 += syllables[pick(rng)];
    return FromUtf8(utf8);
}

// The directory, built once for all the benchmarks.
struct Directory10k {
    QTemporaryDir dir;
    QString location; // the file, or the server
    std::vector<int> parties;

    Directory10k() {
        location = qEnvironmentVariable("DRAVO_BENCH_SERVER");
        if (location.isEmpty())
            location = FctPath(dir.path());
        QString error;
        if (InitDatabase(location, DatabaseKind::Reference, &error) == InitOutcome::Failed)
            qFatal("%s", qPrintable(error));
        SqlConnection db;
        db.Open(location, SqlConnection::OpenMode::ExistingOnly);
        Directory directory(db);
        std::mt19937 rng(5);
        db.Begin();
        db.Exec("DELETE FROM FACTORY");
        db.Exec("DELETE FROM BANK");
        std::vector<int> banks;
        for (int i = 0; i < kBanks; ++i)
            banks.push_back(*directory.AddBank({{"NameB", RandomName(rng)},
                                                {"KS", "30101810400000000225"},
                                                {"BIK", "044525225"},
                                                {"AddressB", FromUtf8("г. Москва")}}));
        for (int i = 0; i < kParties; ++i)
            parties.push_back(*directory.AddParty(
                i % 5 ? PartyKind::Organisation : PartyKind::Citizen,
                {{"Form", FromUtf8("ООО")},
                 {"Name", RandomName(rng)},
                 {"City", FromUtf8("123456, г. Тверь")},
                 {"Address", FromUtf8("ул. Советская, д. 1")},
                 {"Family", FromUtf8("Иванов")},
                 {"IO", FromUtf8("Иван Иванович")},
                 {"Dolgn", FromUtf8("Генеральный директор")},
                 {"INN", "6901234567"},
                 {"RS", "40702810000000000001"},
                 {"BankID", std::to_string(banks[std::size_t(i) % banks.size()])}}));
        db.Commit();
    }
};

Directory10k &Data() {
    static Directory10k data;
    return data;
}

void BM_FillPartyData(benchmark::State &state) {
    DocumentDatabase db;
    db.OpenAt(Data().location);
    db.SetPartyId(textgen::PartySide::Counterparty, Data().parties[kParties / 2]);
    db.SetPartyId(textgen::PartySide::ThirdParty, Data().parties[kParties - 3]);
    for (auto _ : state) {
        auto data = db.FillPartyData();
        benchmark::DoNotOptimize(data);
    }
    if (db.PartyId(textgen::PartySide::Counterparty) == -1)
        state.SkipWithError("the counterparty was not found");
}
BENCHMARK(BM_FillPartyData)->Unit(benchmark::kMicrosecond);

void BM_ListPartiesRussianOrder(benchmark::State &state) {
    SqlConnection db;
    db.Open(Data().location, SqlConnection::OpenMode::ExistingOnly);
    Directory directory(db);
    std::vector<PartyListEntry> list;
    for (auto _ : state) {
        directory.ListParties(list);
        benchmark::DoNotOptimize(list.data());
    }
    if (list.size() != std::size_t(kParties))
        state.SkipWithError("the list is incomplete");
}
BENCHMARK(BM_ListPartiesRussianOrder)->Unit(benchmark::kMillisecond);

void BM_ListBanksRussianOrder(benchmark::State &state) {
    SqlConnection db;
    db.Open(Data().location, SqlConnection::OpenMode::ExistingOnly);
    Directory directory(db);
    std::vector<BankRecord> list;
    for (auto _ : state) {
        directory.ListBanks(list);
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(BM_ListBanksRussianOrder)->Unit(benchmark::kMillisecond);

// The same listing with the name index out of play: the engine sorts with the collation.
void BM_SortPartiesWithCollation(benchmark::State &state) {
    SqlConnection db;
    db.Open(Data().location, SqlConnection::OpenMode::ExistingOnly);
    for (auto _ : state) {
        int rows = 0;
        db.Select(db.OnServer()
                      ? "SELECT FactorysID, Name, Form FROM FACTORY ORDER BY Name"
                      : "SELECT FactorysID, Name, Form FROM FACTORY NOT INDEXED ORDER BY Name",
                  {}, [&](const auto &) { return ++rows, true; });
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_SortPartiesWithCollation)->Unit(benchmark::kMillisecond);

} // namespace
