// The JSON reader of `dravo-cli build` on arbitrary bytes: it must never crash and must fail with
// a message; a document it accepts must write back (whole or streamed, the same bytes) to JSON
// that reads to the same body.
#include "cli/body_json.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

using namespace dravo;
using namespace dravo::cli;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray json(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    CBody body;
    std::string error;
    if (!BodyFromJson(json, body, error)) {
        if (error.empty())
            __builtin_trap();
        return 0;
    }
    const QByteArray written = BodyToJson(body);
    CBody again;
    if (!BodyFromJson(written, again, error) || !(again == body))
        __builtin_trap();

    static std::FILE *sink = std::tmpfile();
    std::rewind(sink);
    if (!WriteBodyJson(body, sink))
        __builtin_trap();
    const long streamed = std::ftell(sink);
    if (streamed != written.size())
        __builtin_trap();
    std::string back(static_cast<std::size_t>(streamed), '\0');
    std::rewind(sink);
    if (std::fread(back.data(), 1, back.size(), sink) != back.size() ||
        back != written.toStdString())
        __builtin_trap();
    return 0;
}
