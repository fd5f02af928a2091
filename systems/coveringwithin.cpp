#include "systems/coveringsearchparts.h"

#include "systems/coveringcheck.h"

#include <algorithm>

namespace covering {

namespace {

// Listing the balls within kept outcomes visits every full ball once and may
// keep all it visits; beyond this it would take seconds and hundreds of megabytes.
constexpr std::uint64_t kMostSubsetBallVisits = 100'000'000;

// The balls of the outcomes to cover, each holding only outcomes to cover,
// numbered by their place in `points`. Empty when that is too much work.
BallLists ballsWithin(const CoveringSpace& space, const std::vector<std::uint32_t>& points)
{
    BallLists lists;
    std::vector<std::int32_t> placeOf(space.size, -1);
    for (std::size_t i = 0; i < points.size(); ++i)
        placeOf[points[i]] = std::int32_t(i);
    lists.size = std::uint32_t(points.size());
    lists.space = &space;
    if (std::uint64_t(points.size()) * ballSize(space) > kMostSubsetBallVisits) {
        // Memory grows with the space, not with the balls: 4 bytes a point of
        // the frame and 4 a kept outcome, 7 MB for every outcome of 13 matches.
        lists.ball = std::uint32_t(ballSize(space));
        lists.spacePoints = points;
        lists.placeOf = std::move(placeOf);
        return lists;
    }
    lists.starts.reserve(points.size() + 1);
    lists.starts.push_back(0);
    for (std::uint32_t p : points) {
        forEachPointWithin(space, digitsOfPoint(space, p), p, space.radius, [&](std::uint32_t x) {
            if (placeOf[x] >= 0)
                lists.points.push_back(std::uint32_t(placeOf[x]));
        });
        lists.starts.push_back(lists.points.size());
        lists.ball = std::max(lists.ball, std::uint32_t(lists.starts.back() - lists.starts[lists.starts.size() - 2]));
    }
    return lists;
}

// A part too large for a greedy over its own balls: the whole frame's search
// (its algebra makes it fast) gets part of the budget, and its rows are
// moved into the part: a row inside stays, a row outside gives way to the
// outcome of the part one or two signs from it that covers most. What is
// still uncovered then takes, outcome by outcome, the best row within one
// sign of it (itself among them).
std::vector<std::uint32_t> wholeFrameRowsWithin(const CoveringRequest& request, const CoveringRequest& bounded,
                                                const BallLists& balls, const CoveringSpace& space)
{
    CoveringRequest whole;
    whole.frame = request.frame;
    whole.guarantee = request.guarantee;
    whole.seed = request.seed;
    whole.cancel = request.cancel;
    whole.seconds = bounded.seconds > 0 ? std::max(1.0, bounded.seconds * 0.4) : 0;
    whole.moves = bounded.moves / 2;
    if (whole.seconds <= 0 && whole.moves == 0)
        whole.moves = 1;
    const CoveringResult found = searchCovering(whole);
    std::vector<bool> covered(balls.size, false);
    std::vector<std::uint32_t> rows;
    auto take = [&](std::uint32_t place) {
        rows.push_back(place);
        balls.forEach(place, [&](std::uint32_t z) { covered[z] = true; });
    };
    // The outcome of the part within `distance` of a point of the space that
    // covers most of what is uncovered; false when there is none.
    auto takeBestNear = [&](std::uint32_t point, int distance) {
        std::int64_t best = -1;
        std::uint32_t bestPlace = 0;
        forEachPointWithin(space, digitsOfPoint(space, point), point, distance, [&](std::uint32_t y) {
            if (balls.placeOf[y] < 0)
                return;
            std::int64_t gain = 0;
            balls.forEach(std::uint32_t(balls.placeOf[y]), [&](std::uint32_t z) { gain += !covered[z]; });
            if (gain > best) {
                best = gain;
                bestPlace = std::uint32_t(balls.placeOf[y]);
            }
        });
        if (best > 0)
            take(bestPlace);
        return best >= 0;
    };
    for (const SignRow& row : found.rows) {
        std::uint32_t p = 0;
        if (!pointOfRow(space, row, p))
            continue;
        if (balls.placeOf[p] >= 0)
            take(std::uint32_t(balls.placeOf[p]));
        else if (!takeBestNear(p, 1))
            takeBestNear(p, 2);
    }
    for (std::uint32_t x = 0; x < balls.size; ++x)
        if (!covered[x])
            takeBestNear(balls.spacePoints[x], 1);
    return rows;
}

} // namespace

// Covering only the outcomes asked for, with rows among them: they are the
// rows the player still thinks worth playing, and a search among them alone
// is small enough to be quick. Every outcome covers itself, so the outcomes
// themselves are a table to start from and the search always finds one.
CoveringResult searchCoveringWithin(const CoveringRequest& request, const CoveringRequest& bounded, Budget& budget,
                                    const CoveringSpace& space)
{
    CoveringResult result;
    std::vector<std::uint32_t> outcomes;
    outcomes.reserve(request.outcomesToCover.size());
    for (const SignRow& row : request.outcomesToCover) {
        std::uint32_t p = 0;
        if (!pointOfRow(space, row, p))
            return refusal(CoveringStatus::InvalidRequest, "an outcome to cover lies outside the frame");
        outcomes.push_back(p);
    }
    std::sort(outcomes.begin(), outcomes.end());
    outcomes.erase(std::unique(outcomes.begin(), outcomes.end()), outcomes.end());
    result.outcomes = outcomes.size();
    // No row covers more than a whole ball: too many outcomes for a rows file are told at once.
    result.lowerBound = (std::uint64_t(outcomes.size()) + ballSize(space) - 1) / ballSize(space);
    if (result.lowerBound > kMostTableRows) {
        result.status = CoveringStatus::NeedsTooManyRows;
        result.message = needsMoreRowsThanBound(result.lowerBound);
        return result;
    }
    const BallLists balls = ballsWithin(space, outcomes);
    if (balls.size == 0) {
        result.status = CoveringStatus::TooMuchWork;
        result.message = "too many outcomes to cover at this guarantee (" + withThousands(outcomes.size()) + ")";
        return result;
    }
    result.lowerBound = (std::uint64_t(balls.size) + balls.ball - 1) / balls.ball;
    std::mt19937_64 rng(request.seed);
    auto report = [&](std::size_t size) {
        if (request.progress)
            request.progress({size, result.lowerBound, budget.seconds()});
    };
    std::vector<std::uint32_t> best;
    if (!balls.spacePoints.empty()) {
        best = wholeFrameRowsWithin(request, bounded, balls, space);
        result.method = "the whole frame's table within the outcomes";
    } else {
        best = greedyOver(balls, &budget);
        result.method = "greedy covering within the outcomes";
    }
    report(best.size());
    if (best.size() > result.lowerBound && !budget.over())
        result.movesMade = shrinkByLocalSearch(
            balls, result.lowerBound, best, rng, budget, bounded.moves, [&] { report(best.size()); },
            [&] { report(best.size()); });
    result.cancelled = budget.cancelled;
    result.outOfTime = budget.outOfTime;
    if (best.size() > kMostTableRows) {
        result.status = CoveringStatus::NeedsTooManyRows;
        result.message = needsMoreRows(withThousands(best.size()) + " found");
        return result;
    }
    for (std::uint32_t& place : best)
        place = outcomes[place];
    std::sort(best.begin(), best.end());
    for (std::uint32_t p : best)
        result.rows.push_back(rowOfPoint(space, p));
    if (!tableKeepsGuarantee(result.rows, request.frame, request.guarantee, &request.outcomesToCover)) {
        result.status = CoveringStatus::CheckFailed;
        result.message = kGuaranteeNotKept;
        return result;
    }
    result.status = CoveringStatus::Found;
    report(best.size());
    return result;
}

} // namespace covering
