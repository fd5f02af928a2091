#pragma once

#include "base/boundedread.h"
#include "base/rowfile.h"
#include "base/rows.h"
#include "base/texts.h"

#include <QIODevice>
#include <QString>
#include <QStringList>

// Where a command's results and messages go. Results are lines of UTF-8 text
// with "\n" after each; messages go to the error stream the same way.
class BatchStreams {
public:
    // `in` is standard input, read for a file argument "-"; none reads as nothing.
    BatchStreams(QIODevice& out, QIODevice& err, QIODevice* in = nullptr) : out_(out), err_(err), in_(in) {}

    void print(const QStringList& lines);
    void print(const QString& line) { print(QStringList{line}); }
    // A message of the program for something that went wrong.
    void message(const QString& text);
    // A wrong command line: the message and where help is found.
    int usage(const QString& text, const QString& command);

    // False once a result could not be written (a full disk behind a redirection).
    bool outputOk() const { return outputOk_; }
    // Sends what is printed on its way now; false when it could not be written.
    bool flush();

    // A file argument whole, at most `limit` bytes and one more: "-" is
    // standard input, which only one argument can have.
    BoundedRead readArgument(const QString& name, qint64 limit);

private:
    QIODevice& out_;
    QIODevice& err_;
    QIODevice* in_;
    bool inputTaken_ = false;
    bool outputOk_ = true;
};

// A command's help text as the lines it prints.
QStringList helpLines(const char* text);
// Ends a command: a result that could not be written is no success.
int finished(BatchStreams& io, int code);

// Before long work, a name already taken is told at once: false when `out` exists.
bool outFileFree(BatchStreams& io, const QString& out);
// Tells that `file` could not be read: too large a file as such, any other
// failure with the command's `message`.
void tellUnreadable(BatchStreams& io, const QString& file, bool tooLarge,
                    const QString& message = QString::fromUtf8(Texts::FileUnreadable));
// A rows or own-system file argument ("-": standard input), read by `reader`.
RowFileReadResult readRowsArgument(BatchStreams& io, const QString& name, RowReader reader);

// Writes rows 0..n-1 as the new rows file `out`; on failure tells why and returns false.
bool writeNewRowsFile(BatchStreams& io, const QString& out, const RowBuffer& rows, int n);

// The bytes of `lines`. A row file may hold any byte, and a file name any
// character; control characters would break the one-line-per-line output or
// reach the terminal, so they are shown as "?".
QByteArray outputBytes(const QStringList& lines);
