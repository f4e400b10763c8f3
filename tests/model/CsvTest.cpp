// CSV text: comment line, header, number format and quoting.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "Csv.h"

using namespace tarvell;

TEST(Csv, CommentHeaderAndRows) {
    CsvWriter csv("Valve events", "Loco", "2026-12-08");
    csv.header({"position", "tag", "lead"});
    csv.row({CsvWriter::number(10.533, 3), "Cen", CsvWriter::number(0.0201f)});
    EXPECT_EQ(csv.text(),
              "# Valve events, data set Loco, 2026-12-08\n"
              "position,tag,lead\n"
              "10.533,Cen,0.0200999994\n");  // 0.0201f is 0.020099999...
}

TEST(Csv, NumbersKeepThePointAndEmptyForNoValue) {
    std::setlocale(LC_ALL, "de_DE.UTF-8");  // where installed, a comma-decimal locale
    EXPECT_EQ(CsvWriter::number(-0.5, 2), "-0.50");
    EXPECT_EQ(CsvWriter::number(1234.5), "1234.5");
    EXPECT_EQ(CsvWriter::number(NAN), "");
    EXPECT_EQ(CsvWriter::number(INFINITY, 3), "");
    std::setlocale(LC_ALL, "C");
}

TEST(Csv, FieldsThatNeedItAreQuoted) {
    EXPECT_EQ(CsvWriter::field("plain"), "plain");
    EXPECT_EQ(CsvWriter::field("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvWriter::field("say \"hi\""), "\"say \"\"hi\"\"\"");
    CsvWriter csv("Table", "Name, with comma", "today");
    EXPECT_EQ(csv.text(), "# Table, data set Name, with comma, today\n");
}

TEST(Csv, TheCommentStaysOneLineWhateverTheNameHolds) {
    CsvWriter csv("Table", "two\nlines\r", "today");
    csv.header({"a"});
    EXPECT_EQ(csv.text(), "# Table, data set two lines , today\na\n");
}
