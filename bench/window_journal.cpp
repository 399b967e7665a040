// The journal window at office size, 10,000 registered rows of the year, offscreen with the real
// view: the page built, loaded and painted in a new window (the journal opened), and the page of
// an open journal window rebuilt in place and painted (after a registration or new settings).
// "Painted" is two animation frames after the view reports its page: the table has been laid
// out and drawn by then.
#include "app/holderdoc.h"
#include "app/holderview.h"
#include "app/process.h"
#include "core/styles.h"
#include "core/text.h"
#include "refdata/journal.h"
#include "refdata/registration.h"
#include "refdata/schema.h"
#include "textgen/journal.h"
#include "window_app.h"

#include <QDate>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace dravo;
using dravo::bench::App;
using namespace dravo::refdata;

constexpr int kRows = 10000;

struct Office {
    QTemporaryDir dir;
    QString styles;

    Office() {
        App();
        InitDatabase(FctPath(dir.path()), DatabaseKind::Reference, nullptr);
        SqlConnection db;
        db.Open(FctPath(dir.path()), SqlConnection::OpenMode::ExistingOnly);
        JournalStore store(db);
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> day(1, 28), month(1, 12);
        const int year = QDate::currentDate().year();
        db.Begin();
        for (int i = 0; i < kRows; ++i) {
            textgen::CardFields card;
            card.number = std::to_string(i + 1) + (i % 7 == 0 ? "-к" : "");
            card.date = DateFromCalendar(year, month(rng), day(rng));
            card.dateControl = DateFromCalendar(year, 12, 31);
            card.name = FromUtf8("Договор купли-продажи");
            card.kontragent =
                FromUtf8("ООО «Контрагент ") + std::to_string(i % 100) + FromUtf8("»");
            card.status = FromUtf8("покупатель");
            card.predmet = FromUtf8("Станок токарный, 2 шт.");
            card.price = std::to_string(1000 + i * 37);
            card.otv = FromUtf8("Иванов И. И.");
            RegisterDocument(store, card, {"<p>x</p>", {}, {}}, nullptr);
        }
        db.Commit();
        StyleFile file = ShippedStyleFile();
        textgen::JournalSettings s = textgen::ReadJournalSettings(file.records[kJournalRecord]);
        s.showCount = true;
        for (auto &c : s.columns)
            c.shown = true;
        textgen::WriteJournalSettings(s, file.records[kJournalRecord]);
        styles = dir.filePath(QStringLiteral("stl.dat"));
        std::string error;
        StoreStyleFile(styles.toStdString(), file, error);
    }

    std::shared_ptr<CHolderDoc> Journal() const {
        auto doc = std::make_shared<CHolderDoc>();
        doc->MakeJournalPage(styles, nullptr);
        doc->OpenDatabase(dir.path(), [](const QString &) {});
        return doc;
    }
};

Office &Data() {
    static Office office;
    return office;
}

// Waits for the view's next page and then for two animation frames; false when it took over a
// minute or failed.
bool WaitPainted(CHolderView &view, int serial) {
    QEventLoop loop;
    bool ok = false;
    const QString mark = QStringLiteral("painted %1").arg(serial);
    auto loaded = QObject::connect(&view, &CHolderView::pageLoaded, &loop, [&](bool good) {
        if (!good) {
            loop.quit();
            return;
        }
        view.page()->runJavaScript(
            QStringLiteral("requestAnimationFrame(function(){requestAnimationFrame(function(){"
                           "document.title='%1';});});")
                .arg(mark));
    });
    auto titled = QObject::connect(view.page(), &QWebEnginePage::titleChanged, &loop,
                                   [&](const QString &title) {
                                       if (title == mark) {
                                           ok = true;
                                           loop.quit();
                                       }
                                   });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(loaded);
    QObject::disconnect(titled);
    return ok;
}

// The journal opened: a new window, its page built, loaded and painted.
void BM_JournalOpenToPainted(benchmark::State &state) {
    Office &office = Data();
    int serial = 0;
    for (auto _ : state) {
        auto view = std::make_unique<CHolderView>(office.Journal());
        view->resize(1200, 860);
        view->show();
        view->Refresh();
        if (!WaitPainted(*view, ++serial))
            state.SkipWithError("the page was not painted");
        state.PauseTiming();
        state.counters["page_bytes"] = double(view->PageText().size());
        view.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_JournalOpenToPainted)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The open journal rebuilt: the page replaced in place and painted.
void BM_JournalRefreshToPainted(benchmark::State &state) {
    Office &office = Data();
    CHolderView view(office.Journal());
    view.resize(1200, 860);
    view.show();
    view.Refresh();
    int serial = 1000;
    if (!WaitPainted(view, serial))
        state.SkipWithError("the first page was not painted");
    for (auto _ : state) {
        view.Refresh();
        if (!WaitPainted(view, ++serial))
            state.SkipWithError("the page was not painted");
    }
}
BENCHMARK(BM_JournalRefreshToPainted)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace
