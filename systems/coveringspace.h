#pragma once

#include "systems/frame.h"

#include <cstdint>
#include <vector>

// A frame's guarded matches (two or three played signs) as a mixed-radix
// space: a point is an outcome restricted to them, numbered with the last
// guarded match fastest, and a digit is the position of the sign among the
// match's played signs. Single-sign matches are right in every row inside the
// frame, so a guarantee G means every outcome lies within R = 13 - G guarded
// matches of some row.

inline constexpr std::size_t kMostTableRows = 32767;

struct CoveringSpace {
    Frame frame;
    int radius = 0;
    std::vector<int> matches;                       // guarded matches, in frame order
    std::vector<std::array<std::uint8_t, 3>> signs; // played signs of each, ascending
    std::vector<int> radix;                         // 2 or 3
    std::vector<std::uint32_t> stride;              // index weight of each guarded match
    std::uint32_t size = 1;                         // number of points

    int length() const { return int(matches.size()); }
    int twoSignCount() const;
    int threeSignCount() const;
};

CoveringSpace coveringSpace(const Frame& frame, int guarantee);

using Digits = std::vector<std::uint8_t>;

std::uint32_t pointOfDigits(const CoveringSpace& space, const Digits& digits);
Digits digitsOfPoint(const CoveringSpace& space, std::uint32_t point);
SignRow rowOfPoint(const CoveringSpace& space, std::uint32_t point);
// False when the row has a sign outside the frame.
bool pointOfRow(const CoveringSpace& space, const SignRow& row, std::uint32_t& point);

// Points within the radius of one point (itself included).
std::uint64_t ballSize(const CoveringSpace& space);
// No table can be smaller: every row covers at most one ball.
std::uint64_t sphereCoveringBound(const CoveringSpace& space);

// Calls visit(point) for every point at exactly `distance` from the centre
// whose digit at `fixedPosition` equals the centre's (-1: no position fixed).
// Each point once.
template <class Visit>
void forEachPointAtDistance(const CoveringSpace& space, const Digits& centre, std::uint32_t centrePoint, int distance,
                            int fixedPosition, Visit&& visit);

// Calls visit(point) for every point within `distance` of the centre.
template <class Visit>
void forEachPointWithin(const CoveringSpace& space, const Digits& centre, std::uint32_t centrePoint, int distance,
                        Visit&& visit)
{
    for (int d = 0; d <= distance; ++d)
        forEachPointAtDistance(space, centre, centrePoint, d, -1, visit);
}

namespace covering_detail {
template <class Visit>
void changeFrom(const CoveringSpace& space, const Digits& centre, std::int64_t point, int from, int left,
                int fixedPosition, Visit& visit)
{
    if (left == 0) {
        visit(std::uint32_t(point));
        return;
    }
    const int n = space.length();
    for (int j = from; j <= n - left; ++j) {
        if (j == fixedPosition)
            continue;
        const std::int64_t base = point - std::int64_t(centre[std::size_t(j)]) * space.stride[std::size_t(j)];
        for (int v = 0; v < space.radix[std::size_t(j)]; ++v)
            if (v != centre[std::size_t(j)])
                changeFrom(space, centre, base + std::int64_t(v) * space.stride[std::size_t(j)], j + 1, left - 1,
                           fixedPosition, visit);
    }
}
} // namespace covering_detail

template <class Visit>
void forEachPointAtDistance(const CoveringSpace& space, const Digits& centre, std::uint32_t centrePoint, int distance,
                            int fixedPosition, Visit&& visit)
{
    if (distance > space.length() - (fixedPosition >= 0 ? 1 : 0))
        return;
    covering_detail::changeFrom(space, centre, std::int64_t(centrePoint), 0, distance, fixedPosition, visit);
}
