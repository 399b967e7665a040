// Contracts in series: reading the spreadsheet's table and planning one document per row.
#include <gtest/gtest.h>

#include "fixture.h"
#include "textgen/batch.h"

namespace dravo::textgen::testing {
namespace {

using Fields = std::vector<std::string>;

TEST(Csv, ReadsWhatSpreadsheetsWrite) {
    struct Case {
        const char *name;
        std::string bytes;
        Fields header;
        std::vector<Fields> rows;
        std::vector<std::size_t> lines;
    } const cases[] = {
        {"commas", "a,b\n1,2\n", {"a", "b"}, {{"1", "2"}}, {2}},
        {"semicolons, CRLF", "a;b\r\n1,5;2\r\n", {"a", "b"}, {{"1,5", "2"}}, {2}},
        {"UTF-8 mark", "\xEF\xBB\xBFномер;файл\n7;x\n", {"номер", "файл"}, {{"7", "x"}}, {2}},
        {"windows-1251",
         FromUtf8("имя;дата\nИван;01.02.2026\n"),
         {"имя", "дата"},
         {{"Иван", "01.02.2026"}},
         {2}},
        {"quotes", "a,b\n\"x, \"\"y\"\"\",\"\"\n", {"a", "b"}, {{"x, \"y\"", ""}}, {2}},
        {"line break in a field",
         "a,b\n\"one\ntwo\",3\n4,5",
         {"a", "b"},
         {{"one\ntwo", "3"}, {"4", "5"}},
         {2, 4}},
        {"empty lines skipped", " a , b \n\n1,2\n\n", {"a", "b"}, {{"1", "2"}}, {3}},
        {"short and long rows kept",
         "a,b\n1\n1,2,3\n",
         {"a", "b"},
         {{"1"}, {"1", "2", "3"}},
         {2, 3}},
    };
    for (const Case &c : cases) {
        CsvTable table;
        std::string error;
        ASSERT_TRUE(ReadCsv(c.bytes, table, error)) << c.name << ": " << error;
        EXPECT_EQ(table.header, c.header) << c.name;
        ASSERT_EQ(table.rows.size(), c.rows.size()) << c.name;
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            EXPECT_EQ(table.rows[i].fields, c.rows[i]) << c.name;
            EXPECT_EQ(table.rows[i].line, c.lines[i]) << c.name;
        }
    }
}

TEST(Csv, RefusesWithAReason) {
    const std::pair<std::string, const char *> cases[] = {
        {"", "the table is empty"},
        {"\n\n", "the table is empty"},
        {"a,b\n1,\"open\n2,3\n", "line 2: a quoted field is not closed"},
        {"a,,b\n", "column 2 has no name"},
        {"a,A\n", "the column 'A' is named twice"},
    };
    for (const auto &[bytes, message] : cases) {
        CsvTable table;
        std::string error;
        EXPECT_FALSE(ReadCsv(bytes, table, error)) << bytes;
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
}

TEST(Csv, TenThousandRows) {
    std::string bytes = "n;файл\n";
    for (int i = 0; i < 10000; ++i)
        bytes += std::to_string(i) + ";\"f" + std::to_string(i) + "\"\n";
    CsvTable table;
    std::string error;
    ASSERT_TRUE(ReadCsv(bytes, table, error)) << error;
    ASSERT_EQ(table.rows.size(), 10000u);
    EXPECT_EQ(table.rows.back().fields, (Fields{"9999", "f9999"}));
    EXPECT_EQ(table.rows.back().line, 10001u);
}

TEST(BatchRow, ColumnsFillTheDocument) {
    CBody body = StyledBody();
    AddVariable(body, "Срок", "5 дней");
    AddVariable(body, "цена", "100");
    CsvTable table;
    std::string error;
    ASSERT_TRUE(ReadCsv("срок;ЦЕНА;Номер;дата;контрагент;файл;лишняя\n"
                        "10 <дней> ✓;200;A-1;07.12.2026;Ромашка;Аренда 1;x\n"
                        "1;2;;;;;\n"
                        "1;2;;2026-02-30;;;\n"
                        "1;2;;;;a/b;\n"
                        "1;2;;;;..;\n"
                        "1;2\n",
                        table, error))
        << error;
    const std::vector<BatchColumn> columns = ClassifyColumns(body, table.header);
    ASSERT_EQ(columns.size(), 7u);
    EXPECT_EQ(columns[0].kind, BatchColumn::Variable);
    EXPECT_EQ(columns[0].variable, 0u);
    EXPECT_EQ(columns[1].variable, 1u);
    EXPECT_EQ(columns[2].kind, BatchColumn::Number);
    EXPECT_EQ(columns[3].kind, BatchColumn::Date);
    EXPECT_EQ(columns[4].kind, BatchColumn::Counterparty);
    EXPECT_EQ(columns[5].kind, BatchColumn::File);
    EXPECT_EQ(columns[6].kind, BatchColumn::Unknown);

    const auto first = PlanBatchRow(table, columns, 0, "rtf", error);
    ASSERT_TRUE(first) << error;
    EXPECT_EQ(first->variables, (std::vector<std::pair<std::size_t, std::string>>{
                                    {0, W("10 &lt;дней&gt; &#10003;")}, {1, "200"}}));
    EXPECT_EQ(first->number, "A-1");
    ASSERT_TRUE(first->date);
    EXPECT_EQ(first->date->days, DateFromCalendar(2026, 12, 7).days);
    EXPECT_EQ(first->counterparty, "Ромашка");
    EXPECT_EQ(first->fileName, "Аренда 1.rtf");

    const auto second = PlanBatchRow(table, columns, 1, "html", error);
    ASSERT_TRUE(second) << error;
    EXPECT_EQ(second->fileName, "2.html"); // no name: the row's number
    EXPECT_FALSE(second->date);
    EXPECT_EQ(second->counterparty, "");

    const std::pair<std::size_t, const char *> refused[] = {
        {2, "line 4: the date '2026-02-30'"},
        {3, "line 5: the file name 'a/b' must be a bare name"},
        {4, "line 6: the file name '..' is not a name"},
        {5, "line 7: 2 fields where the header names 7 columns"},
    };
    for (const auto &[row, message] : refused) {
        EXPECT_FALSE(PlanBatchRow(table, columns, row, "rtf", error)) << message;
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
}

} // namespace
} // namespace dravo::textgen::testing
