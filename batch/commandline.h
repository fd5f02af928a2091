#pragma once

#include "base/rows.h"
#include "base/sharedstate.h"
#include "rows/rowentry.h"
#include "rows/signtext.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// Reading what a command line gives: options, rows, patterns and prize amounts.
// Every reader returns nothing and puts the user's message into `error` when the
// text does not do.

// How the program ends, for the scripts that run it.
enum ExitCode : int {
    ExitOk = 0,
    ExitFailed = 1, // a file could not be read or written, a pattern was refused
    ExitUsage = 2,  // the command line itself is wrong
};

struct CommandLine {
    QMap<QString, QString> values;       // "--correct" -> "1X2…"
    QMap<QString, QStringList> repeated; // "--count" -> every value, in the order given
    QStringList flags;                   // "--odds": options without a value that were given
    QStringList positional;
    bool help = false;
};

// Options are "--name VALUE" or "--name=VALUE"; every name in `valueOptions`
// takes a value and may be given once, a name in `flagOptions` is a switch
// without one. "--help" (or "-h") asks for help, and "--" makes everything
// after it positional.
std::optional<CommandLine> parseCommandLine(const QStringList& arguments, const QStringList& valueOptions,
                                            QString& error, const QStringList& flagOptions = {});
// The same with options that take a value and may be given many times, and
// options that take no value.
struct OptionNames {
    QStringList values;
    QStringList repeatable;
    QStringList flags;
};
std::optional<CommandLine> parseCommandLine(const QStringList& arguments, const OptionNames& names, QString& error);

// "P13,P12,P11,P10": what one row of each class wins, as the prize boxes of the
// checking window take it (an empty amount is 0, at most two decimals after a
// point). Returned in class order 10, 11, 12, 13.
std::optional<std::array<double, 4>> parsePrizes(const QString& text, QString& error);

// A seed of --seed: a whole number 0 … 2^64 - 1.
std::optional<quint64> readSeed(const QString& text, QString& error);

// A whole number within [low, high].
std::optional<int> parseWholeNumber(const QString& text, int low, int high, QString& error);
