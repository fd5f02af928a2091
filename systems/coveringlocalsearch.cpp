#include "systems/coveringsearchparts.h"

#include <algorithm>
#include <limits>
#include <queue>

namespace covering {

namespace {

// Local search over tables of a fixed size: take an uncovered point, bring in
// a row within reach of it and drop the row whose loss then hurts least, and
// forbid bringing a dropped row back for a while. Uncovered points that
// resist gain weight, so the search leaves a corner instead of circling in it.
// When the table covers everything it is kept and its least useful row
// dropped. Counts are kept per point, with the xor of the covering rows, so
// a row's sole-covered weight (its loss) is known at every step.
class CoverSearch {
public:
    // How a step goes on when no move helps: the search over single rows
    // stays put and lets the weights grow until some move does; the walk
    // takes the best move anyway, weighs the points still uncovered after
    // every move, and keeps both the row it brought in and the row it
    // dropped where they are for a while. On the orbits of nine matches the
    // walk reaches the 141-orbit table in a third of its tries, the other
    // stops at 156 or more.
    enum class Mode { StayPut, Walk };

    CoverSearch(const BallLists& balls, const std::vector<std::uint32_t>& rows, std::uint64_t seed,
                Mode mode = Mode::StayPut)
        : balls_(balls), mode_(mode), tenure_(mode == Mode::Walk ? kWalkTenure : kTenure), rng_(seed),
          cover_(balls.size, 0), owner_(balls.size, 0), weight_(balls.size, 1), loss_(balls.size, 0),
          save_(balls.size, 0), rowAt_(balls.size, -1), uncoveredAt_(balls.size, -1), tabuUntil_(balls.size, 0)
    {
        for (std::uint32_t p = 0; p < balls.size; ++p)
            markUncovered(p);
        for (std::uint32_t p : rows)
            if (rowAt_[p] < 0)
                addRow(p);
    }

    std::size_t rowCount() const { return rows_.size(); }
    std::size_t uncoveredCount() const { return uncovered_.size(); }
    const std::vector<std::uint32_t>& rows() const { return rows_; }
    std::uint64_t moves() const { return moves_; }

    // Drops the row that alone covers the least weight.
    void dropLeastUsefulRow()
    {
        std::size_t pick = 0, ties = 0;
        std::uint64_t least = ~std::uint64_t(0);
        for (std::size_t r = 0; r < rows_.size(); ++r) {
            const std::uint64_t loss = loss_[rows_[r]];
            if (loss < least) {
                least = loss;
                pick = r;
                ties = 1;
            } else if (loss == least && rng_() % ++ties == 0) {
                pick = r;
            }
        }
        removeRow(rows_[pick]);
    }

    void step()
    {
        ++moves_;
        const std::uint32_t target = uncovered_[rng_() % uncovered_.size()];
        // Most rows lose nothing of their loss to a new row, so the best of
        // them is the row of least loss: found once, not per candidate.
        std::uint64_t leastLoss = ~std::uint64_t(0);
        leastLossRows_.clear();
        for (std::uint32_t row : rows_) {
            if (mode_ == Mode::Walk && tabuUntil_[row] > moves_)
                continue;
            if (loss_[row] < leastLoss) {
                leastLoss = loss_[row];
                leastLossRows_.clear();
            }
            if (loss_[row] == leastLoss)
                leastLossRows_.push_back(row);
        }
        std::int64_t bestDelta = std::numeric_limits<std::int64_t>::max();
        std::uint32_t bestAdd = 0, bestDrop = 0;
        int ties = 0;
        auto consider = [&](std::uint32_t add, std::uint32_t drop, std::int64_t delta) {
            if (delta < bestDelta) {
                bestDelta = delta;
                bestAdd = add;
                bestDrop = drop;
                ties = 1;
            } else if (delta == bestDelta && rng_() % ++ties == 0) {
                bestAdd = add;
                bestDrop = drop;
            }
        };
        // With large balls every candidate costs a ball's visit: a random
        // part of them keeps moves quick, and the weights still steer.
        candidates_.clear();
        forEachInBall(target, [&](std::uint32_t add) {
            if (rowAt_[add] < 0 && tabuUntil_[add] <= moves_)
                candidates_.push_back(add);
        });
        if (candidates_.size() > kMostCandidates) {
            for (std::size_t k = 0; k < kMostCandidates; ++k)
                std::swap(candidates_[k], candidates_[k + rng_() % (candidates_.size() - k)]);
            candidates_.resize(kMostCandidates);
        }
        for (std::uint32_t add : candidates_) {
            // What adding `add` gains, and per row how much of its loss the
            // new row would take over.
            std::int64_t gain = 0;
            touched_.clear();
            forEachInBall(add, [&](std::uint32_t x) {
                if (cover_[x] == 0) {
                    gain += weight_[x];
                } else if (cover_[x] == 1) {
                    if (save_[owner_[x]] == 0)
                        touched_.push_back(owner_[x]);
                    save_[owner_[x]] += weight_[x];
                }
            });
            for (std::uint32_t drop : touched_)
                if (droppable(drop))
                    consider(add, drop, std::int64_t(loss_[drop]) - std::int64_t(save_[drop]) - gain);
            // When the walk holds every row, only the touched ones were open.
            if (!leastLossRows_.empty()) {
                const std::uint32_t least = leastLossRows_[rng_() % leastLossRows_.size()];
                if (save_[least] == 0) {
                    consider(add, least, std::int64_t(leastLoss) - gain);
                } else {
                    for (std::uint32_t drop : rows_)
                        if (save_[drop] == 0 && droppable(drop))
                            consider(add, drop, std::int64_t(loss_[drop]) - gain);
                }
            }
            for (std::uint32_t owner : touched_)
                save_[owner] = 0;
        }
        if (ties == 0)
            return;
        if (bestDelta >= 0 && mode_ == Mode::StayPut) {
            // No move helps: the points still uncovered weigh more from now
            // on, until some move does. Without this the search circles on
            // plateaus of equal cost.
            for (std::uint32_t p : uncovered_)
                ++weight_[p];
            return;
        }
        addRow(bestAdd);
        removeRow(bestDrop);
        // A row just dropped may not come straight back.
        tabuUntil_[bestDrop] = moves_ + tenure_;
        if (mode_ == Mode::Walk) {
            tabuUntil_[bestAdd] = moves_ + tenure_;
            for (std::uint32_t p : uncovered_)
                ++weight_[p];
        }
    }

    // Starts again from these rows, with every weight back to one.
    void reset(const std::vector<std::uint32_t>& rows)
    {
        while (!rows_.empty())
            removeRow(rows_.back());
        std::fill(weight_.begin(), weight_.end(), 1);
        std::fill(loss_.begin(), loss_.end(), 0);
        for (std::uint32_t p : rows)
            if (rowAt_[p] < 0)
                addRow(p);
    }

private:
    static constexpr std::uint64_t kTenure = 2;
    static constexpr std::uint64_t kWalkTenure = 14;

    bool droppable(std::uint32_t row) const { return mode_ == Mode::StayPut || tabuUntil_[row] <= moves_; }
    static constexpr std::size_t kMostCandidates = 48;

    template <class Visit> void forEachInBall(std::uint32_t p, Visit&& visit) const { balls_.forEach(p, visit); }

    void markUncovered(std::uint32_t p)
    {
        uncoveredAt_[p] = std::int32_t(uncovered_.size());
        uncovered_.push_back(p);
    }

    void markCovered(std::uint32_t p)
    {
        const std::int32_t at = uncoveredAt_[p];
        uncovered_[std::size_t(at)] = uncovered_.back();
        uncoveredAt_[uncovered_.back()] = at;
        uncovered_.pop_back();
        uncoveredAt_[p] = -1;
    }

    void addRow(std::uint32_t p)
    {
        rowAt_[p] = std::int32_t(rows_.size());
        rows_.push_back(p);
        forEachInBall(p, [&](std::uint32_t x) {
            if (cover_[x] == 0) {
                markCovered(x);
                loss_[p] += weight_[x];
            } else if (cover_[x] == 1) {
                loss_[owner_[x]] -= weight_[x];
            }
            ++cover_[x];
            owner_[x] ^= p;
        });
    }

    void removeRow(std::uint32_t p)
    {
        forEachInBall(p, [&](std::uint32_t x) {
            --cover_[x];
            owner_[x] ^= p;
            if (cover_[x] == 0) {
                markUncovered(x);
                loss_[p] -= weight_[x];
            } else if (cover_[x] == 1) {
                loss_[owner_[x]] += weight_[x];
            }
        });
        const std::size_t r = std::size_t(rowAt_[p]);
        rowAt_[p] = -1;
        rows_[r] = rows_.back();
        rows_.pop_back();
        if (r < rows_.size())
            rowAt_[rows_[r]] = std::int32_t(r);
    }

    const BallLists& balls_;
    Mode mode_;
    std::uint64_t tenure_;
    std::mt19937_64 rng_;
    std::vector<std::uint16_t> cover_;
    std::vector<std::uint32_t> owner_; // xor of the points of the rows covering a point
    std::vector<std::uint32_t> weight_;
    std::vector<std::uint64_t> loss_; // per row point: weight it alone covers
    std::vector<std::uint64_t> save_; // scratch, per row point
    std::vector<std::uint32_t> touched_;
    std::vector<std::int32_t> rowAt_;
    std::vector<std::int32_t> uncoveredAt_;
    std::vector<std::uint32_t> uncovered_;
    std::vector<std::uint64_t> tabuUntil_;
    std::vector<std::uint32_t> rows_;
    std::vector<std::uint32_t> leastLossRows_;
    std::vector<std::uint32_t> candidates_;
    std::uint64_t moves_ = 0;
};

// Distinct random points: a start without the rigid structure of an
// algebraic table, from which one row less is seldom reachable.
std::vector<std::uint32_t> randomPoints(std::uint32_t spaceSize, std::size_t count, std::mt19937_64& rng)
{
    std::vector<bool> taken(spaceSize, false);
    std::vector<std::uint32_t> points;
    while (points.size() < count && points.size() < spaceSize) {
        const auto p = std::uint32_t(rng() % spaceSize);
        if (!taken[p]) {
            taken[p] = true;
            points.push_back(p);
        }
    }
    return points;
}

constexpr std::uint64_t kMostCachedBallPoints = 16'000'000;

} // namespace

BallLists spaceBalls(const CoveringSpace& space)
{
    BallLists lists;
    lists.size = space.size;
    lists.ball = std::uint32_t(ballSize(space));
    lists.space = &space;
    if (std::uint64_t(space.size) * lists.ball <= kMostCachedBallPoints) {
        lists.points.reserve(std::size_t(space.size) * lists.ball);
        for (std::uint32_t p = 0; p < space.size; ++p)
            forEachPointWithin(space, digitsOfPoint(space, p), p, space.radius,
                               [&](std::uint32_t x) { lists.points.push_back(x); });
    }
    return lists;
}

bool pointsCover(const CoveringSpace& space, const std::vector<std::uint32_t>& points)
{
    std::vector<bool> covered(space.size, false);
    for (std::uint32_t p : points)
        forEachPointWithin(space, digitsOfPoint(space, p), p, space.radius,
                           [&](std::uint32_t x) { covered[x] = true; });
    return std::find(covered.begin(), covered.end(), false) == covered.end();
}

// Shrinks `best` (a complete table) while the budget lasts: search a table
// one size smaller, and on success drop more rows at once while successes
// come easily. A size that resists is tried afresh, alternately from random
// rows and from the best table less some rows, each time with the patience
// doubled. Returns the moves made.
std::uint64_t shrinkByLocalSearch(const BallLists& balls, std::uint64_t lowerBound, std::vector<std::uint32_t>& best,
                                  std::mt19937_64& rng, Budget& budget, std::uint64_t moveLimit,
                                  const std::function<void()>& onBetter, const std::function<void()>& onTick)
{
    if (best.size() <= std::max<std::uint64_t>(lowerBound, 1))
        return 0;
    CoverSearch search(balls, randomPoints(balls.size, best.size() - 1, rng), rng());
    std::size_t dropAtOnce = std::max<std::size_t>(1, best.size() / 64);
    std::uint64_t patience = std::max<std::uint64_t>(20'000, 20 * best.size());
    std::uint64_t attemptFrom = 0;
    bool nextFromRandom = false;
    auto lastTick = Clock::now();
    // With large balls one move takes long enough to look at the clock every time.
    const std::uint64_t checkEvery = balls.ball >= 64 ? 1 : 256;
    while (true) {
        if (search.moves() % checkEvery == 0) {
            if (budget.over())
                break;
            if (Clock::now() - lastTick > std::chrono::milliseconds(250)) {
                onTick();
                lastTick = Clock::now();
            }
        }
        if (moveLimit > 0 && search.moves() >= moveLimit)
            break;
        if (search.uncoveredCount() == 0) {
            if (search.rowCount() < best.size()) {
                best = search.rows();
                onBetter();
            }
            if (best.size() <= lowerBound)
                break;
            dropAtOnce = std::min(dropAtOnce, best.size() - 1);
            for (std::size_t k = 0; k < dropAtOnce && search.rowCount() > 1; ++k)
                search.dropLeastUsefulRow();
            attemptFrom = search.moves();
            continue;
        }
        if (search.moves() - attemptFrom > patience) {
            if (dropAtOnce > 1) {
                dropAtOnce /= 2;
                dropAtOnce = std::min(dropAtOnce, best.size() - 1);
            } else {
                patience *= 2;
            }
            const std::size_t size = best.size() - dropAtOnce;
            if (nextFromRandom) {
                search.reset(randomPoints(balls.size, size, rng));
            } else {
                search.reset(best);
                while (search.rowCount() > size)
                    search.dropLeastUsefulRow();
            }
            nextFromRandom = !nextFromRandom;
            attemptFrom = search.moves();
            continue;
        }
        search.step();
    }
    return search.moves();
}

// Walks down from a complete table: drops its least useful row, walks until
// every point is covered again, keeps that table and drops the next, while
// the budget and `moveLimit` (0: none) last. Returns the moves made.
std::uint64_t descendByWalk(const BallLists& balls, std::uint64_t lowerBound, std::vector<std::uint32_t>& best,
                            std::mt19937_64& rng, Budget& budget, std::uint64_t moveLimit,
                            const std::function<void()>& onTick)
{
    if (best.size() <= std::max<std::uint64_t>(lowerBound, 1))
        return 0;
    CoverSearch search(balls, best, rng(), CoverSearch::Mode::Walk);
    auto lastTick = Clock::now();
    while (moveLimit == 0 || search.moves() < moveLimit) {
        if (search.uncoveredCount() == 0) {
            if (search.rowCount() < best.size())
                best = search.rows();
            if (best.size() <= lowerBound || search.rowCount() <= 1)
                break;
            search.dropLeastUsefulRow();
            continue;
        }
        search.step();
        if (search.moves() % 256 == 0) {
            if (budget.over())
                break;
            if (Clock::now() - lastTick > std::chrono::milliseconds(250)) {
                onTick();
                lastTick = Clock::now();
            }
        }
    }
    return search.moves();
}

// Greedy covering: each step takes the point that covers most still-uncovered
// points. Balls are symmetric (x reaches z exactly when z reaches x), so a
// newly covered point lowers the gain of the points of its own ball.
// With a budget that runs out, the points still uncovered then become rows
// themselves (each covers at least itself), so a table always comes back.
// Rows in `start` are taken first, and only what they leave is covered.
std::vector<std::uint32_t> greedyOver(const BallLists& balls, Budget* budget, const std::vector<std::uint32_t>& start,
                                      std::uint32_t tieBreak)
{
    std::vector<bool> covered(balls.size, false);
    std::vector<std::uint32_t> rows = start;
    auto completeByThemselves = [&] {
        for (std::uint32_t x = 0; x < balls.size; ++x)
            if (!covered[x]) {
                rows.push_back(x);
                balls.forEach(x, [&](std::uint32_t z) { covered[z] = true; });
            }
        return rows;
    };
    constexpr std::uint32_t kBudgetEvery = 1024;
    // gain[y]: uncovered points within reach of y. Stale queue entries are
    // put back with their current gain, so each pick is a true maximum.
    std::vector<std::uint32_t> gain(balls.size);
    std::uint32_t left = balls.size;
    if (start.empty()) {
        for (std::uint32_t p = 0; p < balls.size; ++p) {
            gain[p] = balls.ballOf(p);
            if (budget && p % kBudgetEvery == 0 && budget->over())
                return completeByThemselves();
        }
    } else {
        for (std::uint32_t y : start)
            balls.forEach(y, [&](std::uint32_t x) {
                left -= covered[x] ? 0 : 1;
                covered[x] = true;
            });
        for (std::uint32_t x = 0; x < balls.size; ++x)
            if (!covered[x])
                balls.forEach(x, [&](std::uint32_t z) { ++gain[z]; });
    }
    std::priority_queue<std::pair<std::uint64_t, std::uint32_t>> queue;
    // Ties broken by a scrambled index rather than the lowest one, which
    // would crowd the rows into one corner of the space.
    auto key = [tieBreak](std::uint32_t gainOf, std::uint32_t p) {
        std::uint32_t scrambled = p * 2654435761u;
        if (tieBreak != 0)
            scrambled = (scrambled ^ tieBreak) * 2246822519u;
        return (std::uint64_t(gainOf) << 32) | scrambled;
    };
    for (std::uint32_t p = 0; p < balls.size; ++p)
        if (gain[p] > 0)
            queue.push({key(gain[p], p), p});
    for (std::uint64_t picks = 1; left > 0 && !queue.empty(); ++picks) {
        if (budget && picks % kBudgetEvery == 0 && budget->over())
            return completeByThemselves();
        const auto [k, y] = queue.top();
        queue.pop();
        if (std::uint32_t(k >> 32) != gain[y]) {
            if (gain[y] > 0)
                queue.push({key(gain[y], y), y});
            continue;
        }
        rows.push_back(y);
        balls.forEach(y, [&](std::uint32_t x) {
            if (covered[x])
                return;
            covered[x] = true;
            --left;
            balls.forEach(x, [&](std::uint32_t z) { --gain[z]; });
        });
    }
    return rows;
}

} // namespace covering
