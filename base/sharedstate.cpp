#include "base/sharedstate.h"

void ResetTaskState(SharedState& s)
{
    for (auto& sign : s.BasicMarks)
        sign.fill(0);
    for (auto& sign : s.SystemMarks)
        sign.fill(0);
    for (auto& sign : s.BasicSigns)
        sign.clear();
    s.Rows.assign(2, Row{});
    s.BasicSignCount = 0;
    s.HalfGuardCount = 0;
    s.FullGuardCount = 0;
    s.RandomTask = 0;
    s.CheckTask = 0;
    s.HaravaTask = 0;
    s.PrintTarget = 0;
    s.ExportTarget = 0;
    s.RowSource = 1;

    // Per-task values of the random-row windows
    s.WeightedDraw = 0;
    s.CommonWeight = 0;
    s.PerMatchWeights = 0;
    s.MatchWeights.fill(0);
    s.ExcludedSigns.fill(4);
    s.BankerCount = 0;
    s.FreeMatchCount = 0;
    s.FullSystemSize = 0;
    s.DrawCount = 0;
    s.DrawMode = 0;
    s.HalfCombinations = 0;
    s.FullCombinations = 0;
    s.FullGuardFlags.fill(0);
    s.FullGuardTotal = 0;

    // ... and of checking
    s.CheckFileType = 0;
    s.PrizeClassCounts.fill(0);
    s.LastFullHitRow = 0;
    s.MatchHits.fill(0);
    s.MatchPercents.fill(0);
    s.ListedLines = 0;
    s.BlockBoundary = 0;
}

Row basicRow(const SharedState& s)
{
    Row row{};
    for (int k = 0; k < kMatches; ++k)
        if (!s.BasicSigns[k].isEmpty())
            row[k] = char(s.BasicSigns[k][0].toLatin1());
    return row;
}
