#pragma once

#include "batch/output.h"
#include "checking/rowcheck.h"

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

// The closing lines of a check: the prize classes, the rows checked, the last
// row with 13 correct (0 when none) and the winnings, as plain numbers.
QStringList summaryLines(const PrizeTally& tally, qint64 rows, const std::array<double, 4>& prizes);
