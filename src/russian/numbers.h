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

// The integer part of a decimal numeral ("1500.00", "06", "2004") in words. Only the first
// twelve integer digits are read; a non-digit counts as 0; zero gives the empty text. Empty word
// slots keep their blanks, so runs of blanks occur inside the result; only its ends are trimmed.
std::string NumberInWords(std::string_view text, WordsMode mode = Cardinal);

} // namespace dravo
