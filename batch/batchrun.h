#pragma once

#include <QIODevice>
#include <QStringList>

// Runs one command of rivikone-batch: `arguments` are those after the program
// name. Results go to `out`, messages to `err`; a file argument "-" reads
// `in` (none: nothing). Returns the exit code.
int runBatch(const QStringList& arguments, QIODevice& out, QIODevice& err, QIODevice* in = nullptr);
