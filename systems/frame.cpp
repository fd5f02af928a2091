#include "systems/frame.h"

#include <bit>

std::vector<std::uint8_t> playedSigns(const Frame& frame, int match)
{
    std::vector<std::uint8_t> signs;
    for (std::uint8_t s = 0; s < 3; ++s)
        if (frame.played[match] >> s & 1)
            signs.push_back(s);
    return signs;
}

int playedCount(const Frame& frame, int match)
{
    return std::popcount(unsigned(frame.played[match] & 7));
}

bool frameIsValid(const Frame& frame)
{
    for (int m = 0; m < kFrameMatches; ++m)
        if (frame.played[m] == 0 || frame.played[m] > 7)
            return false;
    return true;
}

bool rowInsideFrame(const SignRow& row, const Frame& frame)
{
    for (int m = 0; m < kFrameMatches; ++m)
        if (row[m] > 2 || !(frame.played[m] >> row[m] & 1))
            return false;
    return true;
}

Frame frameOfRows(const std::vector<SignRow>& rows)
{
    Frame frame;
    for (const SignRow& row : rows)
        for (int m = 0; m < kFrameMatches; ++m)
            if (row[m] < 3)
                frame.played[m] |= std::uint8_t(1u << row[m]);
    return frame;
}

std::uint64_t outcomeCount(const Frame& frame)
{
    std::uint64_t count = 1;
    for (int m = 0; m < kFrameMatches; ++m)
        count *= std::uint64_t(playedCount(frame, m));
    return count;
}

void forEachOutcomeInOrder(const Frame& frame, const std::function<bool(const SignRow&)>& visit)
{
    if (!frameIsValid(frame))
        return;
    std::array<std::vector<std::uint8_t>, kFrameMatches> signs;
    for (int m = 0; m < kFrameMatches; ++m)
        signs[m] = playedSigns(frame, m);
    std::array<int, kFrameMatches> digit{};
    SignRow outcome{};
    for (int m = 0; m < kFrameMatches; ++m)
        outcome[m] = signs[m][0];
    while (true) {
        if (!visit(outcome))
            return;
        int m = kFrameMatches - 1;
        while (m >= 0 && digit[m] + 1 == int(signs[m].size())) {
            digit[m] = 0;
            outcome[m] = signs[m][0];
            --m;
        }
        if (m < 0)
            return;
        outcome[m] = signs[m][++digit[m]];
    }
}

void forEachOutcomeInGrayOrder(const Frame& frame,
                               const std::function<bool(const SignRow& outcome, int changedMatch)>& visit)
{
    if (!frameIsValid(frame))
        return;
    GrayCursor cursor(frame, 0);
    int changed = -1;
    do {
        if (!visit(cursor.outcome(), changed))
            return;
        changed = cursor.advance();
    } while (changed >= 0);
}

GrayCursor::GrayCursor(const Frame& frame, std::uint64_t index)
{
    // Reflected mixed-radix Gray code: a digit runs up during even passes of
    // the digits above it and down during odd ones, so only one digit moves
    // per step. Match 13 is the fastest, as in the frame's own order.
    for (int m = 0; m < kFrameMatches; ++m)
        outcome_[m] = playedSigns(frame, m).empty() ? 0 : playedSigns(frame, m)[0];
    for (int m = kFrameMatches - 1; m >= 0; --m) {
        const std::vector<std::uint8_t> signs = playedSigns(frame, m);
        if (signs.size() < 2)
            continue;
        matches_.push_back(m);
        std::array<std::uint8_t, 3> list{};
        for (std::size_t k = 0; k < signs.size(); ++k)
            list[k] = signs[k];
        signsOf_.push_back(list);
        radix_.push_back(int(signs.size()));
    }
    std::uint64_t below = index;
    for (std::size_t j = 0; j < matches_.size(); ++j) {
        const std::uint64_t r = std::uint64_t(radix_[j]);
        const int plain = int(below % r);
        below /= r;
        const bool down = below & 1;
        digit_.push_back(down ? int(r) - 1 - plain : plain);
        direction_.push_back(down ? -1 : 1);
        outcome_[matches_[j]] = signsOf_[j][std::size_t(digit_[j])];
    }
}

int GrayCursor::advance()
{
    for (std::size_t j = 0; j < matches_.size(); ++j) {
        const int next = digit_[j] + direction_[j];
        if (next >= 0 && next < radix_[j]) {
            digit_[j] = next;
            signLeft_ = outcome_[matches_[j]];
            outcome_[matches_[j]] = signsOf_[j][std::size_t(next)];
            return matches_[j];
        }
        direction_[j] = std::int8_t(-direction_[j]);
    }
    return -1;
}
