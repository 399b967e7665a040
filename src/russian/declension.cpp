#include "russian/declension.h"

#include "core/text.h"
#include "russian/strings.h"

#include <array>
#include <utility>

namespace dravo {

using namespace literals;
using namespace russian_detail;

namespace {

// Letter classes, lower case then upper case.
constexpr std::string_view kVowels = "аеёиоуыэюяАЕЁИОУЫЭЮЯ"_w;
constexpr std::string_view kVoiceless = "пфкхтсцчшщПФКХТСЦЧШЩ"_w;
constexpr std::string_view kVoiced = "бвгджзлмнрБВГДЖЗЛМНР"_w;
constexpr std::string_view kBackPalatal = "гкжхГКЖХ"_w;
constexpr std::string_view kHushing = "чшщЧШЩ"_w;

char Lower(char c) {
    return static_cast<char>(cp1251::Lower(static_cast<unsigned char>(c)));
}
char Upper(char c) {
    return static_cast<char>(cp1251::Upper(static_cast<unsigned char>(c)));
}

// The character n places from the end (1 = the last), or 0 when the word is shorter.
char FromEnd(std::string_view w, std::size_t n) {
    return w.size() >= n ? w[w.size() - n] : '\0';
}

bool EndsWithAny(std::string_view w, std::initializer_list<std::string_view> tails) {
    for (std::string_view t : tails)
        if (EndsWith(w, t))
            return true;
    return false;
}

// Ending classes of the word decliner: letters cut, then the endings of cases 2..6.
struct EndingClass {
    std::size_t cut;
    std::array<std::string_view, 5> endings; // genitive, dative, accusative, instrumental, prep.
};

constexpr std::array<EndingClass, 17> kClasses = {{
    {0, {"", "", "", "", ""}},
    {0, {"а"_w, "у"_w, "а"_w, "ым"_w, "е"_w}},
    {0, {"а"_w, "у"_w, "а"_w, "ом"_w, "е"_w}},
    {1, {"я"_w, "ю"_w, "я"_w, "ем"_w, "е"_w}},
    {2, {"ого"_w, "ому"_w, "ого"_w, "им"_w, "ом"_w}},
    {0, {"а"_w, "у"_w, "а"_w, "ом"_w, "е"_w}},
    {0, {"а"_w, "у"_w, "а"_w, "ем"_w, "е"_w}},
    {2, {"йца"_w, "йцу"_w, "йца"_w, "йцем"_w, "йце"_w}},
    {2, {"ца"_w, "цу"_w, "ца"_w, "цом"_w, "це"_w}},
    {2, {"ого"_w, "ому"_w, "ого"_w, "ым"_w, "ом"_w}},
    {2, {"его"_w, "ему"_w, "его"_w, "им"_w, "ем"_w}},
    {1, {"ы"_w, "е"_w, "у"_w, "ой"_w, "е"_w}},
    {1, {"и"_w, "е"_w, "ю"_w, "ей"_w, "е"_w}},
    {1, {"и"_w, "е"_w, "у"_w, "ой"_w, "е"_w}},
    {1, {"и"_w, "е"_w, "у"_w, "ей"_w, "е"_w}},
    {2, {"ой"_w, "ой"_w, "ую"_w, "ой"_w, "ой"_w}},
    {1, {"ой"_w, "ой"_w, "у"_w, "ой"_w, "ой"_w}},
}};

// Class of a word ending in "а" by the letter before it.
int ClassBeforeA(std::string_view w) {
    const char before = FromEnd(w, 2);
    if (before != '\0' && In(kBackPalatal, before))
        return 13;
    if (before != '\0' && In(kHushing, before))
        return 14;
    return 11;
}

// The ending class of a word, or -1 when the word is returned unchanged.
int ClassOf(std::string_view w, int gender) {
    const char last = w.back();
    if (gender == kMasculine) {
        if (In(kVowels, last)) {
            if (last == "а"_w[0])
                return ClassBeforeA(w);
            if (last == "я"_w[0]) {
                const char before = FromEnd(w, 2);
                return before != '\0' && In(kVowels, before) ? 0 : 12;
            }
            return 0;
        }
        if (In(kVoiceless, last)) {
            if (EndsWith(w, "ич"_w))
                return 6;
            if (EndsWith(w, "ец"_w)) {
                const char before = FromEnd(w, 3);
                return before != '\0' && In(kVowels, before) ? 7 : 8;
            }
            if (EndsWithAny(w, {"их"_w, "ых"_w}))
                return 0;
            return 2;
        }
        if (In(kVoiced, last))
            return EndsWithAny(w, {"ов"_w, "ев"_w, "ёв"_w, "ин"_w, "ын"_w}) ? 1 : 5;
        if (Upper(last) == "Ь"_w[0])
            return 3;
        if (Upper(last) == "Й"_w[0]) {
            if (EndsWithAny(w, {"ый"_w, "ой"_w}))
                return 9;
            const char third = FromEnd(w, 3);
            if (third != '\0' && In(kVoiceless, third))
                return EndsWith(w, "чий"_w) ? 10 : 4;
            return 3;
        }
        return -1;
    }
    if (Upper(last) == "Я"_w[0])
        return EndsWith(w, "ая"_w) ? 15 : 12;
    if (Upper(last) == "А"_w[0]) {
        if (EndsWithAny(w, {"ова"_w, "ева"_w, "ёва"_w, "ина"_w, "ына"_w}))
            return 16;
        return ClassBeforeA(w);
    }
    return -1;
}

// --- Surnames by the simpler rules that the party wording shows --------------------------------

struct SurnameCases {
    std::string genitive, dative, accusative;
};

SurnameCases SurnameRules(std::string_view s, bool male) {
    // Each case is the surname cut by some letters plus an ending; a later rule overrides an
    // earlier one. The texts are made once, at the end.
    struct Form {
        std::size_t cut = 0;
        std::string_view ending;
    };
    Form gen, dat, acc;
    const auto set = [&](std::size_t cut, std::string_view g, std::string_view d,
                         std::string_view a) {
        gen = {cut, g};
        dat = {cut, d};
        acc = {cut, a};
    };
    if (male) {
        if (EndsWithAny(s, {"ин"_w, "ын"_w, "ов"_w, "ев"_w, "ёв"_w}))
            set(0, "а"_w, "у"_w, "а"_w);
        if (EndsWithAny(s, {"ий"_w, "ый"_w}))
            set(2, "ого"_w, "ому"_w, "ого"_w);
        if (EndsWith(s, "лий"_w))
            set(1, "я"_w, "ю"_w, "я"_w);
        if (EndsWithAny(s, {"щий"_w, "чий"_w}))
            set(2, "его"_w, "ему"_w, "его"_w);
    } else {
        if (EndsWithAny(s, {"ина"_w, "ына"_w, "ова"_w, "ева"_w, "ёва"_w}))
            set(1, "ой"_w, "ой"_w, "у"_w);
        if (EndsWith(s, "ая"_w))
            set(2, "ой"_w, "ой"_w, "ую"_w);
        if (EndsWithAny(s, {"щая"_w, "чая"_w}))
            gen = dat = {2, "ей"_w};
    }
    if (EndsWith(s, "Рева"_w))
        gen = dat = {};
    const auto make = [&](const Form &f) {
        const std::string_view stem = Cut(s, f.cut);
        std::string out;
        out.reserve(stem.size() + f.ending.size());
        out.append(stem);
        out.append(f.ending);
        return out;
    };
    return {make(gen), make(dat), make(acc)};
}

// --- First name and patronymic ------------------------------------------------------------

// "ы" after г, к, х, ж, ч, ш, щ is spelled "и" ("Ольги", "Наташи").
// Appends stem and ending; with capital set the ending is written in capitals.
void AppendSpelled(std::string &out, std::string_view stem, std::string_view ending, bool capital) {
    if (ending == "ы"_w && !stem.empty() && In("гкхжчшщГКХЖЧШЩ"_w, stem.back()))
        ending = "и"_w;
    out += stem;
    if (capital)
        out += ToUpper(ending);
    else
        out += ending;
}

// The letters after which a man's name in "а" or "я" is Russian and declines: consonants and
// the soft sign, lower case.
constexpr std::string_view kSoftOrConsonant = "бвгджзйклмнпрстфхцчшщь"_w;

// Appends the first name in the case; caseIndex: 0 genitive, 1 dative, 2 accusative.
void AppendFirstNameCase(std::string &out, std::string_view n, bool male, int caseIndex) {
    if (n.empty())
        return;
    if (male) {
        if (n == "Павел"_w) {
            out += caseIndex == 1 ? "Павлу"_w : "Павла"_w;
            return;
        }
        if (n == "Лев"_w) {
            out += caseIndex == 1 ? "Льву"_w : "Льва"_w;
            return;
        }
        if (n == "Пётр"_w) // the oblique cases are spelled with "е": Петра, Петру
            n = "Петр"_w;
        const char last = caseIndex == 0 ? Lower(n.back()) : n.back();
        static constexpr std::array<std::string_view, 3> kAdd = {"а"_w, "у"_w, "а"_w};
        static constexpr std::array<std::string_view, 3> kSoftI = {"я"_w, "ю"_w, "я"_w};
        // Names in other hard consonants (Ростислав, Глеб, Марк, Иосиф) decline as Олег does.
        if (In("ргнслбвзкпфхжшчц"_w, last)) {
            out += n;
            out += kAdd[caseIndex];
            return;
        }
        if (In("мдт"_w, last)) {
            out += n;
            if (caseIndex == 0)
                out += "а"_w;
            return;
        }
        if (last == "й"_w[0]) {
            out += Cut(n, 1);
            out += kSoftI[caseIndex];
            return;
        }
        if (last == "ь"_w[0]) {
            out += caseIndex == 0 ? Cut(n, 1) : n;
            if (caseIndex == 0)
                out += "я"_w;
            return;
        }
        // Men's names in "а" and "я" decline as women's do (Никиты, Ильи) when a consonant or
        // "ь" stands before the ending; others are foreign and stay as typed (Франсуа).
        const char ending = Lower(n.back());
        if ((ending != "а"_w[0] && ending != "я"_w[0]) || n.size() < 2 ||
            !In(kSoftOrConsonant, Lower(n[n.size() - 2]))) {
            out += n;
            return;
        }
    }
    // The ending is compared in any letter case and written in the case of the letter it
    // replaces: "ИЯ" gives "ИИ".
    const char ending = Lower(n.back());
    const bool capital = ending != n.back();
    static constexpr std::array<std::string_view, 3> kA = {"ы"_w, "е"_w, "у"_w};
    if (ending == "а"_w[0]) {
        AppendSpelled(out, Cut(n, 1), kA[caseIndex], capital);
        return;
    }
    if (ending == "я"_w[0]) {
        // Dative "Марии", "Ии" but "Наталье", "Илье".
        static constexpr std::array<std::string_view, 3> kYa = {"и"_w, "е"_w, "ю"_w};
        const bool ia = n.size() >= 2 && Lower(n[n.size() - 2]) == "и"_w[0];
        AppendSpelled(out, Cut(n, 1), caseIndex == 1 && ia ? "и"_w : kYa[caseIndex], capital);
        return;
    }
    if (!male && n.back() == "ь"_w[0]) { // Любовь: Любови
        out += caseIndex == 2 ? n : Cut(n, 1);
        if (caseIndex != 2)
            out += "и"_w;
        return;
    }
    out += n;
}

// Appends the patronymic in the case.
void AppendPatronymicCase(std::string &out, std::string_view p, int caseIndex) {
    if (EndsWith(p, "вич"_w) || EndsWith(p, "ич"_w)) {
        static constexpr std::array<std::string_view, 3> kAdd = {"а"_w, "у"_w, "а"_w};
        out += p;
        out += kAdd[caseIndex];
        return;
    }
    // "вна" and the few feminine patronymics in "чна" ("Ильинична", "Кузьминична").
    if (EndsWith(p, "вна"_w) || EndsWith(p, "чна"_w)) {
        static constexpr std::array<std::string_view, 3> kEnd = {"ы"_w, "е"_w, "у"_w};
        out += Cut(p, 1);
        out += kEnd[caseIndex];
        return;
    }
    out += p;
}

std::string NamePatronymicCase(std::string_view text, bool male, int caseIndex) {
    if (text.size() > 1 && text[1] == '.')
        return std::string(text); // initials
    const std::size_t blank = text.find(' ');
    std::string out;
    if (blank == std::string_view::npos) {
        out.reserve(text.size() + 2);
        AppendPatronymicCase(out, text, caseIndex);
        return out;
    }
    out.reserve(text.size() + 4);
    AppendFirstNameCase(out, text.substr(0, blank), male, caseIndex);
    out += ' ';
    AppendPatronymicCase(out, text.substr(blank + 1), caseIndex);
    return out;
}

// --- Posts ------------------------------------------------------------------------------------

// Declines the word that ends before `end` by the post's letter rules, in place. The first word
// of a longer post also takes the "ва" rule ("Глава администрации": Главы администрации).
void DeclinePostWordEnd(std::string &p, std::size_t end, bool genitive, bool firstWord) {
    if (end == 0)
        return;
    if (firstWord && EndsWith(std::string_view(p).substr(0, end), "ва"_w)) {
        p[end - 1] = genitive ? "ы"_w[0] : "е"_w[0];
        return;
    }
    const char last = p[end - 1];
    if (genitive) {
        const char low = Lower(last);
        if (In("рктгбч"_w, low))
            p.insert(p.begin() + static_cast<std::ptrdiff_t>(end), "а"_w[0]);
        else if (low == "ь"_w[0])
            p[end - 1] = "я"_w[0];
    } else {
        if (In("рктгб"_w, last))
            p.insert(p.begin() + static_cast<std::ptrdiff_t>(end), "у"_w[0]);
        else if (last == "ь"_w[0])
            p[end - 1] = "ю"_w[0];
    }
}

std::string PostRules(std::string_view post, bool genitive) {
    std::string p;
    p.reserve(post.size() + 8);
    p = post;
    DeclinePostWordEnd(p, p.size(), genitive, false);
    while (!p.empty() && IsBlank(p.back()))
        p.pop_back();
    // Only the first and the last word change: the first word is declined on its own.
    if (p.size() > 1) {
        const std::size_t blank = p.find(' ', 2);
        if (blank != std::string::npos)
            DeclinePostWordEnd(p, blank, genitive, true);
    }
    return p;
}

std::string PostCase(std::string_view post, bool genitive) {
    std::string p;
    if (EndsWith(post, "ва"_w))
        p = std::string(Cut(post, 1)) + std::string(genitive ? "ы"_w : "е"_w);
    else
        p = PostRules(post, genitive);
    if (p.find("й"_w[0]) == std::string::npos) // every ending below ends in "й"
        return p;
    if (genitive) {
        ReplaceAll(p, "ный"_w, "ного"_w);
        ReplaceAll(p, "кий"_w, "кого"_w);
        ReplaceAll(p, "ший"_w, "шего"_w);
        ReplaceAll(p, "заведующий"_w, "заведующего"_w);
    } else {
        ReplaceAll(p, "ный"_w, "ному"_w);
        ReplaceAll(p, "кий"_w, "кому"_w);
        ReplaceAll(p, "ший"_w, "шему"_w);
        ReplaceAll(p, "заведующий"_w, "заведующему"_w);
    }
    return p;
}

bool IsFeminineNamePatronymic(std::string_view text) {
    return EndsWith(text, "вна"_w) || EndsWith(text, "чна"_w);
}

} // namespace

std::string DeclineWord(std::string_view word, int gender, int wordCase) {
    if (word.empty() || Contains(word, "_____") || wordCase < CaseGen || wordCase > CasePrep)
        return std::string(word);
    const int cls = ClassOf(word, gender);
    if (cls <= 0)
        return std::string(word);
    const EndingClass &c = kClasses[cls];
    return std::string(Cut(word, c.cut)) + std::string(c.endings[wordCase - CaseGen]);
}

std::string DeclineSurnameText(std::string_view text, int gender, int wordCase, bool decline) {
    if (!decline)
        return std::string(text);
    std::string_view s = Trim(text);
    if (!s.empty() && s.back() == '.') {
        while (!s.empty() && s.back() == '.')
            s.remove_suffix(1);
        return std::string(s);
    }
    const std::size_t hyphen = s.find('-');
    if (hyphen != std::string_view::npos)
        return DeclineWord(s.substr(0, hyphen), gender, wordCase) + "-" +
               DeclineWord(s.substr(hyphen + 1), gender, wordCase);
    return DeclineWord(s, gender, wordCase);
}

PersonForms BuildPersonForms(std::string_view surname, std::string_view namePatronymic,
                             std::string_view post) {
    PersonForms f;
    f.surname = Trim(surname);
    f.namePatronymic = Trim(namePatronymic);
    std::string_view p = Trim(post);
    const std::size_t acts = p.find("действует"_w);
    if (acts == 0)
        p = {};
    else if (acts != std::string_view::npos && p.find(',') != std::string_view::npos)
        p = TrimRight(p.substr(0, p.find(',')));
    f.post = p;
    f.male = !IsFeminineNamePatronymic(f.namePatronymic);

    // Initials.
    const std::string &np = f.namePatronymic;
    if (np.empty()) {
        f.initialsSurname = f.surname;
    } else if (np.size() > 1 && np[1] == '.') {
        f.initials = np;
        f.initialsSurname = np + " " + f.surname;
    } else {
        char second = np[0];
        const std::size_t blank = np.find(' ');
        if (blank != std::string::npos) {
            const std::size_t next = np.find_first_not_of(' ', blank);
            if (next != std::string::npos)
                second = np[next];
        }
        f.initials = {np[0], '.', second, '.'};
        f.initialsSurname.reserve(f.initials.size() + 6 + f.surname.size());
        f.initialsSurname += f.initials;
        f.initialsSurname += "&nbsp;";
        f.initialsSurname += f.surname;
    }
    while (!f.initialsSurname.empty() && f.initialsSurname.back() == '.')
        f.initialsSurname.pop_back();

    SurnameCases sc = SurnameRules(f.surname, f.male);
    f.surnameGenitive = std::move(sc.genitive);
    f.surnameDative = std::move(sc.dative);
    f.surnameAccusative = std::move(sc.accusative);
    f.namePatronymicGenitive = NamePatronymicCase(np, f.male, 0);
    f.namePatronymicDative = NamePatronymicCase(np, f.male, 1);
    f.namePatronymicAccusative = NamePatronymicCase(np, f.male, 2);

    f.fullNameGenitive = DeclineSurnameText(f.surname, f.male ? kMasculine : kFeminine, CaseGen);
    f.fullNameGenitive.reserve(f.fullNameGenitive.size() + 1 + f.namePatronymicGenitive.size());
    if (!f.fullNameGenitive.empty() && !f.namePatronymicGenitive.empty())
        f.fullNameGenitive += ' ';
    f.fullNameGenitive += f.namePatronymicGenitive;

    f.postGenitive = PostCase(f.post, true);
    f.postDative = PostCase(f.post, false);
    return f;
}

std::string SurnameByCase(const PersonForms &f, CaseSelector selector) {
    switch (selector) {
    case SelectGenitive:
        return f.surnameGenitive;
    case SelectDative:
        return f.surnameDative;
    case SelectAccusative:
        return f.male ? f.surnameGenitive : f.surnameAccusative;
    default:
        return f.surname;
    }
}

std::string NamePatronymicByCase(const PersonForms &f, CaseSelector selector) {
    switch (selector) {
    case SelectGenitive:
        return f.namePatronymicGenitive;
    case SelectDative:
        return f.namePatronymicDative;
    case SelectAccusative:
        return f.male ? f.namePatronymicGenitive : f.namePatronymicAccusative;
    default:
        return f.namePatronymic;
    }
}

std::string PostByCase(const PersonForms &f, CaseSelector selector) {
    switch (selector) {
    case SelectGenitive:
        return f.postGenitive;
    case SelectDative:
        return f.postDative;
    case SelectAccusative:
        if (!f.male && EndsWith(f.post, "а"_w))
            return std::string(Cut(f.post, 1)) + std::string("у"_w);
        return f.postGenitive;
    default:
        return f.post;
    }
}

std::string Participle(CaseSelector selector, bool male, ParticipleVerb verb) {
    const std::string stem(verb == ParticipleVerb::Acting ? "действующ"_w : "проживающ"_w);
    std::string_view ending;
    if (selector == SelectGenitive)
        ending = male ? "его"_w : "ей"_w;
    else if (selector == SelectDative)
        ending = male ? "ему"_w : "ей"_w;
    else
        ending = male ? "ий"_w : "ая"_w;
    return stem + std::string(ending);
}

std::string AgreeWord(std::string_view word, bool male) {
    std::string w(word);
    if (male)
        return w;
    if (EndsWithAny(w, {"ил"_w, "ал"_w}))
        return w + std::string("а"_w);
    if (EndsWithAny(w, {"ИЛ"_w, "АЛ"_w}))
        return w + std::string("А"_w);
    // Pronouns keep the capital of a sentence start.
    struct Pronoun {
        std::string_view he, she;
    };
    static constexpr std::array<Pronoun, 6> kPronouns = {{{"он"_w, "она"_w},
                                                          {"его"_w, "ее"_w},
                                                          {"ему"_w, "ей"_w},
                                                          {"Он"_w, "Она"_w},
                                                          {"Его"_w, "Ее"_w},
                                                          {"Ему"_w, "Ей"_w}}};
    for (const Pronoun &p : kPronouns)
        if (w == p.he)
            return std::string(p.she);
    return w;
}

} // namespace dravo
