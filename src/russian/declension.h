// Declension of persons: surnames, first names with patronymics and posts of a party's
// representative, the participles "действующий" / "проживающий" and verbs and pronouns in
// agreement with the person's gender. Text is windows-1251.
#pragma once

#include <string>
#include <string_view>

namespace dravo {

// Gender of the word decliner: 1 masculine, any other value feminine.
inline constexpr int kMasculine = 1;
inline constexpr int kFeminine = 2;

// Case numbers of DeclineWord.
enum WordCase : int {
    CaseNom = 1,
    CaseGen = 2,
    CaseDat = 3,
    CaseAcc = 4,
    CaseIns = 5,
    CasePrep = 6,
};

// Case selector of the person forms: 1 genitive, 2 dative, 3 accusative, any other nominative.
using CaseSelector = int;
inline constexpr CaseSelector SelectNominative = 0;
inline constexpr CaseSelector SelectGenitive = 1;
inline constexpr CaseSelector SelectDative = 2;
inline constexpr CaseSelector SelectAccusative = 3;

// One word (a surname) in a case 1..6 by the ending-class table. A word holding "_____" (an
// unfilled blank) and a word no class fits are returned unchanged.
std::string DeclineWord(std::string_view word, int gender, int wordCase);

// A surname text in a case: trimmed; initials (ending in ".") lose their trailing points and are
// not declined; a hyphenated surname declines both parts. With decline off the text is returned
// unchanged.
std::string DeclineSurnameText(std::string_view text, int gender, int wordCase,
                               bool decline = true);

// The declined forms of a party's representative.
struct PersonForms {
    std::string surname;        // as typed, trimmed
    std::string namePatronymic; // as typed, trimmed
    std::string post;           // trimmed, cut before ", действует ..."
    bool male = true;
    std::string initials;        // "И.И."
    std::string initialsSurname; // "И.И.&nbsp;Иванов", written under a signature
    std::string surnameGenitive;
    std::string surnameDative;
    std::string surnameAccusative;
    std::string namePatronymicGenitive;
    std::string namePatronymicDative;
    std::string namePatronymicAccusative;
    std::string postGenitive;
    std::string postDative;
    std::string fullNameGenitive; // DeclineSurnameText genitive, a blank, namePatronymicGenitive
};

PersonForms BuildPersonForms(std::string_view surname, std::string_view namePatronymic,
                             std::string_view post);

// Readers by case selector (an accusative man reads his genitive forms).
std::string SurnameByCase(const PersonForms &forms, CaseSelector selector);
std::string NamePatronymicByCase(const PersonForms &forms, CaseSelector selector);
std::string PostByCase(const PersonForms &forms, CaseSelector selector);

enum class ParticipleVerb { Acting, Residing }; // "действующий", "проживающий"

// "действующего", "действующей", "проживающая" ... by selector and gender.
std::string Participle(CaseSelector selector, bool male,
                       ParticipleVerb verb = ParticipleVerb::Acting);

// A past-tense verb or a pronoun "он", "его", "ему" in agreement with the gender: for a woman
// "подписал" becomes "подписала", "он" "она", "его" "ее", "ему" "ей".
std::string AgreeWord(std::string_view word, bool male);

} // namespace dravo
