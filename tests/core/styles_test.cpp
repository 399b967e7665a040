#include "core/archive.h"
#include "core/body_io.h"
#include "core/fileio.h"
#include "core/styles.h"
#include "core/text.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace dravo;
using namespace dravo::literals;
namespace fs = std::filesystem;

namespace {

fs::path TempDir(const char *name) {
    fs::path dir = fs::temp_directory_path() / ("dravo-styles-" + std::string(name));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

CBody Document(std::uint16_t clauseSize) {
    CBody body;
    const std::uint16_t sizes[7] = {14, 12, 10, 12, clauseSize, 9, 9};
    for (std::uint16_t k = 0; k < 7; ++k) {
        body.Paragraph(k).m_strFont = "Courier New";
        body.Paragraph(k).m_nFontSize = sizes[k];
        body.Paragraph(k).m_dWidth = 640;
    }
    return body;
}

} // namespace

TEST(StyleFile, ShippedFileRoundTripsByteForByte) {
    const fs::path dir = TempDir("roundtrip");
    const std::string path = (dir / "stl.dat").string();
    StyleFile shipped = ShippedStyleFile();
    std::string error;
    ASSERT_TRUE(StoreStyleFile(path, shipped, error)) << error;
    StyleFile read;
    ASSERT_TRUE(LoadStyleFile(path, read, error, StyleFileMissingMessage())) << error;
    ASSERT_EQ(read.records.size(), kStyleRecordCount);
    EXPECT_EQ(StoreStyleBytes(read), StoreStyleBytes(shipped));
    EXPECT_EQ(StyleNames(read.records[1]).size(), 4u);
    EXPECT_EQ(read.records[2].m_parVariables.m_arItems[1].m_strName, "Контрагент"_w);
}

// A file that cannot be read, or reads as nothing sensible, leaves the defaults in place with
// the caller's message; a save over a damaged file keeps the damaged bytes beside it.
TEST(StyleFile, MissingShortAndDamagedFilesKeepTheDefaults) {
    const fs::path dir = TempDir("bad");
    const std::string path = (dir / "stl.dat").string();
    StyleFile shipped = ShippedStyleFile();
    const std::string good = StoreStyleBytes(shipped);
    struct Case {
        const char *name;
        std::optional<std::string> bytes;
        std::string_view message;
    } cases[] = {
        {"missing", std::nullopt, JournalSettingsMissingMessage()},
        {"empty", std::string(), kUnexpectedFileFormat},
        {"truncated", good.substr(0, good.size() / 2), kUnexpectedFileFormat},
        {"count past the records", std::string("\x15\x00", 2) + good.substr(2),
         kUnexpectedFileFormat},
    };
    for (const Case &c : cases) {
        fs::remove(path);
        std::string error;
        if (c.bytes) {
            ASSERT_TRUE(WriteFileAtomically(path, *c.bytes, error));
        }
        StyleFile file = ShippedStyleFile();
        EXPECT_FALSE(LoadStyleFile(path, file, error, JournalSettingsMissingMessage())) << c.name;
        EXPECT_EQ(error, c.message) << c.name;
        EXPECT_EQ(StoreStyleBytes(file), good) << c.name;
    }
    std::string error;
    ASSERT_TRUE(StoreStyleFile(path, shipped, error)) << error;
    std::vector<std::string> kept;
    for (const auto &entry : fs::directory_iterator(fs::path(path).parent_path()))
        if (entry.path().filename().string().rfind("stl.dat.damaged-", 0) == 0) {
            ASSERT_TRUE(ReadWholeFile(entry.path().string(), kept.emplace_back(), error));
        }
    EXPECT_EQ(kept, std::vector<std::string>{std::string("\x15\x00", 2) + good.substr(2)});
}

TEST(StyleFile, ShortFileGetsTwentyRecordsAndTheJournalColumns) {
    ArchiveWriter out;
    out.U16(1);
    CBody only;
    WriteBody(out, only);
    StyleFile file;
    const fs::path dir = TempDir("short");
    const std::string path = (dir / "stl.dat").string();
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, out.Take(), error));
    ASSERT_TRUE(LoadStyleFile(path, file, error, StyleFileMissingMessage())) << error;
    EXPECT_EQ(file.records.size(), kStyleRecordCount);
    EXPECT_EQ(file.records[2].m_parVariables.m_arItems.size(), kJournalColumnCount);
}

TEST(ApplyStyle, SizesShiftWithTheClauseTextAndRequisitesTakeHalfTheWidth) {
    struct Case {
        const char *name;
        std::uint16_t clause, styleSize;
        std::array<std::uint16_t, 7> sizes;
    } cases[] = {
        {"same size changes no size", 10, 10, {14, 12, 10, 12, 10, 9, 9}},
        {"two points larger", 10, 12, {16, 14, 12, 14, 12, 11, 11}},
        {"smaller stops at one point", 10, 2, {6, 4, 2, 4, 2, 1, 1}},
    };
    for (const Case &c : cases) {
        CBody document = Document(c.clause);
        CBody record = Document(8);
        record.Paragraph(ParArticleHead).m_dWidth = 44000; // the journal period stays
        ApplyStyle({"S", "Liberation Serif", c.styleSize, 600}, document, record);
        for (std::uint16_t k = 0; k < 7; ++k) {
            EXPECT_EQ(document.Paragraph(k).m_nFontSize, c.sizes[k]) << c.name << " p" << k;
            EXPECT_EQ(document.Paragraph(k).m_strFont, "Liberation Serif");
            EXPECT_EQ(document.Paragraph(k).m_dWidth, k >= 5 ? 300 : 600) << c.name << k;
            if (k == ParArticleHead) {
                EXPECT_EQ(record.Paragraph(k).m_dWidth, 44000);
                EXPECT_EQ(record.Paragraph(k).m_strFont, "Courier New");
            } else {
                EXPECT_EQ(record.Paragraph(k).m_dWidth, 600) << c.name << k;
                EXPECT_EQ(record.Paragraph(k).m_strFont, "Liberation Serif");
            }
        }
        // The record moves relative to its own clause text (8).
        EXPECT_EQ(record.Paragraph(ParClauseText).m_nFontSize, c.styleSize);
    }
}

TEST(StyleListEditor, AddPresetsFromTheClauseTextAndCancelRemovesIt) {
    CBody record = NewStyleRecord();
    const CBody document = Document(11);
    StyleListEditor editor(record, document);
    const std::size_t a = editor.BeginAdd();
    EXPECT_EQ(a, 0u);
    EXPECT_EQ(GetStyle(record, a), (FormattingStyle{"", "Courier New", 11, 640}));
    editor.CommitAdd(a, {"A", "Arial", 10, 500});
    const std::size_t b = editor.BeginAdd(); // after the selection
    editor.CommitAdd(b, {"B", "Arial", 12, 500});
    editor.Select(0);
    const std::size_t c = editor.BeginAdd();
    EXPECT_EQ(c, 1u);
    editor.CancelAdd(c);
    EXPECT_EQ(editor.Names(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(editor.Selection(), 0u);
    EXPECT_TRUE(editor.Change({"A2", "Arial", 9, 400}));
    EXPECT_EQ(editor.Chosen()->name, "A2");
}

TEST(StyleListEditor, DeleteMovesTheSelectionAsTheListShrinks) {
    CBody record = NewStyleRecord();
    const CBody document = Document(10);
    StyleListEditor editor(record, document);
    for (const char *name : {"A", "B", "C"})
        editor.CommitAdd(editor.BeginAdd(), {name, "F", 10, 1});
    editor.Select(1);
    ASSERT_TRUE(editor.Delete());
    EXPECT_EQ(editor.Selection(), 1u); // same position: now "C"
    ASSERT_TRUE(editor.Delete());
    EXPECT_EQ(editor.Selection(), 0u); // the last was removed: the previous one
    ASSERT_TRUE(editor.Delete());      // the only style
    EXPECT_FALSE(editor.Selection());
    EXPECT_TRUE(editor.Names().empty());
    EXPECT_FALSE(editor.Delete());
    EXPECT_FALSE(editor.Chosen());
}

TEST(FormatRows, FontStyleIndexAndBoldStoredAsTwo) {
    for (int style = 0; style < 4; ++style) {
        CPun p;
        WriteFontRow({"DejaVu Sans", 11, style}, p);
        EXPECT_EQ(p.m_nItalic, style & 1);
        EXPECT_EQ(p.m_nBold, style & 2);
        EXPECT_EQ(ReadFontRow(p), (FontRow{"DejaVu Sans", 11, style}));
    }
    CPun legacyBold; // a file may hold 1 for bold
    legacyBold.m_nBold = 1;
    EXPECT_EQ(ReadFontRow(legacyBold).style, 2);
    CPun p;
    p.m_dFirstIndent = 15;
    WriteParagraphRow({3, 5, 6, 700, 99}, p, false);
    EXPECT_EQ(ReadParagraphRow(p), (ParagraphRow{3, 5, 6, 700, 15}));
    EXPECT_EQ(FormatDialogParagraphs(true).size(), 5u);
    EXPECT_EQ(FormatDialogParagraphs(true)[3], 4);
}
