#include "systems/coveringspace.h"

#include <algorithm>

int CoveringSpace::twoSignCount() const
{
    return int(std::count(radix.begin(), radix.end(), 2));
}

int CoveringSpace::threeSignCount() const
{
    return int(std::count(radix.begin(), radix.end(), 3));
}

CoveringSpace coveringSpace(const Frame& frame, int guarantee)
{
    CoveringSpace space;
    space.frame = frame;
    space.radius = std::max(0, kFrameMatches - guarantee);
    for (int m = 0; m < kFrameMatches; ++m) {
        const int count = playedCount(frame, m);
        if (count < 2)
            continue;
        std::array<std::uint8_t, 3> signs{};
        int k = 0;
        for (std::uint8_t s = 0; s < 3; ++s)
            if (frame.played[m] >> s & 1)
                signs[std::size_t(k++)] = s;
        space.matches.push_back(m);
        space.signs.push_back(signs);
        space.radix.push_back(count);
    }
    space.stride.assign(space.matches.size(), 1);
    for (int j = space.length() - 1; j >= 0; --j) {
        space.stride[std::size_t(j)] = space.size;
        space.size *= std::uint32_t(space.radix[std::size_t(j)]);
    }
    return space;
}

std::uint32_t pointOfDigits(const CoveringSpace& space, const Digits& digits)
{
    std::uint32_t point = 0;
    for (int j = 0; j < space.length(); ++j)
        point += digits[std::size_t(j)] * space.stride[std::size_t(j)];
    return point;
}

Digits digitsOfPoint(const CoveringSpace& space, std::uint32_t point)
{
    Digits digits(space.matches.size());
    for (int j = 0; j < space.length(); ++j)
        digits[std::size_t(j)] =
            std::uint8_t(point / space.stride[std::size_t(j)] % std::uint32_t(space.radix[std::size_t(j)]));
    return digits;
}

SignRow rowOfPoint(const CoveringSpace& space, std::uint32_t point)
{
    SignRow row{};
    for (int m = 0; m < kFrameMatches; ++m)
        for (std::uint8_t s = 0; s < 3; ++s)
            if (space.frame.played[m] >> s & 1) {
                row[m] = s;
                break;
            }
    const Digits digits = digitsOfPoint(space, point);
    for (int j = 0; j < space.length(); ++j)
        row[space.matches[std::size_t(j)]] = space.signs[std::size_t(j)][digits[std::size_t(j)]];
    return row;
}

bool pointOfRow(const CoveringSpace& space, const SignRow& row, std::uint32_t& point)
{
    if (!rowInsideFrame(row, space.frame))
        return false;
    point = 0;
    for (int j = 0; j < space.length(); ++j) {
        const auto& signs = space.signs[std::size_t(j)];
        const std::uint8_t sign = row[space.matches[std::size_t(j)]];
        const auto digit =
            std::uint32_t(std::find(signs.begin(), signs.begin() + space.radix[std::size_t(j)], sign) - signs.begin());
        point += digit * space.stride[std::size_t(j)];
    }
    return true;
}

std::uint64_t ballSize(const CoveringSpace& space)
{
    // Coefficients of the product of (1 + (radix - 1) x) over the guarded
    // matches: ways to change exactly i of them.
    std::vector<std::uint64_t> ways{1};
    for (int r : space.radix) {
        ways.push_back(0);
        for (std::size_t i = ways.size() - 1; i > 0; --i)
            ways[i] += ways[i - 1] * std::uint64_t(r - 1);
    }
    std::uint64_t ball = 0;
    for (int i = 0; i <= space.radius && i < int(ways.size()); ++i)
        ball += ways[std::size_t(i)];
    return ball;
}

std::uint64_t sphereCoveringBound(const CoveringSpace& space)
{
    const std::uint64_t ball = ballSize(space);
    return (space.size + ball - 1) / ball;
}
