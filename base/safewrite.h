#pragma once

#include <QByteArray>
#include <QString>

// The one way the program writes a user's file. The bytes go to a temporary
// file beside the target with unbuffered writes, every write and the sync to
// disk are checked, and only then does the temporary file take the target's
// name. Whatever fails, the target keeps its old bytes (or stays absent) and
// no temporary file is left behind.

enum class WriteStatus { Ok, Exists, PermissionDenied, DiskFull, Failed };

// The cause of a failure as the operating system reported it (an errno value).
WriteStatus writeStatusFromError(int osError);

// Replaces `path` as a whole with `bytes`, creating it when absent. A file the
// user may not write is not replaced.
WriteStatus replaceFile(const QString& path, const QByteArray& bytes);

// Creates `path` holding `bytes`. An existing file is never replaced, not even
// one that appears while the bytes are being written: that gives Exists.
WriteStatus createNewFile(const QString& path, const QByteArray& bytes);

// Deletes a file; a file that is not there is no failure.
WriteStatus removeFile(const QString& path);

// What the user is told after a failed write: write protection and a full disk
// have messages of their own, any other failure gets the message of the place
// that wrote (`otherFailure`).
QString writeFailureMessage(WriteStatus status,
                            const QString& otherFailure = QStringLiteral("Tiedoston kirjoitus ei onnistu !"));
