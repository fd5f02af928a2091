#pragma once

#include "base/boundedread.h"
#include "base/rows.h"
#include "base/safewrite.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// Rows files (".1X2") and own-system files (".STM"): 13-byte records, the
// header record first; and the older headerless text layout, which is only read.

inline constexpr int kRecordLength = 13;
// Row positions are 16-bit in the files' world.
inline constexpr int kMaxRows = 32767;
// The print-target reader shows at most this many rows of the older layout.
inline constexpr int kOldLayoutPrintLimit = 250;
// The largest file any reader takes: the most rows in the older layout, three
// bytes a sign, with room for trailing line ends. Larger files, endless pipes
// and devices are refused after this many bytes and one more.
inline constexpr qint64 kMaxRowFileBytes = qint64(kMaxRows + 1) * kRecordLength * 3 + 64;

// "500 nova" padded with blanks to 13 bytes.
QByteArray rowsFileHeader(int rowCount);
// "O2 T2 R5" padded with blanks to 13 bytes.
QByteArray systemFileHeader(int halfGuards, int fullGuards, int rowCount);
QByteArray rowRecord(const Row& row);
// A whole rows file: the header and rows 0..n-1.
QByteArray rowsFileBytes(const RowBuffer& rows, int n);

// Which header markers a reader looks for.
enum class RowReader {
    Checking,    // "nova" and "R"
    PrintTarget, // "nova" only; the older layout limited to 250 rows
    OwnSystem,   // "R" only
};

enum class RowLayout { RowsFile, OwnSystem, OldText };

struct RowFileContents {
    RowBuffer rows;
    RowLayout layout = RowLayout::RowsFile;
    int halfGuards = 0;
    int fullGuards = 0;
};

// A failed read says why for a log, the windows show their own message; its
// cause is TooLarge for more bytes or rows than any rows file holds.
using RowFileReadResult = Outcome<RowFileContents>;

// Reads a whole rows or own-system file. An empty file (or one of nothing but
// line ends and an end-of-file mark), one larger than any rows file, a header
// that promises more rows than the file holds, a count beyond 16 bits, an
// own-system header with impossible counts or a torn row of the older layout
// fail the read; rows beyond a header's count are ignored. Nothing that is
// no file keeps the read waiting (see boundedread.h).
RowFileReadResult readRowFile(const QString& path, RowReader reader);
// The same from bytes read already (at most kMaxRowFileBytes and one more).
RowFileReadResult rowFileOf(const BoundedRead& read, RowReader reader);

RowFileReadResult parseRowFile(const QByteArray& bytes, RowReader reader);

// The numbers after "O" and "T" of an own-system header (each up to the next
// blank) and after "R". A header is valid when O and T are whole numbers 0..13
// with O + T at most 13 and R a whole number 0..kMaxRows; the counts of an
// invalid header are 0.
struct SystemHeader {
    bool valid = false;
    int halfGuards = 0;
    int fullGuards = 0;
    int rowCount = 0;
};
SystemHeader parseSystemHeader(const QByteArray& header);

// Writes rows 0..n-1 as a new rows file. An existing file is never replaced,
// and a failed write leaves nothing behind under `path`.
Outcome<> writeRowsFile(const QString& path, const RowBuffer& rows, int n);

// Own-system files grow one row at a time.
struct SystemFileState {
    int halfGuards = 0;
    int fullGuards = 0;
    int nextRecord = 2; // record number of the next row; rows stored = nextRecord - 2
};

// Reads the header of an existing own-system file and finds the first free
// record. A file that is no own-system file is not opened.
struct OpenedSystem {
    SystemHeader header;
    int nextRecord = 2;
};
Outcome<OpenedSystem> openSystemFile(const QString& path);

// Appends `row` after the last whole record the file holds when it is written
// (another copy of the program may have added rows since it was opened) and
// rewrites the header with the new count, which goes to `rowsStored`. The file
// is locked against other copies meanwhile and replaced as a whole, so a
// failure keeps the rows written before; a file that is no longer an own
// system of these counts is not written.
Outcome<> appendSystemRow(const QString& path, int halfGuards, int fullGuards, const Row& row,
                          int* rowsStored = nullptr);
// Creates a new own-system file holding `rows` under their header (with none,
// only the header with R0). An existing file is never replaced.
Outcome<> createSystemFile(const QString& path, int halfGuards, int fullGuards, const RowBuffer& rows = {});
