#include "helpers.h"
#include "russian/evaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace dravo {
namespace {

using test::U;
using test::W;

struct CalcCase {
    const char *text;
    const char *result;
};

class CalculateTable : public ::testing::TestWithParam<CalcCase> {};

TEST_P(CalculateTable, EqualsGivesTheText) {
    EXPECT_EQ(CalculateText(GetParam().text), GetParam().result) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(TypedTexts, CalculateTable,
                         ::testing::Values(CalcCase{"2+3*4", "14"}, CalcCase{"(2+3)*4", "20"},
                                           CalcCase{"-5+2", "-3"}, CalcCase{"7%3", "1"},
                                           CalcCase{"2^10", "1024"}, CalcCase{"2^3^2", "8"},
                                           CalcCase{"10/3", "3,333333"}, CalcCase{"sqrt(16)", "4"},
                                           CalcCase{"1,5*2", "3"}));

INSTANTIATE_TEST_SUITE_P(
    Grammar, CalculateTable,
    ::testing::Values(CalcCase{"10-2-3", "5"}, CalcCase{"64/4/2", "8"}, CalcCase{"2*-3", "-6"},
                      CalcCase{"-(2+3)", "-5"}, CalcCase{"+7", "7"}, CalcCase{"2^-1", "0,5"},
                      CalcCase{"-2^2", "4"}, CalcCase{" 2 +\t3 ", "5"}, CalcCase{"7.5%2", "1,5"},
                      CalcCase{".5+.25", "0,75"}, CalcCase{"1.5.7*2", "3"}, CalcCase{"100", "100"},
                      CalcCase{"0", "0"}, CalcCase{"", "0"}, CalcCase{"0.0000001", "0"},
                      CalcCase{"1/8", "0,125"}, CalcCase{"1000000*1000000", "1000000000000"},
                      // assignments: the value of what follows "=", nothing remembered
                      CalcCase{"x=5+1", "6"}, CalcCase{"x= 5", "5"}, CalcCase{"x=", "0"},
                      // "=" must follow the name at once: otherwise the name is read as 0
                      CalcCase{"x = 5", "0"}, CalcCase{"x =5", "0"}, CalcCase{"x\t=5", "0"},
                      CalcCase{"x+1", "1"},
                      // unknown names, unbalanced and unreadable input
                      CalcCase{"foo(3)+1", "0"}, CalcCase{"pi*2", "0"}, CalcCase{"(2+3", "5"},
                      CalcCase{"(2+3]*2", "10"}, CalcCase{"2 3", "2"}, CalcCase{"2#3", "2"},
                      CalcCase{"#", "0"}, CalcCase{"2)", "2"}, CalcCase{"--5", "-5"}));

INSTANTIATE_TEST_SUITE_P(
    Functions, CalculateTable,
    ::testing::Values(CalcCase{"cos(0)", "1"}, CalcCase{"exp(0)", "1"}, CalcCase{"log(1)", "0"},
                      CalcCase{"log10(1000)", "3"}, CalcCase{"sqrt(2)", "1,414214"},
                      CalcCase{"abs(-2.7)", "2"}, CalcCase{"abs(5.9)", "5"},
                      CalcCase{"ABS(-3)", "3"}, CalcCase{"Sqrt(9)+1", "4"},
                      CalcCase{"sqrt(x=16)", "4"}, CalcCase{"sqrt (16)", "0"},
                      CalcCase{"sqrt(sqrt(81))", "3"}, CalcCase{"atan(1)", "45,022825"},
                      CalcCase{"asin(1)", "90,045649"}, CalcCase{"acos(0)", "90,045649"},
                      CalcCase{"tan(0)", "0"}));

TEST(Evaluator, AnglesTakePiAsThreePointFourteen) {
    const double s = EvaluateExpression("sin(30)");
    EXPECT_LT(s, 0.5);
    EXPECT_NEAR(s, std::sin(30 * 3.14 / 180), 1e-15);
    EXPECT_EQ(CalculateText("sin(30)"), "0,49977");
    EXPECT_NEAR(EvaluateExpression("asin(0.5)"), std::asin(0.5) * 180 / 3.14, 1e-12);
}

TEST(Evaluator, FailuresAreInfinityOrNotANumber) {
    EXPECT_TRUE(std::isinf(EvaluateExpression("1/0")));
    EXPECT_TRUE(std::isnan(EvaluateExpression("sqrt(-1)")));
    EXPECT_TRUE(std::isnan(EvaluateExpression("log(-1)")));
    EXPECT_TRUE(std::isnan(EvaluateExpression("5%0")));
    EXPECT_EQ(FormatResult(EvaluateExpression("1/0")), "inf");
    EXPECT_EQ(FormatResult(EvaluateExpression("-1/0")), "-inf");
    EXPECT_NE(FormatResult(EvaluateExpression("0/0")).find("nan"), std::string::npos);
}

TEST(Evaluator, AbsOfHugeValuesKeepsTheWholePart) {
    EXPECT_EQ(EvaluateExpression("abs(-1e12)"), 1); // no exponents: "e12" is a name, taken as ")"
    EXPECT_EQ(EvaluateExpression("abs(0-10000000000)"), 10000000000.0);
    EXPECT_EQ(EvaluateExpression("abs(0-2147483648.5)"), 2147483648.0);
}

TEST(Evaluator, DeepNestingReturnsInsteadOfOverflowingTheStack) {
    const std::string open(100000, '(');
    EXPECT_EQ(EvaluateExpression(open), 0);
    EXPECT_EQ(EvaluateExpression(open + "1" + std::string(100000, ')')), 0);
    std::string functions;
    for (int i = 0; i < 100000; ++i)
        functions += "sqrt(";
    EXPECT_EQ(EvaluateExpression(functions + "16"), 0);
    EXPECT_EQ(EvaluateExpression(std::string(100000, '-') + "5"), -5);
    EXPECT_EQ(EvaluateExpression(std::string(100000, '+') + "5"), 5);
    // nesting that real expressions use is evaluated in full
    EXPECT_EQ(EvaluateExpression(std::string(150, '(') + "1+1" + std::string(150, ')')), 2);
    EXPECT_EQ(CalculateText("sqrt(sqrt(sqrt(sqrt(65536))))"), "2");
}

TEST(FormatResult, PrintfWithoutTrailingZerosAndWithAComma) {
    struct Row {
        double value;
        const char *text;
    };
    const Row rows[] = {{14, "14"},
                        {10.0 / 3, "3,333333"},
                        {0, "0"},
                        {-3, "-3"},
                        {0.5, "0,5"},
                        {100, "100"},
                        {1e20, "100000000000000000000"},
                        {2.0000004, "2"},
                        {2.0000006, "2,000001"},
                        {-0.25, "-0,25"}};
    for (const Row &r : rows)
        EXPECT_EQ(FormatResult(r.value), r.text) << r.value;
    EXPECT_EQ(FormatResult(1e308).size(), 309u);
}

struct KeypadCase {
    const char *initial;
    std::vector<const char *> buttons;
    const char *text;
    int digits;
};

class KeypadTable : public ::testing::TestWithParam<KeypadCase> {};

TEST_P(KeypadTable, ButtonsGiveTheText) {
    const KeypadCase &c = GetParam();
    NumberKeypad keypad(W(c.initial));
    for (const char *b : c.buttons)
        EXPECT_TRUE(keypad.Press(b)) << b;
    EXPECT_EQ(U(keypad.text()), c.text);
    EXPECT_EQ(keypad.DigitCount(), c.digits);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, KeypadTable,
    ::testing::Values(
        KeypadCase{"", {"0"}, "0", 1}, KeypadCase{"", {"0", "5"}, "5", 1},
        KeypadCase{"", {"0", "0"}, "0", 1}, KeypadCase{"", {"000"}, "", 0},
        KeypadCase{"", {","}, "", 0}, KeypadCase{"", {"0", "000"}, "0", 1},
        KeypadCase{"", {"1", "000"}, "1000", 4}, KeypadCase{"", {"1", "0", "0"}, "100", 3},
        KeypadCase{"", {"1", ",", "5", ",", "2"}, "1,52", 3},
        KeypadCase{"", {"1", "+", "000"}, "1+", 0}, KeypadCase{"", {"1", "+", ","}, "1+", 0},
        KeypadCase{"", {"1", "+", "0", "0"}, "1+0", 1},
        KeypadCase{"", {"1", "+", "0", "7"}, "1+07", 2}, KeypadCase{"", {"1", "2", "BS"}, "1", 1},
        KeypadCase{"", {"BS"}, "", 0}, KeypadCase{"", {"1", "2", "+", "3", "4", "CE"}, "12+", 0},
        KeypadCase{"", {"1", "2", "CE"}, "", 0}, KeypadCase{"", {"1", "+", "2", "C"}, "", 0},
        KeypadCase{"", {"2", "+", "3", "*", "4", "="}, "14", 2},
        KeypadCase{"", {"(", "2", "+", "3", ")", "*", "4", "="}, "20", 2},
        KeypadCase{"", {"-", "5", "+", "2", "="}, "-3", 1},
        KeypadCase{"", {"1", "0", "/", "3", "="}, "3,333333", 7},
        KeypadCase{"", {"1", ",", "5", "*", "2", "="}, "3", 1},
        KeypadCase{"", {"1", ",", "5", "*", "2", "=", "5"}, "35", 2},
        KeypadCase{"", {"1", "-", "1", "=", "5"}, "5", 1}, KeypadCase{"", {"="}, "0", 1},
        KeypadCase{"12 500 руб.", {}, "12500.", 5}, KeypadCase{"1 234,56", {}, "1234,56", 6},
        KeypadCase{"2+3", {}, "5", 1}, KeypadCase{"(7)", {}, "7", 1},
        KeypadCase{"10/4", {"+", "1"}, "2,5+1", 1}, KeypadCase{"0", {"7"}, "7", 1},
        KeypadCase{"abc", {}, "", 0}, KeypadCase{"12", {",", ","}, "12,", 2}));

TEST(Keypad, OkEvaluatesAnExpressionFirst) {
    NumberKeypad keypad("");
    for (const char *b : {"2", "*", "2", "1"})
        keypad.Press(b);
    EXPECT_EQ(keypad.Accept(), "42");
    NumberKeypad plain("1,5");
    EXPECT_EQ(plain.Accept(), "1,5");
    EXPECT_EQ(NumberKeypad("-7").Accept(), "-7");
}

TEST(Keypad, UnknownButtonChangesNothing) {
    NumberKeypad keypad("12");
    EXPECT_FALSE(keypad.Press("x"));
    EXPECT_FALSE(keypad.Press(""));
    EXPECT_FALSE(keypad.Press("00"));
    EXPECT_EQ(keypad.text(), "12");
    EXPECT_EQ(keypad.CurrentNumber(), "12");
}

} // namespace
} // namespace dravo
