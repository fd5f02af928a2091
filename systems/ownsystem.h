#pragma once

#include "systems/coveringsearch.h"
#include "systems/frame.h"

#include <QString>
#include <cstdint>

// An own reduced system as the player asks for it: a frame and a guarantee of
// 12, 11 or 10 right when every played sign is right.

inline constexpr int kLowestOwnGuarantee = 10;
inline constexpr int kHighestOwnGuarantee = 12;

// What is known at once, before any search.
struct OwnSystemOutlook {
    std::uint64_t outcomes = 0;
    std::uint64_t lowerBound = 0; // no table keeping the guarantee is smaller
    bool tooManyRows = false;     // the bound exceeds what a rows file holds
};
OwnSystemOutlook ownSystemOutlook(const Frame& frame, int guarantee);

// Why a table is refused: it would need more rows than a rows file holds.
QString tooManyRowsMessage(std::uint64_t rowsNeeded);
// The player's message for a search that ended without a table; empty when it found one.
QString searchFailureMessage(const CoveringResult& result);
