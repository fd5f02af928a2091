#include "base/settings.h"
#include "rows/correctrow.h"
#include "rows/patternaccept.h"
#include "rows/rowentry.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(RowEntryLogic, SystemMarksCountEverySignAndTheBasicRowOnlyOnePerMatch)
{
    SharedState s;
    ResetTaskState(s);
    for (int sign = 0; sign < 3; ++sign)
        toggleSystemMark(s.SystemMarks, s.BasicSignCount, sign, 4);
    EXPECT_EQ(s.BasicSignCount, 3);
    EXPECT_EQ(markCount(s.SystemMarks), 3);
    EXPECT_EQ(markedMatches(s.SystemMarks), 1);
    toggleSystemMark(s.SystemMarks, s.BasicSignCount, 1, 4);
    EXPECT_EQ(s.BasicSignCount, 2);

    SharedState row;
    ResetTaskState(row);
    for (int sign = 0; sign < 3; ++sign)
        toggleBasicSign(row.BasicMarks, row.BasicSigns, row.BasicSignCount, sign, 7);
    EXPECT_EQ(row.BasicSignCount, 1);
    EXPECT_EQ(markCount(row.BasicMarks), 1);
    EXPECT_EQ(row.BasicMarks[2][7], 1);
    EXPECT_EQ(row.BasicSigns[7], "2");
}

TEST(PatternAcceptLogic, TheTaskDecidesWhichRulesApply)
{
    SharedState s;
    ResetTaskState(s);
    for (int k = 0; k < kMatches; ++k)
        toggleSystemMark(s.SystemMarks, s.BasicSignCount, 0, k);
    toggleSystemMark(s.SystemMarks, s.BasicSignCount, 1, 0);
    // A typed system wins over the other uses; a random-row system over a reduced one.
    s.RowSource = 0;
    s.DrawMode = 1;
    s.HaravaTask = 1;
    EXPECT_EQ(acceptPattern(s), PatternOutcome::CheckTypedSystem);
    s.RowSource = 1;
    EXPECT_EQ(acceptPattern(s), PatternOutcome::DrawRandomSystem);
    EXPECT_EQ(s.HalfGuardCount, 1);
    EXPECT_EQ(s.FullGuardCount, 0);
    // A reduced system that was never chosen fits no pattern.
    s.DrawMode = 0;
    s.SystemLetter.clear();
    EXPECT_EQ(acceptPattern(s), PatternOutcome::WrongShape);
    EXPECT_EQ(s.MatchSignCount[0], 2);
}

TEST(CorrectRowLogic, RecordsAreAppendedAndTheLastRoundIsKeptOnce)
{
    QTemporaryDir dir;
    QTemporaryDir settingsDir;
    Settings settings(settingsDir.filePath("s.ini"));
    EXPECT_TRUE(lastStoredRound(settings, dir.path()).round.isEmpty());
    EXPECT_FALSE(settings.contains("OKT", "KRS"));

    MatchStrings signs;
    signs.fill("1");
    signs[12] = ""; // never stored so by the window; still a 21-byte record
    ASSERT_TRUE(appendCorrectRow(dir.path(), signs, "2026", "4").ok());
    QFile file(correctRowsPath(dir.path()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("111111111111 2026 4  "));
    file.close();

    const StoredRound found = lastStoredRound(settings, dir.path());
    EXPECT_EQ(found.round, "4");
    EXPECT_EQ(found.year, "2026");
    EXPECT_EQ(settings.read(keys::LastRound), "4");
    // From now on the settings answer, whatever the file says.
    ASSERT_TRUE(appendCorrectRow(dir.path(), signs, "2027", "8").ok());
    EXPECT_EQ(lastStoredRound(settings, dir.path()).round, "4");
}
