// The template library at office size, 5,000 elements in 200 folders: the library file read and
// the tree shown in the real dialog 199 offscreen, and the tree written back through the safe
// save. The file alone is timed too.
#include "app/dialogs/library_dialog.h"
#include "core/text.h"
#include "library/library.h"
#include "library/ltr_file.h"
#include "window_app.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace dravo;
using dravo::bench::App;
using namespace dravo::library;

constexpr int kFolders = 200;
constexpr int kElements = 5000;

// 200 folders (every tenth inside the one before it, every fourth stored open) holding 4,800
// templates, journals and cases with Russian names and descriptions.
LibraryTree OfficeTree() {
    LibraryTree tree;
    std::vector<NodeId> folders;
    for (int f = 0; f < kFolders; ++f) {
        const NodeId parent = (f % 10 == 9) ? folders.back() : 0;
        const NodeId id = tree.Append(
            parent, Element{f % 4 == 0 ? kFolderOpen : kFolderClosed,
                            FromUtf8("Папка договоров № ") + std::to_string(f),
                            FromUtf8("Договоры отдела, группа ") + std::to_string(f), "C:\\"});
        tree.SetExpanded(id, f % 4 == 0);
        folders.push_back(id);
    }
    for (int e = 0; e < kElements - kFolders; ++e) {
        const int image = e % 20 == 0 ? kJournal : e % 33 == 0 ? kCase : kTemplate;
        tree.Append(folders[static_cast<std::size_t>(e % kFolders)],
                    Element{image, FromUtf8("Договор поставки товаров № ") + std::to_string(e),
                            FromUtf8("Поставка продукции для предпринимательской деятельности с "
                                     "отсрочкой оплаты, редакция ") +
                                std::to_string(e),
                            "C:\\"});
    }
    return tree;
}

struct Office {
    QTemporaryDir dir;
    std::unique_ptr<FolderStore> store;
    std::string bytes;
    Office() {
        App();
        QDir(dir.path()).mkpath(QStringLiteral("Data"));
        store = std::make_unique<FolderStore>(dir.path().toStdString(), nullptr);
        bytes = StoreLibrary(OfficeTree());
        std::string error;
        store->WriteLibraryFile(bytes, error);
    }
};

Office &TheOffice() {
    static Office office;
    return office;
}

void BM_LibraryLoadAndShow(benchmark::State &state) {
    Office &office = TheOffice();
    for (auto _ : state) {
        Library library(*office.store);
        library.Load();
        CLibraryDialog dialog(library);
        dialog.show();
        QApplication::processEvents(); // laid out and painted
        benchmark::DoNotOptimize(dialog.Tree()->topLevelItemCount());
    }
    state.counters["elements"] = kElements;
}
BENCHMARK(BM_LibraryLoadAndShow)->Unit(benchmark::kMillisecond);

void BM_LibraryStore(benchmark::State &state) {
    Office &office = TheOffice();
    Library library(*office.store);
    library.Load();
    for (auto _ : state)
        benchmark::DoNotOptimize(library.Save()); // the file's bytes, written safely (fsync)
    state.counters["bytes"] = static_cast<double>(office.bytes.size());
}
BENCHMARK(BM_LibraryStore)->Unit(benchmark::kMillisecond);

void BM_LibraryFileRead(benchmark::State &state) {
    const std::string &bytes = TheOffice().bytes;
    for (auto _ : state) {
        LibraryTree tree;
        benchmark::DoNotOptimize(ReadLibrary(bytes, tree));
    }
}
BENCHMARK(BM_LibraryFileRead)->Unit(benchmark::kMillisecond);

void BM_LibraryFileWrite(benchmark::State &state) {
    const LibraryTree tree = OfficeTree();
    for (auto _ : state)
        benchmark::DoNotOptimize(StoreLibrary(tree));
}
BENCHMARK(BM_LibraryFileWrite)->Unit(benchmark::kMillisecond);

} // namespace
