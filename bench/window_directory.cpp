// The counterparty choice at office size, 10,000 counterparties and 1,000 banks, with the real
// dialog offscreen: the dialog read and shown with its selection, the list narrowed by a typed
// word, and the sample contract's page built after OK with the two parties chosen (the view
// then replaces its page in place; the drafting test times that whole road).
#include "app/dialogs/directory_list.h"
#include "app/dialogs/party_choice_dialog.h"
#include "app/holderdoc.h"
#include "core/text.h"
#include "refdata/directory.h"
#include "refdata/document_database.h"
#include "refdata/schema.h"
#include "window_app.h"

#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace dravo;
using dravo::bench::App;
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

struct Office {
    QTemporaryDir dir;
    std::vector<int> parties;
    CHolderDoc doc;

    Office() {
        App();
        InitDatabase(FctPath(dir.path()), DatabaseKind::Reference, nullptr);
        SqlConnection db;
        db.Open(FctPath(dir.path()), SqlConnection::OpenMode::ExistingOnly);
        Directory directory(db);
        std::mt19937 rng(7);
        db.Begin();
        std::vector<int> banks;
        for (int i = 0; i < kBanks; ++i)
            banks.push_back(*directory.AddBank({{"NameB", RandomName(rng)},
                                                {"KS", "30101810400000000225"},
                                                {"BIK", "044525225"}}));
        for (int i = 0; i < kParties; ++i)
            parties.push_back(*directory.AddParty(
                i % 5 ? PartyKind::Organisation : PartyKind::Citizen,
                {{"Form", FromUtf8("ООО")},
                 {"Name", RandomName(rng)},
                 {"City", FromUtf8("123456, г. Тверь")},
                 {"Family", FromUtf8("Иванов")},
                 {"IO", FromUtf8("Иван Иванович")},
                 {"Dolgn", FromUtf8("Генеральный директор")},
                 {"BankID", std::to_string(banks[std::size_t(i) % banks.size()])}}));
        db.Commit();
        // The sample contract: preamble, subject, totals in words and requisites.
        QString error;
        if (!doc.Open(QStringLiteral(DRAVO_BINARY_DIR) +
                          QStringLiteral("/resources/Templates/Договор купли-продажи.adf"),
                      &error))
            doc.NewTemplate(QStringLiteral("Договор 1"));
        doc.Body().Paragraph(ParArticleHead).m_nCheck = 3; // with a third party
        doc.OpenDatabase(dir.path(), [](const QString &) {});
    }
};

Office &Data() {
    static Office office;
    return office;
}

// From the command to the dialog on screen with its row selected and scrolled to.
void BM_ChoiceDialogShown(benchmark::State &state) {
    Office &office = Data();
    Directory &directory = office.doc.Database()->Parties();
    for (auto _ : state) {
        PartyChoice choice(directory, {office.parties[kParties / 2], -1}, true, {"", ""});
        choice.Load();
        PartyChoiceDialog dialog(choice, directory);
        dialog.show();
        QApplication::processEvents();
        if (choice.SelectedRow() < 0)
            state.SkipWithError("nothing selected");
        dialog.hide();
    }
}
BENCHMARK(BM_ChoiceDialogShown)->Unit(benchmark::kMillisecond);

// One word typed into the search box: the list narrowed and laid out again.
void BM_NarrowByTypedWord(benchmark::State &state) {
    Office &office = Data();
    Directory &directory = office.doc.Database()->Parties();
    PartyChoice choice(directory, {office.parties[10], -1}, false, {"", ""});
    choice.Load();
    PartyChoiceDialog dialog(choice, directory);
    dialog.show();
    QApplication::processEvents();
    auto *search = dialog.findChild<QLineEdit *>(QStringLiteral("search"));
    bool word = false;
    for (auto _ : state) {
        word = !word;
        search->setText(word ? QStringLiteral("ёлка") : QStringLiteral("ЕЛКОМ"));
        QApplication::processEvents();
    }
    state.counters["shown"] = choice.Model().ShownCount();
}
BENCHMARK(BM_NarrowByTypedWord)->Unit(benchmark::kMillisecond);

// OK: the two parties set and the page built from them (the view then loads the text).
void BM_OkToPage(benchmark::State &state) {
    Office &office = Data();
    int n = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        office.doc.SetCounterpartyId(office.parties[std::size_t(n++ * 37) % kParties]);
        office.doc.SetThirdPartyId(office.parties[kParties - 1]);
        const std::string page = office.doc.BuildPage(true);
        bytes = page.size();
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["page_bytes"] = double(bytes);
}
BENCHMARK(BM_OkToPage)->Unit(benchmark::kMillisecond);

} // namespace
