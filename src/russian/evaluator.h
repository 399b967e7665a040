// The arithmetic evaluator of number entry and the keypad of the "Ввод числа" dialog.
#pragma once

#include <string>
#include <string_view>

namespace dravo {

// Evaluates an arithmetic expression leniently: never fails, skips what it cannot read.
// Operators + - * / % ^, parentheses, functions cos sin tan asin acos atan (degrees, pi taken as
// 3.14), exp log log10 sqrt abs. Nesting deeper than the evaluator's limit reads as 0.
double EvaluateExpression(std::string_view text);

// "%f", trailing zeros and then trailing points removed, the point shown as a comma: 3,333333.
std::string FormatResult(double value);

// The "=" of number entry: the decimal comma is read as a point, the text evaluated and the
// value formatted by FormatResult ("1,5*2" gives "3", "10/3" gives "3,333333").
std::string CalculateText(std::string_view text);

// The keypad of "Ввод числа" without its widget: buttons in, the expression text and the digit
// count of the current number out.
class NumberKeypad {
  public:
    // Opens on an item's value: an expression is evaluated at once; otherwise everything but
    // digits, ",", "-" and "." is removed.
    explicit NumberKeypad(std::string_view initial = {});

    // One button: "0".."9", "000", ",", "+", "-", "*", "/", "(", ")", "BS", "CE", "C", "=".
    // Returns false for an unknown button (nothing changes).
    bool Press(std::string_view button);

    const std::string &text() const { return text_; }
    // The current number: the text after the last operator or parenthesis.
    std::string CurrentNumber() const;
    // The count shown next to "Количество цифр в числе:".
    int DigitCount() const;
    // "OK": an expression is evaluated first; returns the text.
    std::string Accept();

  private:
    void Evaluate();
    std::string text_;
};

} // namespace dravo
