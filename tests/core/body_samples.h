// Bodies and files for the body tests: a realistic template, and a writer that lays records out
// field by field without the program's own storing (for files of older versions, or files in
// which another program edited the derived sections).
#pragma once

#include "core/archive.h"
#include "core/body.h"

#include <string>
#include <string_view>

namespace dravo::test {

// A contract of several articles with Cyrillic texts, variables and texts long enough to need
// each length-prefix form.
CBody SampleBody();

// Writes the records of body in file order, exactly as they stand (nothing rebuilt); version
// decides whether the current-format sections follow.
std::string RawBodyBytes(const CBody &body, std::string_view version);

void RawItem(ArchiveWriter &out, const CPun &p);
void RawList(ArchiveWriter &out, const CPar &par);

} // namespace dravo::test
