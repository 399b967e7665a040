// The entry form "Изменяемые данные" with 50 items, as the window shows it: built, laid out and
// painted; and its OK taking 50 values from the fields into the items. Runs offscreen.
#include "app/dialogs/entry_form_dialog.h"
#include "core/text.h"
#include "core/user.h"
#include "vardata/items.h"

#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

using namespace dravo;

// Fifty items of every kind, a separator now and then.
CBody FiftyItems() {
    CBody body;
    for (int k = 0; k < 50; ++k) {
        CPun item;
        item.m_strName = "поле "_w;
        item.m_strName += std::to_string(k);
        item.m_strFont = k % 10 == 9 ? std::string("-") : std::string("Подсказка поля "_w);
        item.m_nType = std::uint16_t(k % 4);
        item.m_strText = "значение поля номер "_w;
        item.m_strText += std::to_string(k);
        body.m_parVariables.m_arItems.push_back(item);
    }
    return body;
}

void EntryFormBuildAndShow(benchmark::State &state) {
    CBody body = FiftyItems();
    CBody lists = NewListsBody();
    int row = 0;
    for (auto _ : state) {
        EntryFormDialog form(body, lists, row);
        form.show();
        form.repaint(); // every control painted once
        QCoreApplication::processEvents();
        form.hide();
    }
}
BENCHMARK(EntryFormBuildAndShow)->Unit(benchmark::kMillisecond);

void EntryFormOkWithFiftyValues(benchmark::State &state) {
    CBody body = FiftyItems();
    CBody lists = NewListsBody();
    int row = 0;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<EntryFormDialog>(body, lists, row);
        const auto fields = form->findChildren<QLineEdit *>();
        const QString text = QStringLiteral("новое значение %1").arg(++round);
        for (QLineEdit *field : fields)
            field->setText(text);
        state.ResumeTiming();
        form->accept();
        benchmark::DoNotOptimize(body.Variable(0).m_strText.data());
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(EntryFormOkWithFiftyValues)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
