#include "base/boundedread.h"

#include "base/filenames.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

Failure refusal(int osError)
{
    const bool notAFile = osError == EISDIR || osError == EINVAL;
    return {Cause::Failed, notAFile ? QStringLiteral("not a regular file")
                                    : QString::fromLocal8Bit(std::strerror(osError))};
}

} // namespace

int openUserFile(const QString& path, int flags, Pipes pipes, int& osError)
{
    // Without O_NONBLOCK opening a pipe waits for a writer, for ever.
    const int fd = ::open(nativeFileName(path).constData(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        osError = errno;
        return -1;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        osError = errno;
        ::close(fd);
        return -1;
    }
    // A pipe nobody writes to would be waited on for ever.
    pollfd ready{fd, POLLIN, 0};
    const bool pipeWritten = S_ISFIFO(st.st_mode) && pipes == Pipes::Taken && ::poll(&ready, 1, kPipeWaitMs) > 0;
    if (!S_ISREG(st.st_mode) && !pipeWritten) {
        osError = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return -1;
    }
    // Reads and writes block as they always do, now that something is there.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

BoundedRead readAtMost(const QString& path, qint64 limit)
{
    int osError = 0;
    const int fd = openUserFile(path, O_RDONLY, Pipes::Taken, osError);
    if (fd < 0)
        return refusal(osError);
    BoundedRead read = readAtMost(fd, limit);
    ::close(fd);
    return read;
}

BoundedRead readAtMost(int fd, qint64 limit)
{
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle))
        return refusal(EBADF);
    return readAtMost(file, limit);
}

BoundedRead readAtMost(QIODevice& file, qint64 limit)
{
    // One buffer, read into directly: as large as the file says it is and one
    // byte more to see its end, so a file costs a single allocation. Pipes
    // and files that grow while read make it grow, up to the byte that tells
    // the limit was passed.
    const qint64 mostKept = limit + 1;
    constexpr qint64 kFirstGrowth = 64 * 1024;
    QByteArray bytes;
    bytes.resize(file.isSequential() ? std::min(kFirstGrowth, mostKept) : std::min(file.size() + 1, mostKept));
    qint64 filled = 0;
    while (true) {
        if (filled == bytes.size()) {
            if (filled >= mostKept)
                break;
            bytes.resize(std::min(mostKept, std::max(filled * 2, kFirstGrowth)));
        }
        const qint64 got = file.read(bytes.data() + filled, bytes.size() - filled);
        if (got < 0)
            return Failure{Cause::Failed, file.errorString()};
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(filled);
    if (filled > limit)
        return Failure{Cause::TooLarge, QStringLiteral("the file is larger than any file of its kind")};
    return bytes;
}
