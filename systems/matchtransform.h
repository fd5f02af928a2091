#pragma once

#include "systems/frame.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// Figures about every outcome of a frame at once, built match by match
// rather than row by row: after the rows are put in their places, one pass
// per match moves each count from "right" to "one more wrong" for the match's
// other signs. The work grows with the outcomes (times the distances kept),
// not with the rows, so 32,767 rows cost what one row costs.
//
// Outcomes are numbered in the frame's own order (match 1 slowest, signs
// 1 < X < 2 within a match, only the played signs). A row's sign outside the
// frame is one more value on that match, wrong for every outcome.

// Between matches: the fraction done (0..1) and a way to stop.
struct TransformControl {
    std::function<void(double)> progress;
    const std::atomic<bool>* cancel = nullptr;
    unsigned threads = 0; // 0 takes the machine's cores
    bool cancelled() const { return cancel && cancel->load(std::memory_order_relaxed); }
};

// How many cells the transforms of these rows work on: the frame's outcomes,
// with one value more on each match where some row plays outside the frame.
std::uint64_t transformCells(const std::vector<SignRow>& rows, const Frame& frame);

// counts[d][outcome]: how many rows have exactly d wrong, for d = 0 … depth.
// At most 65,535 rows. Nothing when cancelled.
using RowsByDistance = std::vector<std::vector<std::uint16_t>>;
std::optional<RowsByDistance> countRowsByDistance(const std::vector<SignRow>& rows, const Frame& frame, int depth,
                                                  const TransformControl& control = {});

// Per outcome the fewest wrong of any row (13 − the best row's hits).
// At least one row. Nothing when cancelled.
std::optional<std::vector<std::uint8_t>> nearestRowDistance(const std::vector<SignRow>& rows, const Frame& frame,
                                                            const TransformControl& control = {});

// Over all 3^13 outcomes of the full frame, numbered as rows are (match 1
// the most significant base-3 digit): given a weight per outcome for each
// distance d = 0 … 3, returns for every row r the sum over d of the weights
// w_d(o) of the outcomes o that r has exactly d wrong against. Hamming
// distance is symmetric, so this is the same pass run from the outcomes'
// side. Nothing when cancelled.
using WeightsByDistance = std::array<std::vector<double>, 4>;
std::optional<std::vector<double>> sumOverRowsNeighbours(WeightsByDistance weights,
                                                         const TransformControl& control = {});

// Row numbers as pruning numbers them: match m is the base-3 digit of 3^(12 − m).
inline constexpr std::array<std::uint32_t, kFrameMatches> kMatchPlaceValue = {
    531441, 177147, 59049, 19683, 6561, 2187, 729, 243, 81, 27, 9, 3, 1};

// Every outcome within three wrong of a row of the full frame, with how many
// it has wrong: 1 + 26 + 312 + 2,288 = 2,627 of them, always in the same order.
template <typename Visit> void forEachOutcomeWithin3(std::uint32_t row, Visit&& visit)
{
    // The two steps that change match m to one of its other signs.
    std::array<std::array<std::int64_t, 2>, kFrameMatches> step{};
    std::uint32_t rest = row;
    for (int m = kFrameMatches - 1; m >= 0; --m) {
        const int sign = int(rest % 3);
        rest /= 3;
        int k = 0;
        for (int other = 0; other < 3; ++other)
            if (other != sign)
                step[m][k++] = std::int64_t(other - sign) * kMatchPlaceValue[m];
    }
    visit(row, 0);
    for (int a = 0; a < kFrameMatches; ++a)
        for (std::int64_t sa : step[a]) {
            const std::int64_t ra = row + sa;
            visit(std::uint32_t(ra), 1);
            for (int b = a + 1; b < kFrameMatches; ++b)
                for (std::int64_t sb : step[b]) {
                    const std::int64_t rb = ra + sb;
                    visit(std::uint32_t(rb), 2);
                    for (int c = b + 1; c < kFrameMatches; ++c)
                        for (std::int64_t sc : step[c])
                            visit(std::uint32_t(rb + sc), 3);
                }
        }
}
