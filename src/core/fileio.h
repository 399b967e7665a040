// Whole-file reading and the safe save that every data file of the program goes through.
#pragma once

#include <string>
#include <string_view>

namespace dravo {

// Reads a whole file; on failure returns false with the file system's reason in error.
bool ReadWholeFile(const std::string &path, std::string &bytes, std::string &error);

// Writes a temporary file in the same folder, flushes it to disk and renames it over path, so a
// failure or a crash mid-save leaves the old file as it was. On failure returns false with the
// reason in error and removes the temporary file.
bool WriteFileAtomically(const std::string &path, std::string_view bytes, std::string &error);

} // namespace dravo
