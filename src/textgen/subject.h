// The subject of the contract in the contract text: as a sentence, as a table and as a total,
// built from the rows of the stored set.
#pragma once

#include <string>

#include "textgen/context.h"

namespace dravo::textgen {

// "станок в количестве 2 шт. по цене 100.00 руб., ..."; on a clickable page inside a DirRekv(3)
// (subject) or DirRekv(4) (settlement property) region, otherwise after a "&nbsp;".
std::string SubjectSentence(const DocumentContext &ctx, SubjectList list);

// The list as a bordered table in the clause-text font, inside the same clickable region.
std::string SubjectTable(const DocumentContext &ctx, SubjectList list);

// The sum of the amounts, "%.2f"; "_______" for 0 or no set.
std::string SubjectTotal(const DocumentContext &ctx, SubjectList list);

} // namespace dravo::textgen
