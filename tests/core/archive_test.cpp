#include "core/archive.h"
#include "core/text.h"

#include "allocation_probe.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/mman.h>

using namespace dravo;
using namespace dravo::literals;

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

std::string Utf16Le(std::u16string_view text) {
    std::string s;
    for (char16_t u : text) {
        s += static_cast<char>(u & 0xFF);
        s += static_cast<char>(u >> 8);
    }
    return s;
}

struct PrefixCase {
    std::size_t length;
    std::string prefix;
};

class TextPrefix : public testing::TestWithParam<PrefixCase> {};

TEST_P(TextPrefix, WritesTheShortestFormAndReadsItBack) {
    const PrefixCase &c = GetParam();
    const std::string text(c.length, 'z');
    ArchiveWriter out;
    out.Text(text);
    out.U16(0xBEEF);
    const std::string &bytes = out.Bytes();
    ASSERT_EQ(bytes.size(), c.prefix.size() + c.length + 2);
    EXPECT_EQ(bytes.substr(0, c.prefix.size()), c.prefix);

    ArchiveReader in(bytes);
    std::string read;
    std::uint16_t after = 0;
    ASSERT_TRUE(in.Text(read));
    ASSERT_TRUE(in.U16(after));
    EXPECT_EQ(read, text);
    EXPECT_EQ(after, 0xBEEF);
    EXPECT_TRUE(in.AtEnd());
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, TextPrefix,
    testing::Values(PrefixCase{0, Bytes({0x00})}, PrefixCase{1, Bytes({0x01})},
                    PrefixCase{254, Bytes({0xFE})}, PrefixCase{255, Bytes({0xFF, 0xFF, 0x00})},
                    PrefixCase{256, Bytes({0xFF, 0x00, 0x01})},
                    PrefixCase{65533, Bytes({0xFF, 0xFD, 0xFF})},
                    PrefixCase{65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
                    PrefixCase{65535, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
                    PrefixCase{70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})}));

// The two widest forms need texts of gigabytes; their prefixes alone are checked.
TEST(TextPrefix, WidestFormsAsWritten) {
    const std::pair<std::uint64_t, std::string> cases[] = {
        {0xFFFFFFFE, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF})},
        {0xFFFFFFFF,
         Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0})},
        {0x100000000, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0})},
    };
    for (const auto &[length, prefix] : cases) {
        ArchiveWriter out;
        out.Length(length);
        EXPECT_EQ(out.Bytes(), prefix) << length;
        EXPECT_EQ(ArchiveWriter::TextSize(length), prefix.size() + length) << length;
    }
}

struct ReadCase {
    const char *name;
    std::string bytes;
    std::string text;   // expected text (windows-1251)
    std::size_t usedUp; // bytes the text took
};

class TextRead : public testing::TestWithParam<ReadCase> {};

TEST_P(TextRead, ReadsEveryForm) {
    const ReadCase &c = GetParam();
    const std::string input = c.bytes + "tail";
    ArchiveReader in(input);
    std::string text = "previous";
    ASSERT_TRUE(in.Text(text));
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(in.Position(), c.usedUp);
}

const std::string kDog = std::string("Дог"_w);

INSTANTIATE_TEST_SUITE_P(
    Forms, TextRead,
    testing::Values(
        ReadCase{"OneByte", Bytes({3}) + "abc", "abc", 4},
        ReadCase{"LongerU16Form", Bytes({0xFF, 3, 0}) + "abc", "abc", 6},
        ReadCase{"FourByteForm", Bytes({0xFF, 0xFF, 0xFF, 3, 0, 0, 0}) + "abc", "abc", 10},
        ReadCase{"EightByteForm",
                 Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 0, 0, 0, 0}) + "abc",
                 "abc", 18},
        ReadCase{"ZeroByteEndsTheText", Bytes({5}) + std::string("ab\0cd", 5), "ab", 6},
        ReadCase{"LeadingZeroByte", Bytes({2}) + std::string("\0x", 2), "", 3},
        ReadCase{"WideOneByteLength", Bytes({0xFF, 0xFE, 0xFF, 3}) + Utf16Le(u"Дог"), kDog, 10},
        ReadCase{"WideU16Length", Bytes({0xFF, 0xFE, 0xFF, 0xFF, 3, 0}) + Utf16Le(u"Дог"), kDog,
                 12},
        ReadCase{"WideFourByteLength",
                 Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0}) + Utf16Le(u"Дог"), kDog,
                 16},
        ReadCase{"WideZeroEndsTheText",
                 Bytes({0xFF, 0xFE, 0xFF, 4}) + Utf16Le(std::u16string(u"Д\0ог", 4)),
                 std::string("Д"_w), 12},
        ReadCase{"WideOutsideTheCodePage", Bytes({0xFF, 0xFE, 0xFF, 5}) + Utf16Le(u"a中№😀"),
                 std::string("a?№?"_w), 14},
        ReadCase{"WideEmpty", Bytes({0xFF, 0xFE, 0xFF, 0}), "", 4},
        // After the wide marker 0xFFFE is a length like any other.
        ReadCase{"WideLengthFFFE",
                 Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF}) +
                     Utf16Le(std::u16string(0xFFFE, u'a')),
                 std::string(0xFFFE, 'a'), 6 + 2 * 0xFFFE}),
    [](const testing::TestParamInfo<ReadCase> &info) { return std::string(info.param.name); });

TEST(TextRead, MalformedOrShortInputFails) {
    const std::vector<std::pair<const char *, std::string>> cases = {
        {"empty input", ""},
        {"length beyond the input", Bytes({4}) + "abc"},
        {"u16 prefix cut short", Bytes({0xFF, 0x01})},
        {"4-byte prefix cut short", Bytes({0xFF, 0xFF, 0xFF, 1, 0})},
        {"8-byte prefix cut short", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0})},
        {"8-byte length above 0x7FFFFFFF",
         Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0x80, 0, 0, 0, 0}) + "abc"},
        {"wide text of an odd byte count", Bytes({0xFF, 0xFE, 0xFF, 2, 'a', 0, 'b'})},
        {"wide marker and nothing more", Bytes({0xFF, 0xFE, 0xFF})},
    };
    for (const auto &[name, bytes] : cases) {
        ArchiveReader in(bytes);
        std::string text = "kept";
        EXPECT_FALSE(in.Text(text)) << name;
        EXPECT_TRUE(in.Failed()) << name;
        EXPECT_EQ(text, "kept") << name;
    }
}

TEST(TextRead, HugeLengthFailsWithoutAllocating) {
    const std::vector<std::string> prefixes = {
        Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x7F}),
        Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0}),
        Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
               0x3F}), // wide: twice as many bytes
    };
    for (const std::string &prefix : prefixes) {
        const std::string bytes = prefix + std::string(64, 'x');
        std::string text;
        AllocationProbe probe;
        ArchiveReader in(bytes);
        EXPECT_FALSE(in.Text(text));
        EXPECT_LT(probe.Largest(), 4096u);
    }
}

// No text is longer than 0x7FFFFFFF, whichever form its length takes, even when the input
// does hold that many bytes. The input is a sparse mapping: only its first page is ever touched.
TEST(TextRead, LengthAboveTheLimitFailsInTheFourByteFormToo) {
    const std::size_t size = 0x80000100;
    void *map = ::mmap(nullptr, size, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (map == MAP_FAILED)
        GTEST_SKIP() << "no address space for a 2 GB input";
    char *bytes = static_cast<char *>(map);
    const struct {
        const char *name;
        std::string prefix;
        bool fails;
    } cases[] = {
        {"8-bit, 0x7FFFFFFF", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), false},
        {"8-bit, 0x80000000", Bytes({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80}), true},
        {"8-bit, 0xFFFFFFFE", Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF}), true},
    };
    for (const auto &c : cases) {
        std::memcpy(bytes, c.prefix.data(), c.prefix.size());
        // The text starts with a zero, so a length that is accepted reads as an empty text.
        bytes[c.prefix.size()] = 0;
        bytes[c.prefix.size() + 1] = 0;
        ArchiveReader in(std::string_view(bytes, size));
        std::string text = "kept";
        EXPECT_EQ(in.Text(text), !c.fails) << c.name;
        EXPECT_EQ(text, c.fails ? "kept" : "") << c.name;
    }
    ::munmap(map, size);
}

TEST(Archive, NumbersAreLittleEndianAndDoublesKeepEveryBit) {
    ArchiveWriter out;
    out.U16(0x1234);
    out.U32(0x89ABCDEF);
    out.I32(-2);
    out.F64(640.0);
    out.F64(-0.0);
    out.F64(std::bit_cast<double>(std::uint64_t(0x7FF8DEADBEEF0001)));
    const std::string &b = out.Bytes();
    ASSERT_EQ(b.size(), 2u + 4 + 4 + 24);
    EXPECT_EQ(b.substr(0, 10), Bytes({0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89, 0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(b.substr(10, 8), Bytes({0, 0, 0, 0, 0, 0, 0x84, 0x40}));

    ArchiveReader in(b);
    std::uint16_t u16 = 0;
    std::uint32_t u32 = 0;
    std::int32_t i32 = 0;
    double d1 = 0, d2 = 0, d3 = 0;
    EXPECT_TRUE(in.U16(u16) && in.U32(u32) && in.I32(i32) && in.F64(d1) && in.F64(d2) &&
                in.F64(d3));
    EXPECT_EQ(u16, 0x1234);
    EXPECT_EQ(u32, 0x89ABCDEFu);
    EXPECT_EQ(i32, -2);
    EXPECT_EQ(d1, 640.0);
    EXPECT_TRUE(std::signbit(d2));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(d3), 0x7FF8DEADBEEF0001u);
    EXPECT_TRUE(in.AtEnd());
}

TEST(Archive, FirstFailureSticks) {
    ArchiveReader in(Bytes({1, 0, 2}));
    std::uint16_t n = 0;
    double d = 0;
    EXPECT_TRUE(in.U16(n));
    EXPECT_FALSE(in.F64(d)); // only one byte left
    EXPECT_EQ(in.Position(), 2u);
    std::string text;
    EXPECT_FALSE(in.Text(text)); // the byte is there, but the input already failed
    EXPECT_TRUE(in.Failed());
}

} // namespace
