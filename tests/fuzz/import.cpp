// The plain-text importer on arbitrary bytes: decoding, the preamble search, the requisites cut,
// the classifier and the builder must never crash or read out of bounds; a text it accepts gives
// a template in which every article holds a clause, that stores and loads back unchanged.
#include "core/body_io.h"
#include "import/text_importer.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace dravo;
using namespace dravo::import;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    std::string text;
    if (!DecodeTextFile(bytes, text))
        return 0;
    TextContractImporter importer("fuzz");
    if (!importer.SetText(text)) {
        if (text.size() <= kMaxTextBytes)
            __builtin_trap();
        return 0;
    }
    if (!importer.Parse())
        return 0;
    CBody &body = importer.Body();
    if (body.ArticleCount() == 0)
        __builtin_trap();
    for (const CPar &article : body.m_arArticles)
        if (article.m_arItems.empty())
            __builtin_trap();
    std::string error;
    if (!BodyFitsArchive(body, error))
        __builtin_trap();
    const std::string stored = StoreBody(body);
    CBody again;
    if (!LoadBody(stored, again, error) || !(again == body))
        __builtin_trap();
    return 0;
}
