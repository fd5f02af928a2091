#include "systems/coveringsearch.h"

#include "systems/coveringcheck.h"
#include "systems/coveringcodes.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <queue>
#include <random>

namespace {

using Clock = std::chrono::steady_clock;

// Greedy costs about one visit per point and ball member; beyond this it
// would take seconds, and algebra gives a start anyway.
constexpr std::uint64_t kMostGreedyWork = 400'000'000;

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

constexpr std::uint64_t kMostCachedBallPoints = 16'000'000;
// Listing the balls within kept outcomes visits every full ball once and may
// keep all it visits; beyond this it would take seconds and hundreds of megabytes.
constexpr std::uint64_t kMostSubsetBallVisits = 100'000'000;
// Syndrome balls are built afresh for every matrix tried, so they stay small.
constexpr std::uint64_t kMostSyndromeBallPoints = 4'000'000;

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

// Local search over tables of a fixed size: take an uncovered point, bring in
// a row within reach of it and drop the row whose loss then hurts least, and
// forbid bringing a dropped row back for a while. Uncovered points that
// resist gain weight, so the search leaves a corner instead of circling in it.
// When the table covers everything it is kept and its least useful row
// dropped. Counts are kept per point, with the xor of the covering rows, so
// a row's sole-covered weight (its loss) is known at every step.
class CoverSearch {
public:
    CoverSearch(const BallLists& balls, const std::vector<std::uint32_t>& rows, std::uint64_t seed)
        : balls_(balls), rng_(seed), cover_(balls.size, 0), owner_(balls.size, 0), weight_(balls.size, 1),
          loss_(balls.size, 0), save_(balls.size, 0), rowAt_(balls.size, -1), uncoveredAt_(balls.size, -1),
          tabuUntil_(balls.size, 0)
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
                consider(add, drop, std::int64_t(loss_[drop]) - std::int64_t(save_[drop]) - gain);
            const std::uint32_t least = leastLossRows_[rng_() % leastLossRows_.size()];
            if (save_[least] == 0) {
                consider(add, least, std::int64_t(leastLoss) - gain);
            } else {
                for (std::uint32_t drop : rows_)
                    if (save_[drop] == 0)
                        consider(add, drop, std::int64_t(loss_[drop]) - gain);
            }
            for (std::uint32_t owner : touched_)
                save_[owner] = 0;
        }
        if (ties == 0)
            return;
        if (bestDelta >= 0) {
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
        tabuUntil_[bestDrop] = moves_ + kTenure;
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

bool pointsCover(const CoveringSpace& space, const std::vector<std::uint32_t>& points)
{
    std::vector<bool> covered(space.size, false);
    for (std::uint32_t p : points)
        forEachPointWithin(space, digitsOfPoint(space, p), p, space.radius,
                           [&](std::uint32_t x) { covered[x] = true; });
    return std::find(covered.begin(), covered.end(), false) == covered.end();
}

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

// Shrinks `best` (a complete table) while the budget lasts: search a table
// one size smaller, and on success drop more rows at once while successes
// come easily. A size that resists is tried afresh, alternately from random
// rows and from the best table less some rows, each time with the patience
// doubled. Returns the moves made.
template <class OnBetter, class OnTick>
std::uint64_t shrinkByLocalSearch(const BallLists& balls, std::uint64_t lowerBound, std::vector<std::uint32_t>& best,
                                  std::mt19937_64& rng, Budget& budget, std::uint64_t moveLimit, OnBetter onBetter,
                                  OnTick onTick)
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

// Greedy covering: each step takes the point that covers most still-uncovered
// points. Balls are symmetric (x reaches z exactly when z reaches x), so a
// newly covered point lowers the gain of the points of its own ball.
// With a budget that runs out, the points still uncovered then become rows
// themselves (each covers at least itself), so a table always comes back.
// Rows in `start` are taken first, and only what they leave is covered.
std::vector<std::uint32_t> greedyOver(const BallLists& balls, Budget* budget = nullptr,
                                      const std::vector<std::uint32_t>& start = {})
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
    auto key = [](std::uint32_t gainOf, std::uint32_t p) {
        return (std::uint64_t(gainOf) << 32) | ((p * 2654435761u) & 0xffffffffu);
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

// --- Unions of cosets of a linear code ----------------------------------------
//
// Take a parity-check matrix [A | I] over the two-sign matches (bits) and
// another over the three-sign matches (signs mod 3). The words whose pair of
// syndromes lies in a set S form a table of |S| * 2^kb * 3^kt rows, and it
// keeps radius R exactly when every syndrome pair is within R column steps
// (a sum of at most R columns, three-sign ones times 1 or 2) of S. So the
// search moves to the syndrome space, 2^kb * 3^kt times smaller, where good
// sets are found far more easily. Such a table is closed under adding any
// codeword: the symmetry the search is restricted to. Many of the best
// tables known are built this way; a carried table of eight two-sign and
// four three-sign matches is one (a coset of the binary Hamming code per
// three-sign combination).

// The two parity-check matrices: columns of A for the message positions.
struct CosetCode {
    int twoSignChecks = 0, threeSignChecks = 0;
    std::vector<Digits> twoSignColumns;   // each twoSignChecks bits
    std::vector<Digits> threeSignColumns; // each threeSignChecks signs
};

// Syndromes are numbered in mixed radix: the bits first, then the signs.
struct SyndromeDigits {
    std::vector<int> radix;

    std::uint32_t sum(std::uint32_t a, std::uint32_t b) const
    {
        std::uint32_t result = 0, weight = 1;
        for (int r : radix) {
            const auto q = std::uint32_t(r);
            result += (a % q + b % q) % q * weight;
            a /= q;
            b /= q;
            weight *= q;
        }
        return result;
    }
    std::uint32_t of(const Digits& bits, const Digits& signs) const
    {
        std::uint32_t s = 0, weight = 1;
        for (std::uint8_t d : bits) {
            s += d * weight;
            weight *= 2;
        }
        for (std::uint8_t d : signs) {
            s += d * weight;
            weight *= 3;
        }
        return s;
    }
};

SyndromeDigits syndromeDigits(const CosetCode& code)
{
    SyndromeDigits digits;
    digits.radix.assign(std::size_t(code.twoSignChecks), 2);
    digits.radix.insert(digits.radix.end(), std::size_t(code.threeSignChecks), 3);
    return digits;
}

// Balls of the syndrome space: every syndrome plus each sum of at most R steps.
BallLists syndromeBalls(const CosetCode& code, int radius)
{
    const SyndromeDigits digits = syndromeDigits(code);
    const Digits noBits(std::size_t(code.twoSignChecks), 0), noSigns(std::size_t(code.threeSignChecks), 0);
    std::vector<std::uint32_t> steps;
    auto unit = [](std::size_t length, std::size_t at) {
        Digits d(length, 0);
        d[at] = 1;
        return d;
    };
    for (const Digits& column : code.twoSignColumns)
        steps.push_back(digits.of(column, noSigns));
    for (int i = 0; i < code.twoSignChecks; ++i)
        steps.push_back(digits.of(unit(noBits.size(), std::size_t(i)), noSigns));
    auto addSignSteps = [&](const Digits& column) {
        const std::uint32_t once = digits.of(noBits, column);
        steps.push_back(once);
        steps.push_back(digits.sum(once, once));
    };
    for (const Digits& column : code.threeSignColumns)
        addSignSteps(column);
    for (int i = 0; i < code.threeSignChecks; ++i)
        addSignSteps(unit(noSigns.size(), std::size_t(i)));

    std::uint32_t size = 1;
    for (int r : digits.radix)
        size *= std::uint32_t(r);
    std::vector<std::uint32_t> reach{0};
    std::vector<bool> seen(size, false);
    seen[0] = true;
    for (int depth = 0, from = 0; depth < radius; ++depth) {
        const int to = int(reach.size());
        for (int k = from; k < to; ++k)
            for (std::uint32_t step : steps) {
                const std::uint32_t next = digits.sum(reach[std::size_t(k)], step);
                if (!seen[next]) {
                    seen[next] = true;
                    reach.push_back(next);
                }
            }
        from = to;
    }
    BallLists lists;
    lists.size = size;
    lists.ball = std::uint32_t(reach.size());
    lists.points.reserve(std::size_t(lists.size) * lists.ball);
    for (std::uint32_t s = 0; s < lists.size; ++s)
        for (std::uint32_t d : reach)
            lists.points.push_back(digits.sum(s, d));
    return lists;
}

// Every message with the parity digits that give one syndrome: parity =
// syndrome - A * message, per kind of match.
void forEachWordWithSyndrome(const std::vector<Digits>& columns, int checks, int q, const Digits& syndrome,
                             const std::function<void(const Digits&)>& visit)
{
    const int k = int(columns.size());
    std::uint64_t messages = 1;
    for (int j = 0; j < k; ++j)
        messages *= std::uint64_t(q);
    Digits word(std::size_t(k + checks));
    for (std::uint64_t m = 0; m < messages; ++m) {
        std::uint64_t rest = m;
        for (int j = 0; j < k; ++j, rest /= std::uint64_t(q))
            word[std::size_t(j)] = std::uint8_t(rest % std::uint64_t(q));
        for (int i = 0; i < checks; ++i) {
            int sum = 0;
            for (int j = 0; j < k; ++j)
                sum += columns[std::size_t(j)][std::size_t(i)] * word[std::size_t(j)];
            word[std::size_t(k + i)] = std::uint8_t(((syndrome[std::size_t(i)] - sum) % q + q) % q);
        }
        visit(word);
    }
}

std::vector<std::uint32_t> wordsWithSyndromes(const CoveringSpace& space, const CosetCode& code,
                                              const std::vector<std::uint32_t>& syndromes)
{
    std::vector<std::uint32_t> points;
    for (std::uint32_t s : syndromes) {
        Digits bitSyndrome(std::size_t(code.twoSignChecks)), signSyndrome(std::size_t(code.threeSignChecks));
        for (auto& d : bitSyndrome) {
            d = std::uint8_t(s % 2);
            s /= 2;
        }
        for (auto& d : signSyndrome) {
            d = std::uint8_t(s % 3);
            s /= 3;
        }
        forEachWordWithSyndrome(code.twoSignColumns, code.twoSignChecks, 2, bitSyndrome, [&](const Digits& bits) {
            forEachWordWithSyndrome(
                code.threeSignColumns, code.threeSignChecks, 3, signSyndrome, [&](const Digits& signs) {
                    // Code positions of each kind go to the space's matches of that kind in order.
                    Digits digits(space.matches.size());
                    std::size_t nextBit = 0, nextSign = 0;
                    for (int j = 0; j < space.length(); ++j)
                        digits[std::size_t(j)] = space.radix[std::size_t(j)] == 2 ? bits[nextBit++] : signs[nextSign++];
                    points.push_back(pointOfDigits(space, digits));
                });
        });
    }
    return points;
}

void drawColumns(std::vector<Digits>& columns, int q, std::mt19937_64& rng)
{
    for (auto& column : columns)
        for (auto& d : column)
            d = std::uint8_t(rng() % std::uint64_t(q));
}

std::string checksText(int checks, int matches, const char* kind)
{
    if (matches == 0)
        return "";
    return std::to_string(checks) + " checks over " + std::to_string(matches) + " " + kind + "-sign matches";
}

// Tries coset unions for every useful pair of check counts in turn, each
// time with another matrix and, round by round, twice the moves, until the
// phase ends. Returns the moves made.
template <class OnBetter, class OnTick>
std::uint64_t searchCosetUnions(const CoveringSpace& space, std::vector<std::uint32_t>& best, std::mt19937_64& rng,
                                Budget& budget, std::uint64_t phaseMoves, OnBetter onBetter, OnTick onTick)
{
    const int two = space.twoSignCount(), three = space.threeSignCount();
    if (space.length() < 4)
        return 0;
    const std::uint64_t ball = ballSize(space);
    const std::size_t sizeToBeat = best.empty() ? kMostTableRows + 1 : best.size();
    struct Shape {
        int twoChecks, threeChecks;
        double syndromes, cosetRows;
        CosetCode kept; // the best matrix so far for this shape
        std::size_t keptCosets = ~std::size_t(0);
    };
    std::vector<Shape> shapes;
    for (int tc = 0; tc <= two; ++tc)
        for (int fc = 0; fc <= three; ++fc) {
            const double syndromes = std::pow(2, tc) * std::pow(3, fc);
            const double cosetRows = std::pow(2, two - tc) * std::pow(3, three - fc);
            if (cosetRows >= 2 && syndromes > double(ball) &&
                syndromes * double(ball) <= double(kMostSyndromeBallPoints) &&
                cosetRows * std::ceil(syndromes / double(ball)) < double(sizeToBeat))
                shapes.push_back({tc, fc, syndromes, cosetRows, {}, ~std::size_t(0)});
        }
    std::uint64_t movesPerTry = 20'000, movesSpent = 0;
    auto phaseOver = [&] { return budget.over() || (phaseMoves > 0 && movesSpent >= phaseMoves); };
    while (!shapes.empty() && !phaseOver()) {
        bool anyShapeTried = false;
        for (Shape& shape : shapes) {
            // Once a table is found, a shape whose smallest possible union
            // is no smaller has nothing left to give.
            const double fewestCosets = std::ceil(shape.syndromes / double(ball));
            if (!best.empty() && shape.cosetRows * fewestCosets >= double(best.size()))
                continue;
            anyShapeTried = true;
            // A small syndrome space is settled in few moves, so it gets many
            // matrices: the matrix matters more than the search there.
            const std::uint64_t tries = std::max<std::uint64_t>(1, movesPerTry / std::uint64_t(100 * shape.syndromes));
            for (std::uint64_t t = 0; t < tries && !phaseOver(); ++t) {
                // Half the tries change one column of the best matrix so far:
                // good matrices are rare, and their neighbours are more often
                // good than a fresh draw.
                CosetCode code = shape.kept;
                const std::size_t twoColumns = std::size_t(two - shape.twoChecks);
                const std::size_t threeColumns = std::size_t(three - shape.threeChecks);
                if (shape.keptCosets == ~std::size_t(0) || rng() % 2 == 0) {
                    code.twoSignChecks = shape.twoChecks;
                    code.threeSignChecks = shape.threeChecks;
                    code.twoSignColumns.assign(twoColumns, Digits(std::size_t(shape.twoChecks)));
                    code.threeSignColumns.assign(threeColumns, Digits(std::size_t(shape.threeChecks)));
                    drawColumns(code.twoSignColumns, 2, rng);
                    drawColumns(code.threeSignColumns, 3, rng);
                } else {
                    const std::size_t column = rng() % (twoColumns + threeColumns);
                    if (column < twoColumns) {
                        std::vector<Digits> one(1, Digits(std::size_t(shape.twoChecks)));
                        drawColumns(one, 2, rng);
                        code.twoSignColumns[column] = one[0];
                    } else {
                        std::vector<Digits> one(1, Digits(std::size_t(shape.threeChecks)));
                        drawColumns(one, 3, rng);
                        code.threeSignColumns[column - twoColumns] = one[0];
                    }
                }
                const BallLists balls = syndromeBalls(code, space.radius);
                std::vector<std::uint32_t> syndromes = greedyOver(balls);
                const std::uint64_t lowerBound = (balls.size + balls.ball - 1) / balls.ball;
                const std::uint64_t limit =
                    phaseMoves > 0 ? std::min(movesPerTry / tries, phaseMoves - movesSpent) : movesPerTry / tries;
                // A try counts as a move even when the local search had none
                // to make, so a budget of moves always runs out.
                movesSpent +=
                    std::max<std::uint64_t>(1, shrinkByLocalSearch(
                                                   balls, lowerBound, syndromes, rng, budget, limit, [] {}, onTick));
                if (syndromes.size() <= shape.keptCosets) {
                    shape.keptCosets = syndromes.size();
                    shape.kept = code;
                }
                const double rows = double(syndromes.size()) * shape.cosetRows;
                if (rows < double(best.empty() ? kMostTableRows + 1 : best.size())) {
                    best = wordsWithSyndromes(space, code, syndromes);
                    onBetter("union of " + std::to_string(syndromes.size()) + " cosets of a linear code (" +
                             checksText(shape.twoChecks, two, "two") + (two > 0 && three > 0 ? ", " : "") +
                             checksText(shape.threeChecks, three, "three") + ")");
                }
            }
        }
        // Every shape settled: waiting for the clock would only spin.
        if (!anyShapeTried)
            break;
        movesPerTry *= 2;
    }
    return movesSpent;
}

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

CoveringResult refusal(CoveringStatus status, std::string message)
{
    CoveringResult result;
    result.status = status;
    result.message = std::move(message);
    return result;
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
        result.message = "needs more than " + withThousands(kMostTableRows) + " rows (at least " +
                         withThousands(result.lowerBound) + ")";
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
        result.message =
            "needs more than " + withThousands(kMostTableRows) + " rows (" + withThousands(best.size()) + " found)";
        return result;
    }
    for (std::uint32_t& place : best)
        place = outcomes[place];
    std::sort(best.begin(), best.end());
    for (std::uint32_t p : best)
        result.rows.push_back(rowOfPoint(space, p));
    if (!tableKeepsGuarantee(result.rows, request.frame, request.guarantee, &request.outcomesToCover)) {
        result.status = CoveringStatus::CheckFailed;
        result.message = "the table found does not keep the guarantee";
        return result;
    }
    result.status = CoveringStatus::Found;
    report(best.size());
    return result;
}

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
    CoveringResult result;
    result.outcomes = space.size;
    result.lowerBound = sphereCoveringBound(space);
    if (result.lowerBound > kMostTableRows) {
        result.status = CoveringStatus::NeedsTooManyRows;
        result.message = "needs more than " + withThousands(kMostTableRows) + " rows (at least " +
                         withThousands(result.lowerBound) + ")";
        return result;
    }
    std::mt19937_64 rng(request.seed);
    std::vector<std::uint32_t> best;
    auto report = [&] {
        if (request.progress)
            request.progress({best.size(), result.lowerBound, budget.seconds()});
    };
    auto offer = [&](std::vector<std::uint32_t> points, const std::string& method) {
        if (points.empty() || points.size() > kMostTableRows || (!best.empty() && points.size() >= best.size()))
            return;
        best = std::move(points);
        result.method = method;
        report();
    };

    if (!request.startingTable.empty()) {
        std::vector<std::uint32_t> start;
        for (const SignRow& row : request.startingTable) {
            std::uint32_t p = 0;
            if (pointOfRow(space, row, p))
                start.push_back(p);
        }
        std::sort(start.begin(), start.end());
        start.erase(std::unique(start.begin(), start.end()), start.end());
        if (pointsCover(space, start))
            offer(start, "the starting table");
    }
    const AlgebraicTable algebra = smallestAlgebraicTable(space, kMostTableRows, rng);
    offer(algebra.points, algebra.name);
    if (best.size() != result.lowerBound && !budget.over())
        offer(greedyCovering(space, kMostGreedyWork), "greedy covering");
    if (!request.partialTables.empty() && best.size() != result.lowerBound && !budget.over()) {
        const BallLists balls = spaceBalls(space);
        for (const std::vector<SignRow>& partial : request.partialTables) {
            std::vector<std::uint32_t> start;
            for (const SignRow& row : partial) {
                std::uint32_t p = 0;
                if (pointOfRow(space, row, p))
                    start.push_back(p);
            }
            std::sort(start.begin(), start.end());
            start.erase(std::unique(start.begin(), start.end()), start.end());
            if (!start.empty() && (best.empty() || start.size() < best.size()) && !budget.over())
                offer(greedyOver(balls, &budget, start), "glued tables completed greedily");
        }
    }

    // Three quarters of the budget for coset unions where they apply: they
    // find the better tables whenever the space is larger than a few
    // thousand outcomes. The rest goes to the search over single rows, which
    // polishes what they found and does all the work on mixed frames.
    if ((best.empty() || best.size() > result.lowerBound) && !budget.over()) {
        budget.phaseEnd = bounded.seconds > 0 ? budget.seconds() + (bounded.seconds - budget.seconds()) * 3 / 4 : 0;
        result.movesMade = searchCosetUnions(
            space, best, rng, budget, bounded.moves > 0 ? std::max<std::uint64_t>(1, bounded.moves * 3 / 4) : 0,
            [&](const std::string& method) {
                result.method = method;
                report();
            },
            report);
        budget.phaseEnd = 0;
    }
    if (best.empty()) {
        result.status = CoveringStatus::NeedsTooManyRows;
        result.message = "needs more than " + withThousands(kMostTableRows) + " rows (none found)";
        return result;
    }
    if (best.size() > result.lowerBound && !budget.over()) {
        const std::string startMethod = result.method;
        const BallLists balls = spaceBalls(space);
        // What the coset phase left (all of it where it does not apply);
        // at least one move, since no limit at all would mean none.
        const std::uint64_t movesLeft =
            bounded.moves > 0 ? std::max<std::uint64_t>(1, bounded.moves - std::min(bounded.moves, result.movesMade))
                              : 0;
        result.movesMade += shrinkByLocalSearch(
            balls, result.lowerBound, best, rng, budget, movesLeft,
            [&] {
                result.method = "local search from " + startMethod;
                report();
            },
            report);
    }

    std::sort(best.begin(), best.end());
    for (std::uint32_t p : best)
        result.rows.push_back(rowOfPoint(space, p));
    result.cancelled = budget.cancelled;
    result.outOfTime = budget.outOfTime;
    // Every table is checked by code that shares nothing with the search's
    // bookkeeping before anyone may save it.
    if (!tableKeepsGuarantee(result.rows, request.frame, request.guarantee)) {
        result.status = CoveringStatus::CheckFailed;
        result.message = "the table found does not keep the guarantee";
        return result;
    }
    result.status = CoveringStatus::Found;
    report();
    return result;
}
