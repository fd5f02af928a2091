#include "batchprogram.h"
#include "systems/coveringcheck.h"
#include "systems/frametext.h"
#include "systems/systemsdata.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const QString kPattern = "1X2,1X2,1X,1,X2,1X2,1,1X2,2,1X,1X2,1,1X2";

// The README's example read the plain way: 2-4 draws, 1-3 ones on matches
// 1-4, no run of one sign longer than 4.
std::vector<SignRow> exampleByHand()
{
    std::vector<SignRow> kept;
    forEachOutcomeInOrder(systemsdata::frameFrom(kPattern), [&](const SignRow& row) {
        int draws = 0, onesFirstFour = 0, longest = 1;
        for (int m = 0, run = 0; m < 13; ++m) {
            draws += row[m] == 1;
            onesFirstFour += m < 4 && row[m] == 0;
            run = m > 0 && row[m] == row[m - 1] ? run + 1 : 1;
            longest = std::max(longest, run);
        }
        if (draws >= 2 && draws <= 4 && onesFirstFour >= 1 && onesFirstFour <= 3 && longest <= 4)
            kept.push_back(row);
        return true;
    });
    return kept;
}

} // namespace

TEST(BatchReduce, KeepsExactlyTheRowsThatMeetEveryConditionInTheFramesOrder)
{
    BatchDir dir;
    const std::vector<SignRow> expected = exampleByHand();
    ASSERT_GT(expected.size(), 100u);
    BatchRun run = dir.run({"reduce", "--pattern", kPattern, "--count", "X:2-4", "--count", "1:1-3@1,2,3,4", "--run",
                            "1-4", "--out", "karsittu.1X2"});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QByteArray());
    EXPECT_EQ(run.out, QString::fromUtf8("Rivejä: %1\n").arg(expected.size()).toUtf8());
    EXPECT_EQ(systemsdata::rowsInFile(dir.path("karsittu.1X2")), expected);

    // The same conditions from a saved file give the same rows.
    dir.file("ehdot.KRS", "# Rivikone: karsintaehdot\nkaava " + kPattern.toUtf8() +
                              "\nmerkit X:2-4\nmerkit 1:1-3@1,2,3,4\nputki 1-4\npois vaihdot 12-12\n");
    run = dir.run({"reduce", "--conditions", "ehdot.KRS", "--out", "tiedostosta.1X2"});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(systemsdata::rowsInFile(dir.path("tiedostosta.1X2")), expected);

    // An existing file is never overwritten.
    run = dir.run({"reduce", "--pattern", kPattern, "--count", "X:0-1", "--out", "karsittu.1X2"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "Tiedosto on jo olemassa, anna uusi nimi !\n");
    EXPECT_EQ(systemsdata::rowsInFile(dir.path("karsittu.1X2")), expected);
}

TEST(BatchReduce, ProbabilitiesFromOddsKeepTheMostProbableRowsAndAGuaranteeIsKeptInsideThem)
{
    BatchDir dir;
    // Match 1 strongly 1, the rest even: the 100 most probable all start with 1.
    QByteArray odds = "1.25 6.0 11.0\n";
    for (int m = 1; m < 13; ++m)
        odds += m < 4 ? "2,0 4,0 4,0\n" : "3,0 3,0 3,0\n";
    dir.file("kertoimet.txt", odds);
    BatchRun run = dir.run({"reduce", "--pattern", "1X2,1X2,1X2,1X2,1X2,1X2,1,1,1,1,1,1,1", "--probabilities",
                            "kertoimet.txt", "--odds", "--most-probable", "100", "--out", "todnak.1X2"});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QString::fromUtf8("Rivejä: 100\n").toUtf8());
    const std::vector<SignRow> kept = systemsdata::rowsInFile(dir.path("todnak.1X2"));
    ASSERT_EQ(kept.size(), 100u);
    EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end()));
    for (const SignRow& row : kept)
        EXPECT_EQ(row[0], 0);

    // A guarantee inside the kept rows: fewer rows, all of them kept ones,
    // and every kept row has one at least 12 right.
    const QString frame = "1X2,1X2,1X2,1X2,1X2,1X2,1,1,1,1,1,1,1";
    run = dir.run({"reduce", "--pattern", frame, "--probabilities", "kertoimet.txt", "--odds", "--most-probable", "100",
                   "--guarantee", "12", "--seconds", "1", "--seed", "5", "--out", "takuu.1X2"});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const std::vector<SignRow> covering = systemsdata::rowsInFile(dir.path("takuu.1X2"));
    EXPECT_LT(covering.size(), 40u);
    EXPECT_EQ(run.out,
              QString::fromUtf8("Rivejä: %1\nTakuu: 12\nEhdot täyttäviä rivejä: 100\n").arg(covering.size()).toUtf8());
    EXPECT_TRUE(tableKeepsGuarantee(covering, systemsdata::frameFrom(frame), 12, &kept));
    EXPECT_FALSE(tableKeepsGuarantee(covering, systemsdata::frameFrom(frame), 12)); // not over the whole frame
}

TEST(BatchReduce, BadInputIsToldClearlyAndNoFileIsWritten)
{
    BatchDir dir;
    const struct {
        QStringList arguments;
        int code;
        const char* err;
    } bad[] = {
        {{"--count", "X:4-2"}, 2, "--count: Vähimmäismäärä 4 on suurempi kuin enimmäismäärä 2 !"},
        {{"--count", "1:1-3@1,2,14"}, 2, "--count: Kohteen numero 14 ei kelpaa: anna kohteet 1 … 13 !"},
        {{"--run", "5-3"}, 2, "--run: Vähimmäismäärä 5 on suurempi kuin enimmäismäärä 3 !"},
        {{"--most-probable", "10"}, 2, "Anna todennäköisyydet valitsimella --probabilities !"},
        {{"--probabilities", "vajaa.txt", "--most-probable", "10"},
         1,
         "vajaa.txt: Rivi 2: Anna kolme lukua (1, X ja 2) !"},
        {{"--probabilities", "kertoimet.txt", "--most-probable", "10"},
         1,
         "kertoimet.txt: Kohteen 1 prosenttien summa on 10 eikä 100 ! Kertoimille anna --odds."},
        {{"--probabilities", "puuttuu.txt", "--min-probability", "0.01"}, 1, "Tiedoston luku ei onnistu ! puuttuu.txt"},
        {{"--conditions", "rikki.KRS"}, 1, "rikki.KRS: Rivi 2: tuntematon ehto karsi !"},
    };
    dir.file("vajaa.txt", "45 30 25\n45 30\n");
    QByteArray odds;
    for (int m = 0; m < 13; ++m)
        odds += "2 4 4\n";
    dir.file("kertoimet.txt", odds);
    dir.file("rikki.KRS", "kaava " + kPattern.toUtf8() + "\nkarsi kaikki\n");
    for (const auto& b : bad) {
        const BatchRun run =
            dir.run(QStringList{"reduce", "--pattern", kPattern} + b.arguments + QStringList{"--out", "uusi.1X2"});
        EXPECT_EQ(run.code, b.code) << b.err;
        EXPECT_EQ(run.out, QByteArray());
        QByteArray err = QByteArray(b.err) + "\n";
        if (b.code == 2)
            err += "Ohje: rivikone-batch reduce --help\n";
        EXPECT_EQ(run.err, err);
        EXPECT_FALSE(QFileInfo::exists(dir.path("uusi.1X2"))) << b.err;
    }
    // More rows than a rows file holds: refused with the count.
    const BatchRun run = dir.run({"reduce", "--pattern", "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1,1", "--count",
                                  "2:0-9", "--out", "uusi.1X2"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, QString::fromUtf8("Rivejä on 59048, rivitiedostoon mahtuu enintään 32767 ! Karsi lisää tai "
                                         "etsi takuu.\n")
                           .toUtf8());
    EXPECT_FALSE(QFileInfo::exists(dir.path("uusi.1X2")));
}
