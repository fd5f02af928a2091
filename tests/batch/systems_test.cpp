#include "batchprogram.h"
#include "rows/harava.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <random>

namespace {

struct Tally {
    std::array<int, 14> rowsWith{};
    int lastFull = 0;
    int rows = 0;

    void add(int hits)
    {
        ++rows;
        ++rowsWith[hits];
        if (hits == 13)
            lastFull = rows;
    }
};

QByteArray summary(const Tally& t, qint64 total, bool withLastFull = true)
{
    QString text = QString("X 13 X: %1\nX 12 X: %2\nX 11 X: %3\nX 10 X: %4\nRivejä: %5\n")
                       .arg(t.rowsWith[13])
                       .arg(t.rowsWith[12])
                       .arg(t.rowsWith[11])
                       .arg(t.rowsWith[10])
                       .arg(t.rows);
    if (withLastFull)
        text += QString("Rivillä: %1\n").arg(t.lastFull);
    text += QString("Yht.: %1\n").arg(total);
    return text.toUtf8();
}

// Every single row of a pattern, counted the slow and obvious way.
Tally expandByHand(const QStringList& groups, const Row& correct)
{
    Tally tally;
    std::array<int, 13> digit{};
    while (true) {
        int hits = 0;
        for (int k = 0; k < 13; ++k)
            hits += groups[k][digit[k]].toLatin1() == correct[k];
        tally.add(hits);
        int k = 12;
        while (k >= 0 && ++digit[k] == groups[k].size())
            digit[k--] = 0;
        if (k < 0)
            return tally;
    }
}

// A pattern of the system's shape with its guarded matches scattered over
// the coupon and every pair of signs used on the two-sign matches.
QStringList haravaPattern(const HaravaSystem& system, unsigned seed)
{
    std::vector<int> kinds;
    kinds.insert(kinds.end(), size_t(system.oneSign), 1);
    kinds.insert(kinds.end(), size_t(system.twoSign), 2);
    kinds.insert(kinds.end(), size_t(system.threeSign), 3);
    std::shuffle(kinds.begin(), kinds.end(), std::mt19937(seed));
    const char* pairs[] = {"1X", "12", "X2"};
    const char* singles[] = {"1", "X", "2"};
    QStringList groups;
    for (int k = 0; k < 13; ++k)
        groups << (kinds[k] == 1 ? singles[k % 3] : kinds[k] == 2 ? pairs[(k + seed) % 3] : "1X2");
    return groups;
}

// The coupon row a table row stands for: bankers carry their sign, the n-th
// two-sign match its first sign for V and its second for O, the m-th
// three-sign match the sign of the m-th 1X2 column.
Row couponRow(const QByteArray& tableRow, const QStringList& groups, int twoSignColumns)
{
    Row row{};
    int half = 0;
    int full = 0;
    for (int k = 0; k < 13; ++k) {
        if (groups[k].size() == 1)
            row[k] = groups[k][0].toLatin1();
        else if (groups[k].size() == 2)
            row[k] = groups[k][tableRow[half++] == 'V' ? 0 : 1].toLatin1();
        else
            row[k] = tableRow[twoSignColumns + full++];
    }
    return row;
}

} // namespace

TEST(BatchSystem, ExpandsATypedSystemAndCountsEveryRowOnce)
{
    BatchDir dir;
    const QString pattern = "1,1X,12,X2,1X2,1,1,1,1,1,1,1,1";
    const QStringList groups = pattern.split(',');
    // Every sign of `inside` was played: one row has 13, the others spread over the classes.
    const Row inside = rowFromText("1X2X211111111");
    const Row missesLast = rowFromText("1X2X11111111X");
    const Row outside = rowFromText("2222222222222");

    BatchRun run = dir.run({"system", "--correct", "1X2X211111111", "--pattern", pattern});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QByteArray());
    Tally expected = expandByHand(groups, inside);
    EXPECT_EQ(expected.rows, 24);
    EXPECT_EQ(expected.rowsWith[13], 1);
    // The row of the 13 depends on the order of the expansion; it is one of the 24.
    const QList<QByteArray> lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 8);
    const QRegularExpressionMatch place = QRegularExpression("^Rivillä: (\\d+)$").match(QString::fromUtf8(lines[5]));
    ASSERT_TRUE(place.hasMatch()) << lines[5].toStdString();
    EXPECT_GE(place.captured(1).toInt(), 1);
    EXPECT_LE(place.captured(1).toInt(), 24);
    QByteArray withoutPlace = run.out;
    withoutPlace.replace(lines[5] + '\n', "");
    EXPECT_EQ(withoutPlace, summary(expected, 0, false));
    // The same command gives the same answer every time.
    EXPECT_EQ(dir.run({"system", "--correct", "1X2X211111111", "--pattern", pattern}).out, run.out);

    run = dir.run({"system", "--correct", "2222222222222", "--pattern", pattern, "--prizes", "0,0,0,3"});
    expected = expandByHand(groups, outside);
    EXPECT_EQ(run.out, summary(expected, 3 * expected.rowsWith[10]));

    // A row with a sign the pattern lacks on match 13: no 13, and 12 at best.
    run = dir.run({"system", "--correct", "1X2X11111111X", "--pattern", pattern, "--prizes", "1,2,3,4"});
    expected = expandByHand(groups, missesLast);
    EXPECT_EQ(expected.rowsWith[13], 0);
    EXPECT_EQ(expected.rowsWith[12], 1);
    EXPECT_EQ(run.out, summary(expected, 2 * 1 + 3 * expected.rowsWith[11] + 4 * expected.rowsWith[10]));
}

TEST(BatchSystem, RefusesPatternsAsThePatternWindowDoes)
{
    BatchDir dir;
    const auto refused = [&dir](const QString& pattern) {
        return dir.run({"system", "--correct", "1111111111111", "--pattern", pattern});
    };
    // One row is no system.
    BatchRun run = refused("1,1,1,1,1,1,1,1,1,1,1,1,1");
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, linesOf({"Liian vähän merkkejä !!"}));
    EXPECT_EQ(run.out, QByteArray());

    run = refused("1X2,1X,1,1,,1,1,1,1,1,1,1,1");
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, linesOf({"Joku kohde on tyhjä !!"}));

    // 3^10 single rows are more than the row positions can hold.
    run = refused("1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1,1");
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, linesOf({"Muisti ei riitä tälle järjestelmälle !"}));
    EXPECT_EQ(run.out, QByteArray());

    // 3^9 still can.
    run = refused("1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1,1,1");
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.out.contains("Rivejä: 19683\n"));
    EXPECT_TRUE(run.out.startsWith("X 13 X: 1\n"));
}

TEST(BatchHarava, EverySystemScoresItsTableRowsAsTheCouponRowsTheyStandFor)
{
    BatchDir dir;
    for (const HaravaSystem& system : haravaSystems()) {
        const QByteArray table = haravaTable(system);
        ASSERT_EQ(table.size(), system.rows * system.columns) << system.name;
        for (unsigned seed : {1u, 2u, 3u}) {
            const QStringList groups = haravaPattern(system, seed);
            // Seed 1: every correct sign was played; the others miss some.
            std::mt19937 engine(seed * 31);
            Row correct{};
            for (int k = 0; k < 13; ++k) {
                const QString& played = groups[k];
                correct[k] = seed == 1 ? played[int(engine() % played.size())].toLatin1() : kSigns[engine() % 3];
            }
            Tally expected;
            for (int r = 0; r < system.rows; ++r) {
                const Row row = couponRow(table.mid(r * system.columns, system.columns), groups, system.twoSign);
                expected.add(rowHits(row, correct));
            }
            const BatchRun run = dir.run({"harava", "--system", system.name, "--correct", rowText(correct), "--pattern",
                                          groups.join(','), "--prizes", "1000,100,10,1"});
            SCOPED_TRACE(std::string(system.name) + " " + groups.join(',').toStdString() + " " +
                         rowText(correct).toStdString());
            EXPECT_EQ(run.code, 0) << run.err.toStdString();
            const qint64 total = 1000 * expected.rowsWith[13] + 100 * expected.rowsWith[12] +
                                 10 * expected.rowsWith[11] + expected.rowsWith[10];
            EXPECT_EQ(run.out, summary(expected, total));
            if (seed == 1) {
                EXPECT_GE(expected.rowsWith[13] + expected.rowsWith[12] + expected.rowsWith[11], 1)
                    << "a reduced system keeps at least 11 when every correct sign was played";
            }
        }
    }
}

TEST(BatchHarava, RefusesWhatTheHaravaWindowRefuses)
{
    BatchDir dir;
    const auto run = [&dir](const QString& system, const QString& pattern) {
        return dir.run({"harava", "--system", system, "--correct", "1111111111111", "--pattern", pattern});
    };
    // D432: 2 one-sign, 8 two-sign, 3 three-sign matches, 27 marks.
    BatchRun r = run("D432", "1,1,1X,1X,1X,1X,1X,1X,1X,1X,1X2,1X2,1X2");
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    // 28 marks: one two-sign match more.
    r = run("D432", "1,1X,1X,1X,1X,1X,1X,1X,1X,1X,1X2,1X2,1X2");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, linesOf({"Haravan muoto virheellinen !"}));
    EXPECT_EQ(r.out, QByteArray());
    // 27 marks, but three one-sign matches.
    r = run("D432", "1,1,1,1X,1X,1X,1X,1X,1X,1X,1X2,1X2,1X2");
    EXPECT_EQ(r.err, linesOf({"Haravan muoto virheellinen !"}));
    // An empty match is simply the wrong shape.
    r = run("b81", "1,1,1,1,,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2");
    EXPECT_EQ(r.err, linesOf({"Haravan muoto virheellinen !"}));
    r = run("F1296", "1,1,1,1,1,1,1,1,1,1,1,,1X");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, linesOf({"Liian vähän merkkejä !!"}));

    r = run("G99", "1,1,1X,1X,1X,1X,1X,1X,1X,1X,1X2,1X2,1X2");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, linesOf({"--system: Tuntematon harava G99 ! Valitse A60, B81, C222, D432, E729 tai F1296.",
                              "Ohje: rivikone-batch harava --help"}));
}
