#pragma once

#include "base/rows.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// The texts of row listings, on screen and on paper.

// A cell as listings show it: its sign, or "?" for a byte that is no printable character.
QChar displaySign(char cell);

// The 13 signs separated by one blank, with two blanks before matches 4, 7
// and 10: "1 X 2  1 1 1  X X X  2 2 2 2".
QString groupedSigns(const Row& row);

// One row of the screen listing: the number with its leading blank, a
// separator that keeps the signs in one column up to row 999, the signs.
QString screenListingLine(int number, const Row& row);

// Rows 1..rowCount, with an empty line after every tenth row so the list
// falls into coupon-sized blocks.
QStringList screenListing(const RowBuffer& rows, int rowCount);

// How many rows carry "1", "X" and "2" in each match.
struct SignDistribution {
    std::array<std::array<int, 13>, 3> counts{}; // [sign][match]
    // Rows holding something else than the three signs.
    int faultyRows = 0;
};
SignDistribution signDistribution(const RowBuffer& rows, int rowCount);

// Paper listings: 50 rows a page, a one-blank line after every tenth row.
inline constexpr int kPaperRowsPerPage = 50;
inline constexpr int kPaperSignColumn = 8; // 1-based print column of the first sign

// One row of the paper listing: the number, " > ", the signs from column 8.
QString paperListingLine(int number, const Row& row);

// The pages of the paper listing, each a list of lines. The first page begins
// with two empty lines and the heading; later pages repeat the heading.
QList<QStringList> paperListingPages(const RowBuffer& rows, int rowCount, const QString& fileName);

// The heading lines: " Rivitiedosto: " + name, " Rivit vaakasuorassa !", 40 "=".
QStringList paperListingHeading(const QString& fileName);

// The name of the chosen file as listings show it: its title when it has
// one (CurrentFileTitle), else the bare name of its path (CurrentFile).
QString listedFileName(const QString& fileTitle, const QString& filePath);
