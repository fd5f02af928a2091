#pragma once

#include "base/outcome.h"
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

// A failure of Busy: another copy of the program kept the file locked for
// longer than kLockWaitMs.
inline constexpr int kLockWaitMs = 3000;

// A failure as the operating system reported it (a nonzero errno value).
Failure failureFromError(int osError);

// Replaces `path` as a whole with `bytes`, creating it when absent. A file the
// user may not write is not replaced.
Outcome<> replaceFile(const QString& path, const QByteArray& bytes);

// Creates `path` holding `bytes`. An existing file is never replaced, not even
// one that appears while the bytes are being written: that gives Exists.
Outcome<> createNewFile(const QString& path, const QByteArray& bytes);

// Reads, changes and replaces a file as one step against other copies of the
// program: the file stays locked from the read until its new bytes have its
// name, so what `change` gets is what the file holds then. `change` makes the
// new bytes in place; `exists` is false for a missing file, which is then
// created but never over one that appears meanwhile. A failure of `change`
// leaves the file as it was and is returned. A file of more than
// `limit` bytes, or one another copy keeps locked for kLockWaitMs, is not changed.
using FileChange = std::function<Outcome<>(QByteArray& bytes, bool exists)>;
Outcome<> changeFile(const QString& path, qint64 limit, const FileChange& change);

// Deletes a file; a file that is not there is no failure.
Outcome<> removeFile(const QString& path);

// A failed write in the words the user is told: write protection, a full
// disk and a file another copy holds have messages of their own, any other
// failure the general one (a place with words of its own uses messageOr).
Failure fileFailure(Cause cause);

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
