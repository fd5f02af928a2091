#pragma once

#include "base/rows.h"
#include "base/sharedstate.h"

#include <QString>
#include <optional>

// Rows and played patterns as a player types them on the command line or in a
// window. Every reader of a typed row or pattern goes through these, so a
// pattern means the same wherever it is given. Each returns nothing and puts
// the user's message into `error` when the text does not do.

// 13 signs "1", "X", "2"; a lower-case "x" is taken as "X".
std::optional<Row> parseRow(const QString& text, QString& error);

// 13 comma-separated groups of played signs, match 1 first ("1,1X,12,X2,1X2,…").
// A group may be empty: whether an empty match is allowed is the pattern
// window's rule, not the reader's.
std::optional<MatchTable> parsePattern(const QString& text, QString& error);

// A pattern as parsePattern reads it, the signs of a group in the order 1, X, 2.
QString patternText(const MatchTable& marks);
