#include "cli/body_json.h"

#include "core/body_io.h"
#include "core/defaults.h"
#include "core/fileio.h"
#include "core/text.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <set>

using namespace dravo;
using namespace dravo::cli;
using namespace dravo::literals;

namespace {

CBody Contract() {
    CBody body;
    FillNewTemplate(body, "г. Омск"_w);
    body.m_arArticles.resize(3);
    for (std::size_t a = 0; a < body.m_arArticles.size(); ++a) {
        CPar &article = body.m_arArticles[a];
        article.m_head.m_strText = std::string("СТАТЬЯ "_w) + std::to_string(a);
        article.m_head.m_nType = static_cast<std::uint16_t>(a);
        article.m_arItems.resize(a + 1);
        for (CPun &clause : article.m_arItems) {
            clause.m_strText = "Покупатель оплачивает {сумма предмета}."_w;
            clause.m_nCheck = 1;
        }
    }
    CPun var;
    var.m_strName = "срок поставки"_w;
    var.m_strText = "30 дней"_w;
    body.m_parVariables.m_arItems.push_back(var);
    body.SetRecordNumbers(12, 0);
    return body;
}

// What `dump` then `build` does to a file, against what loading and storing it does.
void ExpectDumpBuildEqualsLoadStore(const std::string &file) {
    ArchiveReader in(file);
    CBody asStored;
    ASSERT_TRUE(ReadBodyAsStored(in, asStored));
    const QByteArray json = BodyToJson(asStored);

    CBody built;
    std::string error;
    ASSERT_TRUE(BodyFromJson(json, built, error)) << error;
    UpgradeIfOlder(built);

    CBody loaded;
    ASSERT_TRUE(LoadBody(file, loaded, error));
    EXPECT_EQ(StoreBody(built), StoreBody(loaded));
}

TEST(BodyJson, DumpThenBuildGivesTheSameFile) {
    CBody body = Contract();
    const std::string file = StoreBody(body);
    ExpectDumpBuildEqualsLoadStore(file);
    CBody loaded;
    std::string error;
    ASSERT_TRUE(LoadBody(file, loaded, error));
    EXPECT_EQ(StoreBody(loaded), file); // a file the program wrote comes back byte for byte
}

TEST(BodyJson, OlderFileDumpsItsOwnVersionAndBuildsUpgraded) {
    CBody body = Contract();
    body.m_strVersion = "ADF2.0";
    const std::string oldFile = StoreBody(body); // writes the older layout
    ArchiveReader in(oldFile);
    CBody asStored;
    ASSERT_TRUE(ReadBodyAsStored(in, asStored));
    const QByteArray json = BodyToJson(asStored);
    EXPECT_TRUE(json.contains("\"ADF2.0\""));
    EXPECT_FALSE(json.contains("\"layout\""));
    EXPECT_FALSE(json.contains("\"fieldTables\""));
    ExpectDumpBuildEqualsLoadStore(oldFile);
}

TEST(BodyJson, OddDoublesSurviveExactly) {
    CBody body = Contract();
    const double odd[] = {-0.0,
                          0.1,
                          1e-310,
                          DBL_MAX,
                          -DBL_MAX,
                          9223372036854775808.0,
                          1e20,
                          -1.0,
                          std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(),
                          std::bit_cast<double>(std::uint64_t(0x7FF8DEADBEEF0001)),
                          std::bit_cast<double>(std::uint64_t(0xFFF0000000000001))};
    for (const double d : odd) {
        CPun clause;
        clause.m_dWidth = d;
        clause.m_dFirstIndent = -d;
        body.m_arArticles[0].m_arItems.push_back(clause);
    }
    const QByteArray json = BodyToJson(body);
    CBody built;
    std::string error;
    ASSERT_TRUE(BodyFromJson(json, built, error)) << error;
    for (std::size_t i = 0; i < std::size(odd); ++i) {
        const CPun &clause = built.m_arArticles[0].m_arItems[1 + i];
        EXPECT_EQ(std::bit_cast<std::uint64_t>(clause.m_dWidth),
                  std::bit_cast<std::uint64_t>(odd[i]))
            << i;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(clause.m_dFirstIndent),
                  std::bit_cast<std::uint64_t>(-odd[i]))
            << i;
    }
    EXPECT_EQ(StoreBody(built), StoreBody(body));
}

TEST(BodyJson, EveryByteOfTheCodePageSurvives) {
    CBody body = Contract();
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    body.m_arParagraphs[ParReqText].m_strText = all;
    CBody built;
    std::string error;
    ASSERT_TRUE(BodyFromJson(BodyToJson(body), built, error)) << error;
    EXPECT_EQ(built.m_arParagraphs[ParReqText].m_strText, all);
}

TEST(BodyJson, ShortFormTakesBlankFieldsAndDefaultTables) {
    const QByteArray json = R"({"version": "ADF2.2",
        "paragraphs": [{}, {}, {}, {}, {"m_strName": "Продавец", "m_nType": 1}, {}, {}],
        "articles": [{"heading": {"m_strText": "ПРЕДМЕТ ДОГОВОРА"},
                      "clauses": [{"m_strText": "Продавец передает товар.", "m_nType": 4}]}]})";
    CBody built;
    std::string error;
    ASSERT_TRUE(BodyFromJson(json, built, error)) << error;
    EXPECT_EQ(built.m_arParagraphs[ParClauseText].m_strName, std::string("Продавец"_w));
    EXPECT_EQ(built.m_arParagraphs[ParClauseText].m_nType, 1);
    EXPECT_EQ(built.m_arParagraphs[ParTitle], CPun{});
    ASSERT_EQ(built.ArticleCount(), 1u);
    EXPECT_EQ(built.Clause(0, 0).m_nType, 4);
    EXPECT_EQ(built.VariableCount(), 0u);
    CBody defaults;
    FillNewTemplate(defaults, "");
    EXPECT_EQ(built.m_parFieldTables, defaults.m_parFieldTables);
}

TEST(BodyJson, BadDocumentsAreRefusedWithTheirPlace) {
    const struct {
        const char *json;
        const char *where;
    } cases[] = {
        {"not json", "offset"},
        {"[]", "object expected"},
        {R"({"paragraphs": [{},{},{},{},{},{},{}]})", "version"},
        {R"({"version": "ADF2.2", "paragraphs": [{},{},{},{},{},{}]})", "exactly 7"},
        {R"({"version": "ADF2.2", "paragraphs": [{},{},{},{},{},{},{}], "extra": 1})", "extra"},
        {R"({"version": "ADF2.2", "paragraphs": [{},{},{},{"m_nTyp": 1},{},{},{}]})",
         "paragraphs[3].m_nTyp"},
        {R"({"version": "ADF2.2", "paragraphs": [{},{},{},{},{},{},{"m_nBold": 65536}]})",
         "paragraphs[6].m_nBold"},
        {R"({"version": "ADF2.2", "paragraphs": [{},{},{},{},{},{},{"m_nBold": 1.5}]})", "m_nBold"},
        {R"({"version": "ADF2.2", "paragraphs": [{},{},{},{},{},{},{"m_strName": 5}]})",
         "paragraphs[6].m_strName"},
        {R"({"version": "ADF2.2", "paragraphs": [{},{},{},{},{},{},{"m_dWidth": "wide"}]})",
         "paragraphs[6].m_dWidth"},
        {R"({"version": "ADF2.2", "paragraphs": [{},{},{},{},{},{},{}],
             "articles": [{"clauses": [{}, 3]}]})",
         "articles[0].clauses[1]"},
        {R"({"version": "ADF2.0", "paragraphs": [{},{},{},{},{},{},{}], "layout": {}})", "layout"},
        {R"({"version": "ADF2.2", "paragraphs": [{},{},{},{},{},{},{}], "fieldTables": [{}]})",
         "exactly 4"},
    };
    for (const auto &c : cases) {
        CBody body = Contract();
        std::string error;
        EXPECT_FALSE(BodyFromJson(c.json, body, error)) << c.json;
        EXPECT_NE(error.find(c.where), std::string::npos) << c.json << " -> " << error;
        EXPECT_EQ(body, Contract()) << c.json;
    }
}

TEST(SampleTemplate, BuildsAndRoundTrips) {
    std::string json, error;
    ASSERT_TRUE(ReadWholeFile(DRAVO_SOURCE_DIR "/resources/templates/sample.json", json, error))
        << error;
    CBody body;
    ASSERT_TRUE(BodyFromJson(QByteArray::fromStdString(json), body, error)) << error;
    UpgradeIfOlder(body);
    const std::string file = StoreBody(body);
    ExpectDumpBuildEqualsLoadStore(file);

    // A real contract: several articles, every numbering kind, variables, party commands.
    EXPECT_GE(body.ArticleCount(), 5u);
    std::set<int> kinds;
    std::size_t clauses = 0;
    for (const CPar &article : body.m_arArticles) {
        kinds.insert(article.m_head.m_nType);
        for (const CPun &clause : article.m_arItems) {
            kinds.insert(clause.m_nType);
            ++clauses;
        }
    }
    EXPECT_GE(clauses, 20u);
    for (int kind = 0; kind <= 4; ++kind)
        EXPECT_TRUE(kinds.count(kind)) << kind;
    EXPECT_GE(body.VariableCount(), 3u);
    EXPECT_EQ(body.m_arParagraphs[ParTitle].m_strText, std::string("ДОГОВОР"_w));
}

} // namespace

// dump writes the document as it is made; the bytes must be those of the whole-document writer,
// whatever the texts hold (every byte of the code page) and whatever the doubles are.
TEST(StreamedDump, SameBytesAsTheWholeDocument) {
    std::string every;
    for (int b = 1; b < 256; ++b)
        every += static_cast<char>(b);
    CBody odd = Contract();
    odd.m_arArticles[0].m_arItems[0].m_strText = every;
    odd.m_arArticles[1].m_head.m_strName = "@@T0@@ \"@@T1@@\""; // looks like the placeholders
    odd.m_arArticles[1].m_arItems[0].m_dWidth = -0.0;
    odd.m_arArticles[2].m_arItems[0].m_dWidth = std::numeric_limits<double>::infinity();
    odd.m_parVariables.m_arItems[0].m_dFirstIndent = 1e300;
    odd.m_parVariables.m_arItems[0].m_strFont = std::string(70000, '\\');
    CBody older = Contract();
    older.m_strVersion = "ADF2.1";
    for (const CBody &body : {Contract(), odd, older}) {
        std::FILE *out = std::tmpfile();
        ASSERT_NE(out, nullptr);
        ASSERT_TRUE(WriteBodyJson(body, out));
        std::string written(static_cast<std::size_t>(std::ftell(out)), '\0');
        std::rewind(out);
        ASSERT_EQ(std::fread(written.data(), 1, written.size(), out), written.size());
        std::fclose(out);
        const QByteArray whole = BodyToJson(body);
        EXPECT_TRUE(written == whole.toStdString()) << written.size() << " " << whole.size();
    }
}
