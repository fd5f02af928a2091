#pragma once

#include "batch/output.h"
#include "checking/rowcheck.h"
#include "systems/pruning.h"

#include <QStringList>
#include <array>

// The commands of rivikone-batch. Each takes the arguments after its name,
// prints its results and messages, and returns the exit code.
int checkCommand(const QStringList& arguments, BatchStreams& io);
int systemCommand(const QStringList& arguments, BatchStreams& io);
int haravaCommand(const QStringList& arguments, BatchStreams& io);
int listCommand(const QStringList& arguments, BatchStreams& io);
int drawCommand(const QStringList& arguments, BatchStreams& io);
int analyseCommand(const QStringList& arguments, BatchStreams& io);
int generateCommand(const QStringList& arguments, BatchStreams& io);
int reduceCommand(const QStringList& arguments, BatchStreams& io);
int exportCommand(const QStringList& arguments, BatchStreams& io);
int importCommand(const QStringList& arguments, BatchStreams& io);
int valueCommand(const QStringList& arguments, BatchStreams& io);

// A small text file (numbers, conditions) whole; a message names the file
// when it cannot be read or is too large for one.
std::optional<QByteArray> readSmallFile(BatchStreams& io, const QString& path);
// Thirteen lines of three numbers from a file; the message names the file and the line.
std::optional<MatchNumbers> readNumbersFile(BatchStreams& io, const QString& path, bool odds);

// The closing lines of a check: the prize classes, the rows checked, the last
// row with 13 correct (0 when none) and the winnings, as plain numbers.
QStringList summaryLines(const PrizeTally& tally, qint64 rows, const std::array<double, 4>& prizes);
