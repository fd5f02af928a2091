#pragma once

#include <array>
#include <cstdint>

// A round of the pool: the other players' rows, the pools of the classes 13,
// 12, 11 and 10 right in euros (a carried jackpot is part of the first), a
// row's price.
struct PoolRound {
    double rowsSold = 0;
    std::array<double, 4> pools{};
    double rowPrice = 0;
    bool operator==(const PoolRound&) const = default;
};

// The share of a prize class's pool that a player's own winning rows take.
// The class's pool is split evenly among every winning row; the other
// players' winning rows are a Poisson number W with mean `othersExpected`,
// so c own winning rows take E[c / (W + c)] of the pool:
//   Σ_w e^(−λ) λ^w / w! · c / (w + c)  =  c · ∫₀¹ t^(c−1) e^(−λ(1−t)) dt.
// Relative error below 1e-12 for every λ ≥ 0 and c ≥ 1; 0 when c = 0.
double ownShareOfPool(std::uint32_t ownRows, double othersExpected);
