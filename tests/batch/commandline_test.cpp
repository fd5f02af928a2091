#include "batch/seededrandom.h"
#include "batchprogram.h"

#include <gtest/gtest.h>

namespace {

const QString kRow = "1X21X21X21X21";
const QString kPattern = "1,1X,12,X2,1X2,1,1,1,1,1,1,1,1";

// A wrong command line: nothing on standard output, the message and where help is.
void expectUsage(const BatchRun& run, const QByteArray& message, const QByteArray& command)
{
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, QByteArray());
    const QByteArray help = command.isEmpty() ? "rivikone-batch --help" : "rivikone-batch " + command + " --help";
    EXPECT_EQ(run.err, message + "\nOhje: " + help + "\n");
}

} // namespace

TEST(BatchCommandLine, HelpForTheProgramAndEveryCommand)
{
    BatchDir dir;
    BatchRun run = dir.run({"--help"});
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.out.startsWith("Käyttö: rivikone-batch KOMENTO [VALITSIMET]\n"));
    EXPECT_EQ(run.err, QByteArray());
    for (const char* command : {"check", "system", "harava", "list", "draw", "analyse", "generate"}) {
        // Help is given whatever else the line holds.
        run = dir.run({command, "--tuntematon", "--help"});
        EXPECT_EQ(run.code, 0) << command;
        EXPECT_TRUE(run.out.startsWith(QByteArray("Käyttö: rivikone-batch ") + command + " ")) << command;
        EXPECT_FALSE(run.out.contains("\n\n\n"));
        EXPECT_EQ(run.err, QByteArray());
        EXPECT_EQ(dir.run({QString(command), "-h"}).out, run.out);
    }
    expectUsage(dir.run({}), "Anna komento !", "");
    expectUsage(dir.run({"tarkasta"}), "Tuntematon komento tarkasta !", "");
}

TEST(BatchCommandLine, OptionsAreNamedOnceAndTakeTheirValues)
{
    BatchDir dir;
    dir.rowsFile("-alku.1X2", rowsOf({"1X21X21X21X21"}));
    expectUsage(dir.run({"check", "--correct", kRow, "--kierros", "3", "a.1X2"}), "Tuntematon valitsin --kierros !",
                "check");
    expectUsage(dir.run({"check", "a.1X2", "--correct"}), "Valitsimelta --correct puuttuu arvo !", "check");
    expectUsage(dir.run({"check", "--correct", kRow, "--correct", kRow, "a.1X2"}),
                "Valitsin --correct on annettu kahdesti !", "check");
    expectUsage(dir.run({"check", "a.1X2"}), "Valitsin --correct puuttuu !", "check");
    expectUsage(dir.run({"check", "--correct", kRow}), "Anna tarkastettavat tiedostot !", "check");
    expectUsage(dir.run({"system", "--correct", kRow, "--pattern", kPattern, "ylimaarainen"}),
                "Ylimääräinen argumentti ylimaarainen !", "system");
    expectUsage(dir.run({"system", "--correct", kRow}), "Valitsin --pattern puuttuu !", "system");
    expectUsage(dir.run({"harava", "--correct", kRow, "--pattern", kPattern}), "Valitsin --system puuttuu !", "harava");
    expectUsage(dir.run({"list"}), "Anna yksi listattava tiedosto !", "list");
    expectUsage(dir.run({"list", "a.1X2", "b.1X2"}), "Anna yksi listattava tiedosto !", "list");

    // "--name=value", and "--" before a file whose name starts with a dash.
    const BatchRun run = dir.run({"check", "--correct=" + kRow, "--prizes=1,,,", "--", "-alku.1X2"});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("Tiedosto: -alku.1X2\n"));
    EXPECT_TRUE(run.out.endsWith("Yht.: 1\n"));
}

TEST(BatchCommandLine, TheVersionStandardInputAndNoRowsFileToStandardOutput)
{
    BatchDir dir;
    BatchRun run = dir.run({"--version"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "Rivikone 1.0\n");
    EXPECT_EQ(dir.run({"-v"}).out, run.out);

    // "-" is standard input for a rows file, a numbers file and a text to import.
    QByteArray rows = rowsFileHeader(1) + rowRecord(rowFromText(kRow));
    run = dir.run({"list", "-"}, 0, rows);
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, " 1  > 1 X 2  1 X 2  1 X 2  1 X 2 1\nRivejä: 1\n");
    run = dir.run({"check", "--correct", kRow, "-"}, 0, rows);
    EXPECT_TRUE(run.out.contains("X 13 X: 1\n")) << run.out.toStdString();
    QByteArray chances;
    for (int match = 0; match < 13; ++match)
        chances += "50 30 20\n";
    dir.file("p.txt", chances);
    dir.rowsFile("a.1X2", {rowFromText(kRow)});
    const QStringList value = {
        "value",   "--public", "p.txt", "--sold",         "1000", "--pools", "13:100,12:10,11:5,10:1",
        "--price", "1",        "a.1X2", "--probabilities"};
    run = dir.run(value + QStringList{"-"}, 0, chances);
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, dir.run(value + QStringList{"p.txt"}).out);
    // Only one argument can have it.
    run = dir.run({"check", "--correct", kRow, "-", "-"}, 0, rows);
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.endsWith("luku ei onnistu ! -\n")) << run.err.toStdString();

    // A rows file is no text for a terminal: refused, and no file named "-".
    expectUsage(dir.run({"import", "--out", "-", "-"}, 0, kRow.toUtf8() + "\n"),
                "--out: Rivitiedostoa ei kirjoiteta vakiotulosteeseen, anna tiedoston nimi !", "import");
    expectUsage(dir.run({"draw", "--basic", kRow, "--rows", "2", "--out=-"}),
                "--out: Rivitiedostoa ei kirjoiteta vakiotulosteeseen, anna tiedoston nimi !", "draw");
    EXPECT_FALSE(QFile::exists(dir.path("-")));
}

TEST(BatchCommandLine, RowsPatternsAndPrizesAreCheckedBeforeAnythingIsRead)
{
    BatchDir dir;
    const auto check = [&dir](const QString& correct, const QString& prizes) {
        return dir.run({"check", "--correct", correct, "--prizes", prizes, "puuttuu.1X2"});
    };
    expectUsage(check("1X21X21X21X2", "1,1,1,1"), "--correct: Rivissä pitäisi olla 13 merkkiä !", "check");
    expectUsage(check("1X21X21X21X21 ", "1,1,1,1"), "--correct: Rivissä pitäisi olla 13 merkkiä !", "check");
    expectUsage(check("1X21X21X21X2Y", "1,1,1,1"), "--correct: Rivissä saa olla vain merkkejä 1, X ja 2 !", "check");
    expectUsage(check(kRow, "1,1,1"),
                "--prizes: Anna neljä voittosummaa (13, 12, 11 ja 10 oikein) pilkuin erotettuina !", "check");
    expectUsage(check(kRow, "1,1,1,-5"), "--prizes: Voittosumma -5 ei kelpaa !", "check");
    expectUsage(check(kRow, "1,1,1,2.125"), "--prizes: Voittosumma 2.125 ei kelpaa !", "check");
    expectUsage(check(kRow, "1,1,1,1e3"), "--prizes: Voittosumma 1e3 ei kelpaa !", "check");
    expectUsage(check(kRow, "1234567890,1,1,1"), "--prizes: Voittosumma 1234567890 ei kelpaa !", "check");

    const auto system = [&dir](const QString& pattern) {
        return dir.run({"system", "--correct", kRow, "--pattern", pattern});
    };
    expectUsage(system("1,1X,12,X2,1X2,1,1,1,1,1,1,1"),
                "--pattern: Järjestelmässä pitäisi olla 13 pilkuin erotettua kohdetta !", "system");
    expectUsage(system("1,1X,12,X2,1X3,1,1,1,1,1,1,1,1"), "--pattern: Kohteessa 5 saa olla vain merkkejä 1, X ja 2 !",
                "system");
    expectUsage(system("1,1X,12,XX,1X2,1,1,1,1,1,1,1,1"), "--pattern: Kohteessa 4 on sama merkki kahdesti !", "system");
    // A lower-case x is an X, and the signs of a match may come in any order.
    EXPECT_EQ(system("1,x1,21,2x,2x1,1,1,1,1,1,1,1,1").out, system(kPattern).out);
    EXPECT_EQ(system(kPattern).code, 0);
}

TEST(BatchRandom, ASeedRepeatsItsNumbersAndTheClockDoesNot)
{
    SeededRandom a(42);
    SeededRandom b(42);
    SeededRandom clock;
    std::vector<double> first;
    for (int i = 0; i < 1000; ++i) {
        const double x = a.next();
        a.reseed(); // a repeatable generator ignores it
        EXPECT_EQ(x, b.next());
        EXPECT_GE(x, 0.0);
        EXPECT_LT(x, 1.0);
        first.push_back(clock.next());
    }
    SeededRandom c(43);
    EXPECT_NE(c.next(), SeededRandom(42).next());
    // Reseeding from the clock starts another sequence.
    clock.reseed();
    EXPECT_NE(clock.next(), first[0]);
}
