#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// Rows and frames as the systems logic sees them: sign 0 = "1", 1 = "X",
// 2 = "2", matches 1..13 in places 0..12. Plain numbers rather than the
// characters of a rows file, so the hot loops index tables directly; any
// other number stands for a byte that is no sign and is never right.
// Standard library only; systems/frametext.h converts from and to the rows,
// patterns and texts of the rest of the program.

inline constexpr int kFrameMatches = 13;

using SignRow = std::array<std::uint8_t, kFrameMatches>;

// Per match, the set of played signs as bits (bit s = sign s). A valid frame
// plays one to three signs on every match.
struct Frame {
    std::array<std::uint8_t, kFrameMatches> played{};
    bool operator==(const Frame&) const = default;
};

int playedCount(const Frame& frame, int match);
// The played signs of one match in ascending order.
std::vector<std::uint8_t> playedSigns(const Frame& frame, int match);
bool frameIsValid(const Frame& frame);
bool rowInsideFrame(const SignRow& row, const Frame& frame);

// The frame the rows themselves use: per match the signs that occur in them.
Frame frameOfRows(const std::vector<SignRow>& rows);

// 2^h · 3^f for h two-sign and f three-sign matches (at most 3^13, so it fits).
std::uint64_t outcomeCount(const Frame& frame);

// The frame's outcomes in its own order: match 1 slowest, match 13 fastest,
// signs 1 < X < 2 within a match. The visitor returns false to stop early.
void forEachOutcomeInOrder(const Frame& frame, const std::function<bool(const SignRow&)>& visit);

// The same outcomes in Gray order: consecutive outcomes differ in exactly one
// match, so work kept per outcome can be updated rather than recomputed.
// `changedMatch` is -1 for the first outcome.
void forEachOutcomeInGrayOrder(const Frame& frame,
                               const std::function<bool(const SignRow& outcome, int changedMatch)>& visit);

// A cursor over a stretch of the Gray order, so that threads can each take
// one: positioned at any index in O(13), then stepped one outcome at a time.
class GrayCursor {
public:
    GrayCursor(const Frame& frame, std::uint64_t index);
    const SignRow& outcome() const { return outcome_; }
    // Moves to the next outcome; returns the match that changed, or -1 after
    // the last outcome.
    int advance();
    // The sign the last advance replaced on the match it changed.
    std::uint8_t signLeft() const { return signLeft_; }

private:
    // Guarded matches (two or three signs) with the fastest first.
    std::vector<int> matches_;
    std::vector<std::array<std::uint8_t, 3>> signsOf_; // played signs of each, ascending
    std::vector<int> radix_;
    std::vector<int> digit_;
    std::vector<std::int8_t> direction_; // +1 or -1: which way the digit runs now
    SignRow outcome_{};
    std::uint8_t signLeft_ = 0;
};
