#include "football/results.h"
#include "football/teamstats.h"
#include "football/transfers.h"
#include "footballdata.h"

#include <QSqlQuery>

using namespace football;

// Totals kept while the user edits a team

namespace {

TeamStatistics statsWith(std::initializer_list<std::pair<int, qint64>> values)
{
    TeamStatistics s{};
    for (auto [position, value] : values)
        s[position] = value;
    return s;
}

} // namespace

TEST(TeamTotals, ADrawAtHomeRaisesTheTotalAndRealignsHomeMatchesAndPoints)
{
    using namespace team;
    TeamStatistics s = statsWith({{HomeWins, 4},
                                  {HomeDraws, 2},
                                  {HomeLosses, 1},
                                  {HomePlayed, 7},
                                  {HomePoints, 14},
                                  {AwayDraws, 1},
                                  {AwayPlayed, 1},
                                  {AwayPoints, 1},
                                  {Draws, 3}});
    s[HomeDraws] = 3;
    const QList<int> changed = keepTotals(s, HomeDraws);
    EXPECT_EQ(s[Draws], 4);
    EXPECT_EQ(s[HomePlayed], 4 + 3 + 1);
    EXPECT_EQ(s[HomePoints], 3 * 4 + 3);
    EXPECT_EQ(s[Played], 8 + 1) << "home matches in turn update the total";
    EXPECT_EQ(s[Points], 15 + 1);
    EXPECT_TRUE(changed.contains(Draws) && changed.contains(HomePlayed) && changed.contains(HomePoints) &&
                changed.contains(Played) && changed.contains(Points));
    EXPECT_FALSE(changed.contains(HomeDraws));
}

TEST(TeamTotals, HomeAndAwayFiguresAddUpToTheTotals)
{
    using namespace team;
    TeamStatistics s = statsWith({{HomeGoalsFor, 10},
                                  {AwayGoalsFor, 7},
                                  {HomePlayed, 5},
                                  {AwayPlayed, 6},
                                  {HomeGoalsAgainst, 3},
                                  {AwayGoalsAgainst, 9},
                                  {HomePoints, 9},
                                  {AwayPoints, 4}});
    keepTotals(s, AwayGoalsFor);
    EXPECT_EQ(s[GoalsFor], 17);
    keepTotals(s, HomePlayed);
    EXPECT_EQ(s[Played], 11);
    keepTotals(s, HomeGoalsAgainst);
    EXPECT_EQ(s[GoalsAgainst], 12);
    keepTotals(s, AwayPoints);
    EXPECT_EQ(s[Points], 13);
    EXPECT_EQ(s[HomePlayed], 5) << "matches follow results only when a result changes";
}

TEST(TeamTotals, AnAwayWinSetsAwayMatchesAndPoints)
{
    using namespace team;
    TeamStatistics s = statsWith({{AwayWins, 2}, {AwayLosses, 1}, {HomePlayed, 2}, {HomePoints, 6}});
    keepTotals(s, AwayWins);
    EXPECT_EQ(s[Wins], 2);
    EXPECT_EQ(s[AwayPlayed], 3);
    EXPECT_EQ(s[AwayPoints], 6);
    EXPECT_EQ(s[Played], 5);
    EXPECT_EQ(s[Points], 12);
    EXPECT_TRUE(keepTotals(s, Points).isEmpty()) << "a total edited directly stays as typed";
}

// Result arithmetic

TEST(MatchResults, PointsAndResultsPerOutcome)
{
    const MatchOutcome win = matchOutcome(3, 1);
    EXPECT_EQ(std::tie(win.homePoints, win.awayPoints, win.homeWins, win.awayLosses), std::tuple(3, 0, 1, 1));
    EXPECT_EQ(win.homeDraws + win.homeLosses + win.awayWins + win.awayDraws, 0);
    const MatchOutcome draw = matchOutcome(2, 2);
    EXPECT_EQ(std::tie(draw.homePoints, draw.awayPoints, draw.homeDraws, draw.awayDraws), std::tuple(1, 1, 1, 1));
    EXPECT_EQ(draw.homeWins + draw.homeLosses + draw.awayWins + draw.awayLosses, 0);
    const MatchOutcome loss = matchOutcome(0, 1);
    EXPECT_EQ(std::tie(loss.homePoints, loss.awayPoints, loss.homeLosses, loss.awayWins), std::tuple(0, 3, 1, 1));
}

TEST(MatchResults, FormKeepsTheLastThreeMatches)
{
    EXPECT_EQ(shiftedForm(FormValues{3, 1, 0}, 3), (FormValues{1, 0, 3}));
    EXPECT_EQ(shiftedForm(std::nullopt, 1), (FormValues{0, 0, 1}));
}

struct SaveMatchTest : ::testing::Test {
    FootballFiles files;
    FootballDb& db = *files.db;
    void SetUp() override
    {
        insertTeam(db, 4, "HJK", {}, "01.01.2026");
        insertTeam(db, 4, "KuPS", {}, "01.01.2026");
        insertTeam(db, 4, "Inter");
    }
    qint64 v(const QString& team, const QString& column) { return teamValue(db, 4, team, column); }
    QVariant form(const QString& team, const QString& k) { return lookup(db, "pro.kunto", k, "joukkue", team); }
};

TEST_F(SaveMatchTest, ADrawGivesBothTeamsAPointAndShiftsTheirForm)
{
    insertForm(db, "HJK", 3, 0, 3);
    insertForm(db, "KuPS", 1, 1, 0);
    ASSERT_TRUE(saveMatch(db, {4, "HJK", "KuPS", 2, 2, "08.12.2026"}));
    for (const char* t : {"HJK", "KuPS"}) {
        EXPECT_EQ(v(t, "pisteet"), 1) << t;
        EXPECT_EQ(v(t, "ottelut"), 1) << t;
        EXPECT_EQ(v(t, "otas"), 1) << t;
        EXPECT_EQ(v(t, "mkot"), 2) << t;
        EXPECT_EQ(v(t, "mvie"), 2) << t;
        EXPECT_EQ(lookup(db, "veikliiga", "pvm", "Joukkue", t).toString(), "08.12.2026");
    }
    EXPECT_EQ(v("HJK", "kot"), 1);
    EXPECT_EQ(v("HJK", "ktas"), 1);
    EXPECT_EQ(v("HJK", "kpis"), 1);
    EXPECT_EQ(v("HJK", "kmkot"), 2);
    EXPECT_EQ(v("HJK", "vot"), 0);
    EXPECT_EQ(v("KuPS", "vot"), 1);
    EXPECT_EQ(v("KuPS", "vtas"), 1);
    EXPECT_EQ(v("KuPS", "vmvie"), 2);
    EXPECT_EQ(v("KuPS", "kot"), 0);
    EXPECT_EQ(form("HJK", "k1"), 0);
    EXPECT_EQ(form("HJK", "k2"), 3);
    EXPECT_EQ(form("HJK", "k3"), 1);
    EXPECT_EQ(form("KuPS", "k1"), 1);
    EXPECT_EQ(form("KuPS", "k2"), 0);
    EXPECT_EQ(form("KuPS", "k3"), 1);
}

TEST_F(SaveMatchTest, AnAwayWinAndTeamsNewToTheFormTable)
{
    ASSERT_TRUE(saveMatch(db, {4, "HJK", "KuPS", 0, 1, ""}));
    EXPECT_EQ(v("HJK", "pisteet"), 0);
    EXPECT_EQ(v("HJK", "kvie"), 1);
    EXPECT_EQ(v("HJK", "ovie"), 1);
    EXPECT_EQ(v("HJK", "kmvie"), 1);
    EXPECT_EQ(v("KuPS", "pisteet"), 3);
    EXPECT_EQ(v("KuPS", "vpis"), 3);
    EXPECT_EQ(v("KuPS", "vkot"), 1);
    EXPECT_EQ(v("KuPS", "okot"), 1);
    EXPECT_EQ(v("KuPS", "vmkot"), 1);
    EXPECT_EQ(lookup(db, "veikliiga", "pvm", "Joukkue", "HJK").toString(), "01.01.2026") << "no date, no change";
    EXPECT_EQ((QList<QVariant>{form("HJK", "k1"), form("HJK", "k2"), form("HJK", "k3")}), (QList<QVariant>{0, 0, 0}));
    EXPECT_EQ((QList<QVariant>{form("KuPS", "k1"), form("KuPS", "k2"), form("KuPS", "k3")}),
              (QList<QVariant>{0, 0, 3}));
    EXPECT_EQ(v("Inter", "ottelut"), 0);
}

TEST_F(SaveMatchTest, SavingTwiceCountsTwiceAndDuplicateNamesAllCount)
{
    insertTeam(db, 4, "HJK");
    ASSERT_TRUE(saveMatch(db, {4, "HJK", "KuPS", 3, 0, ""}));
    ASSERT_TRUE(saveMatch(db, {4, "HJK", "KuPS", 3, 0, ""}));
    QSqlQuery q(db.database());
    q.exec("select pisteet from veikliiga where Joukkue = 'HJK'");
    int records = 0;
    while (q.next()) {
        EXPECT_EQ(q.value(0).toInt(), 6);
        ++records;
    }
    EXPECT_EQ(records, 2);
    EXPECT_EQ(form("HJK", "k2"), 3);
    EXPECT_EQ(form("HJK", "k3"), 3);
}

TEST_F(SaveMatchTest, AFailureLeavesBothDatabasesAsTheyWere)
{
    // The form table refuses the new rows, after both teams have been updated.
    ASSERT_TRUE(db.exec("create trigger pro.refuse before insert on kunto begin select raise(abort, 'full'); end"));
    const Outcome<> saved = saveMatch(db, {4, "HJK", "KuPS", 1, 0, "08.12.2026"});
    ASSERT_FALSE(saved);
    EXPECT_FALSE(saved.failure().message.isEmpty());
    EXPECT_EQ(v("HJK", "pisteet"), 0);
    EXPECT_EQ(v("KuPS", "ottelut"), 0);
    EXPECT_EQ(rowCount(db, "pro.kunto"), 0);
    EXPECT_EQ(lookup(db, "veikliiga", "pvm", "Joukkue", "HJK").toString(), "01.01.2026");
}

TEST_F(SaveMatchTest, ATeamMissingFromTheLeagueFailsTheWholeMatch)
{
    const Outcome<> saved = saveMatch(db, {4, "HJK", "Honka", 1, 0, ""});
    ASSERT_FALSE(saved);
    EXPECT_TRUE(saved.failure().message.contains("Honka"));
    EXPECT_EQ(v("HJK", "pisteet"), 0);
}

// Scorers

TEST_F(SaveMatchTest, OnlyPlayersOfTeamsThatScoredAreOffered)
{
    insertPlayer(db, 4, "Lod", "HJK");
    insertPlayer(db, 4, "Ilo", "KuPS");
    insertPlayer(db, 4, "Other", "Inter");
    insertPlayer(db, 4, "Radulovic", "HJK");
    auto names = [](const QList<ScorerCandidate>& list) {
        QStringList out;
        for (const auto& c : list)
            out << c.player + "/" + c.team;
        return out;
    };
    EXPECT_EQ(names(scorerCandidates(db, 4, "HJK", true, "KuPS", false).value()), (QStringList{"Lod/HJK", "Radulovic/HJK"}));
    EXPECT_EQ(names(scorerCandidates(db, 4, "HJK", true, "KuPS", true).value()),
              (QStringList{"Lod/HJK", "Ilo/KuPS", "Radulovic/HJK"}));
    EXPECT_TRUE(scorerCandidates(db, 4, "HJK", false, "KuPS", false).value().isEmpty());
    EXPECT_EQ(scorerItemText({"Lod", "HJK"}), "Lod                 HJK");
    EXPECT_EQ(scorerItemText({"Aleksandar Radulovic Jr", "HJK"}), "Aleksandar Radulovic Jr HJK");
}

TEST_F(SaveMatchTest, CreditedGoalsGoToEveryRecordOfThePlayerInHisTeam)
{
    insertPlayer(db, 4, "Virtanen", "HJK", 2, false, "", "01.01.2026");
    insertPlayer(db, 4, "Virtanen", "HJK", 0);
    insertPlayer(db, 4, "Virtanen", "Inter", 4, false, "", "01.01.2026");
    EXPECT_EQ(creditScorer(db, 4, {"Virtanen", "HJK"}, 2, "08.12.2026").value(), 2);
    QSqlQuery q(db.database());
    q.exec("select joukkue, maaleja, pvm from pv order by rowid");
    QStringList rows;
    while (q.next())
        rows << QStringLiteral("%1 %2 %3").arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString());
    EXPECT_EQ(rows, (QStringList{"HJK 4 08.12.2026", "HJK 2 08.12.2026", "Inter 4 01.01.2026"}));
    EXPECT_EQ(creditScorer(db, 4, {"Nobody", "HJK"}, 1, "").value(), 0);
}

// Moving teams and players between leagues

TEST_F(SaveMatchTest, AMovedTeamTakesItsFiguresButNotItsDateOrPlayers)
{
    ASSERT_TRUE(saveMatch(db, {4, "HJK", "KuPS", 4, 1, "08.12.2026"}));
    insertPlayer(db, 4, "Lod", "HJK", 3);
    QSqlQuery q(db.database());
    q.exec("select rowid from veikliiga where Joukkue = 'HJK'");
    ASSERT_TRUE(q.next());
    const qint64 id = q.value(0).toLongLong();
    q.finish();
    ASSERT_TRUE(db.exec("update veikliiga set Kotipaikka = 'Helsinki', Kotikenttä = 'Bolt Arena', manageri = 'X' "
                        "where rowid = ?",
                        {id}));
    ASSERT_TRUE(moveTeam(db, 4, 5, id));
    EXPECT_EQ(rowCount(db, "veikliiga"), 2);
    EXPECT_EQ(teamValue(db, 5, "HJK", "pisteet"), 3);
    EXPECT_EQ(teamValue(db, 5, "HJK", "kmkot"), 4);
    EXPECT_EQ(teamValue(db, 5, "HJK", "vmvie"), 0);
    EXPECT_EQ(lookup(db, "ykkonen", "Kotikenttä", "Joukkue", "HJK").toString(), "Bolt Arena");
    EXPECT_EQ(lookup(db, "ykkonen", "manageri", "Joukkue", "HJK").toString(), "X");
    EXPECT_TRUE(lookup(db, "ykkonen", "pvm", "Joukkue", "HJK").isNull());
    EXPECT_EQ(rowCount(db, "pv"), 1) << "the players stay behind";
}

TEST_F(SaveMatchTest, AFailedMoveLeavesTheTeamWhereItWas)
{
    ASSERT_TRUE(db.exec("create trigger refuse before insert on ykkonen begin select raise(abort, 'no'); end"));
    const Outcome<> moved = moveTeam(db, 4, 5, 1);
    ASSERT_FALSE(moved);
    EXPECT_FALSE(moved.failure().message.isEmpty());
    EXPECT_EQ(rowCount(db, "veikliiga"), 3);
    EXPECT_EQ(rowCount(db, "ykkonen"), 0);
    EXPECT_FALSE(moveTeam(db, 4, 5, 999)) << "a record that is gone";
}

TEST_F(SaveMatchTest, AMovedPlayerWaitsForANewTeam)
{
    insertPlayer(db, 4, "Lod", "HJK", 7, true, "hyökkääjä", "01.01.2026");
    ASSERT_TRUE(movePlayer(db, 4, 0, 1));
    EXPECT_EQ(rowCount(db, "pv"), 0);
    QSqlQuery q(db.database());
    q.exec("select pelaaja, joukkue, paikka, maaleja, poissa, pvm from pvalio");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "Lod");
    EXPECT_EQ(q.value(1).toString(), "?");
    EXPECT_EQ(q.value(2).toString(), "hyökkääjä");
    EXPECT_EQ(q.value(3).toInt(), 7);
    EXPECT_EQ(q.value(4).toInt(), 1);
    EXPECT_TRUE(q.value(5).isNull());
}
