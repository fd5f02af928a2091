#pragma once

#include <QString>
#include <array>
#include <vector>

// A pools row: the signs of matches 1..13 in columns 0..12. A cell holds the
// byte read or drawn ('1', 'X', '2'; anything else a file may hold), or 0 when
// it has not been filled yet.
using Row = std::array<char, 13>;

inline constexpr int kMatches = 13;
// 3^13: every row of 13 matches, and every outcome of a round.
inline constexpr int kAllRowCount = 1594323;
inline constexpr char kSigns[3] = {'1', 'X', '2'};

// Sign index 0 = "1", 1 = "X", 2 = "2"; -1 for anything else.
inline int signIndex(char c)
{
    return c == '1' ? 0 : c == 'X' ? 1 : c == '2' ? 2 : -1;
}

inline QString rowText(const Row& row)
{
    QString s;
    for (char c : row)
        s += c ? QChar::fromLatin1(c) : QChar(' ');
    return s;
}

// A row from 13 signs; a shorter text leaves the rest empty.
inline Row rowFromText(const QString& text)
{
    Row row{};
    for (int k = 0; k < kMatches && k < text.size(); ++k)
        row[k] = char(text[k].toLatin1());
    return row;
}

// Matches where `row` has the same sign as `correct`.
inline int rowHits(const Row& row, const Row& correct)
{
    int hits = 0;
    for (int k = 0; k < kMatches; ++k)
        hits += row[k] != 0 && row[k] == correct[k];
    return hits;
}

using RowBuffer = std::vector<Row>;
