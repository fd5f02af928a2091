#pragma once

#include "base/sharedstate.h"

#include <QString>

// Accepting the played pattern of the harava window. The same pattern window
// serves three tasks; what was accepted decides the next window.
enum class PatternOutcome {
    TooFewMarks,      // fewer than 14 marks: not a system at all
    EmptyMatch,       // a match without any sign (typed or random-row system)
    WrongShape,       // not the chosen reduced system's shape
    CheckTypedSystem, // a full system typed in: the checking window expands it
    DrawRandomSystem, // a random-row system: the row-count window comes next
    CheckHarava,      // a reduced system: the correct row is coded for the checking window
};

// Validates SystemMarks for the task in `state` (RowSource 0, DrawMode 1 or a
// reduced system chosen by SystemLetter) and leaves in `state` what the next
// window reads: CurrentFileTitle for a typed system; the guard counts and
// FullGuardFlags for a random-row system; MatchSignCount, CodedResult,
// BankerHits and FullColumnStart for a reduced system.
PatternOutcome acceptPattern(SharedState& state);

// The message that refuses a pattern ("Liian vähän merkkejä !!" …); empty
// when the outcome accepts it.
QString patternRefusal(PatternOutcome outcome);
