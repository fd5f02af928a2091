#pragma once

#include "base/rows.h"
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <sys/resource.h>
#include <unistd.h>

// Whole files as bytes, for tests that check what the program wrote.
QByteArray readBytes(const QString& path);
// Writes `bytes` as the whole file; false when it cannot.
bool writeBytes(const QString& path, const QByteArray& bytes);
// Rows as a player types them: "1X21X21X21X21".
RowBuffer rowsOf(std::initializer_list<const char*> texts);
// Every entry of a folder, hidden ones too: what a failed write must not leave behind.
QStringList entriesOf(const QString& dir);

// A full disk for as long as it lives: no file of this process grows beyond
// `bytes`, and a write past that fails with EFBIG instead of ending the process.
class FullDisk {
public:
    explicit FullDisk(qint64 bytes);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
    // The same limit in a child process, for a program the test starts.
    static void applyInChild(qint64 bytes);

private:
    struct rlimit saved_ {};
    void (*savedHandler_)(int) = nullptr;
};

// Permission tests need a user whom folder permissions bind; root is not one.
bool permissionsBind();

// Takes the write permission of a folder away for as long as it lives.
class LockedFolder {
public:
    explicit LockedFolder(const QString& dir);
    ~LockedFolder();
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;

private:
    QString dir_;
};

// Another copy of the program as far as files go: `work` runs in a process of
// its own; join() gives its exit code, -1 when a signal ended it.
struct ChildProcess {
    explicit ChildProcess(const std::function<int()>& work) : pid(::fork())
    {
        if (pid == 0)
            ::_exit(work());
    }
    ~ChildProcess() { join(); }
    int join();
    pid_t pid;
};
