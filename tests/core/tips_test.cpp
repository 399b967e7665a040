#include "core/tips.h"

#include "core/text.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

using namespace dravo;
namespace fs = std::filesystem;

namespace {
fs::path TipsFile(const std::string &name, const std::string &bytes) {
    const fs::path dir = fs::temp_directory_path() / "dravo-test-tips";
    fs::create_directories(dir);
    const fs::path path = dir / (name + ".txt");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
}

const std::string kError = CTipReader::ReadErrorMessage();
const std::string kLong = std::string(999, 'a') + std::string(501, 'b');

struct ReadCase {
    const char *name;
    std::string content;
    long long filePos;              // remembered offset
    bool sameStamp;                 // the remembered stamp matches the file
    std::vector<std::string> shown; // Open, then Next, Next...
};
} // namespace

TEST(TipReader, ReadsTipsInTurn) {
    const std::string skipped = "; comment\n\n  indented\n\ttabbed\r\n\r\n";
    const std::vector<ReadCase> cases = {
        {"skips_comments_and_blank_lines",
         skipped + "Первый\r\n;x\nВторой\n",
         0,
         true,
         {"Первый", "Второй", "Первый"}},
        {"wraps_after_last", "A\nB\nC", 0, true, {"A", "B", "C", "A", "B"}},
        {"continues_from_position", "A\nB\nC\n", 2, true, {"B", "C", "A"}},
        {"changed_file_restarts", "A\nB\nC\n", 4, false, {"A", "B"}},
        {"long_line_gives_two_tips",
         kLong + "\nZ\n",
         0,
         true,
         {std::string(999, 'a'), std::string(501, 'b'), "Z", std::string(999, 'a')}},
        {"exactly_999_is_one_tip",
         std::string(999, 'c') + "\nZ\n",
         0,
         true,
         {std::string(999, 'c'), "Z"}},
        {"comments_only_stop_after_one_pass", "; one\n\n; two\n", 6, true, {kError, kError}},
        {"empty_file", "", 0, true, {kError}},
        {"offset_past_end_is_a_read_error", "A\nB\n", 99, true, {kError, "A", "B"}},
    };
    for (const ReadCase &c : cases) {
        SCOPED_TRACE(c.name);
        // Tests write their content in UTF-8 for reading; the file holds windows-1251.
        const fs::path path = TipsFile(c.name, FromUtf8(c.content));
        TipSettings settings;
        settings.filePos = c.filePos;
        settings.timeStamp = c.sameStamp ? CTipReader::FileTimeText(path.string()) : "old";
        CTipReader reader;
        std::vector<std::string> shown{ToUtf8(reader.Open(path.string(), settings))};
        while (shown.size() < c.shown.size())
            shown.push_back(ToUtf8(reader.Next()));
        std::vector<std::string> expected;
        for (const std::string &s : c.shown)
            expected.push_back(s == kError ? ToUtf8(kError) : s);
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(settings.timeStamp, CTipReader::FileTimeText(path.string()));
    }
}

TEST(TipReader, RemembersThePlaceBetweenRuns) {
    const fs::path path = TipsFile("runs", "; tips\nA\nB\nC\n");
    TipSettings settings;
    std::vector<std::string> shown;
    for (int run = 0; run < 4; ++run) {
        CTipReader reader;
        shown.push_back(reader.Open(path.string(), settings));
        reader.Close(settings);
        EXPECT_FALSE(reader.IsOpen());
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"A", "B", "C", "A"}));
    EXPECT_EQ(settings.filePos, 9); // just after the first "A" again

    // The file rewritten with a new time: its first tip again, whatever the offset said.
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "X\nY\n";
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::hours(1));
    CTipReader reader;
    settings.filePos = 2;
    EXPECT_EQ(reader.Open(path.string(), settings), "X");
}

TEST(TipReader, MissingFileSaysSoAndKeepsTheSettings) {
    TipSettings settings{0, 42, "stamp"};
    CTipReader reader;
    EXPECT_EQ(reader.Open("/nonexistent/tips.txt", settings), CTipReader::MissingFileMessage());
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(reader.Next(), CTipReader::MissingFileMessage());
    reader.Close(settings);
    EXPECT_EQ(settings.filePos, 42);
    EXPECT_EQ(settings.timeStamp, "stamp");
}

TEST(TipReader, ShippedTipsAreManyShortAndInWindows1251) {
    const std::string path = std::string(DRAVO_BINARY_DIR) + "/resources/Data/tips.txt";
    TipSettings settings;
    CTipReader reader;
    std::vector<std::string> tips{reader.Open(path, settings)};
    for (;;) {
        std::string tip = reader.Next();
        if (tip == tips.front())
            break; // wrapped round
        tips.push_back(std::move(tip));
        ASSERT_LT(tips.size(), 1000u);
    }
    EXPECT_GE(tips.size(), 40u);
    for (const std::string &tip : tips) {
        EXPECT_LT(tip.size(), 400u) << ToUtf8(tip);
        EXPECT_NE(tip, CTipReader::MissingFileMessage());
        // Converted from UTF-8: no two-byte Cyrillic sequence of UTF-8 is left in the text.
        for (std::size_t i = 0; i + 1 < tip.size(); ++i) {
            const unsigned char a = tip[i], b = tip[i + 1];
            EXPECT_FALSE((a == 0xD0 || a == 0xD1) && b >= 0x80 && b <= 0xBF) << ToUtf8(tip);
        }
    }
}
