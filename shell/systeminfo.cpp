#include "shell/systeminfo.h"

#include "base/textformat.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QSysInfo>
#include <algorithm>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

QString operatingSystemName()
{
    return QSysInfo::prettyProductName();
}

std::optional<DiskFigures> diskFigures(const QString& directory)
{
    const QStorageInfo storage(directory);
    if (!storage.isValid() || !storage.isReady() || storage.bytesTotal() <= 0)
        return std::nullopt;
    DiskFigures disk;
    disk.root = QDir::toNativeSeparators(storage.rootPath());
    disk.totalBytes = storage.bytesTotal();
    disk.freeBytes = std::max<qint64>(0, storage.bytesAvailable());
    return disk;
}

int freeMemoryPercent(qint64 totalBytes, qint64 availableBytes)
{
    if (totalBytes <= 0)
        return 0;
    const qint64 used = std::clamp<qint64>(totalBytes - availableBytes, 0, totalBytes);
    // Rounded half up in whole numbers; 64-bit products do not overflow below exabytes.
    const qint64 load = (used * 100 + totalBytes / 2) / totalBytes;
    return int(100 - load);
}

namespace {

// The value of one "Name:   1234 kB" line, in bytes; -1 when absent.
qint64 meminfoBytes(const QByteArray& meminfo, const QByteArray& name)
{
    for (const QByteArray& line : meminfo.split('\n')) {
        if (!line.startsWith(name + ':'))
            continue;
        const QList<QByteArray> parts = line.mid(name.size() + 1).simplified().split(' ');
        bool ok = false;
        const qint64 value = parts.value(0).toLongLong(&ok);
        if (!ok || value < 0)
            return -1;
        const QByteArray unit = parts.value(1).toLower();
        return unit == "kb" ? value * 1024 : value;
    }
    return -1;
}

} // namespace

std::optional<MemoryFigures> memoryFiguresFromMeminfo(const QByteArray& meminfo)
{
    const qint64 total = meminfoBytes(meminfo, "MemTotal");
    if (total <= 0)
        return std::nullopt;
    qint64 available = meminfoBytes(meminfo, "MemAvailable");
    if (available < 0) {
        // Older kernels do not estimate it; free memory and the caches come close.
        const qint64 free = meminfoBytes(meminfo, "MemFree");
        if (free < 0)
            return std::nullopt;
        available = free + std::max<qint64>(0, meminfoBytes(meminfo, "Buffers")) +
                    std::max<qint64>(0, meminfoBytes(meminfo, "Cached"));
    }
    return MemoryFigures{total, freeMemoryPercent(total, available)};
}

std::optional<MemoryFigures> memoryFigures()
{
#if defined(Q_OS_WIN)
    MEMORYSTATUSEX status;
    status.dwLength = sizeof(status);
    if (!GlobalMemoryStatusEx(&status))
        return std::nullopt;
    return MemoryFigures{qint64(status.ullTotalPhys), int(100 - status.dwMemoryLoad)};
#else
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return memoryFiguresFromMeminfo(file.readAll());
#endif
}

QString groupedBytes(qint64 bytes)
{
    return groupedAmount(bytes);
}

QString diskSizeLine(const std::optional<DiskFigures>& disk)
{
    QString line = QStringLiteral("Levyosion koko             ");
    if (disk)
        line += disk->root + QStringLiteral("   ") + groupedBytes(disk->totalBytes) + QStringLiteral(" t");
    return line;
}

QString diskFreeLine(const std::optional<DiskFigures>& disk)
{
    QString line = QStringLiteral("Josta vapaana                      ");
    if (disk)
        line += groupedBytes(disk->freeBytes) + QStringLiteral(" t");
    return line;
}

QString memorySizeLine(const std::optional<MemoryFigures>& memory)
{
    QString line = QStringLiteral("Fyysistä muistia                     ");
    if (memory)
        line += groupedBytes(memory->totalBytes);
    return line;
}

QString memoryFreeLine(const std::optional<MemoryFigures>& memory)
{
    QString line = QStringLiteral("Muistia vapaana                   ");
    if (memory)
        line += QString::number(memory->freePercent) + QStringLiteral("%");
    return line;
}
