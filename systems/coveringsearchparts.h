#pragma once

// The pieces the covering search is built from, shared by its files: the
// budget, the balls, and the ways of finding a table (local search over
// single rows, unions of cosets or orbits, a search within given outcomes).
// Only the search itself uses them; coveringsearch.h is the way in.

#include "systems/coveringsearch.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace covering {

using Clock = std::chrono::steady_clock;

std::string withThousands(std::uint64_t n);

// When to stop: cancel, seconds, moves. Checked every few hundred moves.
struct Budget {
    const CoveringRequest& request;
    Clock::time_point start = Clock::now();
    bool cancelled = false;
    bool outOfTime = false;

    double seconds() const { return std::chrono::duration<double>(Clock::now() - start).count(); }
    double phaseEnd = 0; // seconds; 0: no phase running

    bool over()
    {
        if (request.cancel && request.cancel->load())
            cancelled = true;
        const double spent = seconds();
        if (request.seconds > 0 && spent >= request.seconds)
            outOfTime = true;
        return cancelled || outOfTime || (phaseEnd > 0 && spent >= phaseEnd);
    }
};

// The ball of every point of a space to cover: listed once when that fits
// in memory (the search visits them millions of times), else enumerated.
// Within a part of a space only (the outcomes kept by pruning) balls differ
// in size, and are listed with where each begins.
struct BallLists {
    std::uint32_t size = 0;
    std::uint32_t ball = 0;            // the largest ball
    std::vector<std::uint32_t> points; // size * ball, or by `starts`, or empty
    std::vector<std::uint64_t> starts; // size + 1 where balls differ in size
    const CoveringSpace* space = nullptr;
    // A part of a space too large to list: its points in the space, and each
    // point of the space's place in the part (-1 outside it); the balls are
    // enumerated in the space and cut to the part.
    std::vector<std::uint32_t> spacePoints;
    std::vector<std::int32_t> placeOf;

    std::uint32_t ballOf(std::uint32_t p) const
    {
        if (!spacePoints.empty()) {
            std::uint32_t n = 0;
            forEach(p, [&n](std::uint32_t) { ++n; });
            return n;
        }
        return starts.empty() ? ball : std::uint32_t(starts[p + 1] - starts[p]);
    }

    template <class Visit> void forEach(std::uint32_t p, Visit&& visit) const
    {
        if (!spacePoints.empty()) {
            const std::uint32_t centre = spacePoints[p];
            forEachPointWithin(*space, digitsOfPoint(*space, centre), centre, space->radius, [&](std::uint32_t x) {
                if (placeOf[x] >= 0)
                    visit(std::uint32_t(placeOf[x]));
            });
        } else if (!starts.empty()) {
            for (std::uint64_t k = starts[p]; k < starts[p + 1]; ++k)
                visit(points[k]);
        } else if (!points.empty()) {
            const std::uint32_t* x = points.data() + std::size_t(p) * ball;
            for (std::uint32_t k = 0; k < ball; ++k)
                visit(x[k]);
        } else {
            forEachPointWithin(*space, digitsOfPoint(*space, p), p, space->radius, visit);
        }
    }
};

BallLists spaceBalls(const CoveringSpace& space);
bool pointsCover(const CoveringSpace& space, const std::vector<std::uint32_t>& points);

// Greedy covering: each step takes the point that covers most still-uncovered
// points. With a budget that runs out, the points still uncovered then become
// rows themselves, so a table always comes back. Rows in `start` are taken
// first, and only what they leave is covered. `tieBreak` scrambles which of
// equal points is taken, for another greedy table of the same quality.
std::vector<std::uint32_t> greedyOver(const BallLists& balls, Budget* budget = nullptr,
                                      const std::vector<std::uint32_t>& start = {}, std::uint32_t tieBreak = 0);

// Shrinks `best` (a complete table) by local search over single rows while
// the budget and `moveLimit` (0: none) last. Returns the moves made.
std::uint64_t shrinkByLocalSearch(const BallLists& balls, std::uint64_t lowerBound, std::vector<std::uint32_t>& best,
                                  std::mt19937_64& rng, Budget& budget, std::uint64_t moveLimit,
                                  const std::function<void()>& onBetter, const std::function<void()>& onTick);

// Walks down from `best` (a complete table) to smaller ones by a tabu walk
// over single rows while the budget and `moveLimit` (0: none) last: the
// search for the regular tables of small spaces of orbits. Returns the moves made.
std::uint64_t descendByWalk(const BallLists& balls, std::uint64_t lowerBound, std::vector<std::uint32_t>& best,
                            std::mt19937_64& rng, Budget& budget, std::uint64_t moveLimit,
                            const std::function<void()>& onTick);

// Replaces `best` by smaller unions of cosets of linear codes while the phase
// lasts; `onBetter` is told how each new table was made. Returns the moves made.
std::uint64_t searchCosetUnions(const CoveringSpace& space, std::vector<std::uint32_t>& best, std::mt19937_64& rng,
                                Budget& budget, std::uint64_t phaseMoves,
                                const std::function<void(const std::string&)>& onBetter,
                                const std::function<void()>& onTick);

// Replaces `best` by smaller unions of orbits of a rotation of three triples
// of matches while the phase lasts, as searchCosetUnions does, where they
// apply: nine three-sign matches at 12 right.
bool orbitUnionsApply(const CoveringSpace& space);
std::uint64_t searchOrbitUnions(const CoveringSpace& space, std::vector<std::uint32_t>& best, std::mt19937_64& rng,
                                Budget& budget, std::uint64_t phaseMoves,
                                const std::function<void(const std::string&)>& onBetter,
                                const std::function<void()>& onTick);

// The search when only request.outcomesToCover need the guarantee.
CoveringResult searchCoveringWithin(const CoveringRequest& request, const CoveringRequest& bounded, Budget& budget,
                                    const CoveringSpace& space);

CoveringResult refusal(CoveringStatus status, std::string message);
// "needs more than <most> rows (<detail>)": why no table can be given.
std::string needsMoreRows(const std::string& detail);
// The same when even the lower bound is beyond the most rows.
std::string needsMoreRowsThanBound(std::uint64_t lowerBound);
inline constexpr const char* kGuaranteeNotKept = "the table found does not keep the guarantee";

} // namespace covering
