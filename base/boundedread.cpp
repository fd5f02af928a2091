#include "base/boundedread.h"

#include <QFile>

#include <algorithm>

BoundedRead readAtMost(const QString& path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        BoundedRead refused;
        refused.error = file.errorString();
        return refused;
    }
    return readAtMost(file, limit);
}

BoundedRead readAtMost(QIODevice& file, qint64 limit)
{
    BoundedRead result;
    // One buffer, read into directly: as large as the file says it is and one
    // byte more to see its end, so a file costs a single allocation. Pipes,
    // devices and files that grow while read make it grow, up to the byte
    // that tells the limit was passed.
    const qint64 mostKept = limit + 1;
    constexpr qint64 kFirstGrowth = 64 * 1024;
    QByteArray& bytes = result.bytes;
    bytes.resize(file.isSequential() ? std::min(kFirstGrowth, mostKept) : std::min(file.size() + 1, mostKept));
    qint64 filled = 0;
    while (true) {
        if (filled == bytes.size()) {
            if (filled >= mostKept)
                break;
            bytes.resize(std::min(mostKept, std::max(filled * 2, kFirstGrowth)));
        }
        const qint64 got = file.read(bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            result.error = file.errorString();
            result.bytes.clear();
            return result;
        }
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(filled);
    if (filled > limit) {
        result.error = QStringLiteral("the file is larger than any file of its kind");
        result.bytes.clear();
        return result;
    }
    result.ok = true;
    return result;
}
