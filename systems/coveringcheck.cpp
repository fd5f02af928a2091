#include "systems/coveringcheck.h"

#include <set>

namespace {

// Marks every outcome that `row` gets at least `guarantee` right, choosing
// the outcome's sign match by match and counting the misses.
void markReached(const SignRow& row, const Frame& frame, int match, int missesLeft, std::uint64_t rank,
                 std::vector<bool>& reached)
{
    if (match == kFrameMatches) {
        reached[rank] = true;
        return;
    }
    const std::uint64_t played = std::uint64_t(playedCount(frame, match));
    std::uint64_t digit = 0;
    for (std::uint8_t sign = 0; sign < 3; ++sign) {
        if (!(frame.played[match] >> sign & 1))
            continue;
        const int miss = sign == row[match] ? 0 : 1;
        if (missesLeft >= miss)
            markReached(row, frame, match + 1, missesLeft - miss, rank * played + digit, reached);
        ++digit;
    }
}

// The place markReached gives an outcome: its signs' positions among the
// played ones, match 1 slowest.
std::uint64_t rankOf(const SignRow& outcome, const Frame& frame)
{
    std::uint64_t rank = 0;
    for (int match = 0; match < kFrameMatches; ++match) {
        std::uint64_t digit = 0;
        for (std::uint8_t sign = 0; sign < outcome[match]; ++sign)
            digit += frame.played[match] >> sign & 1;
        rank = rank * std::uint64_t(playedCount(frame, match)) + digit;
    }
    return rank;
}

} // namespace

std::uint64_t outcomesBelowGuarantee(const std::vector<SignRow>& rows, const Frame& frame, int guarantee,
                                     const std::vector<SignRow>* only)
{
    if (!frameIsValid(frame))
        return 0;
    std::vector<bool> reached(outcomeCount(frame), false);
    for (const SignRow& row : rows)
        markReached(row, frame, 0, kFrameMatches - guarantee, 0, reached);
    std::uint64_t below = 0;
    if (only) {
        std::set<SignRow> counted;
        for (const SignRow& outcome : *only)
            if (!rowInsideFrame(outcome, frame) || (counted.insert(outcome).second && !reached[rankOf(outcome, frame)]))
                ++below;
        return below;
    }
    for (bool r : reached)
        below += !r;
    return below;
}

bool tableKeepsGuarantee(const std::vector<SignRow>& rows, const Frame& frame, int guarantee,
                         const std::vector<SignRow>* only)
{
    std::set<SignRow> seen;
    for (const SignRow& row : rows)
        if (!rowInsideFrame(row, frame) || !seen.insert(row).second)
            return false;
    if (only) {
        const std::set<SignRow> allowed(only->begin(), only->end());
        for (const SignRow& row : rows)
            if (!allowed.count(row))
                return false;
    }
    return !rows.empty() && outcomesBelowGuarantee(rows, frame, guarantee, only) == 0;
}
