// Numbers in Russian words: cardinal amounts, the day of a month as a neuter ordinal and a year
// as a genitive ordinal. Text is windows-1251.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dravo {

// How NumberInWords writes its number. Any other value behaves as Cardinal.
enum WordsMode : std::uint16_t {
    Cardinal = 0,        // "одна тысяча пятьсот"
    OrdinalNeuter = 1,   // a day of the month: "шестое", "тридцать первое"
    OrdinalGenitive = 2, // a year: "две тысячи четвертого"
};

// The integer part of a decimal numeral ("1500.00", "06", "2004", "12 500,75") in words. The
// integer part ends at the first "." or ","; only its digits are read (group blanks, a sign or a
// currency word are skipped), the first twelve of them; zero gives the empty text. Empty word
// slots keep their blanks, so runs of blanks occur inside the result; only its ends are trimmed.
// The ordinal modes put the ending on the last word ("двадцать первое", "двухтысячного").
std::string NumberInWords(std::string_view text, WordsMode mode = Cardinal);

} // namespace dravo
