#pragma once

#include "base/rowfile.h"
#include "base/rows.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Rows as text, for pasting or uploading them where rows are played online,
// and such text back into rows.

// The line end of the text files the program writes: the one the platform's
// own text editors write.
#ifdef Q_OS_WIN
inline constexpr const char* kTextFileLineEnd = "\r\n";
#else
inline constexpr const char* kTextFileLineEnd = "\n";
#endif

enum class RowTextFormat { Text, Csv };

// One row a line, its 13 signs: "1X21X21X21X21". A cell holding no printable
// character shows as "?", so a damaged row can never pass for a good one.
QStringList rowTextLines(const RowBuffer& rows, int count);
// A header line "Kohde 1,Kohde 2,…,Kohde 13", then one row a line with one
// sign a column, separated by commas.
QStringList rowCsvLines(const RowBuffer& rows, int count);
QStringList rowLines(RowTextFormat format, const RowBuffer& rows, int count);

// The lines with `lineEnd` after each one.
QByteArray textFileBytes(const QStringList& lines, const char* lineEnd = kTextFileLineEnd);

// A text holding the most rows a rows file takes is far below this, even with
// blanks or quotes between every sign; larger input is refused unread.
inline constexpr qint64 kMaxRowTextBytes = qint64(kMaxRows + 1) * 128;

// A line of the text that is no row.
struct RefusedLine {
    int number = 0; // from 1
    QString text;   // as it was, cut to kRefusedLineShown characters
};
inline constexpr int kRefusedLineShown = 40;

struct RowTextReading {
    RowBuffer rows;
    QList<RefusedLine> refused;
    // More than kMaxRows rows: only the first kMaxRows are in `rows`.
    bool tooManyRows = false;
    // The first line, when it was a header and skipped.
    std::optional<RefusedLine> header;
};

// Rows from text: one row a line; blanks, tabs, commas, semicolons and quotes
// between the signs are left out, a lower-case "x" is the draw, empty lines are
// skipped. A first line that holds a word and cannot be a mistyped row (it is
// not 13 characters long without its separators) is a header and skipped.
// Every other line that is not 13 signs is refused with its line number.
RowTextReading parseRowText(const QString& text);
// What the player is told of a skipped header.
QString skippedHeaderText(const RefusedLine& header);

// Text from bytes: UTF-8 (a byte-order mark left out), UTF-16 with its
// byte-order mark, or the Windows ANSI code page when the bytes are no UTF-8.
QString decodeRowText(const QByteArray& bytes);
