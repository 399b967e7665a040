#include "russian/subject_name.h"

#include "core/text.h"
#include "russian/strings.h"

#include <algorithm>
#include <array>

namespace dravo {

using namespace literals;
using namespace russian_detail;

namespace {

// Masculine nouns common in contracts whose last vowel drops in the other cases (станок ->
// станка, участок -> участка). No ending rule tells them from блок, урок or срок, so they are
// listed; the dropped vowel is always the letter before the last.
constexpr std::array<std::string_view, 38> kFleetingVowelNouns = {
    "станок"_w,    "участок"_w,    "остаток"_w, "отрезок"_w,   "обрезок"_w,    "кусок"_w,
    "брусок"_w,    "мешок"_w,      "порошок"_w, "лоток"_w,     "звонок"_w,     "щиток"_w,
    "листок"_w,    "слиток"_w,     "напиток"_w, "песок"_w,     "платок"_w,     "цветок"_w,
    "замок"_w,     "каток"_w,      "излишек"_w, "задаток"_w,   "недостаток"_w, "убыток"_w,
    "заработок"_w, "промежуток"_w, "подарок"_w, "отпечаток"_w, "переулок"_w,   "потолок"_w,
    "поселок"_w,   "посёлок"_w,    "ковер"_w,   "ковёр"_w,     "узел"_w,       "котел"_w,
    "котёл"_w,     "угол"_w};

// The stem of the oblique cases of a name ending in a masculine consonant.
std::string MasculineStem(const std::string &name) {
    const std::size_t start =
        name.find_last_of(" -") == std::string::npos ? 0 : name.find_last_of(" -") + 1;
    const std::string lastWord = ToLower(std::string_view(name).substr(start));
    for (std::string_view noun : kFleetingVowelNouns)
        if (lastWord == noun) {
            std::string stem = name;
            stem.erase(stem.size() - 2, 1);
            return stem;
        }
    return name;
}

struct Ending {
    std::string_view tail; // the ending that selects the row
    int gender;
    int plural;
    std::size_t cut;
    std::array<std::string_view, 5> endings; // genitive .. prepositional
};

constexpr std::array<Ending, 8> kThreeLetterEndings = {{
    {"ция"_w, 2, 0, 3, {"ции"_w, "ции"_w, "цию"_w, "цией"_w, "ции"_w}},
    {"ния"_w, 0, 1, 3, {"ний"_w, "ниям"_w, "ния"_w, "ниями"_w, "ниях"_w}},
    {"лия"_w, 0, 1, 3, {"лий"_w, "лиям"_w, "лия"_w, "лиями"_w, "лиях"_w}},
    {"ние"_w, 0, 0, 3, {"ния"_w, "нию"_w, "ние"_w, "нием"_w, "нии"_w}},
    {"иль"_w, 1, 0, 3, {"иля"_w, "илю"_w, "иль"_w, "илем"_w, "иле"_w}},
    {"или"_w, 1, 1, 3, {"илей"_w, "илям"_w, "или"_w, "илями"_w, "илях"_w}},
    {"сти"_w, 2, 1, 3, {"стей"_w, "стям"_w, "сти"_w, "стями"_w, "стях"_w}},
    {"ика"_w, 2, 0, 3, {"ики"_w, "ике"_w, "ику"_w, "икой"_w, "ике"_w}},
}};

struct Agreement {
    std::string_view ending;
    std::array<std::string_view, 5> forms;
};

constexpr Agreement kPluralAdjective = {"ные"_w, {"ных"_w, "ным"_w, "ные"_w, "ными"_w, "ных"_w}};
constexpr Agreement kMasculineAdjective = {"ный"_w,
                                           {"ного"_w, "ному"_w, "ный"_w, "ным"_w, "ном"_w}};
constexpr Agreement kFeminineAdjective = {"ная"_w, {"ной"_w, "ной"_w, "ную"_w, "ной"_w, "ной"_w}};
constexpr std::array<Agreement, 4> kNeuterAdjectives = {{
    {"ное"_w, {"ного"_w, "ному"_w, "ное"_w, "ным"_w, "ном"_w}},
    {"кое"_w, {"кого"_w, "кому"_w, "кое"_w, "ким"_w, "ком"_w}},
    {"вое"_w, {"вого"_w, "вому"_w, "вое"_w, "вым"_w, "вом"_w}},
    {"лое"_w, {"лого"_w, "лому"_w, "лое"_w, "лым"_w, "лом"_w}},
}};

using Forms = std::array<std::string_view, 5>; // genitive .. prepositional

// The case endings of an adjective before the noun of the name ("грузовой автомобиль",
// "металлическая продукция", "нежилые помещения"), chosen by the name's gender and number and
// by the letter before the adjective's ending; nothing when the word is no adjective.
const Forms *AdjectiveEndings(std::string_view word, int gender, bool plural) {
    static constexpr Forms kPluralHard = {"ых"_w, "ым"_w, "ые"_w, "ыми"_w, "ых"_w};
    static constexpr Forms kPluralSoft = {"их"_w, "им"_w, "ие"_w, "ими"_w, "их"_w};
    static constexpr Forms kMasculineY = {"ого"_w, "ому"_w, "ый"_w, "ым"_w, "ом"_w};
    static constexpr Forms kMasculineO = {"ого"_w, "ому"_w, "ой"_w, "ым"_w, "ом"_w};
    static constexpr Forms kMasculineOVelar = {"ого"_w, "ому"_w, "ой"_w, "им"_w, "ом"_w};
    static constexpr Forms kMasculineIVelar = {"ого"_w, "ому"_w, "ий"_w, "им"_w, "ом"_w};
    static constexpr Forms kMasculineISoft = {"его"_w, "ему"_w, "ий"_w, "им"_w, "ем"_w};
    static constexpr Forms kFeminineHard = {"ой"_w, "ой"_w, "ую"_w, "ой"_w, "ой"_w};
    static constexpr Forms kFeminineSoft = {"ей"_w, "ей"_w, "ую"_w, "ей"_w, "ей"_w};
    static constexpr Forms kNeuterHard = {"ого"_w, "ому"_w, "ое"_w, "ым"_w, "ом"_w};
    static constexpr Forms kNeuterVelar = {"ого"_w, "ому"_w, "ое"_w, "им"_w, "ом"_w};
    static constexpr Forms kNeuterSoft = {"его"_w, "ему"_w, "ее"_w, "им"_w, "ем"_w};
    constexpr LetterSet kVelar{"кгх"_w};
    constexpr LetterSet kHushing{"жшчщ"_w};

    if (word.size() < 5) // short words ("мой", "свой") are left alone
        return nullptr;
    const std::string_view ending = word.substr(word.size() - 2);
    const char before = word[word.size() - 3];
    const bool velar = In(kVelar, before), hushing = In(kHushing, before);
    const bool soft = hushing || before == "н"_w[0]; // летний, рабочий
    if (plural) {
        if (ending == "ые"_w)
            return &kPluralHard;
        if (ending == "ие"_w)
            return &kPluralSoft;
    } else if (gender == 1) {
        if (ending == "ый"_w)
            return &kMasculineY;
        if (ending == "ой"_w)
            return velar || hushing ? &kMasculineOVelar : &kMasculineO;
        if (ending == "ий"_w)
            return velar ? &kMasculineIVelar : soft ? &kMasculineISoft : nullptr;
    } else if (gender == 2) {
        if (ending == "ая"_w)
            return hushing ? &kFeminineSoft : &kFeminineHard;
    } else {
        if (ending == "ое"_w)
            return velar || hushing ? &kNeuterVelar : &kNeuterHard;
        if (ending == "ее"_w && soft)
            return &kNeuterSoft;
    }
    return nullptr;
}

// Puts every adjective before the last word of a case form into that case (the last word is
// the noun, which the ending table has declined).
void AgreeAdjectives(std::string &form, std::size_t caseIndex, int gender, bool plural) {
    const std::size_t last = form.find_last_of(' ');
    if (last == std::string::npos)
        return;
    std::string out;
    out.reserve(form.size() + 8);
    std::size_t i = 0;
    while (i < last) {
        const std::size_t end = std::min(form.find(' ', i), last);
        const std::string_view word = std::string_view(form).substr(i, end - i);
        if (const Forms *endings = AdjectiveEndings(word, gender, plural)) {
            out.append(Cut(word, 2));
            out.append((*endings)[caseIndex]);
        } else {
            out.append(word);
        }
        for (i = end; i < last && form[i] == ' '; ++i)
            out += ' ';
    }
    out.append(form, last);
    form = std::move(out);
}

} // namespace

void SubjectNameForms::SetSubjectName(std::string_view newName) {
    name = Trim(newName);
    if (name.empty())
        name = "<не определено>"_w;
    lastLetter = name.back();

    std::array<std::string, 5> forms;
    forms.fill(name);
    gender = 0;
    plural = 0;
    const char last = lastLetter;
    auto build = [&](const std::string &stem, const std::array<std::string_view, 5> &endings) {
        for (std::size_t i = 0; i < 5; ++i)
            forms[i] = stem + std::string(endings[i]);
    };

    if (In("ркстл"_w, last)) {
        gender = 1;
        build(MasculineStem(name), {"а"_w, "у"_w, "", "ом"_w, "е"_w});
        forms[2] = name;
    } else if (last == "ы"_w[0]) {
        gender = 1;
        plural = 1;
        build(std::string(Cut(name, 1)), {"ов"_w, "ам"_w, "", "ами"_w, "ах"_w});
        forms[2] = name;
    } else if (In("яеьиа"_w, last)) {
        for (const Ending &e : kThreeLetterEndings) {
            if (!EndsWith(name, e.tail))
                continue;
            gender = e.gender;
            plural = e.plural;
            build(std::string(Cut(name, e.cut)), e.endings);
            break;
        }
    } else if (last == "о"_w[0]) {
        build(std::string(Cut(name, 1)), {"а"_w, "у"_w, "о"_w, "ом"_w, "е"_w});
    }

    // Adjectives in the name agree with it.
    auto agree = [&](const Agreement &a) {
        for (std::size_t i = 0; i < 5; ++i)
            ReplaceAll(forms[i], a.ending, a.forms[i]);
    };
    if (plural)
        agree(kPluralAdjective);
    else if (gender == 1)
        agree(kMasculineAdjective);
    else if (gender == 2)
        agree(kFeminineAdjective);
    else
        for (const Agreement &a : kNeuterAdjectives)
            agree(a);
    for (std::size_t i = 0; i < 5; ++i)
        AgreeAdjectives(forms[i], i, gender, plural != 0);

    genitive = forms[0];
    dative = forms[1];
    accusative = forms[2];
    instrumental = forms[3];
    prepositional = forms[4];
    capitalized = name;
    capitalized[0] = static_cast<char>(cp1251::Upper(static_cast<unsigned char>(name[0])));
}

} // namespace dravo
