#pragma once

#include "systems/pruning.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The texts of pruning: what the player types in the window, the command's
// options and the saved conditions file all go through these readers, so a
// condition reads the same wherever it is written. Every reader returns
// nothing and puts the player's message into `error` when the text does not do.

// "2-4" (or "2–4"; one number n stands for n-n), within 0 ... top.
std::optional<CountRange> parseCountRange(const QString& text, int top, QString& error);
// "1,2,3,4": match numbers 1 ... 13 as bits (bit m = match m + 1).
std::optional<std::uint16_t> parseMatchList(const QString& text, QString& error);
// "X:2-4" or "1:1-3@1,2,3,4": a sign count condition.
std::optional<Condition> parseSignCount(const QString& text, QString& error);
// Thirteen signs 1, X or 2, "-" for a match without a favourite.
std::optional<SignRow> parseFavouriteRow(const QString& text, QString& error);
// A number with a decimal point or comma.
std::optional<double> parseDecimal(const QString& text);

// Thirteen lines of three numbers (1, X, 2), separated by blanks or
// semicolons, or by commas when the numbers are whole. Blank lines and lines
// beginning with "#" are passed over.
std::optional<MatchNumbers> parseMatchNumbers(const QString& text, bool odds, QString& error);
// One match's three numbers as parseMatchNumbers reads a line.
std::optional<std::array<double, 3>> parseThreeNumbers(const QString& line, QString& error);

// The command's and the file's text of a sign count ("1:1-3@1,2,3,4").
QString signCountText(const Condition& condition);
QString favouriteRowText(const SignRow& favourites);
// Shortest text that reads back as the same number.
QString exactNumberText(double x);

// The saved conditions: UTF-8 text, one line a condition, the frame first.
QByteArray pruningFileBytes(const PruningSet& set);
// The file's contents as a set; a line that does not read gets a message with its number.
std::optional<PruningSet> parsePruningFile(const QByteArray& bytes, QString& error);

// The file name the window offers and filters on.
inline constexpr char kPruningFileSuffix[] = "KRS";
