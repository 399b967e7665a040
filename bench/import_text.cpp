// Importing a plain-text contract of 64 KB: the parse alone, and the whole import from a
// windows-1251 file and from a UTF-8 file to a stored template (safe save, flushed to disk).
#include "core/body_io.h"
#include "core/fileio.h"
#include "core/text.h"
#include "import/text_importer.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

using namespace dravo;
using namespace dravo::literals;

namespace {

// A contract of articles with numbered clauses, list items and paragraphs, cut just below 64 KB.
std::string LargeContract() {
    std::string text = std::string("                ДОГОВОР ПОСТАВКИ № 17\r\n\r\n"
                                   "ООО «Альфа», именуемое в дальнейшем «Поставщик», и ООО «Бета», "
                                   "именуемое в дальнейшем «Покупатель», заключили настоящий "
                                   "договор о нижеследующем:\r\n"_w);
    const std::string tail =
        std::string("\r\n12. АДРЕСА И РЕКВИЗИТЫ СТОРОН\r\nПоставщик: ООО\r\n"_w);
    for (int a = 1; text.size() + tail.size() < import::kMaxTextBytes - 600; ++a) {
        const std::string n = std::to_string(a);
        text += n + std::string(". ОБЯЗАННОСТИ СТОРОН\r\n"_w);
        for (int c = 1; c <= 6; ++c)
            text += n + "." + std::to_string(c) +
                    std::string(". Поставщик обязуется поставить {предмет} в срок, согласованный "
                                "сторонами в спецификации.\r\n"_w);
        text += std::string("а) надлежащего качества;\r\n- в таре и упаковке;\r\n"_w);
        text += std::string("   Покупатель принимает товар по количеству и качеству.\r\n"_w);
    }
    return text + tail;
}

void BM_ParseContract64K(benchmark::State &state) {
    const std::string text = LargeContract();
    for (auto _ : state) {
        import::TextContractImporter importer{std::string("Поставка"_w)};
        importer.SetText(text);
        if (!importer.Parse())
            state.SkipWithError("not recognised");
        benchmark::DoNotOptimize(importer.Body().ArticleCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseContract64K)->Unit(benchmark::kMillisecond);

void ImportFile(benchmark::State &state, bool utf8) {
    const std::string text = LargeContract();
    const auto dir = std::filesystem::temp_directory_path() /
                     ("dravo_bench_import_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string source = (dir / "contract.txt").string();
    const std::string target = (dir / "contract.adf").string();
    std::string error;
    if (!WriteFileAtomically(source, utf8 ? ToUtf8(text) : text, error))
        state.SkipWithError(error.c_str());
    for (auto _ : state) {
        const import::ImportOutcome out = import::ImportTextFile(source, target, "x");
        if (!out.done)
            state.SkipWithError("import failed");
    }
    std::filesystem::remove_all(dir);
}

// Reading the file, parsing and making the template's bytes, without the disk flush of the save.
void BM_ImportToMemory64K(benchmark::State &state) {
    const std::string text = LargeContract();
    const auto dir = std::filesystem::temp_directory_path() /
                     ("dravo_bench_import_mem_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string source = (dir / "contract.txt").string();
    std::string error;
    if (!WriteFileAtomically(source, text, error))
        state.SkipWithError(error.c_str());
    for (auto _ : state) {
        import::TextContractImporter importer{std::string("x")};
        importer.Read(source);
        if (!importer.Parse())
            state.SkipWithError("not recognised");
        benchmark::DoNotOptimize(StoreBody(importer.Body()));
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ImportToMemory64K)->Unit(benchmark::kMillisecond);

void BM_ImportFile64K(benchmark::State &state) {
    ImportFile(state, false);
}
BENCHMARK(BM_ImportFile64K)->Unit(benchmark::kMillisecond);

void BM_ImportUtf8File64K(benchmark::State &state) {
    ImportFile(state, true);
}
BENCHMARK(BM_ImportUtf8File64K)->Unit(benchmark::kMillisecond);

} // namespace
