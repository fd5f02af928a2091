#pragma once

#include <QIODevice>
#include <QStringList>

// Runs one command of rivikone-batch: `arguments` are those after the program
// name. Results go to `out`, messages to `err`; returns the exit code.
int runBatch(const QStringList& arguments, QIODevice& out, QIODevice& err);
