#pragma once

#include "base/sharedstate.h"

// The entered row and the played pattern, changed one button click at a time.
// Both windows that take a row (and the own-system window) share these rules.

// A click on the button of sign `sign` (0 "1", 1 "X", 2 "2") of match `match`
// in the entered row: a lit sign goes out and leaves the match empty; any other
// sign lights up and puts out the other signs of the match, so a match never
// holds more than one sign. BasicSigns keeps the last sign chosen even when
// the match is emptied; BasicMarks and the count tell that it is empty.
void toggleBasicSign(SharedState& state, int sign, int match);

// A click on a button of the played pattern (SystemMarks): any number of signs
// per match; BasicSignCount counts the marks.
void toggleSystemMark(SharedState& state, int sign, int match);

// Matches with at least one mark.
int markedMatches(const MatchTable& marks);
// Marks in the whole table.
int markCount(const MatchTable& marks);
