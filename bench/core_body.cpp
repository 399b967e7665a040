// Loading and storing a large template: 100 articles of 100 clauses, about 5 MB.
#include "core/body_io.h"
#include "core/defaults.h"
#include "core/text.h"

#include <benchmark/benchmark.h>
#include <filesystem>

using namespace dravo;
using namespace dravo::literals;

namespace {

CBody LargeBody() {
    CBody body;
    FillNewTemplate(body, "г. Москва"_w);
    body.m_arArticles.assign(100, CPar{});
    std::string text;
    while (text.size() < 480)
        text += "Продавец обязуется передать в собственность Покупателя {предмет}, "_w;
    text.resize(480);
    for (std::size_t a = 0; a < body.m_arArticles.size(); ++a) {
        CPar &article = body.m_arArticles[a];
        article.m_head.m_nType = 1;
        article.m_head.m_nCheck = 1;
        article.m_head.m_strName = std::string("Статья "_w) + std::to_string(a + 1);
        article.m_head.m_strText = ToUpper(article.m_head.m_strName);
        article.m_arItems.resize(100);
        for (std::size_t c = 0; c < article.m_arItems.size(); ++c) {
            CPun &clause = article.m_arItems[c];
            clause.m_nType = 3;
            clause.m_nCheck = 1;
            clause.m_strName = std::string("Пункт "_w) + std::to_string(c + 1);
            clause.m_strText = text;
        }
    }
    return body;
}

void BM_StoreBody(benchmark::State &state) {
    CBody body = LargeBody();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string stored = StoreBody(body);
        bytes = stored.size();
        benchmark::DoNotOptimize(stored.data());
    }
    state.counters["file_bytes"] = double(bytes);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
}
BENCHMARK(BM_StoreBody)->Unit(benchmark::kMillisecond);

void BM_LoadBody(benchmark::State &state) {
    CBody source = LargeBody();
    const std::string bytes = StoreBody(source);
    for (auto _ : state) {
        CBody body;
        std::string error;
        if (!LoadBody(bytes, body, error))
            state.SkipWithError("the large body did not load");
        benchmark::DoNotOptimize(body.m_arArticles.data());
    }
    state.counters["file_bytes"] = double(bytes.size());
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}
BENCHMARK(BM_LoadBody)->Unit(benchmark::kMillisecond);

// The whole save as the window does it: store, write a temporary file, flush it to disk, rename.
void BM_SaveBodyFile(benchmark::State &state) {
    CBody body = LargeBody();
    const std::string path =
        (std::filesystem::temp_directory_path() / "dravo-bench-large.adf").string();
    for (auto _ : state) {
        std::string error;
        if (!SaveBodyFile(path, body, error))
            state.SkipWithError(error.c_str());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveBodyFile)->Unit(benchmark::kMillisecond);

} // namespace
