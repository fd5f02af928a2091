#pragma once

#include "systems/frame.h"

#include <cstdint>
#include <vector>

// An independent check of a table: written apart from the search and its
// bookkeeping, walking matches and signs directly, so a fault in one is not
// repeated in the other.

// Outcomes of the frame for which no row has at least `guarantee` right.
// With `only`, just those outcomes count.
std::uint64_t outcomesBelowGuarantee(const std::vector<SignRow>& rows, const Frame& frame, int guarantee,
                                     const std::vector<SignRow>* only = nullptr);

// Every row inside the frame, no row twice, and the guarantee kept. With
// `only`, every row is one of those outcomes and only they need the guarantee.
bool tableKeepsGuarantee(const std::vector<SignRow>& rows, const Frame& frame, int guarantee,
                         const std::vector<SignRow>* only = nullptr);
