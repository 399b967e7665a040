#include "core/body.h"

#include <gtest/gtest.h>

using namespace dravo;

namespace {

TEST(Body, FreshBodyHoldsTheBlankRecords) {
    const CBody body;
    for (const CPun &p : body.m_arParagraphs)
        EXPECT_EQ(p, CPun{});
    ASSERT_EQ(body.ArticleCount(), 1u);
    EXPECT_EQ(body.Article(0), CPar{});
    EXPECT_EQ(body.m_parVariables, CPar{});
    ASSERT_EQ(body.PartyItemCount(), 1u);
    EXPECT_EQ(body.PartyItem(0), CPun{});
    for (const CPar &table : body.m_parFieldTables) {
        EXPECT_EQ(table.m_head, CPun{});
        EXPECT_EQ(table.m_arItems, std::vector<CPun>(kFieldTableSlots));
    }
    ASSERT_EQ(body.LayoutItemCount(), 1u);
    EXPECT_EQ(body.LayoutItem(0), CPun{});
    EXPECT_EQ(body.m_strVersion, "");
}

TEST(Body, RecordNumbersAreStoredAsDoublesWithNoneAsZero) {
    const struct {
        int counterparty, thirdParty;
        double width, firstIndent;
    } cases[] = {
        {-1, -1, 0.0, 0.0},
        {17, -1, 17.0, 0.0},
        {-1, 4, 0.0, 4.0},
        {123456, 99, 123456.0, 99.0},
    };
    for (const auto &c : cases) {
        CBody body;
        body.SetRecordNumbers(c.counterparty, c.thirdParty);
        EXPECT_EQ(body.m_parVariables.m_head.m_dWidth, c.width) << c.counterparty;
        EXPECT_EQ(body.m_parVariables.m_head.m_dFirstIndent, c.firstIndent) << c.thirdParty;
        EXPECT_EQ(body.RecordNumber(0), c.counterparty);
        EXPECT_EQ(body.RecordNumber(1), c.thirdParty);
    }
}

TEST(Body, RecordNumbersReadBackTruncatedWithZeroAsNone) {
    const struct {
        double stored;
        int read;
    } cases[] = {
        {0.0, -1}, {-0.0, -1}, {0.9, -1}, {12.0, 12}, {12.9, 12}, {-3.7, -3}, {1e300, -1},
    };
    for (const auto &c : cases) {
        CBody body;
        body.m_parVariables.m_head.m_dWidth = c.stored;
        body.m_parVariables.m_head.m_dFirstIndent = c.stored;
        EXPECT_EQ(body.RecordNumber(0), c.read) << c.stored;
        EXPECT_EQ(body.RecordNumber(1), c.read) << c.stored;
    }
    CBody body;
    body.SetRecordNumbers(5, 6);
    for (int selector : {-1, 2, 7})
        EXPECT_EQ(body.RecordNumber(selector), -1) << selector;
}

} // namespace
