#include "systems/pruning.h"

#include "base/rowfile.h"
#include "base/rows.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

constexpr RowIndex kPowersOf3[kFrameMatches] = {531441, 177147, 59049, 19683, 6561, 2187, 729, 243, 81, 27, 9, 3, 1};

// A sign nobody is said to play still has some players: a published 0 % is
// a rounded figure, and an infinite value would tell nothing.
constexpr double kLeastShare = 1e-4;

constexpr char kSignLetters[3] = {'1', 'X', '2'};

// A probability bound may prune a whole branch only when it is clearly below
// the threshold; the row itself is compared exactly.
constexpr double kBoundSlack = 1 - 1e-9;

// Products of the same chances in another order differ in their last bits;
// chances this close are one chance, and the frame's order decides between them.
constexpr double kSameChance = 1e-12;

bool sameChance(double a, double b)
{
    return std::abs(a - b) <= kSameChance * std::max(std::abs(a), std::abs(b));
}

} // namespace

bool conditionUsesProbabilities(ConditionKind kind)
{
    return kind == ConditionKind::MostProbable || kind == ConditionKind::MinProbability ||
           kind == ConditionKind::MinValue;
}

bool conditionHasRange(ConditionKind kind)
{
    return kind == ConditionKind::SignCount || kind == ConditionKind::Favourites || kind == ConditionKind::LongestRun ||
           kind == ConditionKind::SignChanges;
}

int conditionRangeTop(ConditionKind kind)
{
    return kind == ConditionKind::SignChanges ? kFrameMatches - 1 : kFrameMatches;
}

QString rangeOutsideText(int top)
{
    return QString::fromUtf8("Rajojen on oltava 0 … %1 !").arg(top);
}

QString rangeReversedText(const CountRange& range)
{
    return QString::fromUtf8("Vähimmäismäärä %1 on suurempi kuin enimmäismäärä %2 !").arg(range.least).arg(range.most);
}

namespace {

// One depth-first walk over the frame, match 1 first. Counts, runs and the
// probability are carried down the walk, so a row costs a few additions, and
// a branch that can no longer meet a condition is left at once.
class PruningWalk {
public:
    // `fractions`, when given, stand for the set's chances, and every row is ranked.
    PruningWalk(const PruningSet& set, const std::atomic<bool>* cancel, const SignChances* fractions = nullptr)
        : cancel_(cancel), rankAll_(fractions != nullptr)
    {
        for (int m = 0; m < kFrameMatches; ++m)
            signs_[m] = playedSigns(set.frame, m);
        for (const Condition& c : set.conditions) {
            if (!c.on)
                continue;
            switch (c.kind) {
            case ConditionKind::SignCount:
            case ConditionKind::Favourites: {
                Counter counter;
                counter.least = c.range.least;
                counter.most = c.range.most;
                for (int m = 0; m < kFrameMatches; ++m) {
                    if (c.kind == ConditionKind::SignCount)
                        counter.counted[m] = (c.matches >> m & 1) ? std::uint8_t(1u << c.sign) : 0;
                    else
                        counter.counted[m] = c.favourites[m] < 3 ? std::uint8_t(1u << c.favourites[m]) : 0;
                }
                // What the matches from m on must and can still add.
                for (int m = kFrameMatches - 1; m >= 0; --m) {
                    const std::uint8_t played = set.frame.played[m];
                    const bool forced = (played & counter.counted[m]) == played;
                    const bool possible = (played & counter.counted[m]) != 0;
                    counter.mustAdd[m] = counter.mustAdd[m + 1] + (forced ? 1 : 0);
                    counter.canAdd[m] = counter.canAdd[m + 1] + (possible ? 1 : 0);
                }
                counters_.push_back(counter);
                break;
            }
            case ConditionKind::LongestRun:
                run_.least = std::max(run_.least, c.range.least);
                run_.most = std::min(run_.most, c.range.most);
                break;
            case ConditionKind::SignChanges:
                changes_.least = std::max(changes_.least, c.range.least);
                changes_.most = std::min(changes_.most, c.range.most);
                break;
            case ConditionKind::MostProbable:
                rowsToKeep_ = rowsToKeep_ == 0 ? c.rowsToKeep : std::min(rowsToKeep_, c.rowsToKeep);
                break;
            case ConditionKind::MinProbability:
                leastProbability_ = std::max(leastProbability_, c.threshold / 100);
                break;
            case ConditionKind::MinValue:
                leastValue_ = std::max(leastValue_, c.threshold);
                break;
            }
        }
        if (fractions)
            chances_ = *fractions;
        else if (set.chances)
            chances_ = chancesOf(*set.chances);
        if (set.publicShares) {
            const SignChances shares = chancesOf(*set.publicShares);
            for (int m = 0; m < kFrameMatches; ++m)
                for (int s = 0; s < 3; ++s)
                    valueFactor_[m][s] = chances_[m][s] / std::max(shares[m][s], kLeastShare);
        }
        // The most probability and value the matches from m on can still bring.
        mostProbabilityFrom_[kFrameMatches] = 1;
        mostValueFrom_[kFrameMatches] = 1;
        for (int m = kFrameMatches - 1; m >= 0; --m) {
            double p = 0, v = 0;
            for (std::uint8_t s : signs_[m]) {
                p = std::max(p, chances_[m][s]);
                v = std::max(v, valueFactor_[m][s]);
            }
            mostProbabilityFrom_[m] = mostProbabilityFrom_[m + 1] * p;
            mostValueFrom_[m] = mostValueFrom_[m + 1] * v;
        }
        counts_.assign(std::size_t(kFrameMatches + 1) * counters_.size(), 0);
    }

    bool run()
    {
        walk(0, 0, 0, 0, 0, 0, 1.0, 1.0);
        if (cancelled_)
            return false;
        const auto before = [](const Ranked& a, const Ranked& b) {
            return a.probability > b.probability || (a.probability == b.probability && a.index < b.index);
        };
        const auto inFrameOrder = [](const Ranked& a, const Ranked& b) { return a.index < b.index; };
        if (rankAll_) {
            std::sort(ranked_.begin(), ranked_.end(), before);
            for (auto group = ranked_.begin(); group != ranked_.end();) {
                auto end = group;
                while (end != ranked_.end() && sameChance(end->probability, group->probability))
                    ++end;
                std::sort(group, end, inFrameOrder);
                group = end;
            }
            if (rowsToKeep_ > 0 && ranked_.size() > rowsToKeep_)
                ranked_.resize(rowsToKeep_);
        } else if (rowsToKeep_ > 0 && ranked_.size() > rowsToKeep_) {
            const auto last = ranked_.begin() + std::ptrdiff_t(rowsToKeep_ - 1);
            std::nth_element(ranked_.begin(), last, ranked_.end(), before);
            const double boundary = last->probability;
            // Rows clearly more probable than the last one kept stay; of the
            // rows as probable as it, the earliest in the frame fill the rest.
            const auto asProbable = std::partition(ranked_.begin(), ranked_.end(), [&](const Ranked& r) {
                return r.probability > boundary || sameChance(r.probability, boundary);
            });
            const auto tied = std::partition(ranked_.begin(), asProbable,
                                             [&](const Ranked& r) { return !sameChance(r.probability, boundary); });
            std::sort(tied, asProbable, inFrameOrder);
            ranked_.erase(ranked_.begin() + std::ptrdiff_t(rowsToKeep_), ranked_.end());
            std::sort(ranked_.begin(), ranked_.end(), inFrameOrder);
        }
        if (rowsToKeep_ > 0 || rankAll_) {
            kept_.reserve(ranked_.size());
            for (const Ranked& r : ranked_)
                kept_.push_back(r.index);
        }
        return true;
    }

    std::vector<RowIndex> takeKept() { return std::move(kept_); }

private:
    struct Counter {
        int least = 0;
        int most = kFrameMatches;
        std::array<std::uint8_t, kFrameMatches> counted{}; // signs that count, per match
        std::array<int, kFrameMatches + 1> mustAdd{};
        std::array<int, kFrameMatches + 1> canAdd{};
    };
    struct Ranked {
        double probability;
        RowIndex index;
    };

    void walk(int m, RowIndex index, int previous, int runLength, int longest, int changes, double probability,
              double value)
    {
        if (m == kFrameMatches) {
            if (longest < run_.least || changes < changes_.least)
                return;
            if (probability < leastProbability_ || value < leastValue_)
                return;
            if (rowsToKeep_ > 0 || rankAll_)
                ranked_.push_back({probability, index});
            else
                kept_.push_back(index);
            return;
        }
        if (m == 4 && cancel_ && cancel_->load(std::memory_order_relaxed)) {
            cancelled_ = true;
            return;
        }
        const std::size_t n = counters_.size();
        const int* here = counts_.data() + std::size_t(m) * n;
        int* next = counts_.data() + std::size_t(m + 1) * n;
        const int left = kFrameMatches - 1 - m; // matches after this one
        for (std::uint8_t s : signs_[m]) {
            if (cancelled_)
                return;
            bool fits = true;
            for (std::size_t c = 0; c < n && fits; ++c) {
                const Counter& counter = counters_[c];
                const int count = here[c] + (counter.counted[m] >> s & 1);
                next[c] = count;
                fits = count + counter.mustAdd[m + 1] <= counter.most && count + counter.canAdd[m + 1] >= counter.least;
            }
            if (!fits)
                continue;
            const bool same = m > 0 && s == previous;
            const int nextRun = same ? runLength + 1 : 1;
            const int nextLongest = std::max(longest, nextRun);
            const int nextChanges = changes + (m > 0 && !same ? 1 : 0);
            if (nextLongest > run_.most || std::max(nextLongest, nextRun + left) < run_.least)
                continue;
            if (nextChanges > changes_.most || nextChanges + left < changes_.least)
                continue;
            const double nextProbability = probability * chances_[m][s];
            if (nextProbability * mostProbabilityFrom_[m + 1] < leastProbability_ * kBoundSlack)
                continue;
            const double nextValue = value * valueFactor_[m][s];
            if (nextValue * mostValueFrom_[m + 1] < leastValue_ * kBoundSlack)
                continue;
            walk(m + 1, index + s * kPowersOf3[m], s, nextRun, nextLongest, nextChanges, nextProbability, nextValue);
        }
    }

    const std::atomic<bool>* cancel_;
    bool rankAll_ = false;
    bool cancelled_ = false;
    std::array<std::vector<std::uint8_t>, kFrameMatches> signs_;
    std::vector<Counter> counters_;
    std::vector<int> counts_; // per depth, per counter
    CountRange run_{0, kFrameMatches};
    CountRange changes_{0, kFrameMatches - 1};
    std::uint64_t rowsToKeep_ = 0;
    double leastProbability_ = 0;
    double leastValue_ = 0;
    // Without chances every sign weighs 1: the probability conditions are then refused before the walk.
    SignChances chances_ = [] {
        SignChances ones;
        for (auto& match : ones)
            match = {1, 1, 1};
        return ones;
    }();
    SignChances valueFactor_ = chances_;
    std::array<double, kFrameMatches + 1> mostProbabilityFrom_{};
    std::array<double, kFrameMatches + 1> mostValueFrom_{};
    std::vector<RowIndex> kept_;
    std::vector<Ranked> ranked_;
};

QString shownNumber(double x)
{
    return QLocale().toString(x, 'g', 6);
}

} // namespace

RowIndex indexOfRow(const SignRow& row)
{
    RowIndex index = 0;
    for (int m = 0; m < kFrameMatches; ++m)
        index = index * 3 + row[m];
    return index;
}

SignRow rowOfIndex(RowIndex index)
{
    SignRow row{};
    for (int m = kFrameMatches - 1; m >= 0; --m) {
        row[m] = std::uint8_t(index % 3);
        index /= 3;
    }
    return row;
}

std::vector<SignRow> rowsOfIndices(const std::vector<RowIndex>& indices)
{
    std::vector<SignRow> rows;
    rows.reserve(indices.size());
    for (RowIndex i : indices)
        rows.push_back(rowOfIndex(i));
    return rows;
}

QString numbersProblem(const MatchNumbers& numbers)
{
    for (int m = 0; m < kFrameMatches; ++m) {
        const auto& three = numbers.numbers[m];
        if (numbers.odds) {
            for (double x : three)
                if (!std::isfinite(x) || x <= 1)
                    return QString::fromUtf8("Kohteen %1 kertoimet eivät kelpaa: kertoimen on oltava yli 1 !")
                        .arg(m + 1);
            continue;
        }
        double sum = 0;
        for (double x : three) {
            if (!std::isfinite(x) || x < 0 || x > 100)
                return QString::fromUtf8("Kohteen %1 prosentit eivät kelpaa: anna luvut 0 … 100 !").arg(m + 1);
            sum += x;
        }
        if (sum < 98 || sum > 102)
            return QString::fromUtf8("Kohteen %1 prosenttien summa on %2 eikä 100 !").arg(m + 1).arg(shownNumber(sum));
    }
    return QString();
}

SignChances chancesOf(const MatchNumbers& numbers)
{
    SignChances fractions{};
    for (int m = 0; m < kFrameMatches; ++m) {
        std::array<double, 3> raw{};
        double sum = 0;
        for (int s = 0; s < 3; ++s) {
            const double x = numbers.numbers[m][s];
            raw[s] = numbers.odds ? (x > 0 ? 1 / x : 0) : std::max(0.0, x);
            sum += raw[s];
        }
        for (int s = 0; s < 3; ++s)
            fractions[m][s] = sum > 0 ? raw[s] / sum : 0;
    }
    return fractions;
}

QString conditionProblem(const Condition& c)
{
    if (conditionHasRange(c.kind)) {
        const int top = conditionRangeTop(c.kind);
        if (c.range.least < 0 || c.range.most > top)
            return rangeOutsideText(top);
        if (c.range.least > c.range.most)
            return rangeReversedText(c.range);
    }
    switch (c.kind) {
    case ConditionKind::SignCount:
        if (c.sign > 2)
            return QString::fromUtf8("Merkin on oltava 1, X tai 2 !");
        if ((c.matches & kAllMatches) == 0 || (c.matches & ~kAllMatches) != 0)
            return QString::fromUtf8("Valitse kohteet 1 … 13 !");
        break;
    case ConditionKind::Favourites:
        for (std::uint8_t s : c.favourites)
            if (s > kNoFavourite)
                return QString::fromUtf8("Suosikkirivin merkkien on oltava 1, X, 2 tai - !");
        break;
    case ConditionKind::MostProbable:
        if (c.rowsToKeep < 1 || c.rowsToKeep > kAllRowCount)
            return QString::fromUtf8("Rivimäärän on oltava 1 … %1 !").arg(kAllRowCount);
        break;
    case ConditionKind::MinProbability:
        if (!std::isfinite(c.threshold) || c.threshold < 0 || c.threshold > 100)
            return QString::fromUtf8("Todennäköisyyden on oltava 0 … 100 % !");
        break;
    case ConditionKind::MinValue:
        if (!std::isfinite(c.threshold) || c.threshold < 0)
            return QString::fromUtf8("Arvon on oltava vähintään 0 !");
        break;
    default:
        break;
    }
    return QString();
}

QString pruningSetProblem(const PruningSet& set)
{
    if (!frameIsValid(set.frame))
        return QString::fromUtf8("Merkitse jokaiseen kohteeseen vähintään yksi merkki !");
    if (set.chances) {
        const QString problem = numbersProblem(*set.chances);
        if (!problem.isEmpty())
            return problem;
    }
    if (set.publicShares) {
        if (set.publicShares->odds)
            return QString::fromUtf8("Pelijakauma annetaan prosentteina !");
        const QString problem = numbersProblem(*set.publicShares);
        if (!problem.isEmpty())
            return problem;
    }
    for (const Condition& c : set.conditions) {
        const QString problem = conditionProblem(c);
        if (!problem.isEmpty())
            return conditionText(c) + ": " + problem;
        if (!c.on || !conditionUsesProbabilities(c.kind))
            continue;
        if (!set.chances)
            return conditionText(c) + QString::fromUtf8(": anna ensin todennäköisyydet !");
        if (c.kind == ConditionKind::MinValue && !set.publicShares)
            return conditionText(c) + QString::fromUtf8(": anna ensin pelijakauma !");
    }
    return QString();
}

std::optional<std::vector<RowIndex>> applyPruning(const PruningSet& set, const std::atomic<bool>* cancel)
{
    if (!pruningSetProblem(set).isEmpty())
        return std::nullopt;
    PruningWalk walk(set, cancel);
    if (!walk.run())
        return std::nullopt;
    return walk.takeKept();
}

double rowProbability(const SignRow& row, const SignChances& fractions)
{
    double p = 1;
    for (int m = 0; m < kFrameMatches; ++m)
        p *= row[m] < 3 ? fractions[m][row[m]] : 0;
    return p;
}

double probabilityOfRows(const std::vector<RowIndex>& rows, const SignChances& fractions)
{
    double sum = 0;
    for (RowIndex i : rows)
        sum += rowProbability(rowOfIndex(i), fractions);
    return sum;
}

std::vector<RowIndex> rankByProbability(const Frame& frame, const SignChances& fractions, std::size_t limit)
{
    PruningSet set;
    set.frame = frame;
    if (limit > 0) {
        Condition most;
        most.kind = ConditionKind::MostProbable;
        most.rowsToKeep = limit;
        set.conditions.push_back(most);
    }
    if (!frameIsValid(frame))
        return {};
    PruningWalk walk(set, nullptr, &fractions);
    walk.run();
    return walk.takeKept();
}

QString conditionText(const Condition& c)
{
    const QString range = QString("%1–%2").arg(c.range.least).arg(c.range.most);
    switch (c.kind) {
    case ConditionKind::SignCount: {
        QString text = QString::fromUtf8("Merkkejä %1: %2").arg(QChar(kSignLetters[c.sign % 3]), range);
        if ((c.matches & kAllMatches) != kAllMatches) {
            QStringList matches;
            for (int m = 0; m < kFrameMatches; ++m)
                if (c.matches >> m & 1)
                    matches << QString::number(m + 1);
            text += QString::fromUtf8(" kohteissa ") + matches.join(',');
        }
        return text;
    }
    case ConditionKind::Favourites: {
        QString row;
        for (std::uint8_t s : c.favourites)
            row += s < 3 ? QChar(kSignLetters[s]) : QChar('-');
        return QString::fromUtf8("Suosikkeja (%1): %2").arg(row, range);
    }
    case ConditionKind::LongestRun:
        return QString::fromUtf8("Pisin saman merkin putki: %1").arg(range);
    case ConditionKind::SignChanges:
        return QString::fromUtf8("Merkin vaihtoja: %1").arg(range);
    case ConditionKind::MostProbable:
        return QString::fromUtf8("Todennäköisimmät %1 riviä").arg(c.rowsToKeep);
    case ConditionKind::MinProbability:
        return QString::fromUtf8("Todennäköisyys vähintään %1 %").arg(shownNumber(c.threshold));
    case ConditionKind::MinValue:
        return QString::fromUtf8("Arvo vähintään %1").arg(shownNumber(c.threshold));
    }
    return QString();
}

QString tooManyKeptRowsMessage(std::size_t rows)
{
    return QString::fromUtf8("Rivejä on %1, rivitiedostoon mahtuu enintään %2 ! Karsi lisää tai etsi takuu.")
        .arg(rows)
        .arg(kMaxRows);
}
