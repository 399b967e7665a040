#include "russian/declension.h"

#include "russian/strings.h"

namespace dravo {

using namespace russian_detail;

// First bodies: forms equal the typed text until the rule tables land.
std::string DeclineWord(std::string_view word, int, int) {
    return std::string(word);
}

std::string DeclineSurnameText(std::string_view text, int, int, bool) {
    return std::string(Trim(text));
}

PersonForms BuildPersonForms(std::string_view surname, std::string_view namePatronymic,
                             std::string_view post) {
    PersonForms f;
    f.surname = Trim(surname);
    f.namePatronymic = Trim(namePatronymic);
    f.post = Trim(post);
    f.surnameGenitive = f.surnameDative = f.surnameAccusative = f.surname;
    f.namePatronymicGenitive = f.namePatronymicDative = f.namePatronymicAccusative =
        f.namePatronymic;
    f.postGenitive = f.postDative = f.post;
    f.initialsSurname = f.surname;
    f.fullNameGenitive = f.surname + " " + f.namePatronymic;
    return f;
}

std::string SurnameByCase(const PersonForms &f, CaseSelector) {
    return f.surname;
}
std::string NamePatronymicByCase(const PersonForms &f, CaseSelector) {
    return f.namePatronymic;
}
std::string PostByCase(const PersonForms &f, CaseSelector) {
    return f.post;
}
std::string Participle(CaseSelector, bool, ParticipleVerb) {
    return {};
}
std::string AgreeWord(std::string_view word, bool) {
    return std::string(word);
}

} // namespace dravo
