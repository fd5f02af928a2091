#pragma once

#include "base/sharedstate.h"

#include <QString>
#include <array>

// Weights lean the drawing towards the basic row: with weight v a match gets
// the basic sign with probability (v - 2) / v and each other sign with 1 / v.

inline constexpr int kMinWeight = 3;     // no preference
inline constexpr int kMaxWeight = 10;    // basic sign 80 %
inline constexpr int kBankerWeight = 11; // always the basic sign
inline constexpr int kNoExcludedSign = 4;

// The basic sign's share as the windows show it: "33 %" ... "80 %".
QString weightLabel(int weight);

// What the per-match weights leave for the row count.
struct WeightTotals {
    int bankerCount = 0;
    int freeMatchCount = 13;
    qint32 fullSystemSize = 0; // 3 to the power of the free matches
};
WeightTotals weightTotals(const MatchValues& matchWeights);

// The three "use these signs" boxes of one match. At most one sign may be
// off; switching off a second one turns all three on again.
struct SignBoxes {
    std::array<bool, 3> on{true, true, true};
    int excluded = kNoExcludedSign;
};
// The user has just toggled box `sign` (its new state is already in `on`).
void signBoxClicked(SignBoxes& boxes, int sign);
