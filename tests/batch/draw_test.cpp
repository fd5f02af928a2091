#include "batchprogram.h"

#include <QFileInfo>
#include <QSet>
#include <gtest/gtest.h>

namespace {

const QString kBasic = "1X21X21X21X21";

// The rows of a rows file, after checking its header says how many.
RowBuffer readDrawn(const QString& path, int expected)
{
    const QByteArray bytes = readBytes(path);
    EXPECT_EQ(bytes.size(), (expected + 1) * kRecordLength);
    EXPECT_EQ(bytes.left(kRecordLength), rowsFileHeader(expected));
    RowBuffer rows;
    for (int r = 0; r < expected && (r + 2) * kRecordLength <= bytes.size(); ++r)
        rows.push_back(rowFromText(QString::fromLatin1(bytes.mid((r + 1) * kRecordLength, kMatches))));
    return rows;
}

void expectDistinct(const RowBuffer& rows)
{
    QSet<QString> seen;
    for (const Row& row : rows)
        seen.insert(rowText(row));
    EXPECT_EQ(seen.size(), qsizetype(rows.size()));
}

void expectRefused(const BatchRun& run, const QByteArray& message)
{
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, QByteArray());
    EXPECT_EQ(run.err, message + "\n");
}

} // namespace

TEST(BatchDraw, ASeededDrawIsRepeatableAndSavedAsARowsFile)
{
    BatchDir dir;
    const QStringList draw = {"draw", "--basic", kBasic, "--rows", "500", "--weight", "10", "--seed", "2024"};
    BatchRun run = dir.run(draw + QStringList{"--out", "a.1X2"});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QByteArray()) << "nothing else is printed on success";
    EXPECT_EQ(run.err, QByteArray());
    EXPECT_EQ(dir.run(draw + QStringList{"--out", "b.1X2"}).code, 0);
    EXPECT_EQ(readBytes(dir.path("a.1X2")), readBytes(dir.path("b.1X2")));

    const RowBuffer rows = readDrawn(dir.path("a.1X2"), 500);
    ASSERT_EQ(rows.size(), 500u);
    // The first row of every weighted draw is the basic row itself.
    EXPECT_EQ(rowText(rows[0]), kBasic);
    expectDistinct(rows);
    // Weight 10 draws the basic sign with 8/10 and each other sign with 1/10;
    // refusing repeats, which are mostly rows near the basic row, lowers the
    // basic share of 500 distinct rows a little.
    const auto shares = [](const RowBuffer& drawn) {
        std::array<double, 3> share{}; // basic sign, the sign after it, the one after that
        for (const Row& row : drawn)
            for (int k = 0; k < kMatches; ++k)
                share[(signIndex(row[k]) - signIndex(kBasic[k].toLatin1()) + 3) % 3] += 1.0 / (drawn.size() * 13.0);
        return share;
    };
    std::array<double, 3> share = shares(rows);
    EXPECT_GT(share[0], 0.72);
    EXPECT_LT(share[0], 0.80);
    EXPECT_NEAR(share[1], share[2], 0.02);
    // Weight 3 has no preference at all.
    EXPECT_EQ(
        dir.run({"draw", "--basic", kBasic, "--rows", "500", "--weight", "3", "--seed", "1", "--out", "t.1X2"}).code,
        0);
    share = shares(readDrawn(dir.path("t.1X2"), 500));
    for (double s : share)
        EXPECT_NEAR(s, 1.0 / 3, 0.02);

    // Another seed, or none (a new seed from the clock for every row), draws other rows.
    EXPECT_EQ(
        dir.run({"draw", "--basic", kBasic, "--rows", "500", "--weight", "10", "--seed", "2025", "--out", "c.1X2"})
            .code,
        0);
    EXPECT_NE(readBytes(dir.path("c.1X2")), readBytes(dir.path("a.1X2")));
    EXPECT_EQ(dir.run({"draw", "--basic", kBasic, "--rows", "500", "--weight", "10", "--out", "d.1X2"}).code, 0);
    EXPECT_NE(readBytes(dir.path("d.1X2")), readBytes(dir.path("a.1X2")));
    expectDistinct(readDrawn(dir.path("d.1X2"), 500));

    // What was drawn is checked like any rows file: the basic row has 13.
    run = dir.run({"check", "--correct", kBasic, "a.1X2"});
    EXPECT_TRUE(run.out.contains("\nX 13 X: 1\n"));
    EXPECT_TRUE(run.out.contains("\nRivillä: 1\n"));
}

TEST(BatchDraw, BankersAndSwitchedOffSignsHoldInEveryRow)
{
    BatchDir dir;
    // Bankers on matches 1 and 13, "X" and "1" switched off on matches 4 and 5, per-match weights.
    const BatchRun run = dir.run({"draw", "--basic", kBasic, "--rows", "300", "--weights", "3,4,5,6,7,8,9,10,3,3,3,3,3",
                                  "--bankers", "1,13", "--exclude", "4:X,5:1", "--seed", "9", "--out", "p.1X2"});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const RowBuffer rows = readDrawn(dir.path("p.1X2"), 300);
    expectDistinct(rows);
    int otherOnFirstMatches = 0;
    for (const Row& row : rows) {
        EXPECT_EQ(row[0], '1');
        EXPECT_EQ(row[12], '1');
        EXPECT_NE(row[3], 'X');
        EXPECT_NE(row[4], '1');
        otherOnFirstMatches += row[1] != 'X';
    }
    EXPECT_GT(otherOnFirstMatches, 0) << "unweighted matches still vary";

    // Twelve bankers leave three rows; with one of them switched off, two.
    EXPECT_EQ(dir.run({"draw", "--basic", kBasic, "--rows", "3", "--weight", "3", "--bankers",
                       "1,2,3,4,5,6,7,8,9,10,11,12", "--out", "kolme.1X2"})
                  .code,
              0);
    EXPECT_EQ(readDrawn(dir.path("kolme.1X2"), 3).size(), 3u);
    expectRefused(dir.run({"draw", "--basic", kBasic, "--rows", "3", "--weight", "3", "--bankers",
                           "1,2,3,4,5,6,7,8,9,10,11,12", "--exclude", "13:2", "--out", "x.1X2"}),
                  "LASKUVIRHE ! Rivimäärä ei voi olla suurempi kuin  2 koska poistetut merkit rajaavat erilaisten "
                  "rivien määrää !");
    EXPECT_FALSE(QFileInfo::exists(dir.path("x.1X2")));
}

TEST(BatchDraw, RefusesWhatTheWeightingAndRowCountWindowsRefuse)
{
    BatchDir dir;
    const auto draw = [&dir](const QStringList& options) {
        return dir.run(QStringList{"draw", "--basic", kBasic, "--out", "uusi.1X2"} + options);
    };
    expectRefused(draw({"--rows", "501", "--weight", "3"}), "Rivimäärä ei voi olla suurempi kuin 500 !");
    expectRefused(draw({"--rows", "99999999999", "--weight", "3"}), "Rivimäärä ei voi olla suurempi kuin 500 !");
    expectRefused(draw({"--rows", "10", "--weight", "3", "--bankers", "1,2,3,4,5,6,7,8,9,10,11,12,13"}),
                  "Liikaa varmoja !");
    expectRefused(draw({"--rows", "4", "--weights", "11,11,11,11,11,11,11,11,11,11,11,3,3", "--bankers", "12"}),
                  "LASKUVIRHE ! Rivimäärä ei voi olla suurempi kuin  3 koska arvottavia kohteita on  1");
    EXPECT_FALSE(QFileInfo::exists(dir.path("uusi.1X2")));

    const auto usage = [&draw](const QStringList& options, const QByteArray& message) {
        const BatchRun run = draw(options);
        EXPECT_EQ(run.code, 2) << message.toStdString();
        EXPECT_EQ(run.err, message + "\nOhje: rivikone-batch draw --help\n");
    };
    usage({"--rows", "0", "--weight", "3"}, "--rows: Anna rivimäärä 1 … 500 !");
    usage({"--rows", "10x", "--weight", "3"}, "--rows: Anna rivimäärä 1 … 500 !");
    usage({"--rows", "10"}, "Anna joko --weight tai --weights !");
    usage({"--rows", "10", "--weight", "3", "--weights", "3,3,3,3,3,3,3,3,3,3,3,3,3"},
          "Anna joko --weight tai --weights !");
    usage({"--rows", "10", "--weight", "11"}, "--weight: Paino 11 ei kelpaa ! Painot ovat 3 … 10.");
    usage({"--rows", "10", "--weights", "3,3,3,3,3,3,3,3,3,3,3,3,12"},
          "--weights: Paino 12 ei kelpaa ! Painot ovat 3 … 10, varma 11.");
    usage({"--rows", "10", "--weights", "3,3,3"}, "--weights: Anna 13 painoa pilkuin erotettuina !");
    usage({"--rows", "10", "--weight", "3", "--bankers", "0"}, "--bankers: Kohde 0 ei kelpaa ! Kohteet ovat 1 … 13.");
    usage({"--rows", "10", "--weight", "3", "--bankers", "2,2"}, "--bankers: Kohde 2 on annettu kahdesti !");
    usage({"--rows", "10", "--weight", "3", "--exclude", "2"},
          "--exclude: Anna kohde ja hylättävä merkki, esimerkiksi 3:X !");
    usage({"--rows", "10", "--weight", "3", "--exclude", "2:X"},
          "--exclude: Kohteen 2 perusrivin merkkiä X ei voi hylätä !");
    usage({"--rows", "10", "--weight", "3", "--exclude", "2:1,2:2"},
          "--exclude: Kohteesta 2 voi hylätä vain yhden merkin !");
    usage({"--rows", "10", "--weight", "3", "--seed", "-1"},
          "--seed: Siemenluku -1 ei kelpaa ! Anna kokonaisluku 0 … 18446744073709551615.");
    usage({"--rows", "10", "--weight", "3", "--seed", "18446744073709551616"},
          "--seed: Siemenluku 18446744073709551616 ei kelpaa ! Anna kokonaisluku 0 … 18446744073709551615.");
    const BatchRun run = dir.run({"draw", "--basic", kBasic, "--rows", "10", "--weight", "3"});
    EXPECT_EQ(run.err, "Valitsin --out puuttuu !\nOhje: rivikone-batch draw --help\n");
}

TEST(BatchDraw, NeverOverwritesAFileAndReportsAFailedWrite)
{
    BatchDir dir;
    dir.file("vanha.1X2", "pidetään");
    expectRefused(dir.run({"draw", "--basic", kBasic, "--rows", "5", "--weight", "5", "--out", "vanha.1X2"}),
                  "Tiedosto on jo olemassa, anna uusi nimi !");
    EXPECT_EQ(readBytes(dir.path("vanha.1X2")), QByteArray("pidetään"));

    expectRefused(dir.run({"draw", "--basic", kBasic, "--rows", "5", "--weight", "5", "--out", "ei/ole/kansiota.1X2"}),
                  "Tiedoston kirjoitus ei onnistu ! ei/ole/kansiota.1X2");
}

TEST(FileSafety, DrawOnAFullDiskFailsAndLeavesNothing)
{
    BatchDir dir;
    const QStringList draw = {"draw", "--basic", "1X21X21X21X21", "--rows", "500", "--weight", "5", "--seed", "8"};
    expectRefused(dir.run(draw + QStringList{"--out", "uusi.1X2"}, 4096), "Levy täynnä ! uusi.1X2");
    EXPECT_TRUE(entriesOf(dir.dirPath()).isEmpty());
    // A place that takes no files at all is no full disk.
    expectRefused(dir.run(draw + QStringList{"--out", "/proc/uusi.1X2"}),
                  "Tiedoston kirjoitus ei onnistu ! /proc/uusi.1X2");
    const BatchRun room = dir.run(draw + QStringList{"--out", "uusi.1X2"});
    EXPECT_EQ(room.code, 0);
    EXPECT_EQ(readBytes(dir.path("uusi.1X2")).size(), 501 * 13);
}

TEST(FileSafety, DrawIntoALockedFolderAsksToRemoveTheProtection)
{
    if (!permissionsBind())
        GTEST_SKIP() << "folder permissions do not bind this user";
    BatchDir dir;
    QDir(dir.dirPath()).mkdir("lukittu");
    LockedFolder locked(dir.path("lukittu"));
    expectRefused(dir.run({"draw", "--basic", kBasic, "--rows", "5", "--weight", "5", "--out", "lukittu/x.1X2"}),
                  "Poista kirjoitussuoja ! lukittu/x.1X2");
    EXPECT_TRUE(entriesOf(dir.path("lukittu")).isEmpty());
}
