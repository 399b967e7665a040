#include "core/text.h"

#include <gtest/gtest.h>

using namespace dravo;

TEST(Cp1251, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(FromUtf8(ToUtf8(all)), all);
}

TEST(Cp1251, RunsOfAsciiAroundOtherBytesConvertAsSingleBytes) {
    // Texts of every length up to 40 with one byte of the upper half at each place: the result
    // is the characters one by one, whatever the runs of plain ASCII around it.
    for (std::size_t length = 0; length <= 40; ++length)
        for (std::size_t at = 0; at <= length; ++at) {
            std::string text(length, 'a');
            if (at < length)
                text[at] = static_cast<char>(0x80 + (length * 7 + at) % 128);
            std::string expected;
            for (const char c : text)
                expected += ToUtf8(std::string(1, c));
            EXPECT_EQ(ToUtf8(text), expected) << length << " " << at;
        }
}

TEST(Cp1251, AppendsExactlyWhateverEndsTheText) {
    // The result is written at its exact length: texts of every length that end in characters
    // of one, two and three bytes (the last bytes have no room to spare), appended after text.
    const char ends[] = {'a', static_cast<char>(0xE0), static_cast<char>(0x85),
                         static_cast<char>(0xB9)}; // a, а, …, №
    for (std::size_t length = 0; length <= 20; ++length)
        for (const char first : ends)
            for (const char last : ends) {
                std::string text(length, first);
                text += last;
                std::string expected = "head ";
                for (const char c : text)
                    expected += ToUtf8(std::string(1, c));
                std::string out = "head ";
                AppendUtf8(out, text);
                EXPECT_EQ(out, expected) << length;
                EXPECT_EQ(ToUtf8(text), expected.substr(5)) << length;
            }
}

TEST(Cp1251, ConvertsRussianBothWays) {
    const std::string utf8 = "Договор № 5 «поставки», ёЁ — €";
    const std::string bytes = FromUtf8(utf8);
    EXPECT_EQ(bytes.size(), 30u); // one byte per character
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xC4);
    EXPECT_EQ(static_cast<unsigned char>(bytes[8]), 0xB9); // №
    EXPECT_EQ(ToUtf8(bytes), utf8);
}

TEST(Cp1251, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(FromUtf8("a\xE4\xB8\xADz"), "a?z"); // a CJK character
    EXPECT_EQ(FromUtf8("a\xFF\xFEz"), "a??z");    // malformed bytes, one mark each
    EXPECT_EQ(FromUtf8("\xD0"), "?");             // sequence cut short
    EXPECT_EQ(FromUtf8("\xF0\x9F\x98\x80"), "?"); // outside the basic plane
}

TEST(Cp1251, LiteralHelperMatchesRuntimeConversion) {
    EXPECT_EQ(std::string("ДОГОВОР"_w), FromUtf8("ДОГОВОР"));
    EXPECT_EQ(std::string("Номер и серия поспорта"_w), FromUtf8("Номер и серия поспорта"));
    EXPECT_EQ(""_w.size(), 0u);
    static_assert("ёж"_w.size() == 2);
}

TEST(Cp1251, LetterCaseFollowsTheCodePage) {
    EXPECT_EQ(ToUpper("абвгд ёж эюя abc"_w), "АБВГД ЁЖ ЭЮЯ ABC"_w);
    EXPECT_EQ(ToLower("АБВГД ЁЖ ЭЮЯ ABC"_w), "абвгд ёж эюя abc"_w);
    EXPECT_EQ(ToUpper("ґєії"_w), "ҐЄІЇ"_w);
    EXPECT_EQ(ToUpper("№ «»"_w), "№ «»"_w); // not letters
    EXPECT_TRUE(cp1251::IsLetter(static_cast<unsigned char>("ё"_w[0])));
    EXPECT_FALSE(cp1251::IsLetter(static_cast<unsigned char>("№"_w[0])));
}

// Text that is kept: a character the code page cannot hold is refused and named, never replaced.
TEST(Text, ExactConversionRefusesWhatTheCodePageLacks) {
    struct Case {
        std::string utf8;
        bool fits;
        char32_t refused;
    };
    const Case cases[] = {
        {"ООО «Смайл» № 5 — €", true, 0},
        {"", true, 0},
        {"ООО 😀 Смайл", false, 0x1F600},
        {"Café", false, 0xE9},
        {"a\xff", false, 0xFFFD},            // not UTF-8
        {"\xEF\xBF\xBD", false, 0xFFFD},     // the replacement character itself
        {"\xd0\x9e\xe2\x80", false, 0xFFFD}, // cut in the middle of a character
    };
    for (const Case &c : cases) {
        std::string out = "kept";
        char32_t refused = 0;
        EXPECT_EQ(FromUtf8Exact(c.utf8, out, refused), c.fits) << c.utf8;
        if (c.fits) {
            EXPECT_EQ(out, FromUtf8(c.utf8));
        } else {
            EXPECT_EQ(out, "kept");
            EXPECT_EQ(refused, c.refused) << c.utf8;
        }
    }
    const std::string message = RefusedCharacterMessage(0x1F600);
    EXPECT_NE(message.find("«😀»"), std::string::npos) << message;
    EXPECT_NE(message.find("U+1F600"), std::string::npos) << message;
    EXPECT_NE(RefusedCharacterMessage(0x85).find("(U+0085)"), std::string::npos);
}

TEST(EscapedField, KeepsAFieldOnItsLine) {
    struct Case {
        const char *text, *escaped;
    };
    const Case cases[] = {
        {"", ""},
        {"plain", "plain"},
        {"a\tb", "a\\tb"},
        {"a\nb", "a\\nb"},
        {"a\r\nb", "a\\nb"}, // a line break typed on Windows is one "\n"
        {"a\rb", "ab"},
        {"C:\\path", "C:\\\\path"},
        {"\\n", "\\\\n"}, // typed as it looks stays distinct from a line feed
    };
    for (const Case &c : cases)
        EXPECT_EQ(EscapedField(c.text), c.escaped) << c.text;
    EXPECT_EQ(EscapedField("Срок\tпоставки"_w), "Срок\\tпоставки"_w);
}
