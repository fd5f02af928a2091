#pragma once

#include "base/outcome.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

// Reads a user's file whole, but never more than `limit` bytes and one more:
// a file larger than any of its kind is refused after that much instead of
// filling the memory. A folder, a device or a socket is refused before it is
// read, and a pipe unless its writer sends within kPipeWaitMs (rows a program
// writes through `<(...)` in a shell): nothing keeps the program waiting.
// A refused read fails with Cause::TooLarge or Cause::Failed, its message
// the reason for a log: windows and the command line word their own.
using BoundedRead = Outcome<QByteArray>;
BoundedRead readAtMost(const QString& path, qint64 limit);
// The same from a device already open for reading (standard input).
BoundedRead readAtMost(QIODevice& device, qint64 limit);
// The same from a regular file already open.
BoundedRead readAtMost(int fd, qint64 limit);

inline constexpr int kPipeWaitMs = 2000;

// Opens `path` with `flags` (O_RDONLY, O_RDWR) without ever waiting for a
// pipe's other end, and keeps it open only when it is a regular file, or a
// pipe whose writer sent something within kPipeWaitMs when `pipes` are
// taken. The descriptor, or -1 with the system's error in `osError` (EISDIR
// for a folder, EINVAL for anything else that is no file).
enum class Pipes { Refused, Taken };
int openUserFile(const QString& path, int flags, Pipes pipes, int& osError);
