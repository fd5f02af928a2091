#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The system figures of the information window and the texts it shows them in.

struct DiskFigures {
    QString root; // where the disk is mounted, as the user writes it ("/", "C:\")
    qint64 totalBytes = 0;
    qint64 freeBytes = 0; // free for the user
};

struct MemoryFigures {
    qint64 totalBytes = 0;
    int freePercent = 0; // 100 minus the share of memory in use
};

// The operating system as the system itself names it ("Debian GNU/Linux 12 (bookworm)").
QString operatingSystemName();
// The disk that holds `directory`; nothing when it cannot be asked.
std::optional<DiskFigures> diskFigures(const QString& directory);
// Physical memory; nothing when the system does not tell.
std::optional<MemoryFigures> memoryFigures();
// The figures from the text of /proc/meminfo; nothing when its totals are missing.
std::optional<MemoryFigures> memoryFiguresFromMeminfo(const QByteArray& meminfo);
// The share of memory free, in whole percent, the way the system reports its load:
// 100 minus the rounded percentage in use.
int freeMemoryPercent(qint64 totalBytes, qint64 availableBytes);

// The "###,###,###" and "#,#" patterns: thousands grouped, nothing for zero.
QString groupedBytes(qint64 bytes);

// The lines of the disk and memory figures. A figure that could not be asked
// leaves its line as far as it was built: the caption alone.
QString diskSizeLine(const std::optional<DiskFigures>& disk);
QString diskFreeLine(const std::optional<DiskFigures>& disk);
QString memorySizeLine(const std::optional<MemoryFigures>& memory);
QString memoryFreeLine(const std::optional<MemoryFigures>& memory);
