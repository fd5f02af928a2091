#include "rows/conversion.h"

#include <algorithm>

ConversionPlan initialPlan(int halfGuards, int fullGuards)
{
    const int half = std::clamp(halfGuards, 0, kMatches);
    const int full = std::clamp(fullGuards, 0, kMatches - half);
    ConversionPlan plan{};
    for (int k = 0; k < kMatches; ++k)
        plan[k].role = k < half ? MatchRole::Half : k < half + full ? MatchRole::Full : MatchRole::Banker;
    return plan;
}

int countRole(const ConversionPlan& plan, MatchRole role)
{
    return int(std::count_if(plan.begin(), plan.end(), [role](const MatchConversion& m) { return m.role == role; }));
}

Row convertSystemRow(const Row& stored, int halfGuards, int fullGuards, const ConversionPlan& plan)
{
    // Both groups are taken before any cell is overwritten.
    const int half = std::clamp(halfGuards, 0, kMatches);
    const int full = std::clamp(fullGuards, 0, kMatches - half);
    Row out = stored;
    int nextHalf = 0;
    int nextFull = 0;
    for (int k = 0; k < kMatches; ++k) {
        const MatchConversion& m = plan[k];
        if (m.role == MatchRole::Half) {
            if (nextHalf < half) {
                const char value = stored[nextHalf];
                if (value == '1')
                    out[k] = m.forOne;
                else if (value == '2')
                    out[k] = m.forTwo;
            }
            ++nextHalf;
        } else if (m.role == MatchRole::Full) {
            if (nextFull < full)
                out[k] = stored[half + nextFull];
            ++nextFull;
        } else {
            out[k] = m.banker;
        }
    }
    return out;
}

void convertSystemRows(RowBuffer& rows, int rowCount, int halfGuards, int fullGuards, const ConversionPlan& plan)
{
    const int n = std::min<int>(rowCount, int(rows.size()));
    for (int i = 0; i < n; ++i)
        rows[i] = convertSystemRow(rows[i], halfGuards, fullGuards, plan);
}
