#pragma once

#include "base/rows.h"
#include "base/sharedstate.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

// Checking played rows against the correct row of a round: prize classes,
// the list of checked rows, typed systems and the per-match figures.

// Prize classes are rows with exactly 10, 11, 12 or 13 correct signs.
inline constexpr int kLowestPrizeClass = 10;

// A full system with more single rows than this cannot be held: row positions are 16-bit.
inline constexpr qint64 kMaxSystemRows = 32767;

struct PrizeTally {
    std::array<int, 4> counts{}; // rows with 10, 11, 12, 13 correct
    int lastFullHitRow = 0;      // 1-based row of the last 13-correct row, 0 if none
    int rowsChecked = 0;

    // Counts row `r` (0-based) with `hits` correct signs.
    void add(int r, int hits);
    int count(int hits) const { return counts[hits - kLowestPrizeClass]; }
    bool won() const;
};

// The list line of a checked single row: its number, the signs in groups of
// three and the number of correct signs.
QString checkListLine(int r, const Row& row, int hits);

// The separator that follows every tenth listed row.
inline const QString kBlockSeparator = QStringLiteral(" ");

struct SingleRowCheck {
    PrizeTally tally;
    std::array<int, 14> matchHits{}; // rows with the correct sign, per match
    QStringList lines;               // the list, separator lines included
    int selectedLine = -1;           // line of the last 13-correct row
    int listedLines = 0;
    int blockBoundary = 0;
};

// Checks rows 0..rowCount-1 of `rows` against `correct`.
SingleRowCheck checkSingleRows(const RowBuffer& rows, int rowCount, const Row& correct);

// Tallies rows without listing them (the rows of an expanded system).
PrizeTally tallyRows(const RowBuffer& rows, const Row& correct);

// Played signs per match of a system pattern.
struct SystemShape {
    int halfGuards = 0; // matches with two signs
    int fullGuards = 0; // matches with three signs
    int empty = 0;      // matches without a sign
    qint64 rows = 0;    // 2^halfGuards × 3^fullGuards, 0 when a match is empty
};
SystemShape systemShape(const MatchTable& marks);

// Every single row of the pattern exactly once, in an order shuffled with
// `uniform` (numbers in [0, 1)). Callers check the size against kMaxSystemRows first.
RowBuffer expandSystem(const MatchTable& marks, const std::function<double()>& uniform);

// The prize amount typed for one row of a class: its leading number, a decimal
// comma taken as a point; 0 for an empty box.
double prizeAmount(const QString& text);

// Total winnings in whole marks: the prize of each class times its rows.
qint64 winTotal(const std::array<double, 4>& prizes, const PrizeTally& tally);

// How often each match was right, in per cent of the rows checked.
struct MatchPercentages {
    std::array<int, 13> whole{};   // integer part, as shown per match
    std::array<int, 13> rounded{}; // nearest whole per cent
    int average = 0;               // of the rounded ones
};
// Nothing when no rows were checked.
std::optional<MatchPercentages> matchPercentages(const std::array<int, 14>& matchHits, int rowCount);
