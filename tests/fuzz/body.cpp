// The template loader on arbitrary bytes: it must never crash, hang or allocate beyond the input,
// must fail only with the format message, and whatever it accepts must store and load back to
// the same bytes. The records of "usr.dat" are read from the same input.
#include "core/archive.h"
#include "core/body_io.h"
#include "core/user.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace dravo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    CBody body;
    std::string error;
    if (LoadBody(bytes, body, error)) {
        const std::string first = StoreBody(body);
        CBody again;
        if (!LoadBody(first, again, error))
            __builtin_trap();
        if (StoreBody(again) != first || StoreBody(body) != first)
            __builtin_trap();
    } else if (error != kUnexpectedFileFormat) {
        __builtin_trap();
    }

    // The same bytes as a run of archive texts (the layout of "usr.dat").
    ArchiveReader in(bytes);
    CUser user;
    for (std::string &text : user.m_arTexts)
        if (!in.Text(text))
            break;
    if (!in.Failed() && StoreUserRequisites(user).size() > in.Position())
        __builtin_trap(); // texts only shrink (zero bytes, wide text) or keep their size
    return 0;
}
