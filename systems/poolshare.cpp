#include "systems/poolshare.h"

#include <cmath>

// With u = 1 − t the share is c·∫₀¹ (1−u)^(c−1) e^(−λu) du = Σ_k (−λ)^k / ((c+1)(c+2)…(c+k)).
// Where λ ≤ c that alternating series converges quickly and its terms cancel
// little (their absolute sum stays within a few times the result). Where λ > c
// the integral's own recurrence, I_j = (1 − (j−1)·I_(j−1)) / λ from
// I_1 = (1 − e^(−λ)) / λ, shrinks every earlier rounding error by (j−1)/λ < 1
// at each step, so it is the stable direction there.
double ownShareOfPool(std::uint32_t ownRows, double othersExpected)
{
    if (ownRows == 0)
        return 0;
    const double lambda = othersExpected > 0 ? othersExpected : 0;
    if (lambda == 0)
        return 1;
    const double c = ownRows;
    if (ownRows == 1)
        return -std::expm1(-lambda) / lambda;
    if (lambda <= c) {
        double term = 1, sum = 1;
        for (double k = 1;; ++k) {
            term *= -lambda / (c + k);
            sum += term;
            if (std::fabs(term) < 1e-17 * sum)
                return sum;
        }
    }
    double integral = -std::expm1(-lambda) / lambda;
    for (std::uint32_t j = 2; j <= ownRows; ++j)
        integral = (1 - double(j - 1) * integral) / lambda;
    return c * integral;
}
