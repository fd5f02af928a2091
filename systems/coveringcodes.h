#pragma once

#include "systems/coveringspace.h"

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

// Tables from algebra: codes whose covering radius is known by construction
// or checked through syndromes, and direct sums of them. They give a complete
// table at once, often the best one known, and a start for the local search.

// A code over positions of two or three signs each.
struct BlockCode {
    std::vector<int> radix;
    int radius = 0;
    std::vector<Digits> words;
    std::string name; // how it was made, for reports
};

// The ternary Hamming code with r parity checks: length (3^r - 1) / 2, radius 1, perfect.
BlockCode ternaryHammingCode(int checks);
// The cyclic ternary Golay code [11,6]: 729 words, radius 2, perfect.
BlockCode ternaryGolayCode();
// The extended binary Hamming code [8,4]: 16 words, radius 2.
BlockCode extendedBinaryHammingCode();

// A linear code given by a parity-check matrix [A | I]: a row of `checks`
// numbers per message position. Its covering radius, found from the syndromes.
struct LinearCode {
    int alphabet = 3;
    int length = 0;
    std::vector<std::vector<std::uint8_t>> columns; // the message columns of A
    int checks() const { return columns.empty() ? length : int(columns[0].size()); }
};
int coveringRadius(const LinearCode& code);
BlockCode wordsOf(const LinearCode& code, int radius, const std::string& name);

// Every pair of words: radius adds up.
BlockCode directSum(const BlockCode& first, const BlockCode& second);

// The smallest table algebra gives for the space (two-sign positions first in
// each code, mapped onto the space's two- and three-sign matches in order), as
// points; empty when it would exceed `mostRows`. Random generator matrices are
// drawn from `rng`, a bounded number of tries each, so the result is repeatable.
struct AlgebraicTable {
    std::vector<std::uint32_t> points;
    std::uint64_t size = 0; // may exceed mostRows, when points stays empty
    std::string name;
};
AlgebraicTable smallestAlgebraicTable(const CoveringSpace& space, std::size_t mostRows, std::mt19937_64& rng);
