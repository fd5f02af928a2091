#pragma once

#include "base/sharedstate.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <functional>

// The six built-in reduced systems ("haravat"). Each is a table of rows over
// the columns of its guarded matches: first a V/O column for every two-sign
// match, then a 1/X/2 column for every three-sign match.

struct HaravaSystem {
    const char* name;     // "A60"
    char letter;          // 'A'
    int tableId;          // 60: the resource ":/RK_HAR/60"
    const char* workFile; // "APUS"
    int columns;
    int oneSign;
    int twoSign;
    int threeSign;
    int totalMarks;      // one-sign + 2 × two-sign + 3 × three-sign
    int firstFullColumn; // 1-based column of the first 1/X/2 column
    int rows;
};

// In the order of the choice buttons, A60 … F1296.
const std::array<HaravaSystem, 6>& haravaSystems();
const HaravaSystem* haravaByLetter(QChar letter);

// The system's table, rows × columns bytes in table order; empty when the
// carried data is missing or of the wrong size.
QByteArray haravaTable(const HaravaSystem& system);

// How many signs are played on each match of a pattern, and totals.
struct PatternCounts {
    MatchValues perMatch{};
    int marks = 0;
    int oneSign = 0;
    int twoSign = 0;
    int threeSign = 0;
    int empty = 0;
};
PatternCounts countPattern(const MatchTable& marks);

// True when the played pattern has the system's shape.
bool patternFitsSystem(const PatternCounts& counts, const HaravaSystem& system);

// The correct row in the system's alphabet: position n-1 for table column n,
// " " where no row can score; and the hits of the one-sign matches.
struct CodedResult {
    MatchStrings coded;
    int bankerHits = 0;
};
CodedResult codeCorrectRow(const HaravaSystem& system, const MatchTable& marks, const MatchStrings& correctSigns);

// Correct signs a table row scores on the coupon.
int haravaRowHits(const char* row, int columns, const CodedResult& result);

// Scores every table row in table order; `tally(rowIndex, hits)` for each.
// False when the table cannot be read.
bool scoreHarava(const HaravaSystem& system, const CodedResult& result,
                 const std::function<void(int row, int hits)>& tally);
