#include "batchprogram.h"
#include "systems/coveringcheck.h"
#include "systems/frametext.h"
#include "systems/systemsdata.h"

#include <gtest/gtest.h>

namespace {

const QString kFourMatches = "1X2,1X2,1X2,1X2,1,1,1,1,1,1,1,1,1";

// The perfect nine-row system over four three-sign matches.
RowBuffer hammingNine()
{
    return rowsOf({"1111111111111", "1XX2111111111", "122X111111111", "X1XX111111111", "XX21111111111", "X212111111111",
                   "2122111111111", "2X1X111111111", "22X1111111111"});
}

void expectRefused(const BatchRun& run, const QByteArray& message, int code = 1)
{
    EXPECT_EQ(run.code, code);
    EXPECT_EQ(run.out, QByteArray());
    EXPECT_EQ(run.err, message + "\n");
}

} // namespace

TEST(BatchAnalyse, PrintsWhatTheRowsGuaranteeOverTheFrame)
{
    BatchDir dir;
    dir.rowsFile("hamming9.1X2", hammingNine());
    const QByteArray expected =
        linesOf({"Rivejä: 9", "Tulosvaihtoehtoja: 81", "Takuu: 12", "Paras 13: 9", "Paras 12: 72", "Paras 11: 0",
                 "Paras 10: 0", "Paras alle 10: 0", "Kaava: 1X2,1X2,1X2,1X2,1,1,1,1,1,1,1,1,1",
                 "Rivejä 13 oikein: keskimäärin 0.111, vähintään 0, enintään 1",
                 "Rivejä 12 oikein: keskimäärin 0.889, vähintään 0, enintään 1",
                 "Rivejä 11 oikein: keskimäärin 2.667, vähintään 0, enintään 3",
                 "Rivejä 10 oikein: keskimäärin 3.556, vähintään 3, enintään 8"});
    BatchRun run = dir.run({"analyse", "--pattern", kFourMatches, "hamming9.1X2"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, QByteArray());
    EXPECT_EQ(run.out, expected);
    // Without a pattern the frame is the rows' own: here the same.
    EXPECT_EQ(dir.run({"analyse", "hamming9.1X2"}).out, expected);

    // A wider frame: every outcome with a 2 on match 5 misses one more.
    run = dir.run({"analyse", "--pattern", "1X2,1X2,1X2,1X2,12,1,1,1,1,1,1,1,1", "hamming9.1X2"});
    EXPECT_TRUE(run.out.startsWith(linesOf({"Rivejä: 9", "Tulosvaihtoehtoja: 162", "Takuu: 11", "Paras 13: 9",
                                            "Paras 12: 81", "Paras 11: 72", "Paras 10: 0", "Paras alle 10: 0"})))
        << run.out.toStdString();

    // Ten right is still "Paras 10", not below it.
    dir.rowsFile("yksi.1X2", rowsOf({"1111111111111"}));
    run = dir.run({"analyse", "--pattern", "1X2,1X2,1X2,1,1,1,1,1,1,1,1,1,1", "yksi.1X2"});
    EXPECT_TRUE(run.out.contains("Paras 10: 8\nParas alle 10: 0\n")) << run.out.toStdString();

    // An own system as it is stored, read through the same reader as a check.
    QByteArray system = systemFileHeader(0, 4, 9);
    for (const Row& row : hammingNine())
        system += rowRecord(row);
    dir.file("oma.STM", system);
    EXPECT_EQ(dir.run({"analyse", "oma.STM"}).out, expected);
    // With a frame the system is played where the frame says, as on the coupon:
    // its columns on the frame's guarded matches, a stored "2" as a match's second sign.
    const QString onLastMatches = "X,1,2,1,1,1,1,1,1,1X2,1X2,1X2,1X2";
    EXPECT_EQ(dir.run({"analyse", "--pattern", onLastMatches, "oma.STM"}).out,
              QByteArray(expected).replace("1X2,1X2,1X2,1X2,1,1,1,1,1,1,1,1,1", onLastMatches.toUtf8()));
    dir.file("kaksi.STM", systemFileHeader(1, 0, 2) + "1111111111111" + "2111111111111");
    EXPECT_TRUE(dir.run({"analyse", "--pattern", "1X,1,1,1,1,1,1,1,1,1,1,1,1", "kaksi.STM"})
                    .out.startsWith(linesOf({"Rivejä: 2", "Tulosvaihtoehtoja: 2", "Takuu: 13"})));
    expectRefused(dir.run({"analyse", "--pattern", "12,1X2,1X2,1X2,1,1,1,1,1,1,1,1,1", "oma.STM"}),
                  "Kaava ei sovi omaan systeemiin: siinä pitää olla 0 kahden ja 4 kolmen merkin kohdetta ! oma.STM");
}

TEST(BatchAnalyse, RefusesWhatItCannotReadAndTellsOfDamagedRows)
{
    BatchDir dir;
    expectRefused(dir.run({"analyse", "puuttuu.1X2"}), "Tiedoston luku ei onnistu ! puuttuu.1X2");
    dir.rowsFile("tyhja.1X2", {});
    expectRefused(dir.run({"analyse", "tyhja.1X2"}), "Tiedostossa ei ole rivejä ! tyhja.1X2");
    dir.rowsFile("hamming9.1X2", hammingNine());
    expectRefused(dir.run({"analyse", "--pattern", "1X2,1X2,1X2,,1,1,1,1,1,1,1,1,1", "hamming9.1X2"}),
                  "Joku kohde on tyhjä !!");
    expectRefused(dir.run({"analyse", "--pattern", "1X2,1X2,1X2", "hamming9.1X2"}),
                  "--pattern: Järjestelmässä pitäisi olla 13 pilkuin erotettua kohdetta !\n"
                  "Ohje: rivikone-batch analyse --help",
                  2);
    expectRefused(dir.run({"analyse"}), "Anna yksi analysoitava tiedosto !\nOhje: rivikone-batch analyse --help", 2);

    // A damaged byte is never right: the figures still come, and so does the message.
    RowBuffer rows = hammingNine();
    rows[8][12] = '?';
    dir.rowsFile("vika.1X2", rows);
    const BatchRun run = dir.run({"analyse", "--pattern", kFourMatches, "vika.1X2"});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.out.startsWith(linesOf({"Rivejä: 9", "Tulosvaihtoehtoja: 81", "Takuu: 11"})))
        << run.out.toStdString();
    EXPECT_EQ(run.err, "Viallinen rivitiedosto ? vika.1X2\n");
}

TEST(BatchGenerate, SavesASmallTableThatKeepsTheGuaranteeAndNeverOverwrites)
{
    BatchDir dir;
    BatchRun run =
        dir.run({"generate", "--pattern", kFourMatches, "--guarantee", "12", "--seconds", "10", "--out", "oma.1X2"});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("Rivejä: 9\nTakuu: 12\n")) << run.out.toStdString();
    EXPECT_EQ(run.err, QByteArray());
    EXPECT_TRUE(
        tableKeepsGuarantee(systemsdata::rowsInFile(dir.path("oma.1X2")), systemsdata::frameFrom(kFourMatches), 12));

    // A mixed frame at each guarantee, checked independently of the search.
    const QString mixed = "1X,12,1X2,X2,1X2,1X2,1,1X,1X2,2,1X2,X,1";
    for (const char* guarantee : {"12", "11", "10"}) {
        const QString out = QString("g%1.1X2").arg(guarantee);
        run = dir.run({"generate", "--pattern", mixed, "--guarantee", guarantee, "--moves", "20000", "--seed", "3",
                       "--out", out});
        ASSERT_EQ(run.code, 0) << run.err.toStdString();
        const std::vector<SignRow> rows = systemsdata::rowsInFile(dir.path(out));
        EXPECT_TRUE(run.out.startsWith(QString("Rivejä: %1\nTakuu: %2\n").arg(rows.size()).arg(guarantee).toUtf8()));
        EXPECT_TRUE(tableKeepsGuarantee(rows, systemsdata::frameFrom(mixed), QString(guarantee).toInt())) << guarantee;
    }
    // The same seed and moves give the same rows.
    run = dir.run({"generate", "--pattern", mixed, "--guarantee", "11", "--moves", "20000", "--seed", "3", "--out",
                   "uudestaan.1X2"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(readBytes(dir.path("uudestaan.1X2")), readBytes(dir.path("g11.1X2")));

    // An existing file keeps its bytes.
    const QByteArray before = readBytes(dir.path("oma.1X2"));
    expectRefused(dir.run({"generate", "--pattern", mixed, "--guarantee", "10", "--out", "oma.1X2"}),
                  "Tiedosto on jo olemassa, anna uusi nimi !");
    EXPECT_EQ(readBytes(dir.path("oma.1X2")), before);
}

TEST(BatchGenerate, RefusesANeedBeyondARowsFileAndWrongRequests)
{
    BatchDir dir;
    const QString all = "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2";
    expectRefused(dir.run({"generate", "--pattern", all, "--guarantee", "12", "--out", "iso.1X2"}),
                  "Tähän tarvitaan vähintään 59049 riviä, rivitiedostoon mahtuu enintään 32767 !");
    EXPECT_TRUE(entriesOf(dir.dirPath()).isEmpty());
    expectRefused(
        dir.run({"generate", "--pattern", "1X2,,1,1,1,1,1,1,1,1,1,1,1", "--guarantee", "12", "--out", "x.1X2"}),
        "Joku kohde on tyhjä !!");
    expectRefused(dir.run({"generate", "--pattern", kFourMatches, "--guarantee", "13", "--out", "x.1X2"}),
                  "--guarantee: Anna kokonaisluku 10 … 12 !\nOhje: rivikone-batch generate --help", 2);
    expectRefused(dir.run({"generate", "--pattern", kFourMatches, "--guarantee", "12"}),
                  "Valitsin --out puuttuu !\nOhje: rivikone-batch generate --help", 2);
    expectRefused(
        dir.run({"generate", "--pattern", kFourMatches, "--guarantee", "12", "--seconds", "0", "--out", "x.1X2"}),
        "--seconds: Anna kokonaisluku 1 … 3600 !\nOhje: rivikone-batch generate --help", 2);
}

TEST(FileSafety, GenerateOnAFullDiskFailsAndLeavesNothing)
{
    BatchDir dir;
    const QStringList generate = {"generate",    "--pattern", "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1,1,1,1,1",
                                  "--guarantee", "12",        "--moves",
                                  "1000",        "--seed",    "1"};
    expectRefused(dir.run(generate + QStringList{"--out", "uusi.1X2"}, 1024), "Levy täynnä ! uusi.1X2");
    EXPECT_TRUE(entriesOf(dir.dirPath()).isEmpty());
}
