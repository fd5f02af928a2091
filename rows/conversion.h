#pragma once

#include "base/rows.h"

#include <array>

// Fitting an own system to the coupon. A system row is stored in a fixed
// column order: first the two-sign columns, then the three-sign columns, then
// the bankers. The player places each group on matches of the coupon and says
// which real signs the stored ones stand for.

enum class MatchRole : int { Half = 1, Full = 2, Banker = 3 };

struct MatchConversion {
    MatchRole role = MatchRole::Banker;
    char banker = '1'; // the banker's sign
    char forOne = '1'; // what a stored "1" of a two-sign match becomes
    char forTwo = '2'; // ... and a stored "2"
};

using ConversionPlan = std::array<MatchConversion, kMatches>;

// The plan as the window first shows it: the first `halfGuards` matches
// two-sign, the next `fullGuards` three-sign, the rest bankers; every sign
// keeps its stored meaning. Counts beyond the coupon are cut to it.
ConversionPlan initialPlan(int halfGuards, int fullGuards);

int countRole(const ConversionPlan& plan, MatchRole role);

// A stored system row as a pools row. The i-th two-sign column goes to the
// i-th two-sign match from the top, likewise the three-sign columns; a stored
// two-sign value other than "1" or "2" leaves its match's cell as it was.
Row convertSystemRow(const Row& stored, int halfGuards, int fullGuards, const ConversionPlan& plan);

// Rewrites rows 0..rowCount-1 in place.
void convertSystemRows(RowBuffer& rows, int rowCount, int halfGuards, int fullGuards, const ConversionPlan& plan);
