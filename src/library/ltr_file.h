// The library file "Data/ltr.dat": the root level as a sibling chain, then the selected item.
// A chain is an int32 count and that many records (handle, image, name, description, location,
// has-children), each record with children followed at once by their chain. Integers are 32-bit
// little-endian, texts are archive texts. Handles are opaque: written as node numbers, ignored
// when read.
#pragma once

#include "library/tree.h"

#include <string>
#include <string_view>

namespace dravo::library {

// Fills tree from the file's bytes; folders stored open come back expanded and nothing is
// selected. A damaged file (a count beyond what the bytes can hold, a cut record, an unknown
// image, a bad has-children flag) leaves the tree empty and returns false. Reading never
// recurses and never allocates more than the input could describe.
bool ReadLibrary(std::string_view bytes, LibraryTree &tree);

// The bytes of the tree in the same layout.
std::string StoreLibrary(const LibraryTree &tree);

} // namespace dravo::library
