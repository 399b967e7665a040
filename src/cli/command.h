// The command table of dravo-cli. Each subsystem's commands live in a file of their own and
// register themselves here; main() only dispatches.
#pragma once

#include "russian/dates.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravo::cli {

// Arguments after the command name, as UTF-8 text from the console.
using Args = std::vector<std::string>;

struct Command {
    std::string_view name;  // "render", "words", "db" ...
    std::string_view usage; // one line of help: arguments after the name
    int (*run)(const Args &args);
};

// Adds a command at static-initialisation time; returns true so it can seed a static.
bool Register(const Command &command);

// Reports a failure on standard error and returns the failing exit status (1).
int Fail(std::string_view message);
// The same for an engine message (windows-1251 text).
int FailText(std::string_view cp1251);

// Command-line text (UTF-8) as engine text. A character the code page cannot hold is refused,
// never replaced: false, after a message that names it and what it was given for.
bool EngineText(const std::string &utf8, std::string &out, std::string_view what);

// The value after "--name" in args (nullptr when absent); "--name" itself counts as a flag.
const std::string *Option(const Args &args, std::string_view name);
bool Flag(const Args &args, std::string_view name);
// A whole decimal number filling the whole text, or nothing.
std::optional<int> WholeNumber(const std::string &text);
// A date written YYYY-MM-DD that names a real day, or nothing.
std::optional<Date> IsoDate(const std::string &text);
// The arguments that are neither options nor option values; valueOptions lists the options
// that take a value.
std::vector<std::string> Positional(const Args &args,
                                    const std::vector<std::string_view> &valueOptions);

} // namespace dravo::cli
