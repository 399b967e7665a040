// The file dialog library's interface: what the program and the library agree on. The program
// binds GetFilename by name at each use and owns both result buffers.
#pragma once

#include <cstddef>
#include <string_view>

// Shows the open-file dialog: kind 0 for templates (*.adf), any other kind for text files
// (*.txt), starting in folder (empty: the system's choice). Writes the chosen file's title (its
// name up to the last ".") and full path, in the file system's encoding, into the two buffers;
// two empty strings when the dialog is cancelled or the path is refused. A path that does not
// fit kGetFilenameBuffer bytes with its terminating zero is refused with a message.
extern "C" void GetFilename(char *title, char *path, const char *folder, int kind);

namespace dravo::filedlg {

using GetFilenameFunction = void (*)(char *, char *, const char *, int);

// The library's name for QLibrary (libdravo20.so), the export's name, and the size of each
// result buffer the caller passes.
inline constexpr const char *kLibraryName = "dravo20";
inline constexpr const char *kExportName = "GetFilename";
inline constexpr std::size_t kGetFilenameBuffer = 255;

// A file's title: its name without folder and without the part from the last "." on; the whole
// name when it has no ".".
constexpr std::string_view FileTitle(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? name : name.substr(0, dot);
}

} // namespace dravo::filedlg
