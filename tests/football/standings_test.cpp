#include "football/players.h"
#include "football/recordset.h"
#include "football/standings.h"
#include "footballdata.h"
#include "support/fakes.h"

#include <QFile>
#include <QRegularExpression>

using namespace football;

namespace {

Figures figures(std::initializer_list<qint64> total, std::initializer_list<qint64> home = {},
                std::initializer_list<qint64> away = {})
{
    // played, wins, draws, losses, scored, conceded, points
    static const QStringList t = {"ottelut", "okot", "otas", "ovie", "mkot", "mvie", "pisteet"};
    static const QStringList h = {"kot", "kkot", "ktas", "kvie", "kmkot", "kmvie", "kpis"};
    static const QStringList a = {"vot", "vkot", "vtas", "vvie", "vmkot", "vmvie", "vpis"};
    Figures f;
    auto put = [&f](const QStringList& names, std::initializer_list<qint64> values) {
        int i = 0;
        for (qint64 v : values)
            f[names[i++]] = v;
    };
    put(t, total);
    put(h, home);
    put(a, away);
    return f;
}

const QDate kToday(2026, 12, 8);

} // namespace

struct StandingsTest : ::testing::Test {
    FootballFiles files;
    FootballDb& db = *files.db;
    RecordSet teams{db};
    QList<GridRow> list(int choice, StandingsView view)
    {
        QList<GridRow> rows;
        const Outcome<> listed = listStandings(teams, choice, view, rows);
        EXPECT_TRUE(listed) << listed.failure().message.toStdString();
        return rows;
    }
};

TEST_F(StandingsTest, OneLeagueInEachView)
{
    insertTeam(db, 0, "Arsenal", figures({2, 1, 1, 0, 3, 1, 4}, {1, 0, 1, 0, 1, 1, 1}, {1, 1, 0, 0, 2, 0, 3}));
    insertTeam(db, 0, "Chelsea", figures({2, 0, 1, 1, 1, 2, 1}, {1, 0, 0, 1, 0, 1, 0}, {1, 0, 1, 0, 1, 1, 1}));
    insertTeam(db, 0, "Everton", figures({2, 1, 0, 1, 2, 3, 3}, {2, 1, 0, 1, 2, 3, 3}));
    const QList<GridRow> total = list(1, StandingsView::Total);
    ASSERT_EQ(total.size(), 4);
    EXPECT_EQ(total[0], (GridRow{"VALIOLIIGA", "", "", "", "", "", "", ""}));
    EXPECT_EQ(total[1], (GridRow{"Arsenal", "2", "1", "1", "0", "3", "1", "4"}));
    EXPECT_EQ(total[2][0], "Everton");
    EXPECT_EQ(total[3][0], "Chelsea");

    const QList<GridRow> home = list(1, StandingsView::Home);
    EXPECT_EQ(home[1], (GridRow{"Arsenal", "1", "0", "1", "0", "1", "1", "1"}));
    EXPECT_EQ(home[2], (GridRow{"Everton", "2", "1", "0", "1", "2", "3", "3"}));
    EXPECT_EQ(home[3][0], "Chelsea") << "the home view keeps the overall order";
    const QList<GridRow> away = list(1, StandingsView::Away);
    EXPECT_EQ(away[1], (GridRow{"Arsenal", "1", "1", "0", "0", "2", "0", "3"}));
    EXPECT_EQ(away[3], (GridRow{"Chelsea", "1", "0", "1", "0", "1", "1", "1"}));
}

TEST_F(StandingsTest, AllLeaguesFollowOneAnotherInTheFixedOrder)
{
    insertTeam(db, 5, "KPV", figures({1, 1, 0, 0, 1, 0, 3}));
    insertTeam(db, 1, "Leeds", figures({1, 1, 0, 0, 2, 0, 3}));
    insertTeam(db, 0, "Arsenal");
    insertTeam(db, 4, "HJK");
    insertTeam(db, 5, "TPS");
    const QList<GridRow> rows = list(kAllLeagues, StandingsView::Total);
    QStringList firstColumn;
    for (const GridRow& r : rows) {
        ASSERT_EQ(r.size(), 8);
        firstColumn << r[0];
    }
    EXPECT_EQ(firstColumn, (QStringList{"VALIOLIIGA", "Arsenal", "", "I Divisioona", "Leeds", "", "II Divisioona", "",
                                        "III Divisioona", "", "Veikkausliiga", "HJK", "", "Ykkönen", "KPV", "TPS"}));
    EXPECT_EQ(rows[3].mid(1), standingsTitles().mid(1));
    EXPECT_EQ(rows[2], GridRow(8));

    const QList<GridRow> division = list(2, StandingsView::Total);
    EXPECT_EQ(division[0], GridRow(8)) << "only Valioliiga has its name above it";
    EXPECT_EQ(division[1][0], "Leeds");
}

TEST_F(StandingsTest, TheTextFileByteForByte)
{
    const QList<GridRow> rows = {GridRow{"VALIOLIIGA", "", "", "", "", "", "", ""},
                                 GridRow{"Arsenal", "2", "1", "1", "0", "3", "1", "4"},
                                 GridRow{"Wolverhampton Wanderers", "2", "0", "1", "1", "1", "2", "1"}};
    const QByteArray expected =
        "\r\n"
        "\r\n"
        "   Sarjatilanne    Yhteens\xE4    Valioliiga\r\n"
        " \r\n"
        "    Joukkue        Ottelut Voitot Tasapelit  H\xE4vi\xF6t  Tehdyt  P\xE4\xE4stetyt Pisteet \r\n"
        "    VALIOLIIGA                                                          \r\n"
        "    Arsenal        2       1      1          0       3       1         4 \r\n"
        "    Wolverhampton Wanderers\r\n"
        "                   2       0      1          1       1       2         1 \r\n"
        " \r\n"
        " \r\n"
        "   Rivikone PRO v1.0     08.12.2026\r\n";
    EXPECT_EQ(standingsFile(StandingsView::Total, "Valioliiga", rows, kToday), expected);
}

TEST_F(StandingsTest, ThePrintOutOnTheRecordingPrinter)
{
    const QList<GridRow> rows = {GridRow(8), GridRow{"Leeds", "1", "1", "0", "0", "2", "0", "3"}};
    FakePrintDevice printer;
    ASSERT_TRUE(printPaged(printer, standingsPrintout(StandingsView::Home, "I Divisioona", rows, kToday)));
    EXPECT_EQ(printer.printedLines(),
              (QStringList{"", "", "   Sarjatilanne    Kotona    I Divisioona", "",
                           "   Joukkue         Ottelut Voitot Tasapelit  Häviöt  Tehdyt  Päästetyt Pisteet", "",
                           "   Leeds           1       1      0          0       2       0         3",
                           "   Rivikone PRO v1.0     08.12.2026"}));
    ASSERT_GE(printer.ops.size(), 4);
    EXPECT_EQ(printer.ops[0].op, "font");
    EXPECT_EQ(printer.ops[0].text, "Courier New");
    EXPECT_EQ(printer.ops[0].x1, 12);
    EXPECT_EQ(printer.ops[1].op, "scaleMode");
    EXPECT_EQ(printer.ops[1].x1, 6);
    EXPECT_EQ(printer.ops[2].op, "box");
    EXPECT_EQ(std::tuple(printer.ops[2].x1, printer.ops[2].y1, printer.ops[2].x2, printer.ops[2].y2),
              std::tuple(2.0, 5.0, 200.0, 282.0));
    EXPECT_EQ(std::tuple(printer.ops[3].x1, printer.ops[3].y1, printer.ops[3].x2, printer.ops[3].y2),
              std::tuple(3.0, 6.0, 199.0, 281.0));
    const PrintOp footer = printer.ops[printer.ops.size() - 2];
    EXPECT_EQ(footer.op, "print");
    EXPECT_EQ(footer.y1, 273);
    EXPECT_EQ(printer.ops.last().op, "endDoc");
    EXPECT_EQ(printer.pages(), 1);
}

TEST_F(StandingsTest, ALongListingGoesOnToMorePages)
{
    QList<GridRow> rows;
    for (int i = 0; i < 120; ++i)
        rows << GridRow{QString("Joukkue %1").arg(i), "0", "0", "0", "0", "0", "0", "0"};
    FakePrintDevice printer;
    ASSERT_TRUE(printPaged(printer, standingsPrintout(StandingsView::Total, "Kaikki", rows, kToday)));
    EXPECT_EQ(printer.pages(), 3);
    EXPECT_EQ(printer.printedLines().count("   Sarjatilanne    Yhteensä    Kaikki"), 3);
}

// Print-outs of the player lists

TEST(PlayerPrintouts, FiftyFourRowsFillAPageAndTheNextStartsPageTwo)
{
    QList<ListRow> scorers;
    for (int i = 0; i < 53; ++i)
        scorers << ListRow{QString::number(60 - i), QString("Pelaaja %1").arg(i), "HJK", ""};
    FakePrintDevice one;
    one.lineHeightMm = 4.5; // lines close enough for 54 rows above the footer
    ASSERT_TRUE(printPaged(one, scorersPrintout(scorers, kToday)));
    EXPECT_EQ(one.pages(), 1);
    const QStringList lines = one.printedLines();
    const QString heading = QString(10, ' ') + "Maalintekijät" + QString(53, ' ');
    EXPECT_EQ(lines[2], heading + "1") << "the page number at position 75 with its blank";
    EXPECT_EQ(lines[4], "          Maalit  Pelaaja               Joukkue           Poissa?");
    EXPECT_EQ(lines[5], "          60      Pelaaja 0             HJK");

    scorers << ListRow{"1", "Viimeinen", "KuPS", "Poissa!"};
    FakePrintDevice two;
    two.lineHeightMm = 4.5;
    ASSERT_TRUE(printPaged(two, scorersPrintout(scorers, kToday)));
    EXPECT_EQ(two.pages(), 2);
    const QStringList both = two.printedLines();
    const int pageBreak = int(both.indexOf("\f"));
    ASSERT_GT(pageBreak, 0);
    EXPECT_EQ(both[pageBreak - 1], "   Rivikone PRO v1.0     08.12.2026");
    EXPECT_EQ(
        both.mid(pageBreak + 1, 5),
        (QStringList{"", "", heading + "2", "", "          1       Viimeinen             KuPS              Poissa!"}));
}

TEST(PlayerPrintouts, LaterPagesOfATeamListCarryTheProgramName)
{
    QList<ListRow> players;
    for (int i = 0; i < 60; ++i)
        players << ListRow{"0", QString("Pelaaja %1").arg(i), ""};
    FakePrintDevice printer;
    printer.lineHeightMm = 4.5;
    ASSERT_TRUE(printPaged(printer, teamPlayersPrintout("HJK", players, kToday)));
    const QStringList lines = printer.printedLines();
    EXPECT_EQ(lines.mid(0, 5),
              (QStringList{"", "", "          Pelaajat   HJK", "", "          Maalit  Pelaaja               Poissa?"}));
    const int pageBreak = int(lines.indexOf("\f"));
    EXPECT_EQ(lines.mid(pageBreak + 1, 6),
              (QStringList{"", "          Rivikone PRO v1.0", "", "          Pelaajat   HJK", "",
                           "          0       Pelaaja 53"}));
}

TEST(PlayerPrintouts, APrinterFailureThrowsTheDocumentAway)
{
    FakePrintDevice printer;
    printer.failFrom = 6;
    EXPECT_FALSE(printPaged(printer, scorersPrintout({ListRow{"1", "A", "B", ""}}, kToday)));
    EXPECT_EQ(printer.ops.last().op, "killDoc");
    EXPECT_EQ(printer.pages(), 0);
}

TEST(TabLines, ItemsStartAtTheirPositionsAndLongTextMovesOn)
{
    EXPECT_EQ(TabLine().at(3, "ab").at(8, "c").lines(), QStringList{"   ab   c"});
    EXPECT_EQ(TabLine().at(0, "abcd").at(4, "e").lines(), (QStringList{"abcd", "    e"}))
        << "text right against the previous item would read as one word";
    EXPECT_EQ(TabLine().at(0, "abc ").at(4, "e").lines(), QStringList{"abc e"});
    EXPECT_EQ(TabLine().at(0, "abcdefg").at(4, "").at(9, "x").lines(), QStringList{"abcdefg  x"});
}

TEST(PlayerPrintouts, NoPrintedLineReachesTheFooter)
{
    // A 12-point line as a real printer sets it: 54 rows and the heading would reach 278 mm.
    const QString footer = "   Rivikone PRO v1.0     08.12.2026";
    QList<ListRow> scorers;
    QList<GridRow> standings;
    for (int i = 0; i < 130; ++i) {
        scorers << ListRow{"1", QString("Pelaaja %1").arg(i), "HJK", ""};
        standings << GridRow{QString("Joukkue %1").arg(i), "0", "0", "0", "0", "0", "0", "0"};
    }
    for (const Printout& printout : {scorersPrintout(scorers, kToday), teamPlayersPrintout("HJK", scorers, kToday),
                                     standingsPrintout(StandingsView::Total, "Kaikki", standings, kToday)}) {
        FakePrintDevice printer;
        printer.lineHeightMm = 4.8;
        ASSERT_TRUE(printPaged(printer, printout));
        EXPECT_EQ(printer.linesOverFooter(footer), QStringList());
        const QStringList lines = printer.printedLines();
        EXPECT_EQ(lines.filter(QRegularExpression("(Pelaaja|Joukkue) \\d+")).size(), 130) << "every row printed once";
    }
}
