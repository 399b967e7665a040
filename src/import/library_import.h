// The plain-text import as the template library calls it: the text file becomes the library's
// template file of the element name.
#pragma once

#include "library/library.h"

#include <functional>
#include <string>
#include <string_view>

namespace dravo::import {

// A converter for Library::Import that stores into store's template file of the name. show
// receives the messages of reading and storing (windows-1251); the library itself reports a
// text it does not recognise. place is the user's settlement for the new template's date line.
library::ImportConverter LibraryImportConverter(const library::FolderStore &store,
                                                std::string place,
                                                std::function<void(std::string_view)> show);

} // namespace dravo::import
