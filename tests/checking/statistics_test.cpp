#include "checking/statistics.h"
#include "printing.h"

#include "support/fakes.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

VoitotRecord win(const QString& name, const QString& winnings, const QString& round = "12")
{
    // As stored and read back: every field at its full width.
    return decodeVoitot(encodeRecord(VoitotRecord{name, "2026", round, " 0", " 1", " 3", " 10", winnings}));
}

OikeatRecord correct(const QString& row, const QString& year, const QString& round)
{
    return decodeOikeat(encodeRecord(OikeatRecord{row, year, round}));
}

QStringList printed(const FakePrintDevice& printer)
{
    return printer.printedLines();
}

} // namespace

TEST(Statistics, WinRecordNamesFollowWhatWasChecked)
{
    const WinRecordName file = winRecordName("rivit.1X2", false, "", 0);
    EXPECT_EQ(file.field, "rivit.1X2");
    EXPECT_EQ(file.title, "rivit.1X2");

    const QString long27 = "abcdefghijklmnopqrstuvw.1X2";
    ASSERT_EQ(long27.size(), 27);
    const WinRecordName shortened = winRecordName(long27, false, "", 0);
    EXPECT_EQ(shortened.field, "abcdefghijklmno~.1X2");
    EXPECT_EQ(shortened.title, shortened.field);

    const QString exactly20 = "abcdefghijklmnop.1X2";
    EXPECT_EQ(winRecordName(exactly20, false, "", 0).field, exactly20);

    const WinRecordName harava = winRecordName("FPUS", true, "F1296", 0);
    EXPECT_EQ(harava.field, "F1296.HAR");
    EXPECT_EQ(harava.title, "F1296.HAR");

    const WinRecordName typed = winRecordName(QString::fromUtf8("Järjestelmä"), false, "", 12);
    EXPECT_EQ(typed.field, QString::fromUtf8("Järjestelmä. 12"));
    EXPECT_EQ(typed.title, QString::fromUtf8("Järjestelmä"));
}

TEST(Statistics, StoredAmountsAreReadWhateverGroupedTheirThousands)
{
    EXPECT_EQ(storedAmount(" 300"), 300);
    EXPECT_EQ(storedAmount(" 1,250      "), 1250);
    EXPECT_EQ(storedAmount(" 1 250 000"), 1250000);
    EXPECT_EQ(storedAmount(QString::fromUtf8(" 12\u00a0345")), 12345);
    EXPECT_EQ(storedAmount(QString::fromUtf8(" 12\u202f345")), 12345);
    EXPECT_EQ(storedAmount(" "), 0);
    EXPECT_EQ(storedAmount(""), 0);
    EXPECT_EQ(storedAmount("abc"), 0);
    // A separator only counts between digits.
    EXPECT_EQ(storedAmount(" 12, Mk."), 12);
}

TEST(Statistics, AnEmptyWinListingHasTheHeadingAndAZeroTotal)
{
    const QStringList lines = winListing({});
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "Tiedosto             Vuosi   Krs.  X13   X12   X11   X10   Voitot");
    EXPECT_EQ(lines[1], QString(70, '='));
    EXPECT_EQ(lines[2], QString::fromUtf8("Yhteensä:  Mk."));
}

TEST(Statistics, WinListingLinesLineUpUnderTheHeading)
{
    const QStringList lines = winListing({win("rivit.1X2", " 1,250"), win("toiset.1X2", " ", "3")});
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[2], "rivit.1X2            2026   12    0     1     3     10      1,250 Mk.");
    EXPECT_EQ(lines[3], "toiset.1X2           2026   3     0     1     3     10            Mk.");
    EXPECT_EQ(lines[4], QString::fromUtf8("Yhteensä: 1,250 Mk."));
    // Amounts are right-aligned.
    EXPECT_EQ(lines[2].indexOf(" Mk."), lines[3].indexOf(" Mk."));
}

TEST(Statistics, CorrectRowsListOneYearAndCountItsDistribution)
{
    const QList<OikeatRecord> records = {correct("1X21X21X21X21", "2025", "7"), correct("1111111111111", "2026", "1"),
                                         correct("1111111111111", "2026", "1"), correct("2XX2XX2XX2XX2", "2026", "2")};
    Distribution d;
    const QStringList lines = correctRowListing(records, " 2026", d);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], " Vuosi  Kier.");
    EXPECT_EQ(lines[1], " 2026   1       1    1    1     1    1    1     1    1    1     1    1    1    1");
    EXPECT_EQ(lines[3], " 2026   2       2    X    X     2    X    X     2    X    X     2    X    X    2");
    // The same round stored twice counts twice.
    EXPECT_EQ(d.text(0, 0), " 2");
    EXPECT_EQ(d.text(2, 0), " 1");
    EXPECT_EQ(d.text(1, 1), " 1");
    EXPECT_EQ(d.text(1, 0), " 0");

    Distribution none;
    EXPECT_EQ(correctRowListing(records, " 1999", none), QStringList{" Vuosi  Kier."});
    for (int s = 0; s < 3; ++s)
        for (int k = 0; k < 13; ++k)
            EXPECT_EQ(none.text(s, k), " 0");
}

TEST(Statistics, YearsRunFrom1972AndReachTheCurrentYear)
{
    const QStringList old = statisticsYears(1998);
    EXPECT_EQ(old.first(), " 1972");
    EXPECT_EQ(old.last(), " 2010");
    EXPECT_EQ(old.size(), 39);
    EXPECT_EQ(statisticsYears(2026).last(), " 2026");
}

TEST(Statistics, PrintLinesHaveTheirColumns)
{
    EXPECT_EQ(winPrintHeading(), "Tiedosto              Vuosi Krs. X13  X12  X11  X10  Voitot");
    EXPECT_EQ(winPrintLine(win("rivit.1X2", " 1,250")),
              "rivit.1X2             2026  12   0    1    3    10     1,250 Mk.");
    EXPECT_EQ(correctRowPrintHeading(), "Vuosi  Kierros.   Oikeat rivit");
    EXPECT_EQ(correctRowPrintLine(correct("1X21X21X21X21", "2026", "7")),
              "2026   7          1  X  2   1  X  2   1  X  2   1  X  2  1");
    EXPECT_EQ(printFooter(QDate(2026, 3, 5)), "Rivikone PRO v1.0     05.03.2026");
    EXPECT_EQ(atColumn3("abc"), "  abc");

    Distribution d;
    for (int i = 0; i < 12; ++i)
        d.add("1X21X21X21X21");
    const QString line = atColumn3(distributionPrintLine(d, 0));
    // 1-based columns: "Jakautuma: " at 3, the sign at 15, the counts at 19, 22, 25, 29 …
    EXPECT_EQ(line.indexOf("Jakautuma: "), 2);
    EXPECT_EQ(line[14], '1');
    EXPECT_EQ(line.mid(18, 3), " 12");
    EXPECT_EQ(line.mid(21, 2), " 0");
    EXPECT_EQ(line.mid(28, 3), " 12");
    EXPECT_EQ(line.mid(57), " 12");
    EXPECT_EQ(line, "  Jakautuma:  1    12 0  0   12 0  0   12 0  0   12 0  0  12");
}

TEST(Statistics, PrintedWinsStartANewPageAfter55Records)
{
    QList<VoitotRecord> records;
    for (int i = 0; i < 56; ++i)
        records << win(QString("r%1.1X2").arg(i + 1), " 100");
    FakePrintDevice printer;
    printer.lineHeightMm = 4.5; // lines close enough for 55 records above the footer
    ASSERT_TRUE(printWins(printer, records, QDate(2026, 12, 8)));

    const QStringList lines = printed(printer);
    const QString footer = "  Rivikone PRO v1.0     08.12.2026";
    // Page 1: empty line, heading, rule, 55 records, footer; page 2 repeats the heading.
    ASSERT_EQ(lines.size(), 3 + 55 + 1 + 1 + 3 + 1 + 2 + 1);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "  " + winPrintHeading());
    EXPECT_EQ(lines[2], "  " + QString(65, '='));
    EXPECT_TRUE(lines[57].startsWith("  r55.1X2 "));
    EXPECT_EQ(lines[58], footer);
    EXPECT_EQ(lines[59], "\f");
    EXPECT_EQ(lines[61], "  " + winPrintHeading());
    EXPECT_TRUE(lines[63].startsWith("  r56.1X2 "));
    EXPECT_EQ(lines[65], QString::fromUtf8("  Yhteensä: 5,600 Mk."));
    EXPECT_EQ(lines[66], footer);

    // The set-up, the double frame on both pages and the footer 275 mm from the top.
    EXPECT_EQ(printer.ops[0].op, "scaleMode");
    EXPECT_EQ(printer.ops[0].x1, 6);
    EXPECT_EQ(printer.ops[1].op, "font");
    EXPECT_EQ(printer.ops[1].text, "Courier New");
    EXPECT_EQ(printer.ops[1].x1, 12);
    EXPECT_EQ(printer.ops[1].y1, 0);
    int frames = 0;
    for (const PrintOp& op : printer.ops) {
        if (op.op == "box") {
            ++frames;
            const bool outer = op.x1 == 2 && op.y1 == 3 && op.x2 == 200 && op.y2 == 282;
            const bool inner = op.x1 == 3 && op.y1 == 4 && op.x2 == 199 && op.y2 == 281;
            EXPECT_TRUE(outer || inner);
        }
        if (op.op == "print" && op.text == footer) {
            EXPECT_EQ(op.y1, 275);
        }
        if (op.op == "print" && op.text == "  " + winPrintHeading()) {
            EXPECT_GT(op.y1, 0); // below the empty line at the top
        }
    }
    EXPECT_EQ(frames, 4);
    EXPECT_EQ(printer.ops.last().op, "endDoc");
    EXPECT_EQ(printer.pages(), 2);
}

TEST(Statistics, FiftyFiveWinsStillFitOnePageButTheTotalGoesOver)
{
    QList<VoitotRecord> records;
    for (int i = 0; i < 54; ++i)
        records << win("a.1X2", " 1");
    FakePrintDevice printer;
    printer.lineHeightMm = 4.5;
    ASSERT_TRUE(printWins(printer, records, QDate(2026, 1, 1)));
    EXPECT_EQ(printer.pages(), 1);

    FakePrintDevice empty;
    ASSERT_TRUE(printWins(empty, {}, QDate(2026, 1, 1)));
    EXPECT_EQ(printed(empty),
              QStringList({"", "  " + winPrintHeading(), "  " + QString(65, '='), "",
                           QString::fromUtf8("  Yhteensä:  Mk."), "  Rivikone PRO v1.0     01.01.2026"}));
}

TEST(Statistics, PrintedCorrectRowsEndWithTheDistribution)
{
    const QList<OikeatRecord> records = {correct("1X21X21X21X21", "2026", "7"), correct("1111111111111", "2025", "1")};
    FakePrintDevice printer;
    Distribution d;
    ASSERT_TRUE(printCorrectRows(printer, records, " 2026", d, QDate(2026, 12, 8)));
    EXPECT_EQ(printed(printer), QStringList({"", "  Vuosi  Kierros.   Oikeat rivit",
                                             "  2026   7          1  X  2   1  X  2   1  X  2   1  X  2  1", "",
                                             "  Jakautuma:  1    1  0  0   1  0  0   1  0  0   1  0  0  1",
                                             "  Jakautuma:  X    0  1  0   0  1  0   0  1  0   0  1  0  0",
                                             "  Jakautuma:  2    0  0  1   0  0  1   0  0  1   0  0  1  0",
                                             "  Rivikone PRO v1.0     08.12.2026"}));
    EXPECT_EQ(d.text(0, 0), " 1");
    EXPECT_EQ(d.text(0, 12), " 1");
}

TEST(Statistics, AFailingPrinterThrowsTheDocumentAway)
{
    FakePrintDevice printer;
    printer.failFrom = 3;
    Distribution d;
    EXPECT_FALSE(printCorrectRows(printer, {}, " 2026", d, QDate(2026, 1, 1)));
    EXPECT_EQ(printer.ops.last().op, "killDoc");
}

TEST(Statistics, RecordsAreReadFromTheFilesInOrder)
{
    QTemporaryDir dir;
    const QString wins = dir.filePath(kWinsFile);
    ASSERT_TRUE(appendRecord(wins, encodeRecord(VoitotRecord{"a", "2026", "1", "", "", "", "", " 5"}), 56).ok());
    ASSERT_TRUE(appendRecord(wins, encodeRecord(VoitotRecord{"b", "2026", "2", "", "", "", "", " 7"}), 56).ok());
    {
        QFile f(wins);
        f.open(QIODevice::Append);
        f.write("torn tail");
    }
    const QList<VoitotRecord> records = readWinRecords(wins).value();
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[1].name.trimmed(), "b");
    EXPECT_EQ(winListing(records).last(), QString::fromUtf8("Yhteensä: 12 Mk."));
    EXPECT_TRUE(readCorrectRows(dir.filePath(kCorrectRowsFile)).value().isEmpty());
}

TEST(Statistics, NoPrintedLineReachesTheFooter)
{
    // A 12-point line as a real printer sets it: 55 records and the heading would reach 278 mm.
    const QString footer = "  Rivikone PRO v1.0     08.12.2026";
    QList<VoitotRecord> wins;
    QList<OikeatRecord> rows;
    for (int i = 0; i < 130; ++i) {
        wins << win(QString("r%1.1X2").arg(i + 1), " 100");
        rows << correct("1X21X21X21X21", "2026", QString::number(i + 1));
    }
    FakePrintDevice winPrinter;
    winPrinter.lineHeightMm = 4.8;
    ASSERT_TRUE(printWins(winPrinter, wins, QDate(2026, 12, 8)));
    EXPECT_EQ(winPrinter.linesOverFooter(footer), QStringList());
    const QStringList winLines = winPrinter.printedLines();
    EXPECT_EQ(winLines.filter(QRegularExpression("^  r\\d+\\.1X2")).size(), 130) << "every record printed once";
    EXPECT_EQ(winLines.indexOf(footer), 3 + 54) << "a full page holds 54 records";
    EXPECT_EQ(winLines.count("  " + winPrintHeading()), winPrinter.pages()) << "each page has the heading";

    FakePrintDevice rowPrinter;
    rowPrinter.lineHeightMm = 4.8;
    Distribution d;
    ASSERT_TRUE(printCorrectRows(rowPrinter, rows, "2026", d, QDate(2026, 12, 8)));
    EXPECT_EQ(rowPrinter.linesOverFooter(footer), QStringList());
    EXPECT_EQ(rowPrinter.printedLines().filter("  2026 ").size(), 130);
    EXPECT_EQ(rowPrinter.printedLines().filter("Jakautuma:").size(), 3);
}

TEST(Statistics, AFigureIsStoredWholeOrNotAtAll)
{
    // As shown, when it fits; else without its blank; an amount also without its grouping.
    EXPECT_EQ(storedFigure(" 282", 4), " 282");
    EXPECT_EQ(storedFigure(" 2820", 4), "2820");
    EXPECT_EQ(storedFigure(" 1,234,567", 12), " 1,234,567");
    EXPECT_EQ(storedFigure(" 1,234,567,890", 12), "1234567890");
    EXPECT_EQ(storedFigure(" 12000", 4), std::nullopt);

    QString unfit;
    const std::optional<VoitotRecord> record =
        storedWinRecord({"iso.1X2", "2026", "12", " 0", " 45", " 612", " 2820", " 1,234,567,890"}, &unfit);
    ASSERT_TRUE(record);
    const VoitotRecord back = decodeVoitot(encodeRecord(*record));
    EXPECT_EQ(back.hits10, "2820");
    EXPECT_EQ(storedAmount(back.winnings), 1234567890);
    EXPECT_TRUE(winListing({back}).last().contains("1,234,567,890"));

    EXPECT_FALSE(storedWinRecord({"iso.1X2", "2026", "12", " 0", " 0", " 10500", " 0", ""}, &unfit));
    EXPECT_EQ(unfit, "10500");
}
