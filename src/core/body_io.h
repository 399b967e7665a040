// Loading and storing a template body in the ".adf" layout: the version text, the article count,
// the seven paragraphs, the articles and the variables; a current-format ("ADF2.2") body goes
// on with the parties list, the four field tables and the layout list. Older bodies are
// upgraded as they are loaded. The same layout is the record of "buff.dat" and "stl.dat".
#pragma once

#include "archive.h"
#include "body.h"

#include <string>
#include <string_view>

namespace dravo {

// Reads one body exactly as the archive holds it, without the upgrade of an older version (the
// sections an older file lacks stay as a fresh body has them). A field table is kept at exactly
// 30 descriptors: blank ones are added to a shorter table and those past 30 are dropped. On
// failure returns false and leaves body as it was.
bool ReadBodyAsStored(ArchiveReader &in, CBody &body);

// Reads one body and upgrades it when it is of an older version. Leaves body as it was on
// failure.
bool ReadBody(ArchiveReader &in, CBody &body);

// Writes one body. A current-format body has its derived sections rebuilt first and written in
// full; any other version writes the older layout and is then upgraded in memory. A list longer
// than a 16-bit count can hold is written cut to its first 65535 entries (see BodyFitsArchive).
void WriteBody(ArchiveWriter &out, CBody &body);

// Whole-buffer forms. LoadBody ignores bytes after the last record (files rewritten in place
// by older versions of the program can carry them). On failure it leaves body as it was and
// sets error to kUnexpectedFileFormat.
bool LoadBody(std::string_view bytes, CBody &body, std::string &error);
std::string StoreBody(CBody &body);

// False, with the reason, when a list of the body holds more entries than the file can count.
bool BodyFitsArchive(const CBody &body, std::string &error);

// Files. A missing or unreadable file gives the file system's reason; a malformed one
// kUnexpectedFileFormat; either way body is left as it was. Saving writes a temporary file and
// renames it over the old one, so a failed save leaves the old file intact; an existing file that
// may not be written (read-only) is not replaced and the save fails with the system's reason.
bool LoadBodyFile(const std::string &path, CBody &body, std::string &error);
bool SaveBodyFile(const std::string &path, CBody &body, std::string &error);

// The upgrade of an older body: version "ADF2.2", the date line's m_nType 0, the default field
// tables and rebuilt derived sections.
void UpgradeBody(CBody &body);

// Runs the upgrade when the body's version is not the current one, as loading does.
void UpgradeIfOlder(CBody &body);

// Rebuilds the parties list (2 items) and the layout list (8 items) from the paragraphs. Whatever
// the lists held before is replaced, so they never grow.
void RebuildDerivedSections(CBody &body);

} // namespace dravo
