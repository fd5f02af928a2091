#pragma once

#include "base/services.h"

#include <QtGlobal>
#include <random>

// The random numbers of the command-line program. Seeded from the clock it
// behaves as the program's own generator, taking a new seed from the clock
// whenever a caller reseeds; given a seed it is repeatable and every reseed is
// ignored, so the same seed gives the same numbers.
class SeededRandom : public Random {
public:
    SeededRandom();
    explicit SeededRandom(quint64 seed);

    double next() override;
    void reseed() override;

private:
    std::mt19937_64 engine_;
    bool repeatable_ = false;
};
