#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// Reads a user's file whole, but never more than `limit` bytes and one more:
// a file larger than any of its kind is refused after that much instead of
// filling the memory. Only a regular file is read: a named pipe or a device is
// refused unopened for reading, before it could keep the program waiting.
enum class ReadFailure { None, Unreadable, NotAFile, TooLarge };
struct BoundedRead {
    bool ok = false;
    QByteArray bytes;
    QString error; // why not, for a log; windows show their own message
    ReadFailure failure = ReadFailure::None;
    int osError = 0; // the system's error of a failed open or read
};
BoundedRead readAtMost(const QString& path, qint64 limit);
// The same from a device already open for reading (standard input).
BoundedRead readAtMost(QIODevice& device, qint64 limit);
// The same from a regular file already open.
BoundedRead readAtMost(int fd, qint64 limit);

// Opens `path` with `flags` (O_RDONLY, O_RDWR) without waiting for a pipe's
// other end, and keeps it open only when it is a regular file. The descriptor,
// or -1 with the system's error in `osError` (EISDIR for a folder, EINVAL for a
// pipe, socket or device).
int openRegularFile(const QString& path, int flags, int& osError);
