#include "systems/coveringsearchparts.h"

#include <algorithm>

// --- Unions of orbits of a rotation of matches --------------------------------
//
// Group the nine matches of the frame in three triples, and take one step
// that in every triple moves the sign of the first match to the second, the
// second's to the third, and the third's to the first one sign further on.
// Three steps add one sign to every match, so nine steps come back to the
// start, and no outcome comes back sooner: the outcomes fall into orbits of
// nine. The step keeps distances, so a table closed under it is a union of
// orbits, and it keeps the guarantee exactly when every orbit's first outcome
// lies within reach of a chosen orbit. The search moves to the 2,187 orbits,
// as coset unions move to syndromes. Such a table is closed under no
// translation of two dimensions, and that is what holds the coset unions of
// this shape back: searched over every kind of linear code of two and three
// dimensions, the best has 149 cosets of nine rows (1,341 rows), while the
// best union of these orbits has 141 orbits (1,269 rows, the best size known).
//
// Elsewhere the cosets did better: with seven, eight or ten three-sign
// matches (225, 612 and 4,599 rows against 186, 486 and 3,645), with one to
// three two-sign matches beside the nine (direct sums of the nine's table win
// there), and at 11 or 10 right. So the phase is kept to this one shape.

namespace covering {

namespace {

constexpr int kRotatedMatches = 9;
constexpr std::uint32_t kOrbitSize = 9;

struct RotationOrbits {
    std::vector<std::uint32_t> orbitOf; // per point of the space
    std::vector<std::uint32_t> first;   // per orbit: its smallest point
    BallLists balls;
};

// One step of the rotation, on a point's number.
std::uint32_t rotated(const CoveringSpace& space, std::uint32_t p)
{
    std::uint32_t q = p;
    for (int t = 0; t < kRotatedMatches; t += 3) {
        const std::uint32_t sa = space.stride[std::size_t(t)];
        const std::uint32_t sb = space.stride[std::size_t(t + 1)];
        const std::uint32_t sc = space.stride[std::size_t(t + 2)];
        const std::uint32_t a = p / sa % 3, b = p / sb % 3, c = p / sc % 3;
        q -= a * sa + b * sb + c * sc;
        q += (c + 1) % 3 * sa + a * sb + b * sc;
    }
    return q;
}

RotationOrbits rotationOrbits(const CoveringSpace& space)
{
    RotationOrbits orbits;
    constexpr std::uint32_t kNone = ~std::uint32_t(0);
    orbits.orbitOf.assign(space.size, kNone);
    for (std::uint32_t p = 0; p < space.size; ++p) {
        if (orbits.orbitOf[p] != kNone)
            continue;
        const auto id = std::uint32_t(orbits.first.size());
        orbits.first.push_back(p);
        for (std::uint32_t q = p; orbits.orbitOf[q] == kNone; q = rotated(space, q))
            orbits.orbitOf[q] = id;
    }
    // An orbit reaches another when a point of it lies within the radius of
    // the other's first point; distances are kept by the step, so this is
    // symmetric, as the search's balls must be. No two points of a ball share
    // an orbit, so every ball has the size of a ball of the space.
    BallLists& balls = orbits.balls;
    balls.size = std::uint32_t(orbits.first.size());
    balls.ball = std::uint32_t(ballSize(space));
    balls.points.reserve(std::size_t(balls.size) * balls.ball);
    for (std::uint32_t centre : orbits.first)
        forEachPointWithin(space, digitsOfPoint(space, centre), centre, space.radius,
                           [&](std::uint32_t x) { balls.points.push_back(orbits.orbitOf[x]); });
    return orbits;
}

std::vector<std::uint32_t> pointsOfOrbits(const RotationOrbits& orbits, const std::vector<std::uint32_t>& chosen)
{
    std::vector<bool> taken(orbits.first.size(), false);
    for (std::uint32_t o : chosen)
        taken[o] = true;
    std::vector<std::uint32_t> points;
    for (std::uint32_t p = 0; p < orbits.orbitOf.size(); ++p)
        if (taken[orbits.orbitOf[p]])
            points.push_back(p);
    return points;
}

} // namespace

bool orbitUnionsApply(const CoveringSpace& space)
{
    return space.radius == 1 && space.length() == kRotatedMatches && space.threeSignCount() == kRotatedMatches;
}

// Walks afresh from another greedy table each time until the phase ends. A
// walk reaches the regular table within about a hundred moves per orbit or
// keeps circling short of it, so many short walks beat a few long ones.
// Returns the moves made.
std::uint64_t searchOrbitUnions(const CoveringSpace& space, std::vector<std::uint32_t>& best, std::mt19937_64& rng,
                                Budget& budget, std::uint64_t phaseMoves,
                                const std::function<void(const std::string&)>& onBetter,
                                const std::function<void()>& onTick)
{
    if (!orbitUnionsApply(space))
        return 0;
    const RotationOrbits orbits = rotationOrbits(space);
    const BallLists& balls = orbits.balls;
    const std::uint64_t lowerBound = (balls.size + balls.ball - 1) / balls.ball;
    const std::uint64_t movesPerTry = 96 * std::uint64_t(balls.size);
    std::uint64_t movesSpent = 0;
    std::size_t fewest = best.empty() ? kMostTableRows + 1 : best.size();
    while (!budget.over() && (phaseMoves == 0 || movesSpent < phaseMoves) && lowerBound * kOrbitSize < fewest) {
        std::vector<std::uint32_t> walked = greedyOver(balls, &budget, {}, std::uint32_t(rng() | 1));
        const std::uint64_t limit = phaseMoves > 0 ? std::min(movesPerTry, phaseMoves - movesSpent) : movesPerTry;
        movesSpent += std::max<std::uint64_t>(1, descendByWalk(balls, lowerBound, walked, rng, budget, limit, onTick));
        if (walked.size() * kOrbitSize < fewest) {
            best = pointsOfOrbits(orbits, walked);
            fewest = best.size();
            onBetter("union of " + std::to_string(walked.size()) + " orbits of a rotation of three triples of matches");
        }
    }
    return movesSpent;
}

} // namespace covering
