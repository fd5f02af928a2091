#include "systems/coveringsearchparts.h"

#include "systems/coveringcodes.h"

#include <algorithm>
#include <cmath>
#include <functional>

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


namespace covering {

namespace {

// Syndrome balls are built afresh for every matrix tried, so they stay small.
constexpr std::uint64_t kMostSyndromeBallPoints = 4'000'000;

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

} // namespace

// Tries coset unions for every useful pair of check counts in turn, each
// time with another matrix and, round by round, twice the moves, until the
// phase ends. Returns the moves made.
std::uint64_t searchCosetUnions(const CoveringSpace& space, std::vector<std::uint32_t>& best, std::mt19937_64& rng,
                                Budget& budget, std::uint64_t phaseMoves,
                                const std::function<void(const std::string&)>& onBetter,
                                const std::function<void()>& onTick)
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

} // namespace covering
