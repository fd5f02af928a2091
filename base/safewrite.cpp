#include "base/safewrite.h"

#include "base/boundedread.h"
#include "base/filenames.h"

#include <QDateTime>
#include <QDir>
#include <QRandomGenerator>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kTemporaryPrefix = ".rivikone-";
constexpr const char* kTemporarySuffix = ".tmp";
constexpr const char* kScratchPrefix = "Rivikone-";
// Leftovers of earlier versions name no owner; after this long none is still being written.
constexpr qint64 kOwnerlessLeftoverSeconds = 3600;

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
            // The writer's process id tells a later write whether this file is a crash's leftover.
            const QString name = QStringLiteral("%1%2-%3%4")
                                     .arg(QLatin1String(kTemporaryPrefix))
                                     .arg(::getpid())
                                     .arg(QRandomGenerator::global()->generate64(), 0, 36)
                                     .arg(QLatin1String(kTemporarySuffix));
            const QByteArray path = nativeFileName(fileNameIn(dir, name));
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
    const int fd = ::open(nativeFileName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        durabilityCalls().syncFile(fd);
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
    const QByteArray native = nativeFileName(path);
    struct stat st;
    if (::lstat(native.constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* resolved = ::realpath(native.constData(), nullptr)) {
            const QString target = fileNameFromNative(resolved);
            std::free(resolved);
            return target;
        }
    }
    return absoluteFileName(path);
}

bool ownerIsGone(pid_t pid)
{
    return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH;
}

// The owner's process id in a leftover's name after its prefix ("4711-…"): 0
// for a name of an earlier version, which names none, and -1 for no leftover name.
pid_t ownerOf(const QByteArray& rest)
{
    const qsizetype dash = rest.indexOf('-');
    if (dash < 0)
        return 0;
    bool ok = false;
    const qlonglong pid = rest.left(dash).toLongLong(&ok);
    return ok && pid > 0 && pid <= INT_MAX ? pid_t(pid) : -1;
}

// Whether the leftover `name` in the folder `dirFd`, after its prefix `rest`, is a dead writer's.
bool isStale(int dirFd, const char* name, const QByteArray& rest)
{
    const pid_t owner = ownerOf(rest);
    if (owner > 0)
        return ownerIsGone(owner);
    struct stat st;
    return owner == 0 && ::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
           QDateTime::currentSecsSinceEpoch() - st.st_mtime > kOwnerlessLeftoverSeconds;
}

// Calls `found(dirFd, name, rest)` for each entry of `dir` whose name starts with `prefix`.
template <class F> void forEachEntry(const QString& dir, const char* prefix, F found)
{
    DIR* folder = ::opendir(nativeFileName(dir).constData());
    if (!folder)
        return;
    const QByteArray start(prefix);
    while (const dirent* entry = ::readdir(folder)) {
        const QByteArray name(entry->d_name);
        if (name.startsWith(start))
            found(::dirfd(folder), entry->d_name, name.mid(start.size()));
    }
    ::closedir(folder);
}

// Locks the open file against other copies of the program, waiting at most kLockWaitMs.
// A file system without locks leaves the file unlocked, as it always was there.
bool lockWithin(int fd)
{
    for (int waited = 0;; waited += 10) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return true;
        if (waited >= kLockWaitMs)
            return false;
        QThread::msleep(10);
    }
}

enum class Mode { Replace, CreateNew };

Outcome<> writeFile(const QString& path, const QByteArray& bytes, Mode mode)
{
    if (path.isEmpty())
        return fileFailure(Cause::Failed);
    const QString target = mode == Mode::Replace ? targetOf(path) : absoluteFileName(path);
    const QByteArray nativeTarget = nativeFileName(target);
    const QString dir = folderOf(target);

    mode_t permissions = 0666; // less the user's umask
    bool keepPermissions = false;
    struct stat existing;
    if (::lstat(nativeTarget.constData(), &existing) == 0) {
        if (mode == Mode::CreateNew)
            return fileFailure(Cause::Exists);
        if (S_ISDIR(existing.st_mode))
            return fileFailure(Cause::Failed);
        // A write-protected file stays as it is, though its folder would let it be replaced.
        if (::access(nativeTarget.constData(), W_OK) != 0)
            return failureFromError(errno);
        permissions = existing.st_mode & 07777;
        keepPermissions = true;
    } else if (errno != ENOENT) {
        return failureFromError(errno);
    }

    removeLeftoversOfDeadWriters(dir);
    TemporaryFile temporary;
    int error = 0;
    Descriptor fd(temporary.create(dir, permissions, error));
    if (fd.get() < 0)
        return failureFromError(error);
    if (keepPermissions && durabilityCalls().setMode(fd.get(), permissions) != 0)
        return failureFromError(errno);
    if ((error = writeAll(fd.get(), bytes)) != 0)
        return failureFromError(error);
    if (durabilityCalls().syncFile(fd.get()) != 0)
        return failureFromError(errno);
    if ((error = fd.close()) != 0)
        return failureFromError(error);

    if (mode == Mode::Replace) {
        if (::rename(temporary.path(), nativeTarget.constData()) != 0)
            return failureFromError(errno);
    } else if ((error = renameNoReplace(temporary.path(), nativeTarget.constData())) != 0) {
        return error == EEXIST ? fileFailure(Cause::Exists) : failureFromError(error);
    }
    temporary.keep();
    syncDirectory(dir);
    return {};
}

} // namespace

Failure failureFromError(int osError)
{
    switch (osError) {
    case EACCES:
    case EPERM:
    case EROFS:
        return fileFailure(Cause::PermissionDenied);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return fileFailure(Cause::DiskFull);
    default:
        return fileFailure(Cause::Failed);
    }
}

Outcome<> replaceFile(const QString& path, const QByteArray& bytes)
{
    return writeFile(path, bytes, Mode::Replace);
}

Outcome<> createNewFile(const QString& path, const QByteArray& bytes)
{
    return writeFile(path, bytes, Mode::CreateNew);
}

namespace {

bool pathLeadsSomewhere(const QString& path)
{
    struct stat st;
    return ::stat(nativeFileName(path).constData(), &st) == 0;
}

} // namespace

Outcome<> changeFile(const QString& path, qint64 limit, const FileChange& change)
{
    if (path.isEmpty())
        return fileFailure(Cause::Failed);
    const QString target = targetOf(path);
    // A file replaced while this copy waited for its lock is opened again.
    for (int attempt = 0; attempt < 100; ++attempt) {
        int error = 0;
        Descriptor fd(openUserFile(target, O_RDWR, Pipes::Refused, error));
        if (fd.get() < 0) {
            if (error != ENOENT)
                return failureFromError(error);
            QByteArray bytes;
            Outcome<> changed = change(bytes, false);
            if (!changed)
                return changed;
            // A link that leads nowhere is replaced, as a plain replace would.
            // Anything else that has the name now was made by another copy
            // since the open: it is created anew below, which refuses, and
            // read again under its lock.
            struct stat link;
            if (::lstat(nativeFileName(target).constData(), &link) == 0 && S_ISLNK(link.st_mode) &&
                !pathLeadsSomewhere(target))
                return writeFile(target, bytes, Mode::Replace);
            Outcome<> created = createNewFile(target, bytes);
            if (created.failedWith(Cause::Exists))
                continue;
            return created;
        }
        if (!lockWithin(fd.get()))
            return fileFailure(Cause::Busy);
        struct stat held, named;
        if (::fstat(fd.get(), &held) != 0)
            return failureFromError(errno);
        if (::stat(nativeFileName(target).constData(), &named) != 0 || named.st_dev != held.st_dev ||
            named.st_ino != held.st_ino)
            continue;
        BoundedRead read = readAtMost(fd.get(), limit);
        if (!read)
            return fileFailure(Cause::Failed);
        Outcome<> changed = change(*read, true);
        if (!changed)
            return changed;
        // The lock goes with the descriptor, after the new bytes have the name.
        return writeFile(target, *read, Mode::Replace);
    }
    return fileFailure(Cause::Busy);
}

Outcome<> removeFile(const QString& path)
{
    if (::unlink(nativeFileName(path).constData()) == 0 || errno == ENOENT)
        return {};
    return failureFromError(errno);
}

Failure fileFailure(Cause cause)
{
    switch (cause) {
    case Cause::PermissionDenied:
        return {cause, QStringLiteral("Poista kirjoitussuoja !")};
    case Cause::DiskFull:
        return {cause, QStringLiteral("Levy täynnä !")};
    case Cause::Busy:
        return {cause, QStringLiteral("Tiedosto on toisen ohjelman käytössä !")};
    default:
        return {cause, QString::fromUtf8(Texts::FileWriteFailed)};
    }
}

void removeLeftoversOfDeadWriters(const QString& dir)
{
    forEachEntry(dir, kTemporaryPrefix, [](int dirFd, const char* name, const QByteArray& rest) {
        if (rest.endsWith(kTemporarySuffix) && isStale(dirFd, name, rest))
            ::unlinkat(dirFd, name, 0);
    });
}

void removeLeftoverScratchFolders()
{
    const QString temp = QDir::tempPath();
    forEachEntry(temp, kScratchPrefix, [&temp](int dirFd, const char* name, const QByteArray& rest) {
        struct stat st;
        // Only folders of this user: the temporary folder is everybody's.
        if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
            return;
        // An earlier version named its folders Rivikone-XXXXXX.
        if ((ownerOf(rest) == 0 && rest.size() != 6) || !isStale(dirFd, name, rest))
            return;
        QDir(QDir(temp).filePath(fileNameFromNative(name))).removeRecursively();
    });
}

QString scratchFolderTemplate()
{
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("%1%2-XXXXXX").arg(QLatin1String(kScratchPrefix)).arg(::getpid()));
}

DurabilityCalls& durabilityCalls()
{
    static DurabilityCalls calls{::fsync, ::fchmod};
    return calls;
}
