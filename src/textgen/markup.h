// The filter for markup that users type into template texts, their requisites and variable
// values: formatting (B, I, U, FONT, SPAN, P, DIV, TABLE ...) is kept, everything that runs or
// loads (script and style elements, event-handler attributes, script addresses, frames, objects,
// forms, meta and link elements ...) is dropped, before the text enters the page. Only the
// program's own markup around these texts calls into the program.
#pragma once

#include <string>
#include <string_view>

namespace dravo::textgen {

// The text with only the allowed elements and attributes left (an allow-list over windows-1251
// bytes). Kept tags are written back as typed when nothing in them was dropped; a "<" that starts
// no kept tag becomes "&lt;", and attribute values never hold braces, so no substitution command
// can put a value inside a tag. NUL bytes are dropped. Elements whose content is code (SCRIPT,
// STYLE) are dropped with their content; other dropped elements keep their text.
std::string FilterMarkup(std::string_view text);
// The same, appended to out.
void FilterMarkupInto(std::string_view text, std::string &out);

// Whether the filter can change the text at all (a "<" or a NUL byte in it).
bool MayHoldMarkup(std::string_view text);

// A font name as it may stand in a style rule: letters, digits, blanks and "-_,." only.
std::string CssFontName(std::string_view name);

} // namespace dravo::textgen
