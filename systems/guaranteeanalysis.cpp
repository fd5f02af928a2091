#include "systems/guaranteeanalysis.h"

#include "systems/matchtransform.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <mutex>
#include <thread>

namespace {

using Word = std::uint64_t;

constexpr std::uint64_t kCellCostInWords = 11;
constexpr std::uint64_t kOutcomeCostInWords = 5;

// Hits of every row are kept as a 4-bit number spread over four bit planes,
// 64 rows to a word: one step of the Gray order moves one match, so one mask
// of rows loses a hit and another gains one, and a whole word of rows is
// updated and classified with a handful of logic operations.
struct RowMasks {
    std::size_t words = 0;
    // signRows[m][s]: the rows that play sign s on match m.
    std::array<std::array<std::vector<Word>, 3>, kFrameMatches> signRows;
};

RowMasks rowMasks(const std::vector<SignRow>& rows)
{
    RowMasks masks;
    masks.words = (rows.size() + 63) / 64;
    for (auto& bySign : masks.signRows)
        for (auto& words : bySign)
            words.assign(masks.words, 0);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int m = 0; m < kFrameMatches; ++m)
            if (rows[r][m] < 3)
                masks.signRows[m][rows[r][m]][r / 64] |= Word(1) << (r % 64);
    return masks;
}

struct HitPlanes {
    std::vector<Word> bit0, bit1, bit2, bit3;
};

inline void addHit(Word& b0, Word& b1, Word& b2, Word& b3, Word carry)
{
    Word t = b0 & carry;
    b0 ^= carry;
    carry = t;
    t = b1 & carry;
    b1 ^= carry;
    carry = t;
    t = b2 & carry;
    b2 ^= carry;
    b3 ^= t;
}

inline void removeHit(Word& b0, Word& b1, Word& b2, Word& b3, Word borrow)
{
    Word t = ~b0 & borrow;
    b0 ^= borrow;
    borrow = t;
    t = ~b1 & borrow;
    b1 ^= borrow;
    borrow = t;
    t = ~b2 & borrow;
    b2 ^= borrow;
    b3 ^= t;
}

// Rows with exactly 13, 12, 11 and 10 hits in one outcome.
struct ClassCounts {
    std::array<std::uint32_t, 4> rows{};
};

// Accumulates over the outcomes one worker handles.
struct Tally {
    std::array<std::uint64_t, 14> byBest{};
    std::array<std::uint64_t, 4> sum{};
    std::array<std::uint32_t, 4> least{};
    std::array<std::uint32_t, 4> most{};
    Tally() { least.fill(std::numeric_limits<std::uint32_t>::max()); }

    void merge(const Tally& other)
    {
        for (std::size_t h = 0; h < byBest.size(); ++h)
            byBest[h] += other.byBest[h];
        for (std::size_t c = 0; c < 4; ++c) {
            sum[c] += other.sum[c];
            least[c] = std::min(least[c], other.least[c]);
            most[c] = std::max(most[c], other.most[c]);
        }
    }
};

struct WeightedTally {
    std::array<double, 4> bestHas{};
    std::array<double, 4> rows{};
    double total = 0;
};

// The largest hit count of any row, for the outcomes where no row reaches 10:
// narrow the candidates plane by plane from the top.
int largestHits(const HitPlanes& planes, std::size_t words)
{
    const std::vector<Word>* byBit[4] = {&planes.bit0, &planes.bit1, &planes.bit2, &planes.bit3};
    std::vector<Word> candidates(words, ~Word(0));
    int best = 0;
    for (int bit = 3; bit >= 0; --bit) {
        bool any = false;
        for (std::size_t w = 0; w < words && !any; ++w)
            any = (candidates[w] & (*byBit[bit])[w]) != 0;
        if (!any)
            continue;
        best |= 1 << bit;
        for (std::size_t w = 0; w < words; ++w)
            candidates[w] &= (*byBit[bit])[w];
    }
    return best;
}

// Per match the chance of each played sign, scaled to sum to one within the frame.
std::array<std::array<double, 3>, kFrameMatches> frameChances(const Frame& frame, const SignChances& chances)
{
    std::array<std::array<double, 3>, kFrameMatches> within{};
    for (int m = 0; m < kFrameMatches; ++m) {
        double total = 0;
        for (int s = 0; s < 3; ++s)
            if (frame.played[m] >> s & 1)
                total += std::max(0.0, chances[m][s]);
        for (int s = 0; s < 3; ++s)
            if (frame.played[m] >> s & 1)
                // A match whose played signs all have no chance would zero
                // every outcome; it is taken as even instead.
                within[m][s] = total > 0 ? std::max(0.0, chances[m][s]) / total : 1.0 / playedCount(frame, m);
    }
    return within;
}

class Analyser {
public:
    Analyser(const std::vector<SignRow>& rows, const Frame& frame, const std::optional<SignChances>& chances)
        : masks_(rowMasks(rows)), frame_(frame), weighted_(chances.has_value())
    {
        if (weighted_)
            chances_ = frameChances(frame, *chances);
    }

    // Walks the outcomes [first, first + count) of the Gray order.
    // Returns false when cancelled.
    bool run(std::uint64_t first, std::uint64_t count, Tally& tally, WeightedTally& weighted,
             const std::atomic<bool>* cancel) const
    {
        const std::size_t words = masks_.words;
        HitPlanes planes{std::vector<Word>(words, 0), std::vector<Word>(words, 0), std::vector<Word>(words, 0),
                         std::vector<Word>(words, 0)};
        GrayCursor cursor(frame_, first);
        for (int m = 0; m < kFrameMatches; ++m) {
            const std::vector<Word>& gain = masks_.signRows[m][cursor.outcome()[m]];
            for (std::size_t w = 0; w < words; ++w)
                addHit(planes.bit0[w], planes.bit1[w], planes.bit2[w], planes.bit3[w], gain[w]);
        }
        for (std::uint64_t step = 0; step < count; ++step) {
            if ((step & 1023) == 1023 && cancel && cancel->load(std::memory_order_relaxed))
                return false;
            ClassCounts counts;
            if (step == 0) {
                counts = classify(planes, nullptr, nullptr);
            } else {
                const int changed = cursor.advance();
                counts = classify(planes, &masks_.signRows[changed][cursor.signLeft()],
                                  &masks_.signRows[changed][cursor.outcome()[changed]]);
            }
            record(counts, planes, tally, weighted, cursor.outcome());
        }
        return true;
    }

private:
    ClassCounts classify(HitPlanes& planes, const std::vector<Word>* lose, const std::vector<Word>* gain) const
    {
        ClassCounts counts;
        const std::size_t words = masks_.words;
        for (std::size_t w = 0; w < words; ++w) {
            Word b0 = planes.bit0[w], b1 = planes.bit1[w], b2 = planes.bit2[w], b3 = planes.bit3[w];
            if (lose) {
                removeHit(b0, b1, b2, b3, (*lose)[w]);
                addHit(b0, b1, b2, b3, (*gain)[w]);
                planes.bit0[w] = b0;
                planes.bit1[w] = b1;
                planes.bit2[w] = b2;
                planes.bit3[w] = b3;
            }
            const Word twelveUp = b3 & b2 & ~b1;
            const Word tenUp = b3 & ~b2 & b1;
            counts.rows[0] += std::uint32_t(std::popcount(twelveUp & b0));
            counts.rows[1] += std::uint32_t(std::popcount(twelveUp & ~b0));
            counts.rows[2] += std::uint32_t(std::popcount(tenUp & b0));
            counts.rows[3] += std::uint32_t(std::popcount(tenUp & ~b0));
        }
        return counts;
    }

    void record(const ClassCounts& counts, const HitPlanes& planes, Tally& tally, WeightedTally& weighted,
                const SignRow& outcome) const
    {
        int best = -1;
        for (std::size_t c = 0; c < 4; ++c)
            if (best < 0 && counts.rows[c] > 0)
                best = kPrizeClassHits[c];
        if (best < 0)
            best = largestHits(planes, masks_.words);
        ++tally.byBest[std::size_t(best)];
        for (std::size_t c = 0; c < 4; ++c) {
            tally.sum[c] += counts.rows[c];
            tally.least[c] = std::min(tally.least[c], counts.rows[c]);
            tally.most[c] = std::max(tally.most[c], counts.rows[c]);
        }
        if (!weighted_)
            return;
        double chance = 1;
        for (int m = 0; m < kFrameMatches; ++m)
            chance *= chances_[m][outcome[m]];
        weighted.total += chance;
        for (std::size_t c = 0; c < 4; ++c) {
            weighted.rows[c] += chance * counts.rows[c];
            if (best == kPrizeClassHits[c])
                weighted.bestHas[c] += chance;
        }
    }

    RowMasks masks_;
    Frame frame_;
    bool weighted_;
    std::array<std::array<double, 3>, kFrameMatches> chances_{};
};

} // namespace

std::uint64_t GuaranteeAnalysis::outcomesWithBestBelow10() const
{
    std::uint64_t below = 0;
    for (int h = 0; h < 10; ++h)
        below += outcomesByBestHits[std::size_t(h)];
    return below;
}

namespace {

// The figures from the tallies of either engine.
AnalysisResult resultOf(std::uint64_t outcomes, const Tally& total, const std::optional<WeightedTally>& sum)
{
    AnalysisResult result;
    GuaranteeAnalysis& plain = result.plain;
    plain.outcomes = outcomes;
    plain.outcomesByBestHits = total.byBest;
    plain.guarantee = 0;
    for (int h = 0; h <= 13; ++h)
        if (total.byBest[std::size_t(h)] > 0) {
            plain.guarantee = h;
            break;
        }
    for (std::size_t c = 0; c < 4; ++c)
        plain.rowsInClass[c] = {double(total.sum[c]) / double(outcomes), int(total.least[c]), int(total.most[c])};
    if (sum) {
        WeightedGuaranteeAnalysis weighted;
        for (std::size_t c = 0; c < 4; ++c) {
            weighted.chanceBestHas[c] = sum->total > 0 ? sum->bestHas[c] / sum->total : 0;
            weighted.expectedRows[c] = sum->total > 0 ? sum->rows[c] / sum->total : 0;
        }
        result.weighted = weighted;
    }
    return result;
}

// Per outcome of the frame in its own order, the product of the chances of its signs.
std::vector<double> outcomeChances(const Frame& frame, const SignChances& chances)
{
    const auto within = frameChances(frame, chances);
    std::vector<double> product{1.0};
    for (int m = 0; m < kFrameMatches; ++m) {
        const std::vector<std::uint8_t> signs = playedSigns(frame, m);
        std::vector<double> next;
        next.reserve(product.size() * signs.size());
        for (double p : product)
            for (std::uint8_t s : signs)
                next.push_back(p * within[m][s]);
        product = std::move(next);
    }
    return product;
}

// The analysis from the rows' counts by distance (classes 13 … 10) and the
// nearest row's distance of every outcome, both built match by match.
std::optional<AnalysisResult> analyseMatchByMatch(const std::vector<SignRow>& rows, const Frame& frame,
                                                  const AnalysisControl& control,
                                                  const std::optional<SignChances>& chances)
{
    TransformControl transform;
    transform.cancel = control.cancel;
    transform.threads = control.threads;
    if (control.progress)
        transform.progress = [&](double f) { control.progress(0.45 * f); };
    const std::optional<RowsByDistance> counts = countRowsByDistance(rows, frame, 3, transform);
    if (!counts)
        return std::nullopt;
    if (control.progress)
        transform.progress = [&](double f) { control.progress(0.45 + 0.45 * f); };
    const std::optional<std::vector<std::uint8_t>> nearest = nearestRowDistance(rows, frame, transform);
    if (!nearest)
        return std::nullopt;

    const std::uint64_t outcomes = outcomeCount(frame);
    Tally tally;
    WeightedTally weighted;
    const std::vector<double> chanceOf = chances ? outcomeChances(frame, *chances) : std::vector<double>{};
    for (std::uint64_t o = 0; o < outcomes; ++o) {
        const int best = kFrameMatches - (*nearest)[o];
        ++tally.byBest[std::size_t(best)];
        for (std::size_t c = 0; c < 4; ++c) {
            const std::uint32_t n = (*counts)[c][o];
            tally.sum[c] += n;
            tally.least[c] = std::min(tally.least[c], n);
            tally.most[c] = std::max(tally.most[c], n);
        }
        if (!chances)
            continue;
        const double chance = chanceOf[o];
        weighted.total += chance;
        for (std::size_t c = 0; c < 4; ++c) {
            weighted.rows[c] += chance * (*counts)[c][o];
            if (best == kPrizeClassHits[c])
                weighted.bestHas[c] += chance;
        }
    }
    if (control.progress)
        control.progress(1.0);
    return resultOf(outcomes, tally, chances ? std::optional(weighted) : std::nullopt);
}

std::optional<AnalysisResult> analyseRowByRow(const std::vector<SignRow>& rows, const Frame& frame,
                                              const AnalysisControl& control, const std::optional<SignChances>& chances)
{
    const Analyser analyser(rows, frame, chances);
    const std::uint64_t outcomes = outcomeCount(frame);

    // Stretches small enough for a lively progress bar and an even split,
    // large enough that starting each afresh costs nothing noticeable.
    const std::uint64_t stretch = std::max<std::uint64_t>(1024, outcomes / 256);
    const std::uint64_t stretches = (outcomes + stretch - 1) / stretch;
    std::vector<WeightedTally> weightedByStretch(stretches);
    std::atomic<std::uint64_t> nextStretch{0};
    std::atomic<std::uint64_t> stretchesDone{0};
    std::atomic<bool> stopped{false};
    std::mutex merging;
    Tally total;

    auto work = [&](bool reportsProgress) {
        Tally mine;
        while (!stopped.load()) {
            const std::uint64_t s = nextStretch.fetch_add(1);
            if (s >= stretches)
                break;
            const std::uint64_t first = s * stretch;
            const std::uint64_t count = std::min(stretch, outcomes - first);
            if (!analyser.run(first, count, mine, weightedByStretch[s], control.cancel)) {
                stopped = true;
                break;
            }
            const std::uint64_t done = stretchesDone.fetch_add(1) + 1;
            if (reportsProgress && control.progress)
                control.progress(double(done) / double(stretches));
        }
        const std::lock_guard lock(merging);
        total.merge(mine);
    };

    unsigned threads = control.threads ? control.threads : std::max(1u, std::thread::hardware_concurrency());
    threads = unsigned(std::min<std::uint64_t>(threads, stretches));
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < threads; ++t)
        helpers.emplace_back(work, false);
    work(true);
    for (std::thread& helper : helpers)
        helper.join();
    if (stopped || (control.cancel && control.cancel->load()))
        return std::nullopt;
    // The last stretch may have been a helper's.
    if (control.progress)
        control.progress(1.0);

    std::optional<WeightedTally> sum;
    if (chances) {
        // Summed in stretch order, so the figures do not depend on which
        // thread took which stretch.
        sum.emplace();
        for (const WeightedTally& part : weightedByStretch) {
            sum->total += part.total;
            for (std::size_t c = 0; c < 4; ++c) {
                sum->bestHas[c] += part.bestHas[c];
                sum->rows[c] += part.rows[c];
            }
        }
    }
    return resultOf(outcomes, total, sum);
}

} // namespace

std::optional<AnalysisResult> analyseGuarantee(const std::vector<SignRow>& rows, const Frame& frame,
                                               const AnalysisControl& control,
                                               const std::optional<SignChances>& chances)
{
    if (!frameIsValid(frame) || rows.empty() || rows.size() > kMostAnalysedRows)
        return std::nullopt;
    using Engine = AnalysisControl::Engine;
    Engine engine = control.engine;
    if (engine == Engine::Cheaper) {
        // Measured (make bench, AnalyseByEngine): row by row an outcome
        // costs about what 5 words of 64 rows cost, and each word one more;
        // a cell of the passes over the matches costs about 11 words.
        const std::uint64_t words = (rows.size() + 63) / 64;
        engine = transformCells(rows, frame) * kCellCostInWords <= outcomeCount(frame) * (kOutcomeCostInWords + words)
                     ? Engine::MatchByMatch
                     : Engine::RowByRow;
    }
    return engine == Engine::MatchByMatch ? analyseMatchByMatch(rows, frame, control, chances)
                                          : analyseRowByRow(rows, frame, control, chances);
}

std::optional<int> guaranteeOverOutcomes(const std::vector<SignRow>& rows, const Frame& frame,
                                         const std::vector<SignRow>& outcomes, const AnalysisControl& control)
{
    if (rows.empty() || outcomes.empty() || !frameIsValid(frame))
        return std::nullopt;
    TransformControl transform;
    transform.cancel = control.cancel;
    transform.threads = control.threads;
    transform.progress = control.progress;
    const std::optional<std::vector<std::uint8_t>> nearest = nearestRowDistance(rows, frame, transform);
    if (!nearest)
        return std::nullopt;
    // An outcome's place in the frame's own order: per match the sign's rank
    // among the played signs, match 13 the fastest.
    std::array<std::array<int, 3>, kFrameMatches> rank{};
    std::array<std::uint64_t, kFrameMatches> placeValue{};
    std::uint64_t place = 1;
    for (int m = kFrameMatches - 1; m >= 0; --m) {
        int next = 0;
        for (int s = 0; s < 3; ++s)
            rank[m][s] = (frame.played[m] >> s & 1) ? next++ : -1;
        placeValue[m] = place;
        place *= std::uint64_t(next);
    }
    int fewestRight = kFrameMatches;
    for (const SignRow& outcome : outcomes) {
        std::uint64_t index = 0;
        for (int m = 0; m < kFrameMatches; ++m) {
            const int r = outcome[m] < 3 ? rank[m][outcome[m]] : -1;
            if (r < 0)
                return std::nullopt;
            index += std::uint64_t(r) * placeValue[m];
        }
        fewestRight = std::min(fewestRight, kFrameMatches - int((*nearest)[index]));
    }
    return fewestRight;
}
