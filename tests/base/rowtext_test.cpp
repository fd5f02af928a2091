#include "base/rowtext.h"
#include "support/files.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

namespace {

QStringList textsOf(const RowBuffer& rows)
{
    QStringList out;
    for (const Row& row : rows)
        out << rowText(row);
    return out;
}

} // namespace

TEST(RowText, RowsBecomeOneLineEachOrACsvWithAHeader)
{
    RowBuffer rows = rowsOf({"1X21X21X21X21", "2222222222222", "XXXXXXXXXXXXX"});
    EXPECT_EQ(textFileBytes(rowTextLines(rows, 2), "\n"), QByteArray("1X21X21X21X21\n2222222222222\n"));
    EXPECT_EQ(textFileBytes(rowCsvLines(rows, 1), "\r\n"),
              QByteArray("Kohde 1,Kohde 2,Kohde 3,Kohde 4,Kohde 5,Kohde 6,Kohde 7,Kohde 8,Kohde 9,Kohde 10,"
                         "Kohde 11,Kohde 12,Kohde 13\r\n1,X,2,1,X,2,1,X,2,1,X,2,1\r\n"));
    // A damaged cell can never pass for a sign.
    rows[0][4] = 0;
    rows[0][5] = ' ';
    rows[0][6] = '\x1a';
    EXPECT_EQ(rowTextLines(rows, 1), QStringList{"1X21???X21X21"});
}

TEST(RowText, SeparatorsCaseAndAHeaderAreTakenAsPlayersWriteThem)
{
    const RowTextReading r = parseRowText("Kohde 1;Kohde 2;Kohde 3\r\n"
                                          "1X21X21X21X21\r\n"
                                          "\r\n"
                                          "1 x 2  1 x 2  1 x 2  1 x 2 1\r\n"
                                          "\"2\",\"2\",\"X\",1,1,1,2,2,2,X,X,X,1\r\n"
                                          "1\t2\t1\t2\t1\t2\t1\t2\t1\t2\t1\t2\t1");
    EXPECT_TRUE(r.refused.isEmpty());
    EXPECT_FALSE(r.tooManyRows);
    EXPECT_EQ(textsOf(r.rows), (QStringList{"1X21X21X21X21", "1X21X21X21X21", "22X111222XXX1", "1212121212121"}));
}

TEST(RowText, LinesThatAreNoRowsAreToldByTheirNumbers)
{
    const RowTextReading r = parseRowText("1X21X21X21X2\n"   // 12 signs
                                          "1X21X21X21X211\n" // 14
                                          "1X21X21X21X2Y\n"  // not a sign
                                          "2222222222222\n"
                                          "Kohde 1,Kohde 2\n" // a header only on the first line
                                          "\x01X21X21X21X21\n"
                                          "1111111111111\n");
    EXPECT_EQ(textsOf(r.rows), (QStringList{"2222222222222", "1111111111111"}));
    ASSERT_EQ(r.refused.size(), 5);
    EXPECT_EQ(r.refused[0].number, 1);
    EXPECT_EQ(r.refused[0].text, "1X21X21X21X2");
    EXPECT_EQ(r.refused[2].number, 3);
    EXPECT_EQ(r.refused[3].number, 5);
    EXPECT_EQ(r.refused[4].number, 6);
    EXPECT_EQ(r.refused[4].text, "?X21X21X21X21");
    // A long line is shown cut.
    const RowTextReading lng = parseRowText(QString(500, 'A') + "\n1111111111111\n" + QString(500, 'B'));
    ASSERT_EQ(lng.refused.size(), 1);
    EXPECT_EQ(lng.refused[0].number, 3);
    EXPECT_EQ(lng.refused[0].text.size(), kRefusedLineShown);
}

TEST(RowText, AtMostTheRowsARowsFileHolds)
{
    QString text;
    for (int i = 0; i < kMaxRows; ++i)
        text += "1X21X21X21X21\n";
    RowTextReading r = parseRowText(text);
    EXPECT_EQ(int(r.rows.size()), kMaxRows);
    EXPECT_FALSE(r.tooManyRows);
    r = parseRowText(text + "2222222222222\n");
    EXPECT_EQ(int(r.rows.size()), kMaxRows);
    EXPECT_TRUE(r.tooManyRows);
}

TEST(RowText, TextFromWindowsEditorsAndOthersIsDecoded)
{
    EXPECT_EQ(decodeRowText("\xEF\xBB\xBF"
                            "1X2\n"),
              "1X2\n");
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    const QByteArray wide = utf16.encode(QString("1X21X21X21X21\r\n"));
    EXPECT_EQ(parseRowText(decodeRowText(wide)).rows.size(), 1u);
    // Windows ANSI bytes are no UTF-8; they still read as the letters they are.
    EXPECT_EQ(decodeRowText("Ottelu \xe4"), QString::fromUtf8("Ottelu ä"));
}

TEST(RowText, AFirstLineIsAHeaderOnlyWhenItCannotBeAMistypedRow)
{
    // A row with one sign mistyped, a row a sign too long and one with a
    // wrong digit are rows to be told about, first line or not.
    for (const char* first : {"1X21X21X31X21", "1X21X21X21X213", "1 X 2 1 X 2 1 X 3 1 X 2 1", "Xx21X21X21X2Y"}) {
        const RowTextReading r = parseRowText(QString::fromLatin1(first) + "\n2222222222222\n");
        ASSERT_EQ(r.refused.size(), 1) << first;
        EXPECT_EQ(r.refused[0].number, 1);
        EXPECT_FALSE(r.header);
    }
    // Words are a header, and the player is told what was skipped.
    const RowTextReading r = parseRowText("\n\"Rivi\";\"Merkit\"\n1X21X21X21X21\n");
    EXPECT_TRUE(r.refused.isEmpty());
    ASSERT_TRUE(r.header);
    EXPECT_EQ(skippedHeaderText(*r.header), "Rivi 2 on otsikko, sitä ei tuotu: \"Rivi\";\"Merkit\"");
    EXPECT_EQ(textsOf(r.rows), QStringList{"1X21X21X21X21"});
}
