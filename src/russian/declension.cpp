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
constexpr LetterSet kVowels{"аеёиоуыэюяАЕЁИОУЫЭЮЯ"_w};
constexpr LetterSet kVoiceless{"пфкхтсцчшщПФКХТСЦЧШЩ"_w};
constexpr LetterSet kVoiced{"бвгджзлмнрБВГДЖЗЛМНР"_w};
constexpr LetterSet kBackPalatal{"гкжхГКЖХ"_w};
constexpr LetterSet kHushing{"чшщЧШЩ"_w};
// After these "ы" is spelled "и".
constexpr LetterSet kHardSpelled{"гкхжчшщГКХЖЧШЩ"_w};
// Last letters of men's names that add "а"/"у"/"а" (Олег, Глеб, Марк), and those that add "а" in
// the genitive only.
constexpr LetterSet kNameAddsEnding{"ргнслбвзкпфхжшчцмдт"_w};
// Last letters of a post word that take "а" in the genitive and "у" in the dative.
constexpr LetterSet kPostGenitiveA{"рктгбч"_w};
constexpr LetterSet kPostDativeU{"рктгбч"_w};

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

// A case of a surname: the surname cut by some letters plus an ending.
struct SurnameForm {
    std::size_t cut = 0;
    std::string_view ending;
};

// The genitive, dative and accusative; a later rule overrides an earlier one.
std::array<SurnameForm, 3> SurnameRules(std::string_view s, bool male) {
    SurnameForm gen, dat, acc;
    const auto set = [&](std::size_t cut, std::string_view g, std::string_view d,
                         std::string_view a) {
        gen = {cut, g};
        dat = {cut, d};
        acc = {cut, a};
    };
    // Every rule's tails share their last letter, so that letter picks the rules to try.
    const char last = s.empty() ? '\0' : s.back();
    if (male) {
        if ((last == "н"_w[0] || last == "в"_w[0]) &&
            EndsWithAny(s, {"ин"_w, "ын"_w, "ов"_w, "ев"_w, "ёв"_w}))
            set(0, "а"_w, "у"_w, "а"_w);
        if (last == "й"_w[0]) {
            if (EndsWithAny(s, {"ий"_w, "ый"_w}))
                set(2, "ого"_w, "ому"_w, "ого"_w);
            if (EndsWith(s, "лий"_w))
                set(1, "я"_w, "ю"_w, "я"_w);
            if (EndsWithAny(s, {"щий"_w, "чий"_w}))
                set(2, "его"_w, "ему"_w, "его"_w);
        }
    } else if (last == "а"_w[0]) {
        if (EndsWithAny(s, {"ина"_w, "ына"_w, "ова"_w, "ева"_w, "ёва"_w}))
            set(1, "ой"_w, "ой"_w, "у"_w);
    } else if (last == "я"_w[0]) {
        if (EndsWith(s, "ая"_w))
            set(2, "ой"_w, "ой"_w, "ую"_w);
        if (EndsWithAny(s, {"щая"_w, "чая"_w}))
            gen = dat = {2, "ей"_w};
    }
    if (last == "а"_w[0] && EndsWith(s, "Рева"_w))
        gen = dat = {};
    return {gen, dat, acc};
}

// --- First name and patronymic ------------------------------------------------------------

// "ы" after г, к, х, ж, ч, ш, щ is spelled "и" ("Ольги", "Наташи").
// Appends stem and ending; with capital set the ending is written in capitals.
void AppendSpelled(std::string &out, std::string_view stem, std::string_view ending, bool capital) {
    if (ending == "ы"_w && !stem.empty() && In(kHardSpelled, stem.back()))
        ending = "и"_w;
    out += stem;
    if (capital)
        out += ToUpper(ending);
    else
        out += ending;
}

// The letters after which a man's name in "а" or "я" is Russian and declines: consonants and
// the soft sign, lower case.
constexpr LetterSet kSoftOrConsonant{"бвгджзйклмнпрстфхцчшщь"_w};

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
        if (In(kNameAddsEnding, last)) {
            out += n;
            out += kAdd[caseIndex];
            return;
        }
        // Игорь and Сергей alike: Игоря, Игорю.
        if (last == "й"_w[0] || last == "ь"_w[0]) {
            out += Cut(n, 1);
            out += kSoftI[caseIndex];
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
    if (EndsWith(p, "ич"_w)) { // "вич" and "Ильич", "Фомич"
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

// A first name and patronymic split at the first blank; initials ("И.И.") stay whole.
struct NameParts {
    std::string_view whole;
    bool initials = false;
    std::size_t blank = std::string_view::npos;

    explicit NameParts(std::string_view text)
        : whole(text), initials(text.size() > 1 && text[1] == '.'),
          blank(initials ? std::string_view::npos : text.find(' ')) {}
};

// Appends the first name and patronymic in the case.
void AppendNamePatronymicCase(std::string &out, const NameParts &name, bool male, int caseIndex) {
    if (name.initials) {
        out += name.whole;
        return;
    }
    if (name.blank == std::string_view::npos) {
        AppendPatronymicCase(out, name.whole, caseIndex);
        return;
    }
    AppendFirstNameCase(out, name.whole.substr(0, name.blank), male, caseIndex);
    out += ' ';
    AppendPatronymicCase(out, name.whole.substr(name.blank + 1), caseIndex);
}

// --- Posts ------------------------------------------------------------------------------------

// Declines the word that ends before `end` by the post's letter rules, in place. The first word
// of a longer post also takes the "ва" rule ("Глава администрации": Главы администрации).
// Only the text from `start` on is the post.
void DeclinePostWordEnd(std::string &p, std::size_t end, bool genitive, bool firstWord,
                        std::size_t start) {
    if (end == start)
        return;
    if (firstWord && EndsWith(std::string_view(p).substr(start, end - start), "ва"_w)) {
        p[end - 1] = genitive ? "ы"_w[0] : "е"_w[0];
        return;
    }
    const auto add = [&p, end](char letter) {
        if (end == p.size())
            p.push_back(letter); // the last word: no letters to move
        else
            p.insert(p.begin() + static_cast<std::ptrdiff_t>(end), letter);
    };
    // The ending is written in the letter case of the word's last letter: ДИРЕКТОРА, Директора.
    const char last = p[end - 1];
    const char low = Lower(last);
    const auto inCase = [last, low](char letter) { return last == low ? letter : Upper(letter); };
    if (In(genitive ? kPostGenitiveA : kPostDativeU, low))
        add(inCase(genitive ? "а"_w[0] : "у"_w[0]));
    else if (low == "ь"_w[0])
        p[end - 1] = inCase(genitive ? "я"_w[0] : "ю"_w[0]);
}

// After the adjectives that open a post, the noun they qualify changes too, wherever it stands:
// "Исполнительный директор по развитию" gives "Исполнительного директора по развитию". A post
// that opens with its noun, or ends with it, has had it declined already.
void DeclineHeadNoun(std::string &out, std::size_t start, bool genitive) {
    bool first = true;
    for (std::size_t i = start;; first = false) {
        while (i < out.size() && out[i] == ' ')
            ++i;
        const std::size_t end = out.find(' ', i);
        if (i >= out.size() || end == std::string::npos)
            return;
        const std::string_view word = std::string_view(out).substr(i, end - i);
        const char ending[2] = {word.size() >= 2 ? Lower(word[word.size() - 2]) : '\0',
                                word.empty() ? '\0' : Lower(word.back())};
        const std::string_view tail(ending, 2);
        if (word.size() < 4 || (tail != "ый"_w && tail != "ий"_w && tail != "ой"_w)) {
            if (!first)
                DeclinePostWordEnd(out, end, genitive, false, start);
            return;
        }
        i = end;
    }
}

// Appends the post in the genitive or the dative.
void AppendPostCase(std::string &out, std::string_view post, bool genitive) {
    const std::size_t start = out.size();
    if (EndsWith(post, "ва"_w)) {
        out += Cut(post, 1);
        out += genitive ? "ы"_w : "е"_w;
    } else {
        out += post;
        DeclinePostWordEnd(out, out.size(), genitive, false, start);
        while (out.size() > start && IsBlank(out.back()))
            out.pop_back();
        // Only the first and the last word change: the first word is declined on its own.
        if (out.size() - start > 1) {
            const std::size_t blank = out.find(' ', start + 2);
            if (blank != std::string::npos)
                DeclinePostWordEnd(out, blank, genitive, true, start);
        }
        DeclineHeadNoun(out, start, genitive);
    }
    // Adjective and participle endings: "ный", "кий", "ший", "щий" (заведующий, управляющий,
    // ведущий), "чий", in small letters or in capitals (ГЕНЕРАЛЬНОГО). Each ends in "й" and no
    // replacement holds one, so a single pass over the "й" finds them all.
    struct Replacement {
        std::string_view tail, genitive, dative;
    };
    static constexpr std::array<Replacement, 5> kReplacements = {{
        {"ный"_w, "ного"_w, "ному"_w},
        {"кий"_w, "кого"_w, "кому"_w},
        {"ший"_w, "шего"_w, "шему"_w},
        {"щий"_w, "щего"_w, "щему"_w},
        {"чий"_w, "чего"_w, "чему"_w},
    }};
    constexpr char kY = "й"_w[0];
    constexpr char kCapitalY = "Й"_w[0];
    // Scanned by hand: find_first_of looks each letter up in the set with a call of its own.
    for (std::size_t i = start + 2; i < out.size(); ++i) {
        if (out[i] != kY && out[i] != kCapitalY)
            continue;
        const bool capitals = out[i] == kCapitalY;
        const char tail[3] = {Lower(out[i - 2]), Lower(out[i - 1]), Lower(out[i])};
        for (const Replacement &r : kReplacements) {
            if (std::string_view(tail, 3) != r.tail)
                continue;
            std::string to(genitive ? r.genitive : r.dative);
            if (capitals)
                for (char &c : to)
                    c = Upper(c);
            out.replace(i - 2, 3, to);
            i += to.size() - 3;
            break;
        }
    }
}

bool IsFeminineNamePatronymic(std::string_view text) {
    return EndsWith(text, "вна"_w) || EndsWith(text, "чна"_w);
}

} // namespace

namespace {

// Appends DeclineWord(word, gender, wordCase).
void AppendDeclinedWord(std::string &out, std::string_view word, int gender, int wordCase) {
    if (word.empty() || Contains(word, "_____") || wordCase < CaseGen || wordCase > CasePrep) {
        out += word;
        return;
    }
    const int cls = ClassOf(word, gender);
    if (cls <= 0) {
        out += word;
        return;
    }
    const EndingClass &c = kClasses[cls];
    out += Cut(word, c.cut);
    // A word in "ия" has "и" in the dative and prepositional too: Марии, Гарсии.
    if (cls == 12 && (wordCase == CaseDat || wordCase == CasePrep) && word.size() >= 2 &&
        Lower(word[word.size() - 2]) == "и"_w[0])
        out += "и"_w;
    else
        out += c.endings[wordCase - CaseGen];
}

// Appends a surname in a case (0 genitive, 1 dative, 2 accusative) for the person forms. The
// rules for the common Russian endings go first; a surname they leave as typed declines by the
// table (a man's Шмидта, Толстого, Гоголя; a woman's Глинки), and each part of a double surname
// declines on its own (Сергеевой-Толстой). Initials ("И.") and "Рева" stay as the rules leave
// them, and so does a man's surname in a woman's ending ("Иванова"), whose gender is in doubt.
// `rules` are SurnameRules of the whole surname when the caller has them.
void AppendSurnameCase(std::string &out, std::string_view s, bool male, int caseIndex,
                       const std::array<SurnameForm, 3> *rules = nullptr) {
    const std::size_t hyphen = s.find('-');
    if (hyphen != std::string_view::npos && hyphen > 0 && hyphen + 1 < s.size()) {
        AppendSurnameCase(out, s.substr(0, hyphen), male, caseIndex);
        out += '-';
        AppendSurnameCase(out, s.substr(hyphen + 1), male, caseIndex);
        return;
    }
    const SurnameForm form =
        (rules ? *rules : SurnameRules(s, male))[static_cast<std::size_t>(caseIndex)];
    const bool byRules =
        form.cut != 0 || !form.ending.empty() || s.empty() || s.back() == '.' ||
        EndsWith(s, "Рева"_w) ||
        (male && EndsWithAny(s, {"ова"_w, "ева"_w, "ёва"_w, "ина"_w, "ына"_w, "ая"_w, "яя"_w}));
    if (byRules) {
        out += Cut(s, form.cut);
        out += form.ending;
        return;
    }
    AppendDeclinedWord(out, s, male ? kMasculine : kFeminine, CaseGen + caseIndex);
}

// Appends DeclineSurnameText(text, gender, wordCase) with declension on.
void AppendDeclinedSurnameText(std::string &out, std::string_view text, int gender, int wordCase) {
    std::string_view s = Trim(text);
    if (!s.empty() && s.back() == '.') {
        while (!s.empty() && s.back() == '.')
            s.remove_suffix(1);
        out += s;
        return;
    }
    const std::size_t hyphen = s.find('-');
    if (hyphen == std::string_view::npos) {
        AppendDeclinedWord(out, s, gender, wordCase);
        return;
    }
    AppendDeclinedWord(out, s.substr(0, hyphen), gender, wordCase);
    out += '-';
    AppendDeclinedWord(out, s.substr(hyphen + 1), gender, wordCase);
}

// The single words are declined into one reused buffer and copied out at their final size, so
// that a call allocates only for a result too long to be kept inside a string.
std::string &Scratch() {
    thread_local std::string scratch = [] {
        std::string s;
        s.reserve(256);
        return s;
    }();
    scratch.clear();
    return scratch;
}

} // namespace

std::string DeclineWord(std::string_view word, int gender, int wordCase) {
    std::string &out = Scratch();
    AppendDeclinedWord(out, word, gender, wordCase);
    return out;
}

std::string DeclineSurnameText(std::string_view text, int gender, int wordCase, bool decline) {
    if (!decline)
        return std::string(text);
    std::string &out = Scratch();
    AppendDeclinedSurnameText(out, text, gender, wordCase);
    return out;
}

PersonForms BuildPersonForms(std::string_view surname, std::string_view namePatronymic,
                             std::string_view post) {
    using Slot = PersonForms::Slot;
    PersonForms f;
    const std::string_view s = Trim(surname);
    const std::string_view np = Trim(namePatronymic);
    std::string_view p = Trim(post);
    const std::size_t acts = p.find("действует"_w);
    if (acts == 0)
        p = {};
    else if (acts != std::string_view::npos && p.find(',') != std::string_view::npos)
        p = TrimRight(p.substr(0, p.find(',')));
    f.male = !IsFeminineNamePatronymic(np);

    // Room for every form: the surname is written six times, the name five, the post three;
    // the endings add a few letters to each word.
    std::string &out = f.m_text;
    out.reserve(6 * s.size() + 5 * np.size() + 4 * p.size() + 64);
    out += s;
    f.End(Slot::Surname);
    out += np;
    f.End(Slot::NamePatronymic);
    out += p;
    f.End(Slot::Post);

    // Initials.
    std::string_view between = "&nbsp;";
    if (np.empty()) {
        between = {};
    } else if (np.size() > 1 && np[1] == '.') {
        out += np;
        between = " ";
    } else {
        char second = np[0];
        const std::size_t blank = np.find(' ');
        if (blank != std::string_view::npos) {
            const std::size_t next = np.find_first_not_of(' ', blank);
            if (next != std::string_view::npos)
                second = np[next];
        }
        const char letters[4] = {np[0], '.', second, '.'};
        out.append(letters, 4);
    }
    f.End(Slot::Initials);
    out.append(f.initials()); // a string appends from itself safely
    out += between;
    out += s;
    const std::size_t initialsEnd = f.m_ends[Slot::Initials];
    while (out.size() > initialsEnd && out.back() == '.')
        out.pop_back();
    f.End(Slot::InitialsSurname);

    const std::array<SurnameForm, 3> rules = SurnameRules(s, f.male);
    for (int i = 0; i < 3; ++i) {
        AppendSurnameCase(out, s, f.male, i, &rules);
        f.End(static_cast<Slot>(Slot::SurnameGenitive + i));
    }
    const NameParts name(np);
    for (int i = 0; i < 3; ++i) {
        AppendNamePatronymicCase(out, name, f.male, i);
        f.End(static_cast<Slot>(Slot::NamePatronymicGenitive + i));
    }
    AppendDeclinedSurnameText(out, s, f.male ? kMasculine : kFeminine, CaseGen);
    const std::size_t nameStart = f.m_ends[Slot::SurnameAccusative]; // where the genitive starts
    const std::size_t nameLength = f.m_ends[Slot::NamePatronymicGenitive] - nameStart;
    if (out.size() > f.m_ends[Slot::NamePatronymicAccusative] && nameLength != 0)
        out += ' ';
    out.append(out, nameStart, nameLength); // the genitive written above
    f.End(Slot::FullNameGenitive);
    AppendPostCase(out, p, true);
    f.End(Slot::PostGenitive);
    AppendPostCase(out, p, false);
    f.End(Slot::PostDative);
    return f;
}

std::string SurnameByCase(const PersonForms &f, CaseSelector selector) {
    switch (selector) {
    case SelectGenitive:
        return std::string(f.surnameGenitive());
    case SelectDative:
        return std::string(f.surnameDative());
    case SelectAccusative:
        return std::string(f.male ? f.surnameGenitive() : f.surnameAccusative());
    default:
        return std::string(f.surname());
    }
}

std::string NamePatronymicByCase(const PersonForms &f, CaseSelector selector) {
    switch (selector) {
    case SelectGenitive:
        return std::string(f.namePatronymicGenitive());
    case SelectDative:
        return std::string(f.namePatronymicDative());
    case SelectAccusative:
        return std::string(f.male ? f.namePatronymicGenitive() : f.namePatronymicAccusative());
    default:
        return std::string(f.namePatronymic());
    }
}

std::string PostByCase(const PersonForms &f, CaseSelector selector) {
    switch (selector) {
    case SelectGenitive:
        return std::string(f.postGenitive());
    case SelectDative:
        return std::string(f.postDative());
    case SelectAccusative:
        if (!f.male && EndsWith(f.post(), "а"_w))
            return std::string(Cut(f.post(), 1)) + std::string("у"_w);
        return std::string(f.postGenitive());
    default:
        return std::string(f.post());
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
