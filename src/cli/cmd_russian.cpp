// dravo-cli commands of the Russian language services: numbers and dates in words, the period
// wording, person and subject declension, the evaluator and the number keypad.
#include "cli/cmd_russian.h"
#include "cli/command.h"
#include "core/text.h"
#include "russian/russian.h"

#include <charconv>
#include <iostream>

namespace dravo::cli {
namespace {

void Line(std::string_view key, std::string_view cp1251Value) {
    std::cout << key << '=' << ToUtf8(cp1251Value) << '\n';
}

int RunWords(const Args &args) {
    const auto pos = Positional(args, {"--mode"});
    if (pos.size() != 1)
        return Fail("words: expected one NUMBER");
    WordsMode mode = Cardinal;
    if (const std::string *m = Option(args, "--mode")) {
        if (*m == "neuter")
            mode = OrdinalNeuter;
        else if (*m == "genitive")
            mode = OrdinalGenitive;
        else if (*m != "cardinal")
            return Fail("words: --mode must be cardinal, neuter or genitive");
    }
    std::cout << ToUtf8(NumberInWords(FromUtf8(pos[0]), mode)) << '\n';
    return 0;
}

int RunDate(const Args &args) {
    const auto pos = Positional(args, {});
    if (pos.size() != 1)
        return Fail("date: expected one date YYYY-MM-DD");
    const auto date = IsoDate(pos[0]);
    if (!date)
        return Fail("date: not a valid date YYYY-MM-DD: " + pos[0]);
    // A fresh run has no earlier words text, so a hidden date leaves it empty.
    DocumentDateTexts texts;
    texts.Update(*date, !Flag(args, "--hidden"));
    Line("DateShortText", texts.shortText);
    Line("DateWordsText", texts.wordsText);
    return 0;
}

int RunPeriod(const Args &args) {
    const auto pos = Positional(args, {});
    if (pos.size() != 2)
        return Fail("period: expected FROM and TO as YYYY-MM-DD");
    const auto from = IsoDate(pos[0]);
    const auto to = IsoDate(pos[1]);
    if (!from || !to)
        return Fail("period: dates must be valid YYYY-MM-DD");
    std::cout << ToUtf8(PeriodText(*from, *to)) << '\n';
    return 0;
}

int RunPerson(const Args &args) {
    const auto pos = Positional(args, {});
    if (pos.empty() || pos.size() > 3)
        return Fail("person: expected SURNAME [\"NAME PATRONYMIC\"] [\"POST\"]");
    const PersonForms f = BuildPersonForms(FromUtf8(pos[0]), pos.size() > 1 ? FromUtf8(pos[1]) : "",
                                           pos.size() > 2 ? FromUtf8(pos[2]) : "");
    Line("surname", f.surname());
    Line("namePatronymic", f.namePatronymic());
    Line("post", f.post());
    Line("male", f.male ? "1" : "0");
    Line("initials", f.initials());
    Line("initialsSurname", f.initialsSurname());
    Line("surnameGenitive", f.surnameGenitive());
    Line("surnameDative", f.surnameDative());
    Line("surnameAccusative", f.surnameAccusative());
    Line("namePatronymicGenitive", f.namePatronymicGenitive());
    Line("namePatronymicDative", f.namePatronymicDative());
    Line("namePatronymicAccusative", f.namePatronymicAccusative());
    Line("postGenitive", f.postGenitive());
    Line("postDative", f.postDative());
    Line("fullNameGenitive", f.fullNameGenitive());
    return 0;
}

int RunDecline(const Args &args) {
    const auto pos = Positional(args, {"--gender", "--case"});
    if (pos.size() != 1)
        return Fail("decline: expected one WORD");
    const std::string *g = Option(args, "--gender");
    const std::string *c = Option(args, "--case");
    const auto gender = g ? WholeNumber(*g) : std::optional<int>(kMasculine);
    const auto wordCase = c ? WholeNumber(*c) : std::optional<int>(CaseGen);
    if (!gender || (*gender != 1 && *gender != 2))
        return Fail("decline: --gender must be 1 (masculine) or 2 (feminine)");
    if (!wordCase || *wordCase < 1 || *wordCase > 6)
        return Fail("decline: --case must be 1..6");
    std::cout << ToUtf8(DeclineWord(FromUtf8(pos[0]), *gender, *wordCase)) << '\n';
    return 0;
}

int RunCalc(const Args &args) {
    if (args.empty())
        return Fail("calc: expected an EXPRESSION");
    std::string expression;
    for (const std::string &a : args)
        expression += (expression.empty() ? "" : " ") + a;
    // As the keypad's "=": the decimal comma is read as a point.
    std::cout << ToUtf8(CalculateText(FromUtf8(expression))) << '\n';
    return 0;
}

int RunKeypad(const Args &args) {
    const std::string *initial = Option(args, "--text");
    NumberKeypad keypad(initial ? FromUtf8(*initial) : std::string());
    for (const std::string &key : Positional(args, {"--text"}))
        if (!keypad.Press(key))
            return Fail("keypad: unknown button '" + key + "'");
    std::cout << ToUtf8(keypad.text()) << '\n';
    return 0;
}

const bool registered = [] {
    Register({"words", "NUMBER [--mode cardinal|neuter|genitive]", &RunWords});
    Register({"date", "YYYY-MM-DD [--hidden]", &RunDate});
    Register({"period", "FROM TO (YYYY-MM-DD)", &RunPeriod});
    Register({"person", "SURNAME \"NAME PATRONYMIC\" \"POST\"", &RunPerson});
    Register({"decline", "WORD --gender 1|2 --case 1..6", &RunDecline});
    // "subject NAME" is dispatched by the subject-set command (see RunSubjectForms).
    Register({"calc", "EXPRESSION (decimal comma or point)", &RunCalc});
    Register({"keypad", "[--text INITIAL] KEYS... (0-9, 000, \",\", + - * / ( ), BS, CE, C, =)",
              &RunKeypad});
    return true;
}();

} // namespace

int RunSubjectForms(const Args &args) {
    const auto pos = Positional(args, {});
    if (pos.size() != 1)
        return Fail("subject: expected one NAME");
    SubjectNameForms f;
    f.SetSubjectName(FromUtf8(pos[0]));
    std::cout << "gender=" << f.gender << '\n' << "plural=" << f.plural << '\n';
    Line("lastLetter", std::string(1, f.lastLetter));
    Line("name", f.name);
    Line("genitive", f.genitive);
    Line("dative", f.dative);
    Line("accusative", f.accusative);
    Line("instrumental", f.instrumental);
    Line("prepositional", f.prepositional);
    Line("capitalized", f.capitalized);
    return 0;
}

} // namespace dravo::cli
