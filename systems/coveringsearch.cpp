#include "systems/coveringsearch.h"

#include "systems/coveringcheck.h"
#include "systems/coveringcodes.h"
#include "systems/coveringsearchparts.h"

#include <algorithm>
#include <random>

namespace covering {

std::string withThousands(std::uint64_t n)
{
    std::string digits = std::to_string(n), text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
}

CoveringResult refusal(CoveringStatus status, std::string message)
{
    CoveringResult result;
    result.status = status;
    result.message = std::move(message);
    return result;
}

std::string needsMoreRows(const std::string& detail)
{
    return "needs more than " + withThousands(kMostTableRows) + " rows (" + detail + ")";
}

std::string needsMoreRowsThanBound(std::uint64_t lowerBound)
{
    return needsMoreRows("at least " + withThousands(lowerBound));
}

} // namespace covering

using namespace covering;

namespace {

// Greedy costs about one visit per point and ball member; beyond this it
// would take seconds, and algebra gives a start anyway.
constexpr std::uint64_t kMostGreedyWork = 400'000'000;

// Rows of the frame as distinct points of its space, in order; rows outside
// the frame are left out.
std::vector<std::uint32_t> pointsOfRows(const CoveringSpace& space, const std::vector<SignRow>& rows)
{
    std::vector<std::uint32_t> points;
    for (const SignRow& row : rows) {
        std::uint32_t p = 0;
        if (pointOfRow(space, row, p))
            points.push_back(p);
    }
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    return points;
}

// The search over every outcome of the frame: the smallest of several ready
// tables to start from, shrunk first by unions of cosets and then by moves
// of single rows.
class WholeFrameSearch {
public:
    WholeFrameSearch(const CoveringRequest& request, const CoveringRequest& bounded, Budget& budget,
                     const CoveringSpace& space)
        : request_(request), bounded_(bounded), budget_(budget), space_(space), rng_(request.seed)
    {
        result_.outcomes = space.size;
        result_.lowerBound = sphereCoveringBound(space);
    }

    CoveringResult run()
    {
        if (result_.lowerBound > kMostTableRows) {
            result_.status = CoveringStatus::NeedsTooManyRows;
            result_.message = needsMoreRowsThanBound(result_.lowerBound);
            return result_;
        }
        offerReadyTables();
        shrinkByUnions();
        if (best_.empty()) {
            result_.status = CoveringStatus::NeedsTooManyRows;
            result_.message = needsMoreRows("none found");
            return result_;
        }
        shrinkBySingleRows();
        return checked();
    }

private:
    bool shrinkable() const { return best_.size() > result_.lowerBound && !budget_.over(); }

    void report()
    {
        if (request_.progress)
            request_.progress({best_.size(), result_.lowerBound, budget_.seconds()});
    }

    void offer(std::vector<std::uint32_t> points, const std::string& method)
    {
        if (points.empty() || points.size() > kMostTableRows || (!best_.empty() && points.size() >= best_.size()))
            return;
        best_ = std::move(points);
        result_.method = method;
        report();
    }

    // The starting table, algebra, greedy covering and glued tables completed.
    void offerReadyTables()
    {
        if (!request_.startingTable.empty()) {
            std::vector<std::uint32_t> start = pointsOfRows(space_, request_.startingTable);
            if (pointsCover(space_, start))
                offer(start, "the starting table");
        }
        const AlgebraicTable algebra = smallestAlgebraicTable(space_, kMostTableRows, rng_);
        offer(algebra.points, algebra.name);
        if (best_.size() != result_.lowerBound && !budget_.over())
            offer(greedyCovering(space_, kMostGreedyWork), "greedy covering");
        if (request_.partialTables.empty() || best_.size() == result_.lowerBound || budget_.over())
            return;
        const BallLists balls = spaceBalls(space_);
        for (const std::vector<SignRow>& partial : request_.partialTables) {
            std::vector<std::uint32_t> start = pointsOfRows(space_, partial);
            if (!start.empty() && (best_.empty() || start.size() < best_.size()) && !budget_.over())
                offer(greedyOver(balls, &budget_, start), "glued tables completed greedily");
        }
    }

    // Three quarters of the budget for unions of cosets, or of orbits where
    // they apply: they find the better tables whenever the space is larger
    // than a few thousand outcomes. The rest goes to the search over single
    // rows, which polishes what they found and does all the work on mixed frames.
    void shrinkByUnions()
    {
        if ((!best_.empty() && best_.size() <= result_.lowerBound) || budget_.over())
            return;
        auto reportMethod = [this](const std::string& method) {
            result_.method = method;
            report();
        };
        const double now = budget_.seconds();
        const double unionsEnd = bounded_.seconds > 0 ? now + (bounded_.seconds - now) * 3 / 4 : 0;
        const std::uint64_t unionMoves = bounded_.moves > 0 ? std::max<std::uint64_t>(1, bounded_.moves * 3 / 4) : 0;
        if (orbitUnionsApply(space_)) {
            // Most of it for the orbits: on their shape they beat every coset union.
            budget_.phaseEnd = unionsEnd > 0 ? now + (unionsEnd - now) * 3 / 4 : 0;
            result_.movesMade = searchOrbitUnions(space_, best_, rng_, budget_,
                                                  unionMoves > 0 ? std::max<std::uint64_t>(1, unionMoves * 3 / 4) : 0,
                                                  reportMethod, [this] { report(); });
        }
        if (!budget_.cancelled && !budget_.outOfTime) {
            budget_.phaseEnd = unionsEnd;
            const std::uint64_t cosetMoves =
                unionMoves > 0 ? std::max<std::uint64_t>(1, unionMoves - std::min(unionMoves, result_.movesMade)) : 0;
            result_.movesMade +=
                searchCosetUnions(space_, best_, rng_, budget_, cosetMoves, reportMethod, [this] { report(); });
        }
        budget_.phaseEnd = 0;
    }

    void shrinkBySingleRows()
    {
        if (!shrinkable())
            return;
        const std::string startMethod = result_.method;
        const BallLists balls = spaceBalls(space_);
        // What the coset phase left (all of it where it does not apply);
        // at least one move, since no limit at all would mean none.
        const std::uint64_t movesLeft =
            bounded_.moves > 0
                ? std::max<std::uint64_t>(1, bounded_.moves - std::min(bounded_.moves, result_.movesMade))
                : 0;
        result_.movesMade += shrinkByLocalSearch(
            balls, result_.lowerBound, best_, rng_, budget_, movesLeft,
            [&] {
                result_.method = "local search from " + startMethod;
                report();
            },
            [this] { report(); });
    }

    CoveringResult checked()
    {
        std::sort(best_.begin(), best_.end());
        for (std::uint32_t p : best_)
            result_.rows.push_back(rowOfPoint(space_, p));
        result_.cancelled = budget_.cancelled;
        result_.outOfTime = budget_.outOfTime;
        // Every table is checked by code that shares nothing with the search's
        // bookkeeping before anyone may save it.
        if (!tableKeepsGuarantee(result_.rows, request_.frame, request_.guarantee)) {
            result_.status = CoveringStatus::CheckFailed;
            result_.message = kGuaranteeNotKept;
            return result_;
        }
        result_.status = CoveringStatus::Found;
        report();
        return result_;
    }

    const CoveringRequest& request_;
    const CoveringRequest& bounded_;
    Budget& budget_;
    const CoveringSpace& space_;
    std::mt19937_64 rng_;
    CoveringResult result_;
    std::vector<std::uint32_t> best_;
};

} // namespace

std::vector<std::uint32_t> greedyCovering(const CoveringSpace& space, std::uint64_t mostWork)
{
    if (std::uint64_t(space.size) * ballSize(space) > mostWork)
        return {};
    return greedyOver(spaceBalls(space));
}

CoveringResult searchCovering(const CoveringRequest& request)
{
    if (!frameIsValid(request.frame))
        return refusal(CoveringStatus::InvalidRequest, "every match needs at least one played sign");
    if (request.guarantee < 10 || request.guarantee > 13)
        return refusal(CoveringStatus::InvalidRequest, "the guarantee is 10, 11, 12 or 13 right");
    // Without any budget the search would never end.
    CoveringRequest bounded = request;
    if (bounded.seconds <= 0 && bounded.moves == 0)
        bounded.seconds = 10;
    Budget budget{bounded};
    const CoveringSpace space = coveringSpace(request.frame, request.guarantee);
    if (!request.outcomesToCover.empty())
        return searchCoveringWithin(request, bounded, budget, space);
    return WholeFrameSearch(request, bounded, budget, space).run();
}
