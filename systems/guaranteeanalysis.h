#pragma once

#include "systems/frame.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// What a set of rows guarantees over a frame: every outcome of the frame is
// tried as the correct row.

inline constexpr std::size_t kMostAnalysedRows = 32767;

// Prize classes in the order 13, 12, 11, 10 right.
inline constexpr std::array<int, 4> kPrizeClassHits = {13, 12, 11, 10};

struct RowsInClass {
    double average = 0; // over all outcomes
    int least = 0;
    int most = 0;
};

struct GuaranteeAnalysis {
    std::uint64_t outcomes = 0;
    int guarantee = 0; // the least best hits over all outcomes
    // Outcomes by their best hits, index 0..13.
    std::array<std::uint64_t, 14> outcomesByBestHits{};
    // Per prize class (13, 12, 11, 10 right): rows with exactly that many right.
    std::array<RowsInClass, 4> rowsInClass{};

    std::uint64_t outcomesWithBest(int hits) const { return outcomesByBestHits[std::size_t(hits)]; }
    std::uint64_t outcomesWithBestBelow10() const;
};

// With per-match sign chances: each outcome weighs the product of its signs'
// chances, renormalised within the frame.
struct WeightedGuaranteeAnalysis {
    // Per prize class (13, 12, 11, 10): the chance that the best row has exactly that many right.
    std::array<double, 4> chanceBestHas{};
    // Per prize class: the expected number of rows with exactly that many right.
    std::array<double, 4> expectedRows{};
};

// Chances of signs 1, X, 2 per match; any scale (percentages or fractions).
using SignChances = std::array<std::array<double, 3>, kFrameMatches>;

struct AnalysisControl {
    // Called on the calling thread with the fraction done (0..1).
    std::function<void(double)> progress;
    // Checked often; when it turns true the analysis stops and returns nothing.
    const std::atomic<bool>* cancel = nullptr;
    // 0 takes the machine's cores.
    unsigned threads = 0;
    // Row by row costs in proportion to rows × outcomes, match by match in
    // proportion to the outcomes alone; by default the cheaper is taken.
    enum class Engine { Cheaper, RowByRow, MatchByMatch };
    Engine engine = Engine::Cheaper;
};

struct AnalysisResult {
    GuaranteeAnalysis plain;
    std::optional<WeightedGuaranteeAnalysis> weighted; // when chances were given
};

// The guarantee over some of the frame's outcomes only, such as the rows a
// pruning kept: the fewest right the best row has on any of them. Nothing when
// cancelled, without rows or outcomes, or when an outcome is outside the frame.
std::optional<int> guaranteeOverOutcomes(const std::vector<SignRow>& rows, const Frame& frame,
                                         const std::vector<SignRow>& outcomes, const AnalysisControl& control = {});

// Nothing when cancelled, when the frame is not valid, or when there are no
// rows or more than kMostAnalysedRows. Rows may hold signs outside the frame
// (such a sign is simply never right).
std::optional<AnalysisResult> analyseGuarantee(const std::vector<SignRow>& rows, const Frame& frame,
                                               const AnalysisControl& control = {},
                                               const std::optional<SignChances>& chances = std::nullopt);
