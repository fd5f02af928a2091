#pragma once

#include "base/rows.h"
#include "base/sharedstate.h"
#include "rows/conversion.h"
#include "systems/frame.h"

#include <QString>
#include <optional>

// Where the systems logic meets the rest of the program: a frame is a played
// pattern (MatchTable, typed as rows/signtext.h reads it) without empty
// matches, and a SignRow is a Row with its signs numbered.

// Nothing when a match has no played sign.
std::optional<Frame> frameOfPattern(const MatchTable& marks);
MatchTable patternOfFrame(const Frame& frame);

// A typed pattern as a frame; a match without a sign is refused with the
// pattern window's own message.
std::optional<Frame> parseFrame(const QString& text, QString& error);
// "1,1X,12,…", as parseFrame reads it.
QString frameText(const Frame& frame);

// A byte that is no sign becomes a number that is never right.
SignRow signRowOf(const Row& row);
Row rowOf(const SignRow& row);
std::vector<SignRow> signRowsOf(const RowBuffer& rows);
RowBuffer rowsOfSigns(const std::vector<SignRow>& rows);

// How an own system of `halfGuards` two-sign and `fullGuards` three-sign
// columns is played on `frame`, as the checking fits it: the frame's two-sign
// matches from the top take the two-sign columns (a stored "1" is the match's
// first sign, "2" its second), its three-sign matches the three-sign columns,
// and a one-sign match is a banker. Nothing when the frame is of another shape.
std::optional<ConversionPlan> systemPlanOnFrame(const Frame& frame, int halfGuards, int fullGuards);

// Every cell holds one of the three signs.
bool isCompleteRow(const Row& row);
bool allRowsComplete(const RowBuffer& rows);

// The rows a window has in memory (`rows`): the rows just drawn, expanded or
// read, when every one of them is a row of 13 signs. Empty otherwise (the two empty
// rows a task starts with, a damaged file).
RowBuffer completeRowsInMemory(const RowBuffer& rows);
