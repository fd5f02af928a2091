#pragma once

#include "base/safewrite.h"
#include "systems/frame.h"

#include <QString>
#include <vector>

// Complete tables for own reduced systems, found earlier or carried with the
// program. Whether a table keeps a guarantee depends only on how many matches
// play two signs and how many three: which matches, and which signs they
// play, only rename its rows. So a table is filed under that shape, written
// in the shape's standard frame, and fits every frame of the shape.

struct TableShape {
    int twoSign = 0;
    int threeSign = 0;
    int guarantee = 12;
    bool operator==(const TableShape&) const = default;
};
TableShape tableShape(const Frame& frame, int guarantee);

// The two-sign matches first (1 or X), then the three-sign ones, the rest "1".
Frame standardFrame(const TableShape& shape);

// Rows of the standard frame as rows of `frame` (of the same shape), and back.
std::vector<SignRow> rowsInFrame(const std::vector<SignRow>& standardRows, const Frame& frame);
std::vector<SignRow> rowsInStandardFrame(const std::vector<SignRow>& rows, const Frame& frame);

// A table that keeps at least the guarantee asked for, as rows of the frame
// asked about.
struct OfferedTable {
    std::vector<SignRow> rows; // empty when there is none
    QString source;            // "A60" for a carried table, "" for one found earlier or shipped
    bool shipped = false;      // one of the tables searched before the program was shipped
};

// The smallest carried reduced system of the frame's shape that keeps the guarantee.
OfferedTable carriedTable(const Frame& frame, int guarantee);

// The table earlier searches kept for the frame's shape, at this guarantee or
// a stronger one. A file that is damaged or no longer keeps its guarantee is
// passed over.
OfferedTable keptTable(const QString& programDir, const Frame& frame, int guarantee);

// The smallest of the shipped tables (searched before the program was
// shipped, for every shape of at most kMostShippedMatches guarded matches)
// that keeps the guarantee, checked before it is offered.
inline constexpr int kMostShippedMatches = 9;
OfferedTable shippedTable(const Frame& frame, int guarantee);

// The smallest direct sum of shipped tables of two or three parts of the
// frame's shape, whose misses add up to what the guarantee allows (for
// example a table keeping 12 of four matches beside one keeping 11 of eight),
// checked before it is offered.
OfferedTable directSumTable(const Frame& frame, int guarantee);

// Up to `most` tables glued from two shipped tables on a shared match, the
// smallest first, as rows of the frame: each misses a few outcomes, and a
// search completes them (CoveringRequest::partialTables).
std::vector<std::vector<SignRow>> gluedTables(const Frame& frame, int guarantee, std::size_t most);
// How many a search completes: each costs a greedy pass over what it misses.
inline constexpr std::size_t kGluedTablesTried = 6;

// The smallest of these: what a window offers at once and a search starts
// from. A table found earlier wins a tie, then a carried one.
OfferedTable offeredTable(const QString& programDir, const Frame& frame, int guarantee);

// The shipped tables as stored: "RKT1", then per table the two-sign and
// three-sign matches, the guarantee, a zero byte, the seconds searched so far
// (32 bits) and the rows (16 bits), then each row as a 16-bit number: its
// signs in the standard frame as digits of base 2 (two-sign matches) and 3
// (three-sign matches), match 1 the most significant; all little-endian,
// rows ascending. A table that breaks any of this is dropped whole.
struct ShippedTable {
    TableShape shape;
    std::uint32_t secondsSearched = 0;
    std::vector<SignRow> standardRows;
};
std::vector<ShippedTable> parseShippedTables(const QByteArray& bytes);
QByteArray shippedTablesBytes(const std::vector<ShippedTable>& tables);
// Where the program carries them.
inline constexpr const char* kShippedTablesResource = ":/systems/taulukot.bin";

// Where the table of a shape is kept: a rows file of the standard frame in the
// folder "haravat" of the program directory, "O8-T4-takuu11.1X2" for eight
// two-sign and four three-sign matches at guarantee 11.
QString keptTablePath(const QString& programDir, const TableShape& shape);

// Keeps `rows` (a table of `frame` that keeps `guarantee`) for its shape when
// no smaller one is kept already; Ok also when nothing needed writing.
Outcome<> keepTable(const QString& programDir, const Frame& frame, int guarantee, const std::vector<SignRow>& rows);
