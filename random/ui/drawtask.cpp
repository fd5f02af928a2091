#include "random/ui/drawtask.h"

#include "random/weights.h"

DrawPlan drawPlanOfTask(const SharedState& s)
{
    DrawPlan plan;
    plan.kind = s.DrawMode == 1 ? DrawPlan::System : DrawPlan::Weighted;
    plan.count = s.DrawCount;
    plan.basic = basicRow(s);
    for (int k = 0; k < kMatches; ++k) {
        plan.weights[k] = s.PerMatchWeights == 1 ? s.MatchWeights[k] : s.CommonWeight;
        plan.excluded[k] = s.WeightedDraw == 1 ? s.ExcludedSigns[k] : kNoExcludedSign;
        for (int sign = 0; sign < 3; ++sign)
            plan.allowed[k][sign] = s.SystemMarks[sign][k] == 1;
    }
    return plan;
}

RowCountLimits rowCountLimitsOfTask(const SharedState& s)
{
    return {s.HalfGuardCount, s.FullGuardCount, s.PerMatchWeights == 1, s.FullSystemSize, s.FreeMatchCount};
}
