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

} // namespace

std::uint64_t outcomesBelowGuarantee(const std::vector<SignRow>& rows, const Frame& frame, int guarantee)
{
    if (!frameIsValid(frame))
        return 0;
    std::vector<bool> reached(outcomeCount(frame), false);
    for (const SignRow& row : rows)
        markReached(row, frame, 0, kFrameMatches - guarantee, 0, reached);
    std::uint64_t below = 0;
    for (bool r : reached)
        below += !r;
    return below;
}

bool tableKeepsGuarantee(const std::vector<SignRow>& rows, const Frame& frame, int guarantee)
{
    std::set<SignRow> seen;
    for (const SignRow& row : rows)
        if (!rowInsideFrame(row, frame) || !seen.insert(row).second)
            return false;
    return !rows.empty() && outcomesBelowGuarantee(rows, frame, guarantee) == 0;
}
