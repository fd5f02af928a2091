#include "base/safewrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now: a delayed write error may only show here.
    int close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// A temporary file beside the target, removed again unless it was renamed.
class TemporaryFile {
public:
    ~TemporaryFile()
    {
        if (!path_.isEmpty())
            ::unlink(path_.constData());
    }
    // Creates a file of a fresh name in `dir`; the descriptor, or -1 with `error` set.
    int create(const QString& dir, mode_t mode, int& error)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QString name =
                QStringLiteral(".rivikone-%1.tmp").arg(QRandomGenerator::global()->generate64(), 0, 36);
            const QByteArray path = QFile::encodeName(QDir(dir).filePath(name));
            const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
            if (fd >= 0) {
                path_ = path;
                return fd;
            }
            if (errno != EEXIST) {
                error = errno;
                return -1;
            }
        }
        error = EEXIST;
        return -1;
    }
    const char* path() const { return path_.constData(); }
    // The file has its final name now and must stay.
    void keep() { path_.clear(); }

private:
    QByteArray path_;
};

int writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(std::min<qsizetype>(left, qsizetype(1) << 30)));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO;
        data += written;
        left -= written;
    }
    return 0;
}

// A renamed file is only safe once its directory entry is on disk too. Not
// every file system can sync a directory, so a failure here changes nothing.
void syncDirectory(const QString& dir)
{
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Gives `from` the name `to` unless `to` exists; 0 or the errno.
int renameNoReplace(const char* from, const char* to)
{
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return errno;
#endif
    // Without the flag a hard link does the same: it never takes a name that exists.
    if (::link(from, to) == 0) {
        ::unlink(from);
        return 0;
    }
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS)
        return errno;
    // A file system without hard links leaves only a look before the rename.
    struct stat st;
    if (::lstat(to, &st) == 0)
        return EEXIST;
    return ::rename(from, to) == 0 ? 0 : errno;
}

// The file a path stands for: a link is followed, so the file it names is replaced and the link stays.
QString targetOf(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        if (!target.isEmpty())
            return target;
    }
    return info.absoluteFilePath();
}

enum class Mode { Replace, CreateNew };

WriteStatus writeFile(const QString& path, const QByteArray& bytes, Mode mode)
{
    if (path.isEmpty())
        return WriteStatus::Failed;
    const QString target = mode == Mode::Replace ? targetOf(path) : QFileInfo(path).absoluteFilePath();
    const QByteArray nativeTarget = QFile::encodeName(target);
    const QString dir = QFileInfo(target).absolutePath();

    mode_t permissions = 0666; // less the user's umask
    bool keepPermissions = false;
    struct stat existing;
    if (::lstat(nativeTarget.constData(), &existing) == 0) {
        if (mode == Mode::CreateNew)
            return WriteStatus::Exists;
        if (S_ISDIR(existing.st_mode))
            return WriteStatus::Failed;
        // A write-protected file stays as it is, though its folder would let it be replaced.
        if (::access(nativeTarget.constData(), W_OK) != 0)
            return writeStatusFromError(errno);
        permissions = existing.st_mode & 07777;
        keepPermissions = true;
    } else if (errno != ENOENT) {
        return writeStatusFromError(errno);
    }

    TemporaryFile temporary;
    int error = 0;
    Descriptor fd(temporary.create(dir, permissions, error));
    if (fd.get() < 0)
        return writeStatusFromError(error);
    if (keepPermissions && ::fchmod(fd.get(), permissions) != 0)
        return writeStatusFromError(errno);
    if ((error = writeAll(fd.get(), bytes)) != 0)
        return writeStatusFromError(error);
    if (::fsync(fd.get()) != 0)
        return writeStatusFromError(errno);
    if ((error = fd.close()) != 0)
        return writeStatusFromError(error);

    if (mode == Mode::Replace) {
        if (::rename(temporary.path(), nativeTarget.constData()) != 0)
            return writeStatusFromError(errno);
    } else if ((error = renameNoReplace(temporary.path(), nativeTarget.constData())) != 0) {
        return error == EEXIST ? WriteStatus::Exists : writeStatusFromError(error);
    }
    temporary.keep();
    syncDirectory(dir);
    return WriteStatus::Ok;
}

} // namespace

WriteStatus writeStatusFromError(int osError)
{
    switch (osError) {
    case 0:
        return WriteStatus::Ok;
    case EACCES:
    case EPERM:
    case EROFS:
        return WriteStatus::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return WriteStatus::DiskFull;
    default:
        return WriteStatus::Failed;
    }
}

WriteStatus replaceFile(const QString& path, const QByteArray& bytes)
{
    return writeFile(path, bytes, Mode::Replace);
}

WriteStatus createNewFile(const QString& path, const QByteArray& bytes)
{
    return writeFile(path, bytes, Mode::CreateNew);
}

WriteStatus removeFile(const QString& path)
{
    if (::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT)
        return WriteStatus::Ok;
    return writeStatusFromError(errno);
}

QString writeFailureMessage(WriteStatus status, const QString& otherFailure)
{
    switch (status) {
    case WriteStatus::PermissionDenied:
        return QStringLiteral("Poista kirjoitussuoja !");
    case WriteStatus::DiskFull:
        return QStringLiteral("Levy täynnä !");
    default:
        return otherFailure;
    }
}
