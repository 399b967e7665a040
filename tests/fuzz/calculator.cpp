// The calculator of number entry on arbitrary text: it must never crash, recurse without bound or
// read outside the text; the same text gives the same value; and the keypad, pressed with the
// buttons the input names, keeps its text readable and its digit count within the text.
#include "russian/evaluator.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

using namespace dravo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);

    const double a = EvaluateExpression(text);
    const double b = EvaluateExpression(text);
    if (!(a == b || (std::isnan(a) && std::isnan(b))))
        __builtin_trap();
    const std::string shown = CalculateText(text);
    if (shown.empty() || shown.find('.') != std::string::npos)
        __builtin_trap(); // the point is always shown as a comma

    // The same bytes as key presses, one button a byte.
    static const char *const kButtons[] = {"0", "1", "2",   "3",  "4", "5", "6", "7",
                                           "8", "9", "000", ",",  "+", "-", "*", "/",
                                           "(", ")", "BS",  "CE", "C", "="};
    NumberKeypad keypad(text.substr(0, std::min<std::size_t>(size, 64)));
    for (std::size_t i = 0; i < size && i < 256; ++i) {
        if (!keypad.Press(kButtons[data[i] % std::size(kButtons)]))
            __builtin_trap();
        if (keypad.DigitCount() < 0 ||
            static_cast<std::size_t>(keypad.DigitCount()) > keypad.text().size())
            __builtin_trap();
    }
    keypad.Accept();
    return 0;
}
