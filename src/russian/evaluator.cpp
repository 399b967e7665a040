#include "russian/evaluator.h"

#include "core/text.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace dravo {

namespace {

// Deeper nesting than this reads as 0, so that no text can exhaust the stack.
constexpr int kMaxDepth = 200;

constexpr double kDegToRad = 0.017444444444444446; // 3.14 / 180
constexpr double kRadToDeg = 57.324840764331206;   // 180 / 3.14

enum class TokenType { End, Delimiter, Number, Name, Other };

double ApplyFunction(int code, double x) {
    switch (code) {
    case 1:
        return std::cos(x * kDegToRad);
    case 2:
        return std::sin(x * kDegToRad);
    case 3:
        return std::tan(x * kDegToRad);
    case 4:
        return std::asin(x) * kRadToDeg;
    case 5:
        return std::acos(x) * kRadToDeg;
    case 6:
        return std::atan(x) * kRadToDeg;
    case 10:
        return std::exp(x);
    case 11:
        return std::log(x);
    case 12:
        return std::log10(x);
    case 13:
        return std::sqrt(x);
    case 16: {
        // Truncated to a 32-bit whole number first; beyond that range the whole part is kept.
        if (std::isnan(x))
            return x;
        const double whole = std::trunc(x);
        if (whole >= INT32_MIN + 1.0 && whole <= INT32_MAX)
            return std::abs(static_cast<std::int32_t>(whole));
        return std::fabs(whole);
    }
    default:
        return 0;
    }
}

struct Function {
    std::string_view name;
    int code;
};
constexpr Function kFunctions[] = {{"cos", 1},    {"sin", 2},   {"tan", 3},  {"asin", 4},
                                   {"acos", 5},   {"atan", 6},  {"exp", 10}, {"log", 11},
                                   {"log10", 12}, {"sqrt", 13}, {"abs", 16}};

bool IsNameStart(char c) {
    return c == '_' || (c >= 'a' && c <= 'z');
}
bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

class Parser {
  public:
    explicit Parser(std::string text) : s_(std::move(text)) { Next(); }

    double Statement() {
        // An assignment only when "=" stands right after the name ("x= 5"); in "x = 5" the name
        // is the whole expression, and reads as 0.
        // Its value is that of the expression after "="; nothing is kept.
        if (type_ == TokenType::Name && pos_ < s_.size() && s_[pos_] == '=') {
            pos_ += 1;
            Next();
            return type_ == TokenType::End ? 0.0 : Expression();
        }
        return Expression();
    }

  private:
    void Next() {
        while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t'))
            ++pos_;
        const std::size_t start = pos_;
        if (pos_ >= s_.size()) {
            type_ = TokenType::End;
            token_.clear();
            return;
        }
        const char c = s_[pos_];
        if (std::string_view("%()*+,-/=^").find(c) != std::string_view::npos) {
            type_ = TokenType::Delimiter;
            ++pos_;
        } else if (IsDigit(c) || c == '.') {
            type_ = TokenType::Number;
            while (pos_ < s_.size() && (IsDigit(s_[pos_]) || s_[pos_] == '.'))
                ++pos_;
        } else if (IsNameStart(c)) {
            type_ = TokenType::Name;
            while (pos_ < s_.size() && IsNameChar(s_[pos_]))
                ++pos_;
        } else {
            type_ = TokenType::Other;
            ++pos_;
        }
        token_.assign(s_, start, pos_ - start);
    }

    bool Is(char delimiter) const {
        return type_ == TokenType::Delimiter && token_[0] == delimiter;
    }

    double Expression() {
        double value = Term();
        while (Is('+') || Is('-')) {
            const char op = token_[0];
            Next();
            const double rhs = Term();
            value = op == '+' ? value + rhs : value - rhs;
        }
        return value;
    }

    double Term() {
        double value = Power();
        while (Is('*') || Is('/') || Is('%')) {
            const char op = token_[0];
            Next();
            const double rhs = Power();
            if (op == '*')
                value *= rhs;
            else if (op == '/')
                value /= rhs;
            else
                value = std::fmod(value, rhs);
        }
        return value;
    }

    double Power() {
        const double base = Signed();
        if (!Is('^'))
            return base;
        Next();
        return std::pow(base, Signed());
    }

    double Signed() {
        if (Is('+') || Is('-')) {
            const bool negate = token_[0] == '-';
            Next();
            const double v = Primary();
            return negate ? -v : v;
        }
        return Primary();
    }

    double Primary() {
        if (Is('(')) {
            if (depth_ >= kMaxDepth)
                return 0;
            Next();
            ++depth_;
            const double v = Expression();
            --depth_;
            Next(); // taken as the closing parenthesis, whatever it is
            return v;
        }
        if (type_ == TokenType::Number) {
            // The number is written with a point; the C library reads the locale's own.
            std::string number = token_;
            const char point = *std::localeconv()->decimal_point;
            for (char &c : number)
                if (c == '.')
                    c = point;
            const double v = std::atof(number.c_str());
            Next();
            return v;
        }
        if (type_ == TokenType::Name) {
            if (pos_ < s_.size() && s_[pos_] == '(') {
                for (const Function &f : kFunctions)
                    if (token_ == f.name) {
                        if (depth_ >= kMaxDepth)
                            return 0;
                        Next(); // the name
                        Next(); // "("
                        ++depth_;
                        const double arg = Statement();
                        --depth_;
                        Next(); // ")"
                        return ApplyFunction(f.code, arg);
                    }
            }
            Next(); // an unknown name or a name without arguments reads as 0
            return 0;
        }
        return 0;
    }

    std::string s_;
    std::size_t pos_ = 0;
    TokenType type_ = TokenType::End;
    std::string token_;
    int depth_ = 0;
};

constexpr std::string_view kOperators = "+-*/()";

bool HasOperator(std::string_view text) {
    return text.find_first_of(kOperators) != std::string_view::npos;
}

} // namespace

double EvaluateExpression(std::string_view text) {
    Parser parser(ToLower(text));
    return parser.Statement();
}

std::string FormatResult(double value) {
    const int n = std::snprintf(nullptr, 0, "%f", value);
    std::string s(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    if (n > 0)
        std::snprintf(s.data(), s.size() + 1, "%f", value);
    // "%f" writes the locale's decimal point; the text below is built from a point.
    const char point = *std::localeconv()->decimal_point;
    for (char &c : s)
        if (c == point)
            c = '.';
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    while (!s.empty() && s.back() == '.')
        s.pop_back();
    for (char &c : s)
        if (c == '.')
            c = ',';
    return s;
}

std::string CalculateText(std::string_view text) {
    std::string expression(text);
    for (char &c : expression)
        if (c == ',')
            c = '.';
    return FormatResult(EvaluateExpression(expression));
}

NumberKeypad::NumberKeypad(std::string_view initial) : text_(initial) {
    if (HasOperator(text_)) {
        Evaluate();
        return;
    }
    std::string kept;
    for (const char c : text_)
        if (IsDigit(c) || c == ',' || c == '-' || c == '.')
            kept += c;
    text_ = kept;
}

std::string NumberKeypad::CurrentNumber() const {
    const std::size_t last = text_.find_last_of(kOperators);
    return last == std::string::npos ? text_ : text_.substr(last + 1);
}

int NumberKeypad::DigitCount() const {
    int count = 0;
    for (const char c : CurrentNumber())
        if (c != ',' && c != '.')
            ++count;
    return count;
}

bool NumberKeypad::Press(std::string_view button) {
    if (button.size() == 1 && button[0] >= '1' && button[0] <= '9') {
        if (text_ == "0")
            text_.clear();
        text_ += button;
    } else if (button == "0") {
        if (CurrentNumber() != "0")
            text_ += '0';
    } else if (button == "000") {
        const std::string current = CurrentNumber();
        if (!current.empty() && current != "0")
            text_ += "000";
    } else if (button == ",") {
        const std::string current = CurrentNumber();
        if (!current.empty() && current.find(',') == std::string::npos)
            text_ += ',';
    } else if (button.size() == 1 && kOperators.find(button[0]) != std::string_view::npos) {
        text_ += button;
    } else if (button == "BS") {
        if (!text_.empty())
            text_.pop_back();
    } else if (button == "CE") {
        const std::size_t last = text_.find_last_of(kOperators);
        text_.erase(last == std::string::npos ? 0 : last + 1);
    } else if (button == "C") {
        text_.clear();
    } else if (button == "=") {
        Evaluate();
    } else {
        return false;
    }
    return true;
}

std::string NumberKeypad::Accept() {
    if (HasOperator(text_))
        Evaluate();
    return text_;
}

void NumberKeypad::Evaluate() {
    text_ = CalculateText(text_);
}

} // namespace dravo
