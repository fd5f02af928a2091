#include "football/hint.h"
#include "football/recordset.h"
#include "footballdata.h"

using namespace football;

namespace {

HintSide side(int wins, int draws, int losses, int points = 0)
{
    HintSide s;
    s.wins = wins;
    s.draws = draws;
    s.losses = losses;
    s.points = points;
    return s;
}

QChar signOf(int one, int draw, int two)
{
    return hintSign(HintScores{one, draw, two});
}

} // namespace

TEST(HintRule, HomeStrengthAgainstAwayWeakness)
{
    const HintScores s = hintScores(side(5, 2, 1), side(1, 3, 4), false);
    EXPECT_EQ(s.one, 9);
    EXPECT_EQ(s.draw, 5);
    EXPECT_EQ(s.two, 2);
    EXPECT_EQ(hintSign(s), '1');
}

TEST(HintRule, TiesBreakTowardsTheSignsOfTheRule)
{
    EXPECT_EQ(signOf(4, 4, 4), 'X') << "all level";
    EXPECT_EQ(signOf(5, 2, 5), 'X') << "1 and 2 level above X";
    EXPECT_EQ(signOf(5, 5, 2), '1') << "1 and X level above 2";
    EXPECT_EQ(signOf(2, 5, 5), '2') << "2 and X level above 1";
    EXPECT_EQ(signOf(1, 6, 2), 'X');
    EXPECT_EQ(signOf(1, 2, 6), '2');
    EXPECT_EQ(signOf(0, 0, 0), 'X');
}

TEST(HintRule, PointsGiveTheStrongerSideThree)
{
    EXPECT_EQ(hintScores(side(1, 1, 1, 10), side(1, 1, 1, 7), true).one, 5);
    EXPECT_EQ(hintScores(side(1, 1, 1, 10), side(1, 1, 1, 7), false).one, 2);
    const HintScores away = hintScores(side(1, 1, 1, 4), side(1, 1, 1, 7), true);
    EXPECT_EQ(std::tuple(away.one, away.draw, away.two), std::tuple(2, 2, 5));
    const HintScores level = hintScores(side(1, 1, 1, 7), side(1, 1, 1, 7), true);
    EXPECT_EQ(std::tuple(level.one, level.draw, level.two), std::tuple(2, 2, 2)) << "equal points change nothing";
}

TEST(HintRule, GoalRatioUsesAtLeastOneGoalAndRoundsHalvesToEven)
{
    EXPECT_EQ(goalRatio(5, 0), 5) << "no goals scored: divisor 1";
    EXPECT_EQ(goalRatio(0, 0), 0);
    EXPECT_EQ(goalRatio(5, 2), 2) << "2.5 rounds to 2";
    EXPECT_EQ(goalRatio(7, 2), 4) << "3.5 rounds to 4";
    EXPECT_EQ(goalRatio(4, 3), 1);
    EXPECT_EQ(goalRatio(2, 3), 1);
    EXPECT_EQ(goalRatioSign(1, 2), '1');
    EXPECT_EQ(goalRatioSign(2, 2), 'X');
    EXPECT_EQ(goalRatioSign(3, 2), '2');
}

TEST(HintRule, MarksAndFormComparison)
{
    EXPECT_EQ(signMarks('1'), (QPair<QString, QString>{"+", "-"}));
    EXPECT_EQ(signMarks('X'), (QPair<QString, QString>{"+ -", "+ -"}));
    EXPECT_EQ(signMarks('2'), (QPair<QString, QString>{"-", "+"}));
    EXPECT_EQ(formSign(7, 3), '1');
    EXPECT_EQ(formSign(3, 3), 'X');
    EXPECT_EQ(formSign(0, 3), '2');
}

TEST(HintRule, FiguresComeFromTheVenueColumnsAndTheLastRecordOfTheName)
{
    FootballFiles files;
    FootballDb& db = *files.db;
    insertTeam(db, 0, "Arsenal", {{"kpis", 1}, {"kkot", 9}});
    insertTeam(db, 0, "Arsenal",
               {{"kpis", 17}, {"kkot", 5}, {"ktas", 2}, {"kvie", 1}, {"kmkot", 0}, {"kmvie", 3}, {"vpis", 99}});
    insertTeam(db, 0, "Chelsea",
               {{"vpis", 4}, {"vkot", 1}, {"vtas", 3}, {"vvie", 4}, {"vmkot", 4}, {"vmvie", 10}, {"kpis", 99}});
    RecordSet teams(db);
    const auto home = readHintSide(teams, 0, "Arsenal", Venue::Home);
    ASSERT_TRUE(home);
    EXPECT_EQ(std::tuple(home->points, home->wins, home->draws, home->losses, home->goalRatio),
              std::tuple(17, 5, 2, 1, 3));
    const auto away = readHintSide(teams, 0, "Chelsea", Venue::Away);
    ASSERT_TRUE(away);
    EXPECT_EQ(std::tuple(away->points, away->wins, away->draws, away->losses, away->goalRatio),
              std::tuple(4, 1, 3, 4, 2));
    EXPECT_EQ(hintSign(hintScores(*home, *away, false)), '1');
    EXPECT_FALSE(readHintSide(teams, 1, "Arsenal", Venue::Home)) << "another league's table";
}

TEST(HintRule, FormIsTheSumOfTheLastThreeAndMissingWithoutARow)
{
    FootballFiles files;
    insertForm(*files.db, "HJK", 3, 1, 3);
    EXPECT_EQ(readForm(*files.db, "HJK"), 7);
    EXPECT_FALSE(readForm(*files.db, "KuPS"));
}

// A damaged or hand-edited database may hold any figure; the hint still
// points the way the figures do instead of wrapping round.
TEST(HintRule, FiguresBeyondAnySeasonStillPointTheRightWay)
{
    FootballFiles files;
    FootballDb& db = *files.db;
    insertTeam(db, 0, "Arsenal", {{"kkot", 4000000000}, {"kmvie", 9000000000000000000}, {"kmkot", 1}});
    insertTeam(db, 0, "Chelsea", {{"vvie", 3000000000}, {"vmvie", 1}, {"vmkot", 1}});
    RecordSet teams(db);
    const auto home = readHintSide(teams, 0, "Arsenal", Venue::Home);
    const auto away = readHintSide(teams, 0, "Chelsea", Venue::Away);
    ASSERT_TRUE(home && away);
    EXPECT_EQ(hintSign(hintScores(*home, *away, true)), '1') << "home wins and away losses both count";
    EXPECT_EQ(goalRatioSign(home->goalRatio, away->goalRatio), '2') << "the home side concedes far more";

    ASSERT_TRUE(db.exec(QStringLiteral("insert into %1 (joukkue, k1, k2, k3) values ('HJK', 1e300, 1e300, 0), "
                                       "('KuPS', -1e300, 0, 0)")
                            .arg(db.formTable())));
    EXPECT_EQ(formSign(readForm(db, "HJK").value_or(0), 3), '1');
    EXPECT_EQ(formSign(readForm(db, "KuPS").value_or(0), 3), '2');
}
