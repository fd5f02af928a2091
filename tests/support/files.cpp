#include "support/files.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList entriesOf(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

FullDisk::FullDisk(qint64 bytes)
{
    getrlimit(RLIMIT_FSIZE, &saved_);
    savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = saved_;
    limit.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FullDisk::~FullDisk()
{
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, savedHandler_);
}

void FullDisk::applyInChild(qint64 bytes)
{
    // Only calls that are safe between fork and exec.
    ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

bool permissionsBind()
{
    return geteuid() != 0;
}

LockedFolder::LockedFolder(const QString& dir) : dir_(dir)
{
    QFile::setPermissions(dir_, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
}

LockedFolder::~LockedFolder()
{
    QFile::setPermissions(dir_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

RowBuffer rowsOf(std::initializer_list<const char*> texts)
{
    RowBuffer rows;
    for (const char* text : texts)
        rows.push_back(rowFromText(QString::fromLatin1(text)));
    return rows;
}

int ChildProcess::join()
{
    int status = 0;
    const bool ended = pid > 0 && ::waitpid(std::exchange(pid, -1), &status, 0) > 0;
    return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
