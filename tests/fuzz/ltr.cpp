// The library file reader on arbitrary bytes: it must never crash, recurse without bound or
// allocate beyond the input; a refused file leaves an empty tree, and whatever it accepts must
// store and load back to the same bytes.
#include "library/ltr_file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace dravo::library;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    LibraryTree tree;
    if (!ReadLibrary(bytes, tree)) {
        if (!tree.Empty())
            __builtin_trap();
        return 0;
    }
    // Each record takes at least 15 bytes, so a tree can never outgrow its input.
    if (tree.Size() * 15 > size)
        __builtin_trap();
    const std::string first = StoreLibrary(tree);
    LibraryTree again;
    if (!ReadLibrary(first, again) || StoreLibrary(again) != first || again.Size() != tree.Size())
        __builtin_trap();
    return 0;
}
