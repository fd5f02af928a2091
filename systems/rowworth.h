#pragma once

#include "systems/frame.h"
#include "systems/guaranteeanalysis.h"
#include "systems/matchtransform.h"
#include "systems/poolshare.h"

#include <array>
#include <optional>
#include <vector>

// What rows are worth against the prize pool. Every class's pool is shared
// by all its winning rows, so a row pays what it wins divided among the rows
// that win with it: the public's rows (a Poisson number with the mean the
// rows sold and the public's play give) and the player's own. Everything is
// summed exactly over all 3^13 outcomes, each weighted by the player's
// chances; nothing is sampled.

struct WorthModel {
    SignChances chances{};      // the player's: per match, fractions adding up to 1
    SignChances publicShares{}; // the public's play, the same way
    PoolRound round;
};

// Per match the three numbers scaled to add up to 1; a match whose numbers
// are all zero is taken as even.
SignChances fractionsPerMatch(const SignChances& numbers);

struct ReturnChance {
    double euros = 0;
    double chance = 0; // that the return is at least `euros`
};

struct WorthReport {
    std::size_t rows = 0;
    double stake = 0;
    double expectedReturn = 0;
    double returnShare = 0; // expected return / stake
    double chanceOfAnyPrize = 0;
    // Per class (13, 12, 11, 10 right): the chance that some row has exactly
    // that many right, and the expected return the class brings.
    std::array<double, 4> chanceOfClass{};
    std::array<double, 4> returnOfClass{};
    // With the details: the chance of a return of at least x euros for x
    // from the least return above nothing up to the largest, ascending; and
    // each row's part of the expected return (the rows winning together in
    // an outcome split what they take evenly), in the rows' order.
    std::vector<ReturnChance> returnChances;
    std::vector<double> rowWorth;
};

// Nothing when cancelled, without rows, with more than 65,535, or with a row
// that holds a byte that is no sign.
std::optional<WorthReport> worthOfRows(const std::vector<SignRow>& rows, const WorthModel& model, bool details,
                                       const TransformControl& control = {});

// The worth of every single row, played alone, indexed as pruning numbers
// rows (see systems/pruning.h). Nothing when cancelled.
std::optional<std::vector<double>> worthOfEveryRow(const WorthModel& model, const TransformControl& control = {});

// Worths equal to about twelve significant digits count as equal, so that the
// same sum taken in another order ties; of equal rows the earlier comes first.
bool worthsBefore(double worth, std::uint32_t row, double otherWorth, std::uint32_t otherRow);

// `count` rows of the frame, chosen one at a time: each time the row that
// adds the most to the expected return of the rows chosen before it (they
// share the pools with each other), ties to the earliest in the frame's
// order. The first is the single row worth most. Nothing when cancelled, when
// the frame is not valid or holds fewer rows than asked.
std::optional<std::vector<SignRow>> bestRows(const WorthModel& model, const Frame& frame, std::size_t count,
                                             const TransformControl& control = {});
