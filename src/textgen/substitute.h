// The substitution commands: a word or phrase in curly braces inside a template text, replaced by
// a value of the current document when the page is built.
#pragma once

#include <string>
#include <string_view>

#include "textgen/context.h"

namespace dravo::textgen {

// Replaces every command of a text: the first command is found, every occurrence of it is
// replaced by its value, and reading goes on from where it stood, so a value that holds commands
// is substituted in its turn. The text is read once (the cost grows with the text) and each
// command is evaluated once. A command met again wholly inside its own value would be replaced
// for ever: it stays as its own text, in red (kLoopMarkOpen), so the page stays finite and shows
// where the template refers to itself. The same mark stops a text that would grow past
// kExpansionLimit through values.
std::string Substitute(DocumentContext &ctx, std::string_view text);
// The same, appended to out.
void SubstituteInto(DocumentContext &ctx, std::string_view text, std::string &out);

inline constexpr std::string_view kLoopMarkOpen = "<SPAN STYLE=\"color:red;\">";
inline constexpr std::string_view kLoopMarkClose = "</SPAN>";
// Inserted value bytes allowed per text: this many, or 16 times the text, whichever is larger.
inline constexpr std::size_t kExpansionLimit = 4u << 20;

// The command word of a command: every brace removed, blanks trimmed.
std::string CommandWord(std::string_view command);

// The value of one command word (highlighted when the context says so).
std::string Evaluate(DocumentContext &ctx, std::string_view word);

// The party commands: "первый: название", "второго!: фамилия" ...
std::string EvaluatePartyCommand(const DocumentContext &ctx, std::string_view word);

// A word made to agree with the gender and number of the subject of the contract.
std::string AgreeWithSubject(const DocumentContext &ctx, std::string_view word);

// "предмета", "предмету расчета" ...: a case form of the subject's name; other words unchanged.
std::string SubjectNameForm(const DocumentContext &ctx, std::string_view word);

} // namespace dravo::textgen
