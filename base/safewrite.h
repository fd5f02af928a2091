#pragma once

#include "base/texts.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <sys/types.h>

// The one way the program writes a user's file. The bytes go to a temporary
// file beside the target with unbuffered writes, every write and the sync to
// disk are checked, and only then does the temporary file take the target's
// name. Whatever fails, the target keeps its old bytes (or stays absent) and
// no temporary file is left behind; one that a crash leaves carries the
// process id of its writer, and the next write into that folder removes it.

// Busy: another copy of the program kept the file locked for longer than kLockWaitMs.
enum class WriteStatus { Ok, Exists, PermissionDenied, DiskFull, Failed, Busy };

inline constexpr int kLockWaitMs = 3000;

// The cause of a failure as the operating system reported it (an errno value).
WriteStatus writeStatusFromError(int osError);

// Replaces `path` as a whole with `bytes`, creating it when absent. A file the
// user may not write is not replaced.
WriteStatus replaceFile(const QString& path, const QByteArray& bytes);

// Creates `path` holding `bytes`. An existing file is never replaced, not even
// one that appears while the bytes are being written: that gives Exists.
WriteStatus createNewFile(const QString& path, const QByteArray& bytes);

// Reads, changes and replaces a file as one step against other copies of the
// program: the file stays locked from the read until its new bytes have its
// name, so what `change` gets is what the file holds then. `change` makes the
// new bytes in place; `exists` is false for a missing file, which is then
// created but never over one that appears meanwhile. Any status but Ok from
// `change` leaves the file as it was and is returned. A file of more than
// `limit` bytes, or one another copy keeps locked for kLockWaitMs, is not changed.
using FileChange = std::function<WriteStatus(QByteArray& bytes, bool exists)>;
WriteStatus changeFile(const QString& path, qint64 limit, const FileChange& change);

// Deletes a file; a file that is not there is no failure.
WriteStatus removeFile(const QString& path);

// What the user is told after a failed write: write protection, a full disk
// and a file another copy holds have messages of their own, any other failure
// gets the message of the place that wrote (`otherFailure`).
QString writeFailureMessage(WriteStatus status,
                            const QString& otherFailure = QString::fromUtf8(Texts::FileWriteFailed));

// What a crash leaves: temporary files of writers no longer running in `dir`,
// and the program's scratch folders of such processes in the system's
// temporary folder. The program clears the folders it writes when it starts.
void removeLeftoversOfDeadWriters(const QString& dir);
void removeLeftoverScratchFolders();
// A template for QTemporaryDir that names this process as the folder's owner.
QString scratchFolderTemplate();

// The system calls that make a write last, where a test can watch them.
struct DurabilityCalls {
    int (*syncFile)(int fd);
    int (*setMode)(int fd, mode_t mode);
};
DurabilityCalls& durabilityCalls();
