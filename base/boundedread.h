#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// Reads a user's file whole, but never more than `limit` bytes and one more:
// a file larger than any of its kind, or a pipe or device that never ends, is
// refused after that much instead of filling the memory.
struct BoundedRead {
    bool ok = false;
    QByteArray bytes;
    QString error; // why not, for a log; windows show their own message
};
BoundedRead readAtMost(const QString& path, qint64 limit);
// The same from a device already open for reading (standard input).
BoundedRead readAtMost(QIODevice& device, qint64 limit);
