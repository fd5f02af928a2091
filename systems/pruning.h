#pragma once

#include "systems/frame.h"
#include "systems/guaranteeanalysis.h"
#include "systems/poolshare.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

// Pruning a system: of the rows of a frame, keep those that meet every
// condition switched on. Rows are numbered in base 3 with match 1 as the
// most significant digit (sign 1 = 0, X = 1, 2 = 2), so the numbers of a
// frame's rows ascend in the frame's own order.

using RowIndex = std::uint32_t;
RowIndex indexOfRow(const SignRow& row);
SignRow rowOfIndex(RowIndex index);
std::vector<SignRow> rowsOfIndices(const std::vector<RowIndex>& indices);

inline constexpr std::uint16_t kAllMatches = (1u << kFrameMatches) - 1;
// A favourite row may leave a match without a favourite.
inline constexpr std::uint8_t kNoFavourite = 3;

struct CountRange {
    int least = 0;
    int most = kFrameMatches;
    bool operator==(const CountRange&) const = default;
};

enum class ConditionKind {
    SignCount,      // how many of one sign, over all matches or a group
    Favourites,     // how many of the favourite signs
    LongestRun,     // the longest run of one sign over consecutive matches
    SignChanges,    // how often the sign changes from one match to the next
    MostProbable,   // the N most probable of the rows the other conditions keep
    MinProbability, // rows at least this probable (percent)
    MinValue,       // rows whose probability / public share is at least this
};

struct Condition {
    ConditionKind kind = ConditionKind::SignCount;
    bool on = true;
    CountRange range;                    // SignCount, Favourites, LongestRun, SignChanges
    std::uint8_t sign = 0;               // SignCount
    std::uint16_t matches = kAllMatches; // SignCount: bit m = match m + 1
    SignRow favourites{};                // Favourites: kNoFavourite where a match has none
    std::uint64_t rowsToKeep = 0;        // MostProbable
    double threshold = 0;                // MinProbability (percent), MinValue
    bool operator==(const Condition&) const = default;
};

// Per match three numbers as the player gave them: percentages of 1, X and 2,
// or bookmakers' decimal odds.
struct MatchNumbers {
    SignChances numbers{};
    bool odds = false;
    bool operator==(const MatchNumbers&) const = default;
};

struct PruningSet {
    Frame frame;
    std::vector<Condition> conditions;
    std::optional<MatchNumbers> chances;      // needed by the probability conditions
    std::optional<MatchNumbers> publicShares; // needed by MinValue (percentages)
    std::optional<PoolRound> round;           // kept with the numbers for the worth of rows
    bool operator==(const PruningSet&) const = default;
};

// The checks of the numbers: an empty text when they do, otherwise the
// player's message naming the match. Percentages are at least 0 and add up
// to 100 within rounding (98 ... 102); odds are above 1.
QString numbersProblem(const MatchNumbers& numbers);
// Chances of each match as fractions adding up to 1. Odds lose the
// bookmaker's margin: 1/odds scaled to add up to 100 %.
SignChances chancesOf(const MatchNumbers& numbers);

// What keeps a set from being applied (a frame with an empty match, a range
// whose least exceeds its most, a probability condition without
// probabilities …), as the player's message; empty when it can be applied.
QString pruningSetProblem(const PruningSet& set);
QString conditionProblem(const Condition& condition);

// What a condition of each kind is given by: a range of counts (at most
// rangeTop) or the player's probabilities.
bool conditionHasRange(ConditionKind kind);
int conditionRangeTop(ConditionKind kind);
bool conditionUsesProbabilities(ConditionKind kind);
// The messages of a range that does not do, in one wording wherever a range is read.
QString rangeOutsideText(int top);
QString rangeReversedText(const CountRange& range);

// The rows of the frame that meet every condition switched on, in the
// frame's order. The N most probable are taken among the rows the other
// conditions keep; of rows equally probable (the same chances multiplied in
// another order, within a relative 1e-12) the earlier ones go first. Nothing when the set has a problem or `cancel`
// turns true.
std::optional<std::vector<RowIndex>> applyPruning(const PruningSet& set, const std::atomic<bool>* cancel = nullptr);

// A row's probability (a fraction) under the chances; the public share the same way.
double rowProbability(const SignRow& row, const SignChances& fractions);

// The chance that the correct row is one of `rows`: their probabilities added up.
double probabilityOfRows(const std::vector<RowIndex>& rows, const SignChances& fractions);

// The rows of the frame in order of probability, most probable first, ties
// in the frame's order; at most `limit` of them (0: all).
std::vector<RowIndex> rankByProbability(const Frame& frame, const SignChances& fractions, std::size_t limit = 0);

// Where the conditions a window or a file holds are shown to the player.
QString conditionText(const Condition& condition);

// Why kept rows are not saved: more than a rows file holds.
QString tooManyKeptRowsMessage(std::size_t rows);
