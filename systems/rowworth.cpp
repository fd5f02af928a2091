#include "systems/rowworth.h"

#include "base/rows.h"
#include "systems/poolshare.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <queue>

namespace {

constexpr int kClasses = 4;                     // 13, 12, 11 and 10 right: 0 … 3 wrong

// An outcome's chance under the player's chances, and the mean number of
// the public's rows with exactly d wrong against it (rows sold × the chance
// that a row played as the public plays has d wrong: the coefficient of t^d
// in the product over the matches of q + (1 − q)·t).
struct OutcomeTerms {
    double chance = 1;
    std::array<double, kClasses> othersExpected{};
};

// Walks the outcomes in row-number order keeping the products of every
// leading run of matches, so a step redoes only the matches that changed.
class OutcomeWalk {
public:
    explicit OutcomeWalk(const WorthModel& model) : model_(model)
    {
        prefix_[0].chance = 1;
        prefix_[0].othersExpected = {1, 0, 0, 0};
        seek(0);
    }

    void seek(std::uint32_t outcome)
    {
        for (int m = kFrameMatches - 1; m >= 0; --m) {
            sign_[std::size_t(m)] = std::uint8_t(outcome % 3);
            outcome /= 3;
        }
        redoFrom(0);
    }

    void next()
    {
        int m = kFrameMatches - 1;
        while (m > 0 && sign_[std::size_t(m)] == 2)
            sign_[std::size_t(m--)] = 0;
        ++sign_[std::size_t(m)];
        redoFrom(m);
    }

    OutcomeTerms terms() const
    {
        OutcomeTerms t = prefix_[kFrameMatches];
        for (double& x : t.othersExpected)
            x *= model_.round.rowsSold;
        return t;
    }

private:
    void redoFrom(int first)
    {
        for (int m = first; m < kFrameMatches; ++m) {
            const OutcomeTerms& before = prefix_[std::size_t(m)];
            OutcomeTerms& after = prefix_[std::size_t(m + 1)];
            const std::uint8_t s = sign_[std::size_t(m)];
            const double q = model_.publicShares[m][s];
            after.chance = before.chance * model_.chances[m][s];
            after.othersExpected[0] = before.othersExpected[0] * q;
            for (int d = 1; d < kClasses; ++d)
                after.othersExpected[d] = before.othersExpected[d] * q + before.othersExpected[d - 1] * (1 - q);
        }
    }

    const WorthModel& model_;
    std::array<std::uint8_t, kFrameMatches> sign_{};
    std::array<OutcomeTerms, kFrameMatches + 1> prefix_{};
};

bool allSigns(const std::vector<SignRow>& rows)
{
    return std::all_of(rows.begin(), rows.end(), [](const SignRow& row) {
        return std::all_of(row.begin(), row.end(), [](std::uint8_t s) { return s < 3; });
    });
}

std::uint32_t rowNumber(const SignRow& row)
{
    std::uint32_t n = 0;
    for (std::uint8_t s : row)
        n = n * 3 + s;
    return n;
}

SignRow rowOfNumber(std::uint32_t n)
{
    SignRow row{};
    for (int m = kFrameMatches - 1; m >= 0; --m) {
        row[std::size_t(m)] = std::uint8_t(n % 3);
        n /= 3;
    }
    return row;
}

// The chance that a return is at least x, on a grid of x spaced evenly in
// proportion from the least return above nothing to the largest.
std::vector<ReturnChance> returnChancesOf(std::vector<std::pair<double, double>> returns)
{
    constexpr int kPoints = 200;
    std::vector<ReturnChance> points;
    if (returns.empty())
        return points;
    std::sort(returns.begin(), returns.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    // atLeast[i]: the chance of a return of at least returns[i].first.
    std::vector<double> atLeast(returns.size());
    double sum = 0;
    for (std::size_t i = 0; i < returns.size(); ++i)
        atLeast[i] = sum += returns[i].second;
    const double least = returns.back().first, most = returns.front().first;
    for (int p = 0; p < kPoints; ++p) {
        const double x = p == kPoints - 1 ? most : least * std::pow(most / least, double(p) / (kPoints - 1));
        // The last return at least x in the descending order.
        const auto end = std::partition_point(returns.begin(), returns.end(),
                                              [&](const auto& r) { return r.first >= x * (1 - 1e-12); });
        points.push_back({x, end == returns.begin() ? 0 : atLeast[std::size_t(end - returns.begin()) - 1]});
        if (least == most)
            break;
    }
    return points;
}

double tieKey(double worth)
{
    // About twelve significant digits: the low 12 of the 52 fraction bits go.
    return std::bit_cast<double>(std::bit_cast<std::uint64_t>(worth) & ~std::uint64_t(0xfff));
}

} // namespace

SignChances fractionsPerMatch(const SignChances& numbers)
{
    SignChances fractions{};
    for (int m = 0; m < kFrameMatches; ++m) {
        double sum = 0;
        for (double x : numbers[m])
            sum += std::max(0.0, x);
        for (int s = 0; s < 3; ++s)
            fractions[m][s] = sum > 0 ? std::max(0.0, numbers[m][s]) / sum : 1.0 / 3;
    }
    return fractions;
}

bool worthsBefore(double worth, std::uint32_t row, double otherWorth, std::uint32_t otherRow)
{
    const double a = tieKey(worth), b = tieKey(otherWorth);
    return a > b || (a == b && row < otherRow);
}

std::optional<WorthReport> worthOfRows(const std::vector<SignRow>& rows, const WorthModel& model, bool details,
                                       const TransformControl& control)
{
    if (rows.empty() || rows.size() > 65535 || !allSigns(rows))
        return std::nullopt;
    Frame full;
    full.played.fill(7);
    TransformControl counting = control;
    if (control.progress)
        counting.progress = [&](double f) { control.progress(0.5 * f); };
    const std::optional<RowsByDistance> counts = countRowsByDistance(rows, full, kClasses - 1, counting);
    if (!counts)
        return std::nullopt;

    WorthReport report;
    report.rows = rows.size();
    report.stake = double(rows.size()) * model.round.rowPrice;
    // Per outcome and class what each own winning row takes, for the rows' parts.
    std::array<std::vector<double>, kClasses> perOwnRow;
    if (details)
        for (auto& level : perOwnRow)
            level.assign(kAllRowCount, 0);
    std::vector<std::pair<double, double>> returns;
    OutcomeWalk walk(model);
    for (std::uint32_t o = 0; o < kAllRowCount; ++o) {
        if (o > 0)
            walk.next();
        if ((o & 0xffff) == 0) {
            if (control.cancelled())
                return std::nullopt;
            if (control.progress)
                control.progress(0.5 + 0.5 * double(o) / kAllRowCount);
        }
        bool any = false;
        for (int d = 0; d < kClasses; ++d)
            any = any || (*counts)[std::size_t(d)][o] > 0;
        if (!any)
            continue;
        const OutcomeTerms terms = walk.terms();
        double paid = 0;
        for (int d = 0; d < kClasses; ++d) {
            const std::uint32_t own = (*counts)[std::size_t(d)][o];
            if (own == 0)
                continue;
            const double pays = model.round.pools[std::size_t(d)] * ownShareOfPool(own, terms.othersExpected[d]);
            paid += pays;
            report.chanceOfClass[std::size_t(d)] += terms.chance;
            report.returnOfClass[std::size_t(d)] += terms.chance * pays;
            if (details)
                perOwnRow[std::size_t(d)][o] = terms.chance * pays / own;
        }
        report.chanceOfAnyPrize += terms.chance;
        report.expectedReturn += terms.chance * paid;
        if (details && paid > 0)
            returns.emplace_back(paid, terms.chance);
    }
    report.returnShare = report.stake > 0 ? report.expectedReturn / report.stake : 0;
    if (details) {
        report.returnChances = returnChancesOf(std::move(returns));
        for (const SignRow& row : rows) {
            double worth = 0;
            forEachOutcomeWithin3(rowNumber(row),
                                  [&](std::uint32_t o, int d) { worth += perOwnRow[std::size_t(d)][o]; });
            report.rowWorth.push_back(worth);
        }
    }
    if (control.progress)
        control.progress(1.0);
    return report;
}

namespace {

// Per outcome and distance d: the chance of the outcome times what one more
// own row with d wrong would add to the class's pay when `own` rows already
// win it. With no own rows yet it is what a single row takes.
double addedWorth(const OutcomeTerms& terms, double pool, std::uint32_t own, int d)
{
    const double lambda = terms.othersExpected[std::size_t(d)];
    return terms.chance * pool * (ownShareOfPool(own + 1, lambda) - ownShareOfPool(own, lambda));
}

std::optional<WeightsByDistance> singleRowWeights(const WorthModel& model, const TransformControl& control)
{
    WeightsByDistance weights;
    for (auto& level : weights)
        level.resize(kAllRowCount);
    OutcomeWalk walk(model);
    for (std::uint32_t o = 0; o < kAllRowCount; ++o) {
        if ((o & 0xffff) == 0 && control.cancelled())
            return std::nullopt;
        if (o > 0)
            walk.next();
        const OutcomeTerms terms = walk.terms();
        for (int d = 0; d < kClasses; ++d)
            weights[std::size_t(d)][o] = addedWorth(terms, model.round.pools[std::size_t(d)], 0, d);
    }
    return weights;
}

} // namespace

std::optional<std::vector<double>> worthOfEveryRow(const WorthModel& model, const TransformControl& control)
{
    std::optional<WeightsByDistance> weights = singleRowWeights(model, control);
    if (!weights)
        return std::nullopt;
    return sumOverRowsNeighbours(std::move(*weights), control);
}

std::optional<std::vector<SignRow>> bestRows(const WorthModel& model, const Frame& frame, std::size_t count,
                                             const TransformControl& control)
{
    if (!frameIsValid(frame) || count == 0 || count > outcomeCount(frame))
        return std::nullopt;
    // What one more row adds at each outcome and distance, kept up to date
    // as rows are chosen; at first what a single row takes.
    std::optional<WeightsByDistance> added = singleRowWeights(model, control);
    if (!added)
        return std::nullopt;
    TransformControl summing = control;
    if (control.progress)
        summing.progress = [&](double f) { control.progress(0.3 * f); };
    const std::optional<std::vector<double>> alone = sumOverRowsNeighbours(*added, summing);
    if (!alone)
        return std::nullopt;

    // Lazy greedy: a row's gain never grows as rows are chosen (each own row
    // more takes less of a pool than the one before), so a gain worked out
    // earlier bounds it from above, and the row on top whose gain is fresh is
    // the best one.
    struct Candidate {
        double gain;
        std::uint32_t row;
        std::uint32_t chosenWhenWorked; // how many rows were chosen when the gain was worked out
        bool operator<(const Candidate& other) const { return worthsBefore(other.gain, other.row, gain, row); }
    };
    std::vector<Candidate> start;
    forEachOutcomeInOrder(frame, [&](const SignRow& row) {
        const std::uint32_t n = rowNumber(row);
        start.push_back({(*alone)[n], n, 0});
        return true;
    });
    std::priority_queue<Candidate> queue(std::less<Candidate>(), std::move(start));

    std::array<std::vector<std::uint16_t>, kClasses> own;
    for (auto& level : own)
        level.assign(kAllRowCount, 0);
    const auto gainOf = [&](std::uint32_t row) {
        double gain = 0;
        forEachOutcomeWithin3(row, [&](std::uint32_t o, int d) { gain += (*added)[std::size_t(d)][o]; });
        return gain;
    };
    OutcomeWalk walk(model);
    std::vector<SignRow> chosen;
    while (chosen.size() < count && !queue.empty()) {
        if (control.cancelled())
            return std::nullopt;
        Candidate top = queue.top();
        queue.pop();
        if (top.chosenWhenWorked != chosen.size()) {
            top.gain = gainOf(top.row);
            top.chosenWhenWorked = std::uint32_t(chosen.size());
            queue.push(top);
            continue;
        }
        chosen.push_back(rowOfNumber(top.row));
        forEachOutcomeWithin3(top.row, [&](std::uint32_t o, int d) {
            std::uint16_t& n = own[std::size_t(d)][o];
            ++n;
            walk.seek(o);
            (*added)[std::size_t(d)][o] = addedWorth(walk.terms(), model.round.pools[std::size_t(d)], n, d);
        });
        if (control.progress)
            control.progress(0.3 + 0.7 * double(chosen.size()) / double(count));
    }
    return chosen;
}
