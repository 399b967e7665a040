#include "core/body_io.h"
#include "core/defaults.h"
#include "core/fileio.h"
#include "core/text.h"

#include "allocation_probe.h"
#include "body_samples.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace dravo;
using namespace dravo::literals;
using namespace dravo::test;
namespace fs = std::filesystem;

namespace {

fs::path TempDir(const char *name) {
    fs::path dir = fs::temp_directory_path() / ("dravo-body-" + std::string(name));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// A body that no file could produce, to show that a failed load leaves the target alone.
CBody Sentinel() {
    CBody body;
    body.m_strVersion = "sentinel";
    body.m_arArticles.assign(5, CPar{});
    body.m_arParagraphs[3].m_strText = "keep me";
    return body;
}

TEST(BodyIo, StoreThenLoadGivesTheSameBody) {
    CBody body = SampleBody();
    const std::string bytes = StoreBody(body);
    CBody loaded;
    std::string error;
    ASSERT_TRUE(LoadBody(bytes, loaded, error)) << error;
    EXPECT_EQ(loaded, body);
    EXPECT_EQ(loaded.RecordNumber(0), 17);
    EXPECT_EQ(loaded.RecordNumber(1), -1);
}

TEST(BodyIo, FileLayoutFollowsTheFieldOrder) {
    CBody body = SampleBody();
    // An independent writer of the documented layout must agree byte for byte with the program's
    // own store (after which the derived sections are current).
    const std::string stored = StoreBody(body);
    EXPECT_EQ(stored, RawBodyBytes(body, kCurrentVersion));
    EXPECT_EQ(stored.substr(0, 9), std::string("\x06"
                                               "ADF2.2\x03\x00",
                                               9));
}

TEST(BodyIo, SavingTwiceGivesIdenticalBytes) {
    CBody body = SampleBody();
    const std::string first = StoreBody(body);
    const std::string second = StoreBody(body);
    EXPECT_EQ(first, second);
    CBody loaded;
    std::string error;
    ASSERT_TRUE(LoadBody(first, loaded, error));
    EXPECT_EQ(StoreBody(loaded), first);
    EXPECT_EQ(loaded.m_parParties.m_arItems.size(), 2u);
    EXPECT_EQ(loaded.m_parLayout.m_arItems.size(), 8u);
}

TEST(BodyIo, TruncationAtEveryByteFailsAndChangesNothing) {
    CBody body = SampleBody();
    body.m_arArticles[2].m_arItems[1].m_strText = "short"; // keep the loop quick
    const std::string bytes = StoreBody(body);
    const CBody sentinel = Sentinel();
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        CBody target = sentinel;
        std::string error;
        ASSERT_FALSE(LoadBody(std::string_view(bytes).substr(0, n), target, error)) << n;
        ASSERT_EQ(error, kUnexpectedFileFormat) << n;
        ASSERT_EQ(target, sentinel) << n;
    }
}

TEST(BodyIo, BytesAfterTheLastRecordAreIgnored) {
    CBody body = SampleBody();
    const std::string bytes = StoreBody(body);
    CBody loaded;
    std::string error;
    ASSERT_TRUE(LoadBody(bytes + "old tail left by an in-place rewrite", loaded, error));
    EXPECT_EQ(loaded, body);
}

TEST(BodyIo, HugeCountsFailWithoutAllocating) {
    CBody body;
    FillNewTemplate(body, "");
    ArchiveWriter articles;
    articles.Text(kCurrentVersion);
    articles.U16(0xFFFF); // 65535 articles promised, none present
    for (const CPun &p : body.m_arParagraphs)
        RawItem(articles, p);

    ArchiveWriter clauses;
    clauses.Text(kCurrentVersion);
    clauses.U16(1);
    for (const CPun &p : body.m_arParagraphs)
        RawItem(clauses, p);
    RawItem(clauses, CPun{});
    clauses.U16(0xFFFF); // 65535 clauses promised, none present

    for (const std::string &bytes : {articles.Bytes(), clauses.Bytes()}) {
        CBody target = Sentinel();
        std::string error;
        AllocationProbe probe;
        EXPECT_FALSE(LoadBody(bytes, target, error));
        EXPECT_LT(probe.Largest(), 64u * 1024);
        EXPECT_EQ(target, Sentinel());
    }
}

TEST(BodyIo, ZeroArticlesIsValid) {
    CBody body = SampleBody();
    body.m_arArticles.clear();
    CBody loaded;
    std::string error;
    ASSERT_TRUE(LoadBody(StoreBody(body), loaded, error));
    EXPECT_EQ(loaded.ArticleCount(), 0u);
    EXPECT_EQ(loaded, body);
}

TEST(BodyIo, OlderFileIsUpgradedAndWrittenInTheCurrentFormat) {
    CBody old = SampleBody();
    old.m_arParagraphs[ParDateLine].m_nType = 7;
    for (CPar &table : old.m_parFieldTables)
        for (CPun &field : table.m_arItems)
            field.m_strName = "stale";
    const std::string oldBytes = RawBodyBytes(old, "ADF2.0");

    CBody loaded;
    std::string error;
    ASSERT_TRUE(LoadBody(oldBytes, loaded, error)) << error;
    EXPECT_EQ(loaded.m_strVersion, "ADF2.2");
    EXPECT_EQ(loaded.m_arParagraphs[ParDateLine].m_nType, 0);
    CBody defaults;
    FillNewTemplate(defaults, "");
    EXPECT_EQ(loaded.m_parFieldTables, defaults.m_parFieldTables);
    ASSERT_EQ(loaded.m_parParties.m_arItems.size(), 2u);
    EXPECT_EQ(loaded.m_parParties.m_arItems[0].m_strName, std::string("Поставщик"_w));
    EXPECT_EQ(loaded.m_parLayout.m_arItems.size(), 8u);
    EXPECT_EQ(loaded.m_arArticles, old.m_arArticles);
    EXPECT_EQ(loaded.m_parVariables, old.m_parVariables);

    // The next save writes the whole current format, which reads back as stored.
    const std::string saved = StoreBody(loaded);
    EXPECT_GT(saved.size(), oldBytes.size());
    ArchiveReader in(saved);
    CBody asStored;
    ASSERT_TRUE(ReadBodyAsStored(in, asStored));
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(asStored, loaded);
}

TEST(BodyIo, VersionIsComparedExactly) {
    for (const char *version : {"adf2.2", "ADF2.2 ", "ADF2.", ""}) {
        CBody body = SampleBody();
        CBody loaded;
        std::string error;
        ASSERT_TRUE(LoadBody(RawBodyBytes(body, version), loaded, error)) << version;
        EXPECT_EQ(loaded.m_strVersion, "ADF2.2") << version;
    }
}

TEST(BodyIo, StoringAnOlderVersionWritesTheOlderLayoutThenUpgrades) {
    CBody body = SampleBody();
    body.m_strVersion = "ADF2.1";
    body.m_arParagraphs[ParDateLine].m_nType = 4;
    const CBody before = body;
    EXPECT_EQ(StoreBody(body), RawBodyBytes(before, "ADF2.1"));
    EXPECT_EQ(body.m_strVersion, "ADF2.2");
    EXPECT_EQ(body.m_arParagraphs[ParDateLine].m_nType, 0);
}

TEST(BodyIo, EditedDerivedSectionsDoNotSurviveASave) {
    CBody body = SampleBody();
    StoreBody(body);
    const CBody clean = body;
    // Another program's edits: extra items, changed names.
    CBody edited = body;
    edited.m_parParties.m_arItems.resize(5);
    edited.m_parParties.m_arItems[0].m_strName = "edited";
    edited.m_parLayout.m_arItems.resize(12);
    edited.m_parLayout.m_arItems[3].m_strText = "edited";
    CBody loaded;
    std::string error;
    ASSERT_TRUE(LoadBody(RawBodyBytes(edited, kCurrentVersion), loaded, error));
    EXPECT_EQ(loaded.m_parParties.m_arItems.size(), 5u); // read as the file holds them
    const std::string saved = StoreBody(loaded);
    EXPECT_EQ(saved, StoreBody(body));
    EXPECT_EQ(loaded, clean);
}

TEST(BodyIo, FieldTablesAreKeptAtThirtyDescriptors) {
    CBody body = SampleBody();
    StoreBody(body);
    CBody odd = body;
    odd.m_parFieldTables[0].m_arItems.resize(29);
    odd.m_parFieldTables[1].m_arItems.resize(31);
    odd.m_parFieldTables[1].m_arItems[30].m_strName = "extra";
    CBody loaded;
    std::string error;
    ASSERT_TRUE(LoadBody(RawBodyBytes(odd, kCurrentVersion), loaded, error));
    for (const CPar &table : loaded.m_parFieldTables)
        EXPECT_EQ(table.m_arItems.size(), kFieldTableSlots);
    EXPECT_EQ(loaded.m_parFieldTables[0].m_arItems[28], body.m_parFieldTables[0].m_arItems[28]);
    EXPECT_EQ(loaded.m_parFieldTables[0].m_arItems[29], CPun{});
}

TEST(BodyIo, DerivedSectionsFollowTheParagraphs) {
    CBody body = SampleBody();
    CPun &clauses = body.m_arParagraphs[ParClauseText];
    clauses.m_dWidth = 600.0;
    body.m_arParagraphs[ParTitle].m_strText = "КОНТРАКТ"_w;
    body.m_arParagraphs[ParReqHead].m_strFont = "Arial";
    RebuildDerivedSections(body);

    const auto &parties = body.m_parParties.m_arItems;
    ASSERT_EQ(parties.size(), 2u);
    EXPECT_EQ(parties[0].m_strName, std::string("Поставщик"_w));
    EXPECT_EQ(parties[0].m_nCheck, 1);
    EXPECT_EQ(parties[1].m_strName, std::string("Покупатель"_w));
    EXPECT_EQ(parties[1].m_nCheck, 0);
    EXPECT_EQ(parties[1].m_dWidth, -1.0);
    EXPECT_EQ(parties[1].m_dFirstIndent, -1.0);

    const auto &layout = body.m_parLayout.m_arItems;
    ASSERT_EQ(layout.size(), 8u);
    EXPECT_EQ(layout[0].m_strText, std::string("КОНТРАКТ {блок нормальный:0}№{номер документа}"_w));
    EXPECT_EQ(layout[0].m_nFontSize, 12);
    EXPECT_EQ(layout[0].m_nBold, 2);
    EXPECT_EQ(layout[1].m_strText, std::string("(поставки)"_w));
    EXPECT_EQ(layout[2].m_nItalic, 1);
    EXPECT_EQ(layout[2].m_strName, std::string("Строка даты"_w));
    EXPECT_TRUE(layout[3].m_strText.starts_with(
        "{1:оргформа} {1:название}, именуемое в дальнейшем \"Поставщик\", в лице "
        "{первого:должность}"_w));
    EXPECT_TRUE(layout[3].m_strText.ends_with(
        "{2:основание}, с другой стороны, заключили настоящий договор о нижеследующем:"_w));
    EXPECT_NE(layout[3].m_strText.find("\"Покупатель\", в лице {второго:должность}"_w),
              std::string::npos);
    EXPECT_EQ(layout[3].m_dFirstIndent, 15.0);
    for (std::size_t i = 0; i < layout.size(); ++i)
        EXPECT_EQ(layout[i].m_nType, i == 4 ? 1 : 0) << i;
    EXPECT_EQ(layout[4].m_strFont, "Courier New");
    EXPECT_EQ(layout[4].m_nFontSize, 11);
    EXPECT_EQ(layout[4].m_nAlign, 3);
    EXPECT_EQ(layout[4].m_nTopMargin, 10);
    EXPECT_EQ(layout[4].m_dFirstIndent, 10.0);
    EXPECT_EQ(layout[4].m_dWidth, 640.0);
    EXPECT_EQ(layout[5].m_strText,
              std::string("{блок:48}Поставщик{/}{1:оргформа} {1:название}{блок:4}"
                          "{блок:48}Покупатель{/}{2:оргформа} {2:название}"_w));
    EXPECT_EQ(layout[5].m_strFont, "Arial");
    EXPECT_TRUE(layout[6].m_strText.starts_with("{блок:48}{1:индекс} {1:адрес}, ИНН:{1:инн}"_w));
    EXPECT_NE(layout[6].m_strText.find("{блок:4}{блок:48}{2:индекс}"_w), std::string::npos);
    EXPECT_EQ(layout[6].m_dFirstIndent, 2.5);
    EXPECT_EQ(layout[7].m_nTopMargin, 15);
    for (int i : {5, 6, 7})
        EXPECT_EQ(layout[i].m_dWidth, 600.0) << i;
}

// Every field of every derived record, against paragraphs whose formats all differ, so that a
// format taken from the wrong paragraph or a width not taken from the clause text shows.
TEST(BodyIo, DerivedSectionsAreExactlyAsLaidDown) {
    CBody body;
    FillNewTemplate(body, "");
    for (std::uint16_t k = 0; k < kParagraphCount; ++k) {
        CPun &p = body.m_arParagraphs[k];
        p.m_strFont = "Font " + std::to_string(k);
        p.m_nFontSize = static_cast<std::uint16_t>(20 + k);
        p.m_nItalic = static_cast<std::uint16_t>(30 + k);
        p.m_nBold = static_cast<std::uint16_t>(40 + k);
        p.m_nAlign = static_cast<std::uint16_t>(50 + k);
        p.m_nTopMargin = static_cast<std::uint16_t>(60 + k);
        p.m_nLeftMargin = static_cast<std::uint16_t>(70 + k);
        p.m_dFirstIndent = 80.5 + k;
        p.m_dWidth = 900.25 + k;
        p.m_nType = p.m_nCheck = p.m_nMark = 9;
    }
    body.m_arParagraphs[ParTitle].m_strText = "КОНТРАКТ"_w;
    body.m_arParagraphs[ParSubtitle].m_strText = "(поставки)"_w;
    body.m_arParagraphs[ParClauseText].m_strName = "Поставщик"_w;
    body.m_arParagraphs[ParClauseText].m_strText = "Покупатель"_w;
    RebuildDerivedSections(body);

    auto formatOf = [&](std::uint16_t k) {
        const CPun &p = body.m_arParagraphs[k];
        CPun f;
        f.m_strFont = p.m_strFont;
        f.m_nFontSize = p.m_nFontSize;
        f.m_nItalic = p.m_nItalic;
        f.m_nBold = p.m_nBold;
        f.m_nAlign = p.m_nAlign;
        f.m_nTopMargin = p.m_nTopMargin;
        f.m_nLeftMargin = p.m_nLeftMargin;
        f.m_dFirstIndent = p.m_dFirstIndent;
        f.m_dWidth = p.m_dWidth;
        return f;
    };
    const double clauseWidth = body.m_arParagraphs[ParClauseText].m_dWidth;
    struct Expected {
        std::string_view name, text;
        CPun format;
    };
    CPun mainText;
    mainText.m_nType = 1;
    mainText.m_strFont = "Courier New";
    mainText.m_nFontSize = 11;
    mainText.m_nAlign = 3;
    mainText.m_nTopMargin = 10;
    mainText.m_dFirstIndent = 10.0;
    mainText.m_dWidth = 640.0;
    CPun reqHead = formatOf(ParReqHead), reqText = formatOf(ParReqText), signatures = reqText;
    reqHead.m_dWidth = reqText.m_dWidth = signatures.m_dWidth = clauseWidth;
    signatures.m_nTopMargin = 15;
    const Expected layout[8] = {
        {"Заголовок"_w, "КОНТРАКТ {блок нормальный:0}№{номер документа}"_w, formatOf(ParTitle)},
        {"Подзаголовок"_w, "(поставки)"_w, formatOf(ParSubtitle)},
        {"Строка даты"_w, "{блок:50}<Место составления> {блок вправо:50}{дата составления} г."_w,
         formatOf(ParDateLine)},
        {"Шапка договора"_w,
         "{1:оргформа} {1:название}, именуемое в дальнейшем \"Поставщик\", в лице "
         "{первого:должность} {первого:фамилия} {первого:имя}, "
         "{первого:действующего} на основании {1:основание}, с одной стороны, и "
         "{2:оргформа} {2:название}, именуемое в дальнейшем \"Покупатель\", в "
         "лице {второго:должность} {второго:фамилия} {второго:имя}, "
         "{второго:действующего} на основании {2:основание}, с другой стороны, "
         "заключили настоящий договор о нижеследующем:"_w,
         formatOf(ParClauseText)},
        {"Основной текст"_w, "", mainText},
        {"Заголовки реквизитов"_w,
         "{блок:48}Поставщик{/}{1:оргформа} "
         "{1:название}{блок:4}{блок:48}Покупатель{/}{2:оргформа} {2:название}"_w,
         reqHead},
        {"Реквизиты"_w,
         "{блок:48}{1:индекс} {1:адрес}, ИНН:{1:инн}, р/с{}№{1:р/с} в{}банке: "
         "{1:банк} кор/сч{}№{1:к/с}, БИК:{1:бик}, ОКПО:{1:окпо}, ОКВЭД:{1:оконх}, "
         "тел.:{1:телефон}{блок:4}{блок:48}{2:индекс} {2:адрес}, ИНН:{2:инн}, "
         "р/с{}№{2:р/с} в{}банке: {2:банк} кор/сч{}№{2:к/с}, БИК:{2:бик}, "
         "ОКПО:{2:окпо}, ОКВЭД:{2:оконх}, тел.:{2:телефон}"_w,
         reqText},
        {"Подписи"_w,
         "{блок:48}____________ {1:инициалы} "
         "{1:фамилия}{блок:4}{блок:48}____________ {2:инициалы} {2:фамилия}"_w,
         signatures},
    };
    ASSERT_EQ(body.m_parLayout.m_arItems.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
        CPun expected = layout[i].format;
        expected.m_strName = layout[i].name;
        expected.m_strText = layout[i].text;
        EXPECT_EQ(body.m_parLayout.m_arItems[i], expected) << i;
        EXPECT_EQ(body.m_parLayout.m_arItems[i].m_strText, expected.m_strText) << i;
    }

    ASSERT_EQ(body.m_parParties.m_arItems.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        CPun expected;
        expected.m_strName = i == 0 ? "Поставщик"_w : "Покупатель"_w;
        expected.m_nCheck = i == 0 ? 1 : 0;
        expected.m_dWidth = expected.m_dFirstIndent = -1.0;
        EXPECT_EQ(body.m_parParties.m_arItems[i], expected) << i;
    }
}

TEST(BodyFile, LoadAndSaveThroughFiles) {
    const fs::path dir = TempDir("files");
    const std::string path = (dir / "Договор.adf").string();
    CBody body = SampleBody();
    std::string error;
    ASSERT_TRUE(SaveBodyFile(path, body, error)) << error;
    CBody loaded;
    ASSERT_TRUE(LoadBodyFile(path, loaded, error)) << error;
    EXPECT_EQ(loaded, body);
}

TEST(BodyFile, MissingFileGivesTheSystemReasonAndMalformedTheFormatMessage) {
    const fs::path dir = TempDir("bad");
    CBody target = Sentinel();
    std::string error;
    EXPECT_FALSE(LoadBodyFile((dir / "none.adf").string(), target, error));
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
    EXPECT_EQ(target, Sentinel());

    const std::string broken = (dir / "broken.adf").string();
    ASSERT_TRUE(WriteFileAtomically(broken,
                                    "\x06"
                                    "ADF2.2\x01",
                                    error));
    EXPECT_FALSE(LoadBodyFile(broken, target, error));
    EXPECT_EQ(error, kUnexpectedFileFormat);
    EXPECT_EQ(target, Sentinel());
}

TEST(BodyFile, ReadOnlyTemplateIsNotReplaced) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes read-only files";
    const fs::path dir = TempDir("readonly");
    const std::string path = (dir / "a.adf").string();
    CBody body = SampleBody();
    std::string error;
    ASSERT_TRUE(SaveBodyFile(path, body, error));
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    CBody changed = body;
    changed.m_arParagraphs[ParTitle].m_strText = "changed";
    EXPECT_FALSE(SaveBodyFile(path, changed, error));
    EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
    CBody loaded;
    ASSERT_TRUE(LoadBodyFile(path, loaded, error));
    EXPECT_EQ(loaded, body);
}

TEST(BodyFile, TooManyArticlesIsRefusedAndTheOldFileKept) {
    const fs::path dir = TempDir("toomany");
    const std::string path = (dir / "a.adf").string();
    CBody body = SampleBody();
    std::string error;
    ASSERT_TRUE(SaveBodyFile(path, body, error));
    CBody huge;
    huge.m_arArticles.resize(0x10000);
    EXPECT_FALSE(SaveBodyFile(path, huge, error));
    EXPECT_NE(error.find("articles"), std::string::npos);
    CBody loaded;
    ASSERT_TRUE(LoadBodyFile(path, loaded, error));
    EXPECT_EQ(loaded, body);
}

} // namespace

namespace {

// A file laid out by hand, not by this program: an older version, a wide title, and clause texts
// with a u16, a 4-byte and an 8-byte length prefix, the last holding a zero byte.
TEST(BodyFile, HandMadeOlderFileLoads) {
    CBody body;
    std::string error;
    ASSERT_TRUE(
        LoadBodyFile(DRAVO_SOURCE_DIR "/tests/fuzz/corpus/body/old-format.adf", body, error))
        << error;
    EXPECT_EQ(body.m_strVersion, "ADF2.2");
    EXPECT_EQ(body.m_arParagraphs[ParTitle].m_strText, std::string("ДОГОВОР"_w));
    EXPECT_EQ(body.m_arParagraphs[ParTitle].m_dWidth, 640.0);
    ASSERT_EQ(body.ArticleCount(), 1u);
    EXPECT_EQ(body.Article(0).m_head.m_strText, std::string("ПРЕДМЕТ ДОГОВОРА"_w));
    ASSERT_EQ(body.ClauseCount(0), 3u);
    EXPECT_EQ(body.Clause(0, 0).m_strText, std::string("Продавец передает {предмет}."_w));
    EXPECT_EQ(body.Clause(0, 1).m_strText, std::string(300, 'x'));
    EXPECT_EQ(body.Clause(0, 1).m_nMark, 1);
    EXPECT_EQ(body.Clause(0, 2).m_strText, "ab");
    ASSERT_EQ(body.VariableCount(), 1u);
    EXPECT_EQ(body.Variable(0).m_strText, std::string("10 дней"_w));
    EXPECT_EQ(body.RecordNumber(0), 5);
    EXPECT_EQ(body.m_parLayout.m_arItems.size(), 8u);
}

} // namespace
