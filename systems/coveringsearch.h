#pragma once

#include "systems/coveringspace.h"
#include "systems/frame.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// An own reduced system: a small set of rows inside a frame that keeps a
// guarantee (every outcome has a row with at least that many right).

struct CoveringProgress {
    std::size_t bestSize = 0; // rows of the best complete table so far
    std::uint64_t lowerBound = 0;
    double secondsSpent = 0;
};

struct CoveringRequest {
    Frame frame;
    int guarantee = 12; // 10..13
    std::uint64_t seed = 1;
    // Wall-clock budget; 0 or less leaves only the move budget (and with no
    // move budget either, 10 seconds).
    double seconds = 10;
    // Local-search moves; 0 leaves only the seconds. With a move budget and
    // the same seed a run repeats exactly, unless the seconds run out first.
    std::uint64_t moves = 0;
    // A previous result or a carried table of this frame's shape to start
    // from: the answer is never larger when it keeps the guarantee.
    std::vector<SignRow> startingTable;
    // Rows that keep the guarantee for most outcomes but not all (two tables
    // glued on a shared match, say): each is completed greedily, and the
    // smallest completion is a start like the starting table.
    std::vector<std::vector<SignRow>> partialTables;
    // When not empty, only these outcomes need the guarantee, and the rows
    // are chosen among them (the starting table is then not used).
    std::vector<SignRow> outcomesToCover;
    const std::atomic<bool>* cancel = nullptr;
    // Called on the calling thread whenever the best size improves, and now
    // and then besides.
    std::function<void(const CoveringProgress&)> progress;
};

enum class CoveringStatus {
    Found,            // rows keep the guarantee (the best found, also after a cancel)
    NeedsTooManyRows, // no table of at most kMostTableRows rows exists or was found
    InvalidRequest,   // a match without a played sign, or a guarantee outside 10..13
    CheckFailed,      // the independent check refused the table: a fault, never to be saved
    TooMuchWork,      // too many outcomes to cover at this guarantee for the search within them
};

struct CoveringResult {
    CoveringStatus status = CoveringStatus::InvalidRequest;
    std::vector<SignRow> rows; // in the frame's order (match 1 slowest)
    std::uint64_t outcomes = 0;
    std::uint64_t lowerBound = 0; // sphere-covering bound
    std::string method;           // where the table came from, for reports
    std::uint64_t movesMade = 0;  // over both phases: coset unions and single rows
    bool cancelled = false;
    bool outOfTime = false;
    std::string message; // what went wrong, for NeedsTooManyRows and InvalidRequest
};

CoveringResult searchCovering(const CoveringRequest& request);

// The covering search works on points of a CoveringSpace; these are exposed
// for the quality tool and the tests.

// Greedy covering: each step takes the point that covers most still-uncovered
// points. Empty when that would cost more than `mostWork` ball visits.
std::vector<std::uint32_t> greedyCovering(const CoveringSpace& space, std::uint64_t mostWork);
