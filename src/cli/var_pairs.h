// The "--set WORD=VALUE ..." pairs of dravo-cli vars and render: values for a template's
// variable-data items, matched by command word as substitution matches them.
#pragma once

#include "cli/command.h"
#include "core/body.h"

#include <string>
#include <utility>
#include <vector>

namespace dravo::cli {

// windows-1251 word and value.
using ValuePairs = std::vector<std::pair<std::string, std::string>>;

// Takes every "--set" and the WORD=VALUE arguments after it out of args; rest gets the others.
// False with a message when a "--set" has no pair or a pair is malformed or unrepresentable.
bool TakeValuePairs(const Args &args, Args &rest, ValuePairs &pairs, std::string &error);

// Stores the values in the items; nothing is changed and the message names the word when a word
// matches no item (or a separator) or a value is too long for the entry form.
bool ApplyValuePairs(CBody &body, const ValuePairs &pairs, std::string &error);

} // namespace dravo::cli
