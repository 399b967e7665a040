// "dravo-cli subject NAME" (the case forms of a subject's name) shares the command name with the
// subject-set commands; the subject command hands a lone NAME over to this function.
#pragma once

#include "cli/command.h"

namespace dravo::cli {

// Prints every SubjectNameForms field of the one positional NAME as key=value lines.
int RunSubjectForms(const Args &args);

} // namespace dravo::cli
