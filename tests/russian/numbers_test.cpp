#include "helpers.h"
#include "russian/numbers.h"

#include <gtest/gtest.h>

namespace dravo {
namespace {

using test::Collapse;
using test::U;
using test::W;

struct WordsCase {
    const char *input;
    WordsMode mode;
    const char *expected; // blanks collapsed
};

class NumberInWordsTable : public ::testing::TestWithParam<WordsCase> {};

TEST_P(NumberInWordsTable, GivesTheWords) {
    const WordsCase &c = GetParam();
    EXPECT_EQ(U(Collapse(NumberInWords(c.input, c.mode))), c.expected)
        << "input " << c.input << " mode " << c.mode;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, NumberInWordsTable,
    ::testing::Values(
        WordsCase{"1500.00", Cardinal, "одна тысяча пятьсот"},
        WordsCase{"21", Cardinal, "двадцать один"}, WordsCase{"2000000", Cardinal, "два миллиона"},
        WordsCase{"11000", Cardinal, "одиннадцать тысяч"},
        WordsCase{"999999999999.99", Cardinal,
                  "девятьсот девяносто девять миллиардов девятьсот девяносто девять миллионов "
                  "девятьсот девяносто девять тысяч девятьсот девяносто девять"},
        WordsCase{"06", OrdinalNeuter, "шестое"}, WordsCase{"03", OrdinalNeuter, "третье"},
        WordsCase{"10", OrdinalNeuter, "десятое"},
        WordsCase{"31", OrdinalNeuter, "тридцать первое"},
        WordsCase{"2004", OrdinalGenitive, "две тысячи четвертого"},
        WordsCase{"2010", OrdinalGenitive, "две тысячи десятого"},
        WordsCase{"2001", OrdinalGenitive, "две тысячи первого"}));

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, NumberInWordsTable,
    ::testing::Values(WordsCase{"0", Cardinal, ""}, WordsCase{"0.00", Cardinal, ""},
                      WordsCase{"", Cardinal, ""}, WordsCase{"100", Cardinal, "сто"},
                      WordsCase{"1000", Cardinal, "одна тысяча"},
                      WordsCase{"1000000", Cardinal, "один миллион"},
                      WordsCase{"1000000000", Cardinal, "один миллиард"},
                      WordsCase{"12000", Cardinal, "двенадцать тысяч"},
                      WordsCase{"21000", Cardinal, "двадцать одна тысяча"},
                      WordsCase{"22000", Cardinal, "двадцать две тысячи"},
                      WordsCase{"2000000", Cardinal, "два миллиона"},
                      WordsCase{"2000000000", Cardinal, "два миллиарда"},
                      WordsCase{"5000000005", Cardinal, "пять миллиардов пять"},
                      WordsCase{"12.5", Cardinal, "двенадцать"},
                      WordsCase{"2000", OrdinalGenitive, "двухтысячного"},
                      WordsCase{"1000", OrdinalGenitive, "тысячного"}));

// The integer part ends at the decimal point or comma; group blanks and words around the
// amount do not shift its digits.
INSTANTIATE_TEST_SUITE_P(
    TypedAmounts, NumberInWordsTable,
    ::testing::Values(WordsCase{"12,5", Cardinal, "двенадцать"},
                      WordsCase{"1500,75", Cardinal, "одна тысяча пятьсот"},
                      WordsCase{"1500,00", Cardinal, "одна тысяча пятьсот"},
                      WordsCase{"7.", Cardinal, "семь"}, WordsCase{",5", Cardinal, ""},
                      WordsCase{"12 500", Cardinal, "двенадцать тысяч пятьсот"},
                      WordsCase{"1\xA0"
                                "000\xA0"
                                "000",
                                Cardinal, "один миллион"},
                      WordsCase{"12 500 руб.", Cardinal, "двенадцать тысяч пятьсот"},
                      WordsCase{"5 000 000,00", Cardinal, "пять миллионов"}));

INSTANTIATE_TEST_SUITE_P(
    ScaleForms, NumberInWordsTable,
    ::testing::Values(
        WordsCase{"1001", Cardinal, "одна тысяча один"}, WordsCase{"3000", Cardinal, "три тысячи"},
        WordsCase{"4000", Cardinal, "четыре тысячи"}, WordsCase{"5000", Cardinal, "пять тысяч"},
        WordsCase{"11000000", Cardinal, "одиннадцать миллионов"},
        WordsCase{"14000000000", Cardinal, "четырнадцать миллиардов"},
        WordsCase{"23000000", Cardinal, "двадцать три миллиона"},
        WordsCase{"101000", Cardinal, "сто одна тысяча"},
        WordsCase{"110000", Cardinal, "сто десять тысяч"},
        WordsCase{"212", Cardinal, "двести двенадцать"}, WordsCase{"340", Cardinal, "триста сорок"},
        WordsCase{"450 ", Cardinal, "четыреста пятьдесят"},
        WordsCase{" 567", Cardinal, "пятьсот шестьдесят семь"},
        WordsCase{"678", Cardinal, "шестьсот семьдесят восемь"},
        WordsCase{"789", Cardinal, "семьсот восемьдесят девять"},
        WordsCase{"890", Cardinal, "восемьсот девяносто"},
        WordsCase{"913", Cardinal, "девятьсот тринадцать"},
        WordsCase{"14", Cardinal, "четырнадцать"}, WordsCase{"15", Cardinal, "пятнадцать"},
        WordsCase{"16", Cardinal, "шестнадцать"}, WordsCase{"17", Cardinal, "семнадцать"},
        WordsCase{"18", Cardinal, "восемнадцать"}, WordsCase{"19", Cardinal, "девятнадцать"},
        WordsCase{"60", Cardinal, "шестьдесят"}));

// Every day of a month as the date line writes it.
INSTANTIATE_TEST_SUITE_P(Days, NumberInWordsTable,
                         ::testing::Values(WordsCase{"01", OrdinalNeuter, "первое"},
                                           WordsCase{"02", OrdinalNeuter, "второе"},
                                           WordsCase{"04", OrdinalNeuter, "четвертое"},
                                           WordsCase{"05", OrdinalNeuter, "пятое"},
                                           WordsCase{"07", OrdinalNeuter, "седьмое"},
                                           WordsCase{"08", OrdinalNeuter, "восьмое"},
                                           WordsCase{"09", OrdinalNeuter, "девятое"},
                                           WordsCase{"11", OrdinalNeuter, "одиннадцатое"},
                                           WordsCase{"12", OrdinalNeuter, "двенадцатое"},
                                           WordsCase{"19", OrdinalNeuter, "девятнадцатое"},
                                           WordsCase{"20", OrdinalNeuter, "двадцатое"},
                                           WordsCase{"22", OrdinalNeuter, "двадцать второе"},
                                           WordsCase{"25", OrdinalNeuter, "двадцать пятое"},
                                           WordsCase{"26", OrdinalNeuter, "двадцать шестое"},
                                           WordsCase{"30", OrdinalNeuter, "тридцатое"}));

INSTANTIATE_TEST_SUITE_P(
    Years, NumberInWordsTable,
    ::testing::Values(
        WordsCase{"2002", OrdinalGenitive, "две тысячи второго"},
        WordsCase{"2005", OrdinalGenitive, "две тысячи пятого"},
        WordsCase{"2006", OrdinalGenitive, "две тысячи шестого"},
        WordsCase{"2011", OrdinalGenitive, "две тысячи одиннадцатого"},
        WordsCase{"2020", OrdinalGenitive, "две тысячи двадцатого"},
        WordsCase{"2023", OrdinalGenitive, "две тысячи двадцать третьего"},
        WordsCase{"2027", OrdinalGenitive, "две тысячи двадцать седьмого"},
        WordsCase{"1999", OrdinalGenitive, "одна тысяча девятьсот девяносто девятого"},
        WordsCase{"1998", OrdinalGenitive, "одна тысяча девятьсот девяносто восьмого"}));

// Non-digits are skipped, an unknown mode is cardinal, only twelve digits are read.
INSTANTIATE_TEST_SUITE_P(
    Lenient, NumberInWordsTable,
    ::testing::Values(WordsCase{"-5", Cardinal, "пять"}, WordsCase{"1a5", Cardinal, "пятнадцать"},
                      WordsCase{"abc", Cardinal, ""}, WordsCase{"   ", Cardinal, ""},
                      WordsCase{"5", static_cast<WordsMode>(7), "пять"},
                      WordsCase{"1234567890123", Cardinal,
                                "сто двадцать три миллиарда четыреста пятьдесят шесть миллионов "
                                "семьсот восемьдесят девять тысяч двенадцать"},
                      WordsCase{"1234567890123.45", Cardinal,
                                "сто двадцать три миллиарда четыреста пятьдесят шесть миллионов "
                                "семьсот восемьдесят девять тысяч двенадцать"}));

// The blanks that empty words leave stay inside the result; only the ends are trimmed.
TEST(NumberInWords, KeepsRunsOfBlanksInside) {
    struct Exact {
        const char *input;
        WordsMode mode;
        const char *expected;
    };
    const Exact cases[] = {
        {"5000000005", Cardinal, "пять миллиардов         пять"},
        {"1500.00", Cardinal, "одна тысяча пятьсот"},
        {"2004", OrdinalGenitive, "две тысячи   четвертого"},
        {"1000005", Cardinal, "один миллион      пять"},
        {"1000", Cardinal, "одна тысяча"},
        {"31", OrdinalNeuter, "тридцать первое"},
        {"205", Cardinal, "двести  пять"},
        {"1000000000", Cardinal, "один миллиард"},
    };
    for (const Exact &c : cases)
        EXPECT_EQ(U(NumberInWords(c.input, c.mode)), c.expected) << c.input;
}

// Round tens, hundreds and thousands take their own ordinal stem.
INSTANTIATE_TEST_SUITE_P(
    RoundOrdinals, NumberInWordsTable,
    ::testing::Values(WordsCase{"40", OrdinalNeuter, "сороковое"},
                      WordsCase{"100", OrdinalGenitive, "сотого"},
                      WordsCase{"5", OrdinalNeuter, "пятое"},
                      WordsCase{"2040", OrdinalGenitive, "две тысячи сорокового"},
                      WordsCase{"2050", OrdinalGenitive, "две тысячи пятидесятого"},
                      WordsCase{"2060", OrdinalGenitive, "две тысячи шестидесятого"},
                      WordsCase{"2070", OrdinalGenitive, "две тысячи семидесятого"},
                      WordsCase{"2080", OrdinalGenitive, "две тысячи восьмидесятого"},
                      WordsCase{"2090", OrdinalGenitive, "две тысячи девяностого"},
                      WordsCase{"2100", OrdinalGenitive, "две тысячи сотого"},
                      WordsCase{"2300", OrdinalGenitive, "две тысячи трехсотого"},
                      WordsCase{"1900", OrdinalGenitive, "одна тысяча девятисотого"},
                      WordsCase{"1800", OrdinalGenitive, "одна тысяча восьмисотого"},
                      WordsCase{"3000", OrdinalGenitive, "трехтысячного"},
                      WordsCase{"2000", OrdinalNeuter, "двухтысячное"},
                      WordsCase{"1001", OrdinalNeuter, "одна тысяча первое"},
                      WordsCase{"11000", OrdinalGenitive, "одиннадцать тысяч"}));

} // namespace
} // namespace dravo
