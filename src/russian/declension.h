// Declension of persons: surnames, first names with patronymics and posts of a party's
// representative, the participles "действующий" / "проживающий" and verbs and pronouns in
// agreement with the person's gender. Text is windows-1251.
#pragma once

#include <array>
#include <cstdint>
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

// The declined forms of a party's representative. A page reads them for every party command,
// and a directory of thousands of counterparties builds them once each: the forms are kept in
// one buffer, so that building them allocates once at most.
class PersonForms {
  public:
    std::string_view surname() const { return Form(Surname); }               // as typed, trimmed
    std::string_view namePatronymic() const { return Form(NamePatronymic); } // as typed, trimmed
    std::string_view post() const { return Form(Post); } // trimmed, cut before ", действует ..."
    std::string_view initials() const { return Form(Initials); }               // "И.И."
    std::string_view initialsSurname() const { return Form(InitialsSurname); } // "И.И.&nbsp;Иванов"
    std::string_view surnameGenitive() const { return Form(SurnameGenitive); }
    std::string_view surnameDative() const { return Form(SurnameDative); }
    std::string_view surnameAccusative() const { return Form(SurnameAccusative); }
    std::string_view namePatronymicGenitive() const { return Form(NamePatronymicGenitive); }
    std::string_view namePatronymicDative() const { return Form(NamePatronymicDative); }
    std::string_view namePatronymicAccusative() const { return Form(NamePatronymicAccusative); }
    std::string_view postGenitive() const { return Form(PostGenitive); }
    std::string_view postDative() const { return Form(PostDative); }
    // DeclineSurnameText genitive, a blank, namePatronymicGenitive.
    std::string_view fullNameGenitive() const { return Form(FullNameGenitive); }

    bool male = true;

  private:
    friend PersonForms BuildPersonForms(std::string_view, std::string_view, std::string_view);

    // In the order they are written.
    enum Slot : int {
        Surname,
        NamePatronymic,
        Post,
        Initials,
        InitialsSurname,
        SurnameGenitive,
        SurnameDative,
        SurnameAccusative,
        NamePatronymicGenitive,
        NamePatronymicDative,
        NamePatronymicAccusative,
        FullNameGenitive,
        PostGenitive,
        PostDative,
        SlotCount
    };
    std::string_view Form(Slot slot) const {
        const std::uint32_t start = slot == 0 ? 0 : m_ends[slot - 1];
        return std::string_view(m_text).substr(start, m_ends[slot] - start);
    }
    // Closes the slot that was being written at the buffer's present end.
    void End(Slot slot) { m_ends[slot] = static_cast<std::uint32_t>(m_text.size()); }

    std::string m_text;
    std::array<std::uint32_t, SlotCount> m_ends{};
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
