#include "batch/seededrandom.h"

#include <chrono>

SeededRandom::SeededRandom()
{
    reseed();
}

SeededRandom::SeededRandom(quint64 seed) : engine_(seed), repeatable_(true) {}

double SeededRandom::next()
{
    // The top 53 bits: every double in [0, 1) with that spacing, never 1.
    return double(engine_() >> 11) * 0x1.0p-53;
}

void SeededRandom::reseed()
{
    if (!repeatable_)
        engine_.seed(quint64(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}
