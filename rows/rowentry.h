#pragma once

#include "base/sharedstate.h" // the mark tables

// The entered row and the played pattern, changed one button click at a time.
// Both windows that take a row (and the own-system window) share these rules.

// A click on the button of sign `sign` (0 "1", 1 "X", 2 "2") of match `match`
// in the entered row (BasicMarks, BasicSigns, BasicSignCount): a lit sign goes
// out and leaves the match empty; any other sign lights up and puts out the
// other signs of the match, so a match never holds more than one sign. `signs`
// keeps the last sign chosen even when the match is emptied; `marks` and
// `markTotal` tell that it is empty.
void toggleBasicSign(MatchTable& marks, MatchStrings& signs, int& markTotal, int sign, int match);

// A click on a button of the played pattern (SystemMarks): any number of signs
// per match; `markTotal` (BasicSignCount) counts the marks.
void toggleSystemMark(MatchTable& marks, int& markTotal, int sign, int match);

// Matches with at least one mark.
int markedMatches(const MatchTable& marks);
// Marks in the whole table.
int markCount(const MatchTable& marks);
