// Whole-file reading and the one save routine that every file the program and dravo-cli write
// goes through.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace dravo {

// The largest template or data file the program reads: far above any real one, low enough that a
// wrong file cannot exhaust the memory.
inline constexpr std::uint64_t kMaxFileBytes = std::uint64_t(256) << 20;

// Reads a whole regular file of at most maxBytes. A device, a FIFO, a directory or a larger file
// is refused at once, without reading it. On failure returns false with "path: reason" in error.
bool ReadWholeFile(const std::string &path, std::string &bytes, std::string &error,
                   std::uint64_t maxBytes = kMaxFileBytes);

// The one save routine. What it does depends on what path names:
// - a regular file (or nothing yet): the bytes go to a temporary file in the same folder, which is
//   flushed to disk and renamed over path, so a failure or a crash mid-save leaves the old file as
//   it was. The new file keeps the old one's mode, owner and group; a new file gets the usual
//   mode. The temporary file is unnamed where the file system allows (it gets a name only just
//   before the rename); otherwise it is named after the target, and one that a crashed save left
//   behind is removed by the next save of the same target. Its name never exceeds the longest
//   name a folder takes, whatever the length of path.
// - a regular file that has other hard links, or whose owner and group a new file could not be
//   given: the file is rewritten in place, so every link and the owner stay. A full copy of the
//   old bytes is written beside it first (named like a temporary file, ending ".orig"); a failed
//   write puts the old bytes back, a crash leaves the copy, and the copy goes once a save of the
//   same target has succeeded.
// - a symbolic link: the file it leads to is saved as above; the link stays a link.
// - anything else (a device, a FIFO, standard output as /dev/stdout): written directly.
// An existing file that may not be written (read-only) is refused, with the system's reason. On
// failure returns false with "path: reason" in error and leaves no temporary file.
bool WriteFileAtomically(const std::string &path, std::string_view bytes, std::string &error);

// The bytes of a file made as they are written: the maker hands them to put piece by piece and
// stops, returning false, as soon as put does. A large converted page is written this way without
// being held whole a second time.
using BytePieces = std::function<bool(const std::function<bool(std::string_view)> &put)>;
// The same save routine for bytes made piece by piece (the maker is called once).
bool WriteFileAtomically(const std::string &path, const BytePieces &pieces, std::string &error);

// Keeps the bytes of a damaged data file beside it before a fresh one takes its place:
// "<path>.damaged-<YYYYMMDD-HHMMSS>", with "-2", "-3" ... added when that name is taken, so that
// an older copy is never written over. aside gets the name chosen; on failure error says why.
bool KeepDamagedCopy(const std::string &path, std::string_view bytes, std::string &aside,
                     std::string &error);

// The start of the names of the temporary files and backups of a target (a regular file's path,
// links already followed): its folder, "/.~", the start of its name, "~", a hash of the name
// and ".".
std::string TemporaryFilePrefix(const std::string &target);

} // namespace dravo
