#include "random/weights.h"

#include <cmath>

QString weightLabel(int weight)
{
    if (weight < kMinWeight || weight > kMaxWeight)
        return QString();
    const int percent = int(std::lround(100.0 * (weight - 2) / weight));
    return QString::number(percent) + " %";
}

WeightTotals weightTotals(const MatchValues& matchWeights)
{
    WeightTotals totals;
    for (int weight : matchWeights)
        totals.bankerCount += weight == kBankerWeight;
    totals.freeMatchCount = kMatches - totals.bankerCount;
    qint32 size = 1;
    for (int i = 0; i < totals.freeMatchCount; ++i)
        size *= 3;
    totals.fullSystemSize = totals.freeMatchCount == 1 ? 3 : size;
    return totals;
}

void signBoxClicked(SignBoxes& boxes, int sign)
{
    if (sign < 0 || sign > 2)
        return;
    const bool secondOff = !boxes.on[sign] && boxes.excluded != kNoExcludedSign && boxes.excluded != sign;
    if (boxes.on[sign] || secondOff) {
        boxes.on = {true, true, true};
        boxes.excluded = kNoExcludedSign;
        return;
    }
    boxes.on = {true, true, true};
    boxes.on[sign] = false;
    boxes.excluded = sign;
}
