#include "systems/coveringcodes.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>

namespace {

std::uint64_t power(std::uint64_t base, int exponent)
{
    std::uint64_t value = 1;
    for (int i = 0; i < exponent; ++i)
        value *= base;
    return value;
}

// Points within `radius` of a word of `length` positions over `alphabet` signs.
std::uint64_t ballOf(int alphabet, int length, int radius)
{
    std::uint64_t ball = 0, ways = 1;
    for (int i = 0; i <= radius && i <= length; ++i) {
        ball += ways * power(std::uint64_t(alphabet - 1), i);
        ways = ways * std::uint64_t(length - i) / std::uint64_t(i + 1);
    }
    return ball;
}

BlockCode uniformCode(int alphabet, int length, int radius, std::string name)
{
    BlockCode code;
    code.radix.assign(std::size_t(length), alphabet);
    code.radius = radius;
    code.name = std::move(name);
    return code;
}

// Parity-check columns of the Hamming code: every nonzero column whose first
// nonzero entry is 1 (one per line through the origin), less the unit columns
// that form the identity part.
LinearCode hammingLinearCode(int alphabet, int checks)
{
    LinearCode code;
    code.alphabet = alphabet;
    const std::uint64_t vectors = power(std::uint64_t(alphabet), checks);
    for (std::uint64_t v = 1; v < vectors; ++v) {
        std::vector<std::uint8_t> column(static_cast<std::size_t>(checks));
        std::uint64_t rest = v;
        for (int i = 0; i < checks; ++i) {
            column[std::size_t(i)] = std::uint8_t(rest % std::uint64_t(alphabet));
            rest /= std::uint64_t(alphabet);
        }
        const auto firstNonzero = std::find_if(column.begin(), column.end(), [](std::uint8_t d) { return d != 0; });
        const int nonzero = int(std::count_if(column.begin(), column.end(), [](std::uint8_t d) { return d != 0; }));
        if (*firstNonzero == 1 && nonzero > 1)
            code.columns.push_back(column);
    }
    code.length = int(code.columns.size()) + checks;
    return code;
}

LinearCode randomLinearCode(int alphabet, int length, int checks, std::mt19937_64& rng)
{
    LinearCode code;
    code.alphabet = alphabet;
    code.length = length;
    code.columns.assign(std::size_t(length - checks), std::vector<std::uint8_t>(std::size_t(checks)));
    for (auto& column : code.columns)
        for (auto& d : column)
            d = std::uint8_t(rng() % std::uint64_t(alphabet));
    return code;
}

// The smallest random linear code of radius <= `radius` found within a few
// tries per dimension, smallest dimension first.
std::optional<BlockCode> searchLinearCode(int alphabet, int length, int radius, std::mt19937_64& rng,
                                          std::uint64_t mostWords)
{
    const std::uint64_t ball = ballOf(alphabet, length, radius);
    int checks = 0;
    while (checks < length && power(std::uint64_t(alphabet), checks + 1) <= ball)
        ++checks;
    // The syndrome walk costs alphabet^checks steps: keep the tries within a
    // fixed amount of work so a large space does not stall the start.
    for (; checks >= 1; --checks) {
        const std::uint64_t words = power(std::uint64_t(alphabet), length - checks);
        if (words > mostWords)
            return std::nullopt;
        const std::uint64_t work =
            power(std::uint64_t(alphabet), checks) * std::uint64_t(length * (alphabet - 1) * checks);
        const int tries = int(std::clamp<std::uint64_t>(3'000'000 / std::max<std::uint64_t>(work, 1), 2, 300));
        for (int t = 0; t < tries; ++t) {
            const LinearCode code = randomLinearCode(alphabet, length, checks, rng);
            if (coveringRadius(code) <= radius)
                return wordsOf(code, radius,
                               "random linear [" + std::to_string(length) + "," + std::to_string(length - checks) +
                                   "] code over " + std::to_string(alphabet) + " signs");
        }
    }
    return std::nullopt;
}

// A plan for a table of `twoSign` + `threeSign` positions at a radius: a
// single code, or the direct sum of two smaller plans.
struct Plan {
    std::uint64_t size = ~std::uint64_t(0);
    std::shared_ptr<BlockCode> code;
    int splitTwo = -1, splitThree = -1, splitRadius = -1;
};

class Planner {
public:
    Planner(int twoSign, int threeSign, int radius, std::mt19937_64& rng, std::uint64_t mostWords)
        : two_(twoSign), three_(threeSign), radius_(radius), rng_(rng), mostWords_(mostWords)
    {
        plans_.assign(std::size_t((two_ + 1) * (three_ + 1) * (radius_ + 1)), Plan{});
        for (int r = 0; r <= radius_; ++r)
            for (int h = 0; h <= two_; ++h)
                for (int f = 0; f <= three_; ++f)
                    plan(h, f, r);
    }

    const Plan& at(int h, int f, int r) const { return plans_[index(h, f, r)]; }

    BlockCode build(int h, int f, int r) const
    {
        const Plan& p = at(h, f, r);
        if (p.code)
            return *p.code;
        BlockCode first = build(p.splitTwo, p.splitThree, p.splitRadius);
        BlockCode second = build(h - p.splitTwo, f - p.splitThree, r - p.splitRadius);
        return directSum(first, second);
    }

private:
    std::size_t index(int h, int f, int r) const { return std::size_t((r * (two_ + 1) + h) * (three_ + 1) + f); }

    void offer(Plan& p, const BlockCode& code)
    {
        if (code.words.size() < p.size) {
            p.size = code.words.size();
            p.code = std::make_shared<BlockCode>(code);
            p.splitTwo = -1;
        }
    }

    void plan(int h, int f, int r)
    {
        Plan& p = plans_[index(h, f, r)];
        if (h + f == 0 || r >= h + f) {
            BlockCode one = uniformCode(3, 0, r, "one row");
            one.radix.assign(std::size_t(h), 2);
            one.radix.insert(one.radix.end(), std::size_t(f), 3);
            one.words.push_back(Digits(std::size_t(h + f), 0));
            offer(p, one);
            return;
        }
        const std::uint64_t full = power(2, h) * power(3, f);
        if (r == 0 || (h + f == 1)) {
            p.size = full;
            if (full <= mostWords_) {
                BlockCode all = uniformCode(3, 0, r, "all outcomes");
                all.radix.assign(std::size_t(h), 2);
                all.radix.insert(all.radix.end(), std::size_t(f), 3);
                for (std::uint64_t x = 0; x < full; ++x) {
                    Digits w(std::size_t(h + f));
                    std::uint64_t rest = x;
                    for (int j = h + f - 1; j >= 0; --j) {
                        w[std::size_t(j)] = std::uint8_t(rest % std::uint64_t(all.radix[std::size_t(j)]));
                        rest /= std::uint64_t(all.radix[std::size_t(j)]);
                    }
                    all.words.push_back(w);
                }
                p.code = std::make_shared<BlockCode>(all);
            }
            return;
        }
        if (h == 0) {
            if (r == 1 && (f == 4 || f == 13) && power(3, f - (f == 4 ? 2 : 3)) <= mostWords_)
                offer(p, ternaryHammingCode(f == 4 ? 2 : 3));
            if (r == 2 && f == 11)
                offer(p, ternaryGolayCode());
            if (auto code = searchLinearCode(3, f, r, rng_, std::min(mostWords_, p.size)))
                offer(p, *code);
        }
        if (f == 0) {
            if (r == 2 && h == 8)
                offer(p, extendedBinaryHammingCode());
            if (r == 1 && h == 7)
                offer(p, wordsOf(hammingLinearCode(2, 3), 1, "binary Hamming code [7,4]"));
            if (auto code = searchLinearCode(2, h, r, rng_, std::min(mostWords_, p.size)))
                offer(p, *code);
        }
        // Direct sums over every split; both halves are planned already,
        // being smaller in positions or radius.
        for (int h1 = 0; h1 <= h; ++h1)
            for (int f1 = 0; f1 <= f; ++f1)
                for (int r1 = 0; r1 <= r; ++r1) {
                    const bool whole = h1 == h && f1 == f;
                    const bool empty = h1 + f1 == 0;
                    if (whole || empty)
                        continue;
                    const std::uint64_t a = at(h1, f1, r1).size, b = at(h - h1, f - f1, r - r1).size;
                    if (a == ~std::uint64_t(0) || b == ~std::uint64_t(0))
                        continue;
                    if (a * b < p.size) {
                        p.size = a * b;
                        p.code.reset();
                        p.splitTwo = h1;
                        p.splitThree = f1;
                        p.splitRadius = r1;
                    }
                }
    }

    int two_, three_, radius_;
    std::mt19937_64& rng_;
    std::uint64_t mostWords_;
    std::vector<Plan> plans_;
};

} // namespace

BlockCode ternaryHammingCode(int checks)
{
    return wordsOf(hammingLinearCode(3, checks), 1,
                   "ternary Hamming code [" + std::to_string((power(3, checks) - 1) / 2) + "," +
                       std::to_string((power(3, checks) - 1) / 2 - std::uint64_t(checks)) + "]");
}

BlockCode ternaryGolayCode()
{
    // Generator polynomial x^5 + x^4 - x^3 + x^2 - 1, lowest power first.
    const std::array<int, 6> generator = {2, 0, 1, 2, 1, 1};
    BlockCode code = uniformCode(3, 11, 2, "ternary Golay code [11,6]");
    for (int message = 0; message < 729; ++message) {
        Digits word(11, 0);
        int rest = message;
        for (int i = 0; i < 6; ++i, rest /= 3)
            for (int j = 0; j < 6; ++j)
                word[std::size_t(i + j)] =
                    std::uint8_t((word[std::size_t(i + j)] + rest % 3 * generator[std::size_t(j)]) % 3);
        code.words.push_back(word);
    }
    return code;
}

BlockCode extendedBinaryHammingCode()
{
    const int generators[4] = {0b11110000, 0b11001100, 0b10101010, 0b11111111};
    BlockCode code = uniformCode(2, 8, 2, "extended binary Hamming code [8,4]");
    for (int c = 0; c < 16; ++c) {
        int bits = 0;
        for (int g = 0; g < 4; ++g)
            if (c >> g & 1)
                bits ^= generators[g];
        Digits word(8);
        for (int i = 0; i < 8; ++i)
            word[std::size_t(i)] = std::uint8_t(bits >> (7 - i) & 1);
        code.words.push_back(word);
    }
    return code;
}

int coveringRadius(const LinearCode& code)
{
    // Breadth-first over syndromes: the least number of parity-check columns
    // (times a nonzero sign) that sum to a syndrome is the distance from any
    // word with that syndrome to the code.
    const int checks = code.checks();
    const int q = code.alphabet;
    std::vector<std::vector<std::uint8_t>> steps;
    auto addSteps = [&](const std::vector<std::uint8_t>& column) {
        for (int a = 1; a < q; ++a) {
            std::vector<std::uint8_t> step(column.size());
            for (std::size_t i = 0; i < column.size(); ++i)
                step[i] = std::uint8_t(a * column[i] % q);
            steps.push_back(step);
        }
    };
    for (const auto& column : code.columns)
        addSteps(column);
    for (int i = 0; i < checks; ++i) {
        std::vector<std::uint8_t> unit(std::size_t(checks), 0);
        unit[std::size_t(i)] = 1;
        addSteps(unit);
    }
    const std::uint64_t syndromes = power(std::uint64_t(q), checks);
    std::vector<std::int8_t> distance(syndromes, -1);
    std::vector<std::uint32_t> queue{0};
    distance[0] = 0;
    int radius = 0;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const std::uint32_t s = queue[head];
        radius = distance[s];
        std::vector<std::uint8_t> digits(static_cast<std::size_t>(checks));
        std::uint32_t rest = s;
        for (int i = 0; i < checks; ++i, rest /= std::uint32_t(q))
            digits[std::size_t(i)] = std::uint8_t(rest % std::uint32_t(q));
        for (const auto& step : steps) {
            std::uint32_t next = 0;
            for (int i = checks - 1; i >= 0; --i)
                next = next * std::uint32_t(q) + std::uint32_t((digits[std::size_t(i)] + step[std::size_t(i)]) % q);
            if (distance[next] < 0) {
                distance[next] = std::int8_t(distance[s] + 1);
                queue.push_back(next);
            }
        }
    }
    return radius;
}

BlockCode wordsOf(const LinearCode& code, int radius, const std::string& name)
{
    const int q = code.alphabet;
    const int k = int(code.columns.size());
    const int checks = code.checks();
    BlockCode block = uniformCode(q, code.length, radius, name);
    const std::uint64_t messages = power(std::uint64_t(q), k);
    for (std::uint64_t m = 0; m < messages; ++m) {
        Digits word(std::size_t(code.length), 0);
        std::uint64_t rest = m;
        for (int j = k - 1; j >= 0; --j, rest /= std::uint64_t(q))
            word[std::size_t(j)] = std::uint8_t(rest % std::uint64_t(q));
        // Parity digits make the syndrome zero: p = -A u.
        for (int i = 0; i < checks; ++i) {
            int sum = 0;
            for (int j = 0; j < k; ++j)
                sum += code.columns[std::size_t(j)][std::size_t(i)] * word[std::size_t(j)];
            word[std::size_t(k + i)] = std::uint8_t((q - sum % q) % q);
        }
        block.words.push_back(word);
    }
    return block;
}

BlockCode directSum(const BlockCode& first, const BlockCode& second)
{
    BlockCode sum;
    sum.radix = first.radix;
    sum.radix.insert(sum.radix.end(), second.radix.begin(), second.radix.end());
    sum.radius = first.radius + second.radius;
    sum.name = first.name + " + " + second.name;
    sum.words.reserve(first.words.size() * second.words.size());
    for (const Digits& a : first.words)
        for (const Digits& b : second.words) {
            Digits w = a;
            w.insert(w.end(), b.begin(), b.end());
            sum.words.push_back(w);
        }
    return sum;
}

AlgebraicTable smallestAlgebraicTable(const CoveringSpace& space, std::size_t mostRows, std::mt19937_64& rng)
{
    const int two = space.twoSignCount(), three = space.threeSignCount();
    const Planner planner(two, three, space.radius, rng, mostRows);
    AlgebraicTable table;
    table.size = planner.at(two, three, space.radius).size;
    if (table.size > mostRows)
        return table;
    const BlockCode code = planner.build(two, three, space.radius);
    table.name = code.name;
    // Code positions of each kind go to the space's matches of that kind in order.
    std::vector<std::size_t> twoAt, threeAt;
    for (std::size_t i = 0; i < code.radix.size(); ++i)
        (code.radix[i] == 2 ? twoAt : threeAt).push_back(i);
    for (const Digits& word : code.words) {
        Digits digits(space.matches.size());
        std::size_t nextTwo = 0, nextThree = 0;
        for (int j = 0; j < space.length(); ++j)
            digits[std::size_t(j)] = word[space.radix[std::size_t(j)] == 2 ? twoAt[nextTwo++] : threeAt[nextThree++]];
        table.points.push_back(pointOfDigits(space, digits));
    }
    std::sort(table.points.begin(), table.points.end());
    table.points.erase(std::unique(table.points.begin(), table.points.end()), table.points.end());
    return table;
}
