#include "russian/subject_name.h"

#include "russian/strings.h"

namespace dravo {

using namespace russian_detail;

void SubjectNameForms::SetSubjectName(std::string_view newName) {
    name = Trim(newName);
    lastLetter = name.empty() ? 0 : name.back();
    genitive = dative = accusative = instrumental = prepositional = capitalized = name;
}

} // namespace dravo
