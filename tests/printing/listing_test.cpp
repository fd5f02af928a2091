#include "printing/listing.h"

#include <gtest/gtest.h>

namespace {

RowBuffer numberedRows(int n)
{
    RowBuffer rows;
    for (int i = 0; i < n; ++i) {
        Row row;
        for (int k = 0; k < kMatches; ++k)
            row[k] = kSigns[(i + k) % 3];
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(Listing, ScreenLinesKeepTheSignsInOneColumn)
{
    const Row row = rowFromText("1X21X21X21X21");
    EXPECT_EQ(screenListingLine(1, row), " 1  > 1 X 2  1 X 2  1 X 2  1 X 2 1");
    EXPECT_EQ(screenListingLine(9, row), " 9  > 1 X 2  1 X 2  1 X 2  1 X 2 1");
    EXPECT_EQ(screenListingLine(10, row), " 10 > 1 X 2  1 X 2  1 X 2  1 X 2 1");
    EXPECT_EQ(screenListingLine(99, row), " 99 > 1 X 2  1 X 2  1 X 2  1 X 2 1");
    EXPECT_EQ(screenListingLine(100, row), " 100> 1 X 2  1 X 2  1 X 2  1 X 2 1");
    EXPECT_EQ(screenListingLine(32767, row), " 32767> 1 X 2  1 X 2  1 X 2  1 X 2 1");
    // Bytes that are no signs show, but never as control characters.
    Row odd = row;
    odd[0] = '\n';
    odd[1] = 0;
    odd[2] = 'q';
    EXPECT_EQ(groupedSigns(odd), "? ? q  1 X 2  1 X 2  1 X 2 1");
}

TEST(Listing, ScreenListingFallsIntoBlocksOfTen)
{
    const RowBuffer rows = numberedRows(25);
    const QStringList lines = screenListing(rows, 25);
    ASSERT_EQ(lines.size(), 27);
    EXPECT_TRUE(lines[10].isEmpty());
    EXPECT_TRUE(lines[21].isEmpty());
    EXPECT_TRUE(lines[11].startsWith(" 11 > "));
    EXPECT_TRUE(lines.last().startsWith(" 25 > "));
    int empty = 0;
    for (const QString& l : lines)
        empty += l.isEmpty();
    EXPECT_EQ(empty, 2);

    // A count beyond the buffer lists what there is.
    EXPECT_EQ(screenListing(rows, 40).size(), 27);
    EXPECT_TRUE(screenListing(rows, 0).isEmpty());
    EXPECT_EQ(screenListing(numberedRows(10), 10).size(), 11);
}

TEST(Listing, SignDistributionCountsEveryMatch)
{
    RowBuffer rows{rowFromText("1111111111111"), rowFromText("1X21X21X21X21"), rowFromText("2222222222222")};
    SignDistribution d = signDistribution(rows, 3);
    EXPECT_EQ(d.counts[0][0], 2);
    EXPECT_EQ(d.counts[1][0], 0);
    EXPECT_EQ(d.counts[2][0], 1);
    EXPECT_EQ(d.counts[1][1], 1);
    EXPECT_EQ(d.counts[0][12], 2);
    EXPECT_EQ(d.faultyRows, 0);
    for (int k = 0; k < kMatches; ++k)
        EXPECT_EQ(d.counts[0][k] + d.counts[1][k] + d.counts[2][k], 3);

    rows[1][4] = 'x';
    d = signDistribution(rows, 3);
    EXPECT_EQ(d.faultyRows, 1);
    EXPECT_EQ(d.counts[0][4] + d.counts[1][4] + d.counts[2][4], 2);
}

TEST(Listing, PaperPagesHoldFiftyRowsAndRepeatTheHeading)
{
    const RowBuffer rows = numberedRows(51);
    const QList<QStringList> pages = paperListingPages(rows, 51, "KIERROS12.1X2");
    ASSERT_EQ(pages.size(), 2);

    const QStringList& first = pages[0];
    ASSERT_EQ(first.size(), 2 + 3 + 50 + 5);
    EXPECT_EQ(first[0], "");
    EXPECT_EQ(first[1], "");
    EXPECT_EQ(first[2], " Rivitiedosto: KIERROS12.1X2");
    EXPECT_EQ(first[3], " Rivit vaakasuorassa !");
    EXPECT_EQ(first[4], QString(40, '='));
    EXPECT_EQ(first[5], " 1 >   1 X 2  1 X 2  1 X 2  1 X 2 1");
    EXPECT_EQ(first[6], " 2 >   X 2 1  X 2 1  X 2 1  X 2 1 X");
    EXPECT_EQ(first[14], " 10 >  1 X 2  1 X 2  1 X 2  1 X 2 1");
    EXPECT_EQ(first[15], " ");
    EXPECT_EQ(first.last(), " "); // after row 50
    EXPECT_EQ(first[first.size() - 2].left(7), " 50 >  ");

    const QStringList& second = pages[1];
    ASSERT_EQ(second.size(), 4);
    EXPECT_EQ(second[0], " Rivitiedosto: KIERROS12.1X2");
    EXPECT_EQ(second[2], QString(40, '='));
    EXPECT_EQ(second[3].left(7), " 51 >  ");

    // Exactly fifty rows make one page, and nothing at all still makes the heading.
    EXPECT_EQ(paperListingPages(rows, 50, "A").size(), 1);
    const QStringList emptyList = QStringList{"", ""} + paperListingHeading("A");
    EXPECT_EQ(paperListingPages(rows, 0, "A"), QList<QStringList>{emptyList});
}

TEST(Listing, PaperSignsStartInColumnEight)
{
    const Row row = rowFromText("1111111111111");
    EXPECT_EQ(paperListingLine(100, row).indexOf('1', 5), 7);
    EXPECT_EQ(paperListingLine(100, row), " 100 > 1 1 1  1 1 1  1 1 1  1 1 1 1");
    // Longer numbers keep the signs on the same line.
    EXPECT_EQ(paperListingLine(1000, row), " 1000 > 1 1 1  1 1 1  1 1 1  1 1 1 1");
}
