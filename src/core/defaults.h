// The fixed content of a new template and the default party field tables.
#pragma once

#include "body.h"

#include <string_view>

namespace dravo {

// Replaces the four party field tables with the default descriptors: row 0 a citizen, 1 an
// entrepreneur, 2 an organisation, 3 an organisation with a territory.
void SetDefaultFieldTables(CBody &body);

// Makes body a new template: one article with one clause, the seven paragraphs with their
// default texts and styles, place (the user's settlement, windows-1251) in the date line, the
// current version, the default field tables and the derived sections. Whatever body held before
// is replaced.
void FillNewTemplate(CBody &body, std::string_view place);

} // namespace dravo
