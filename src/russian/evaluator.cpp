#include "russian/evaluator.h"

#include <cstdio>
#include <cstdlib>

namespace dravo {

// First bodies: a plain number; the full grammar follows.
double EvaluateExpression(std::string_view text) {
    return std::atof(std::string(text).c_str());
}

std::string FormatResult(double value) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%f", value);
    std::string s(buf);
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    while (!s.empty() && s.back() == '.')
        s.pop_back();
    for (char &c : s)
        if (c == '.')
            c = ',';
    return s;
}

NumberKeypad::NumberKeypad(std::string_view initial) : text_(initial) {}
bool NumberKeypad::Press(std::string_view) {
    return false;
}
std::string NumberKeypad::CurrentNumber() const {
    return text_;
}
int NumberKeypad::DigitCount() const {
    return 0;
}
std::string NumberKeypad::Accept() {
    return text_;
}
void NumberKeypad::Evaluate() {}

} // namespace dravo
