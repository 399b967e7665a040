// Every service on hostile input: empty text, blanks only, very long words, Latin text, digits,
// every byte of the code page. Nothing may throw or crash, and foreign words stay as they are.
#include "helpers.h"
#include "russian/russian.h"

#include <gtest/gtest.h>

#include <vector>

namespace dravo {
namespace {

using test::W;

std::vector<std::string> HostileTexts() {
    std::string allBytes;
    for (int b = 1; b < 256; ++b)
        allBytes += static_cast<char>(b);
    return {"",
            " ",
            "     ",
            "\t\r\n",
            std::string(300, 'a'),
            W(std::string(300, ' ') + "я"),
            W("я") + std::string(299, static_cast<char>(0xFF)),
            std::string(300, static_cast<char>(0xE0)) + W("ов"),
            std::string(300, '9'),
            std::string(300, '.'),
            std::string(300, '-'),
            std::string(300, '_'),
            "Smith John",
            "John",
            "12345",
            W("Иван123 Иванович7"),
            W("Иванов-"),
            W("-Иванов"),
            W("И"),
            W("."),
            W("ва"),
            W("а"),
            W("й"),
            std::string("\0\0\0", 3),
            allBytes};
}

TEST(Robustness, NumbersAndDates) {
    for (const std::string &t : HostileTexts()) {
        for (int mode : {0, 1, 2, 99}) {
            const std::string words = NumberInWords(t, static_cast<WordsMode>(mode));
            EXPECT_LT(words.size(), 400u);
        }
        (void)ParseDateItemText(t);
        DateInput dialog(t, 1, DateFromCalendar(2020, 1, 1));
        EXPECT_TRUE(dialog.date().valid);
        EXPECT_FALSE(dialog.Accept().empty());
        (void)FormatDate(DateFromCalendar(2020, 1, 1), t);
    }
}

TEST(Robustness, Declension) {
    for (const std::string &t : HostileTexts()) {
        for (int gender : {0, 1, 2})
            for (int wordCase = 0; wordCase <= 7; ++wordCase) {
                (void)DeclineWord(t, gender, wordCase);
                (void)DeclineSurnameText(t, gender, wordCase);
            }
        for (const std::string &other : {std::string(), t, W("Иван Иванович")}) {
            const PersonForms a = BuildPersonForms(t, other, t);
            const PersonForms b = BuildPersonForms(other, t, other);
            const PersonForms c = BuildPersonForms(other, other, t);
            for (const PersonForms *f : {&a, &b, &c})
                for (CaseSelector s = -1; s <= 4; ++s) {
                    (void)SurnameByCase(*f, s);
                    (void)NamePatronymicByCase(*f, s);
                    (void)PostByCase(*f, s);
                }
        }
        (void)AgreeWord(t, false);
        EXPECT_EQ(AgreeWord(t, true), t);
    }
}

TEST(Robustness, LatinAndDigitsStayUnchanged) {
    for (const char *word : {"Smith", "O'Brien", "X", "12345", "Ivanov"})
        for (int wordCase = CaseNom; wordCase <= CasePrep; ++wordCase) {
            EXPECT_EQ(DeclineWord(word, kMasculine, wordCase), word);
            EXPECT_EQ(DeclineWord(word, kFeminine, wordCase), word);
        }
    const PersonForms f = BuildPersonForms("Smith", "John Paul", "CEO");
    EXPECT_EQ(f.surnameGenitive(), "Smith");
    EXPECT_EQ(f.namePatronymicDative(), "John Paul");
    EXPECT_EQ(f.postGenitive(), "CEO");
    EXPECT_EQ(f.initials(), "J.P.");
}

TEST(Robustness, LongWordsDeclineWhole) {
    const std::string stem(300, static_cast<char>(0xE0)); // 300 letters "а"... then "ов"
    const std::string surname = stem + W("ов");
    EXPECT_EQ(DeclineWord(surname, kMasculine, CaseGen), surname + W("а"));
    EXPECT_EQ(DeclineSurnameText(surname, kMasculine, CaseGen), surname + W("а"));
    EXPECT_EQ(BuildPersonForms(surname, "", "").surnameDative(), surname + W("у"));
    SubjectNameForms s;
    s.SetSubjectName(std::string(300, static_cast<char>(0xE0)) + W("ние"));
    EXPECT_EQ(s.genitive.size(), 303u);
}

TEST(Robustness, SubjectNameAndEvaluator) {
    for (const std::string &t : HostileTexts()) {
        SubjectNameForms f;
        f.SetSubjectName(t);
        EXPECT_FALSE(f.name.empty());
        EXPECT_FALSE(f.capitalized.empty());
        (void)EvaluateExpression(t);
        (void)CalculateText(t);
        NumberKeypad keypad(t);
        for (const char *b : {"1", "0", "000", ",", "+", "-", "*", "/", "(", ")", "BS", "CE", "=",
                              "C", "BS", "CE", "="})
            keypad.Press(b);
        EXPECT_EQ(keypad.text(), "0");
        EXPECT_FALSE(keypad.Press(t) && t.size() > 3);
    }
    SubjectNameForms blanks;
    blanks.SetSubjectName("   ");
    EXPECT_EQ(blanks.name, W("<не определено>"));
}

} // namespace
} // namespace dravo
