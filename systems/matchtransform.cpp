#include "systems/matchtransform.h"

#include <algorithm>
#include <cstring>
#include <thread>

namespace {

// The outcomes as a grid with one axis per match: the frame's played signs,
// and on some matches one value more for the rows that play outside the
// frame there. That extra value only feeds the pass over its own match and
// is dropped right after it, so later passes work on the frame alone.
struct Grid {
    std::array<int, kFrameMatches> slots{};  // values on each match now
    std::array<int, kFrameMatches> played{}; // the frame's signs on each match
    // The value a row's sign takes on a match: its place among the played
    // signs, or the extra value after them.
    std::array<std::array<std::uint8_t, 3>, kFrameMatches> slotOfSign{};

    std::size_t stride(int match) const
    {
        std::size_t s = 1;
        for (int m = match + 1; m < kFrameMatches; ++m)
            s *= std::size_t(slots[m]);
        return s;
    }
    std::size_t cells() const
    {
        std::size_t n = 1;
        for (int s : slots)
            n *= std::size_t(s);
        return n;
    }
    std::size_t slotOf(int match, std::uint8_t sign) const
    {
        return sign < 3 ? slotOfSign[match][sign] : std::size_t(played[match]);
    }
    std::size_t cellOf(const SignRow& row) const
    {
        std::size_t cell = 0;
        for (int m = 0; m < kFrameMatches; ++m)
            cell = cell * std::size_t(slots[m]) + slotOf(m, row[m]);
        return cell;
    }
};

Grid gridOf(const std::vector<SignRow>& rows, const Frame& frame)
{
    Grid grid;
    for (int m = 0; m < kFrameMatches; ++m) {
        int k = 0;
        for (std::uint8_t s = 0; s < 3; ++s)
            if (frame.played[m] >> s & 1)
                grid.slotOfSign[m][s] = std::uint8_t(k++);
        for (std::uint8_t s = 0; s < 3; ++s)
            if (!(frame.played[m] >> s & 1))
                grid.slotOfSign[m][s] = std::uint8_t(k);
        grid.played[m] = k;
        grid.slots[m] = k;
    }
    for (const SignRow& row : rows)
        for (int m = 0; m < kFrameMatches; ++m)
            if (grid.slotOf(m, row[m]) == std::size_t(grid.played[m]))
                grid.slots[m] = grid.played[m] + 1;
    return grid;
}

// Runs work(first, last) over [0, items) split among threads.
template <typename Work> void inParallel(std::size_t items, unsigned threads, const Work& work)
{
    threads = unsigned(std::clamp<std::size_t>(items, 1, threads));
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < threads; ++t)
        helpers.emplace_back(work, items * t / threads, items * (t + 1) / threads);
    work(0, items / threads);
    for (std::thread& helper : helpers)
        helper.join();
}

// The pass over one match for counts kept by distance, on a stretch of
// `cells` cells where the match's values lie `stride` apart: the count at
// distance d on a played sign gains the counts at d − 1 of the match's other
// values. Distances run downwards so each reads the level below before it
// changes; the other values are added one by one rather than taken off a
// total, so a small weight beside a large one keeps its digits.
template <typename T, int Slots>
void addAlongMatch(T* const* levels, std::size_t depth, std::size_t cells, std::size_t stride, int played)
{
    const std::size_t block = stride * Slots;
    for (std::size_t base = 0; base < cells; base += block)
        for (std::size_t d = depth; d >= 1; --d) {
            const T* lo = levels[d - 1] + base;
            T* up = levels[d] + base;
            for (int v = 0; v < played; ++v)
                for (int u = 0; u < Slots; ++u)
                    if (u != v)
                        for (std::size_t j = 0; j < stride; ++j)
                            up[std::size_t(v) * stride + j] += lo[std::size_t(u) * stride + j];
        }
}

// The pass over one match for the fewest wrong: a played sign keeps its own
// distance or takes one more than the best of the match's other values.
template <typename T, int Slots>
void nearestAlongMatch(T* const* levels, std::size_t, std::size_t cells, std::size_t stride, int played)
{
    const std::size_t block = stride * Slots;
    for (std::size_t base = 0; base < cells; base += block) {
        T* cell = levels[0] + base;
        for (std::size_t j = 0; j < stride; ++j) {
            std::array<T, Slots> old;
            for (int u = 0; u < Slots; ++u)
                old[u] = cell[std::size_t(u) * stride + j];
            for (int v = 0; v < played; ++v) {
                int other = 0xff;
                for (int u = 0; u < Slots; ++u)
                    if (u != v)
                        other = std::min<int>(other, old[u]);
                cell[std::size_t(v) * stride + j] = T(std::min(int(old[v]), other + 1));
            }
        }
    }
}

enum class PassKind { Add, Nearest };

template <PassKind Kind, typename T>
void passAlongMatch(T* const* levels, std::size_t depth, std::size_t cells, std::size_t stride, int slots, int played)
{
    const auto run = [&]<int Slots>() {
        if constexpr (Kind == PassKind::Add)
            addAlongMatch<T, Slots>(levels, depth, cells, stride, played);
        else
            nearestAlongMatch<T, Slots>(levels, depth, cells, stride, played);
    };
    switch (slots) {
    case 1:
        return; // one value, always right
    case 2:
        return run.template operator()<2>();
    case 3:
        return run.template operator()<3>();
    default:
        return run.template operator()<4>();
    }
}

// Cells per strip in the passes of the earlier matches.
constexpr std::size_t kStripColumns = 16;

// A strip's stretch of cells: of a length known when compiled where it can
// be, since a library call per stretch this short costs more than the copy.
template <typename T>
void copyShort(const T* from, std::size_t count, T* to)
{
    if (count == kStripColumns) {
        std::array<T, kStripColumns> stretch;
        std::memcpy(stretch.data(), from, sizeof stretch);
        std::memcpy(to, stretch.data(), sizeof stretch);
        return;
    }
    std::copy_n(from, count, to);
}

// Drops a match's extra value once its pass is done.
template <typename T> void dropOutsideValue(std::vector<T>& cells, const Grid& grid, int match)
{
    const std::size_t stride = grid.stride(match);
    const std::size_t kept = stride * std::size_t(grid.played[match]);
    const std::size_t block = stride * std::size_t(grid.slots[match]);
    const std::size_t blocks = cells.size() / block;
    for (std::size_t b = 0; b < blocks; ++b)
        std::copy_n(cells.begin() + std::ptrdiff_t(b * block), kept, cells.begin() + std::ptrdiff_t(b * kept));
    cells.resize(blocks * kept);
    cells.shrink_to_fit();
}

template <typename T> std::vector<T*> levelPointers(std::vector<std::vector<T>>& levels, std::size_t offset)
{
    std::vector<T*> p;
    for (auto& level : levels)
        p.push_back(level.data() + offset);
    return p;
}

// Whole passes over the matches where a row plays outside the frame, after
// which their extra value goes; they are marked done. False when cancelled.
template <PassKind Kind, typename T>
bool passOutsideFrame(std::vector<std::vector<T>>& levels, Grid& grid, const TransformControl& control,
                      std::array<bool, kFrameMatches>& done)
{
    const std::size_t depth = levels.size() - 1;
    for (int m = 0; m < kFrameMatches; ++m)
        if (grid.slots[m] > grid.played[m]) {
            done[std::size_t(m)] = true;
            if (control.cancelled())
                return false;
            passAlongMatch<Kind>(levelPointers(levels, 0).data(), depth, grid.cells(), grid.stride(m), grid.slots[m],
                                 grid.played[m]);
            for (auto& level : levels)
                dropOutsideValue(level, grid, m);
            grid.slots[m] = grid.played[m];
        }
    return true;
}

// The passes of the matches before `split`, over narrow strips of columns
// gathered into a block of `outer` rows of `inner` cells.
template <PassKind Kind, typename T, typename Stop>
void passOverStrips(std::vector<std::vector<T>>& levels, const Grid& grid, const std::array<bool, kFrameMatches>& done,
                    int split, std::size_t inner, unsigned threads, const Stop& stop)
{
    const std::size_t depth = levels.size() - 1;
    const std::size_t outer = grid.cells() / inner;
    const std::size_t strips = (inner + kStripColumns - 1) / kStripColumns;
    inParallel(strips, threads, [&](std::size_t first, std::size_t last) {
        std::vector<std::vector<T>> strip(levels.size(), std::vector<T>(outer * kStripColumns));
        std::vector<T*> at;
        for (auto& level : strip)
            at.push_back(level.data());
        for (std::size_t s = first; s < last && !stop(); ++s) {
            const std::size_t column = s * kStripColumns;
            const std::size_t width = std::min(kStripColumns, inner - column);
            for (std::size_t l = 0; l < levels.size(); ++l)
                for (std::size_t o = 0; o < outer; ++o)
                    copyShort(levels[l].data() + o * inner + column, width, strip[l].data() + o * width);
            for (int m = 0; m < split; ++m)
                if (!done[std::size_t(m)])
                    passAlongMatch<Kind>(at.data(), depth, outer * width, grid.stride(m) / inner * width, grid.slots[m],
                                         grid.played[m]);
            for (std::size_t l = 0; l < levels.size(); ++l)
                for (std::size_t o = 0; o < outer; ++o)
                    copyShort(strip[l].data() + o * width, width, levels[l].data() + o * inner + column);
        }
    });
}

// Runs the pass of every match over the levels (one array per distance kept).
// The passes of different matches commute, so they run in the order that
// keeps the work in the processor's cache: first the matches where a row
// plays outside the frame (whole passes, after which the extra value goes),
// then the later matches a cache-sized block of cells at a time, then the
// earlier matches over narrow strips of columns gathered into a block.
template <PassKind Kind, typename T>
bool passOverMatches(std::vector<std::vector<T>>& levels, Grid& grid, const TransformControl& control)
{
    const std::size_t depth = levels.size() - 1;
    const unsigned threads = control.threads ? control.threads : std::max(1u, std::thread::hardware_concurrency());
    std::array<bool, kFrameMatches> done{};
    if (!passOutsideFrame<Kind>(levels, grid, control, done))
        return false;

    // Cells per block and columns per strip: small enough for the cache.
    constexpr std::size_t kBlockCells = 4096;
    int split = kFrameMatches;
    std::size_t inner = 1;
    while (split > 0 && inner * std::size_t(grid.slots[split - 1]) <= kBlockCells)
        inner *= std::size_t(grid.slots[--split]);
    const std::size_t outer = grid.cells() / inner;
    std::atomic<bool> stopped{false};
    const auto stop = [&] {
        if (control.cancelled())
            stopped = true;
        return stopped.load();
    };

    // Inside a block the last matches' values lie next to each other; their
    // passes run on the block turned round, groups of their cells side by side.
    int tailStart = kFrameMatches;
    std::size_t tail = 1;
    while (tailStart > split && grid.stride(tailStart - 1) < kStripColumns)
        tail *= std::size_t(grid.slots[--tailStart]);
    const std::size_t groups = inner / tail;
    inParallel(outer, threads, [&](std::size_t first, std::size_t last) {
        std::vector<std::vector<T>> turned(levels.size(), std::vector<T>(inner));
        std::vector<T*> at;
        for (auto& level : turned)
            at.push_back(level.data());
        for (std::size_t block = first; block < last && !stop(); ++block) {
            const std::vector<T*> here = levelPointers(levels, block * inner);
            for (int m = split; m < tailStart; ++m)
                if (!done[std::size_t(m)])
                    passAlongMatch<Kind>(here.data(), depth, inner, grid.stride(m), grid.slots[m], grid.played[m]);
            if (tailStart == kFrameMatches)
                continue;
            for (std::size_t l = 0; l < levels.size(); ++l)
                for (std::size_t g = 0; g < groups; ++g)
                    for (std::size_t c = 0; c < tail; ++c)
                        at[l][c * groups + g] = here[l][g * tail + c];
            for (int m = tailStart; m < kFrameMatches; ++m)
                if (!done[std::size_t(m)])
                    passAlongMatch<Kind>(at.data(), depth, inner, grid.stride(m) * groups, grid.slots[m],
                                         grid.played[m]);
            for (std::size_t l = 0; l < levels.size(); ++l)
                for (std::size_t g = 0; g < groups; ++g)
                    for (std::size_t c = 0; c < tail; ++c)
                        here[l][g * tail + c] = at[l][c * groups + g];
        }
    });
    if (stopped)
        return false;
    if (control.progress)
        control.progress(0.5);

    passOverStrips<Kind>(levels, grid, done, split, inner, threads, stop);
    if (stopped)
        return false;
    if (control.progress)
        control.progress(1.0);
    return true;
}

} // namespace

std::uint64_t transformCells(const std::vector<SignRow>& rows, const Frame& frame)
{
    return gridOf(rows, frame).cells();
}

std::optional<RowsByDistance> countRowsByDistance(const std::vector<SignRow>& rows, const Frame& frame, int depth,
                                                  const TransformControl& control)
{
    Grid grid = gridOf(rows, frame);
    RowsByDistance levels(std::size_t(depth + 1));
    for (auto& level : levels)
        level.resize(grid.cells());
    for (const SignRow& row : rows)
        ++levels[0][grid.cellOf(row)];
    if (!passOverMatches<PassKind::Add>(levels, grid, control))
        return std::nullopt;
    return levels;
}

std::optional<std::vector<std::uint8_t>> nearestRowDistance(const std::vector<SignRow>& rows, const Frame& frame,
                                                            const TransformControl& control)
{
    Grid grid = gridOf(rows, frame);
    // Far enough that no pass can carry it past 255.
    constexpr std::uint8_t kNoRow = 64;
    std::vector<std::vector<std::uint8_t>> distance(1, std::vector<std::uint8_t>(grid.cells(), kNoRow));
    for (const SignRow& row : rows)
        distance[0][grid.cellOf(row)] = 0;
    if (!passOverMatches<PassKind::Nearest>(distance, grid, control))
        return std::nullopt;
    return std::move(distance[0]);
}

std::optional<std::vector<double>> sumOverRowsNeighbours(WeightsByDistance weights, const TransformControl& control)
{
    Frame full;
    full.played.fill(7);
    Grid grid = gridOf({}, full);
    // A weight of distance d starts 3 − d levels up, so what reaches the top
    // level has travelled exactly d wrong.
    std::vector<std::vector<double>> levels(4);
    for (int d = 0; d < 4; ++d)
        levels[std::size_t(3 - d)] = std::move(weights[std::size_t(d)]);
    for (const auto& level : levels)
        if (level.size() != grid.cells())
            return std::nullopt;
    if (!passOverMatches<PassKind::Add>(levels, grid, control))
        return std::nullopt;
    return std::move(levels[3]);
}
