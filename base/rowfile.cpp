#include "base/rowfile.h"

#include "base/boundedread.h"
#include "base/filenames.h"
#include "base/textformat.h"

#include <algorithm>

static QByteArray padRecord(QByteArray text)
{
    text = text.left(kRecordLength);
    return text + QByteArray(kRecordLength - text.size(), ' ');
}

QByteArray rowsFileHeader(int rowCount)
{
    return padRecord(QByteArray::number(rowCount) + " nova");
}

QByteArray systemFileHeader(int halfGuards, int fullGuards, int rowCount)
{
    return padRecord("O" + QByteArray::number(halfGuards) + " T" + QByteArray::number(fullGuards) + " R" +
                     QByteArray::number(rowCount));
}

QByteArray rowRecord(const Row& row)
{
    QByteArray record(kRecordLength, ' ');
    for (int k = 0; k < kMatches; ++k)
        record[k] = row[k] ? row[k] : ' ';
    return record;
}

QByteArray rowsFileBytes(const RowBuffer& rows, int n)
{
    n = std::clamp(n, 0, int(rows.size()));
    QByteArray bytes;
    bytes.reserve(qsizetype(n + 1) * kRecordLength);
    bytes += rowsFileHeader(n);
    for (int i = 0; i < n; ++i)
        bytes += rowRecord(rows[std::size_t(i)]);
    return bytes;
}

// The number that starts at `from`, up to the next blank (or the end).
static double numberUpToBlank(const QByteArray& header, qsizetype from)
{
    qsizetype end = header.indexOf(' ', from);
    if (end < 0)
        end = header.size();
    return leadingNumber(QString::fromLatin1(header.mid(from, end - from)));
}

// A count is taken only when it is a whole number in range, so nothing out of
// range ever reaches an int.
static bool wholeNumberIn(double value, int lowest, int highest)
{
    return value >= lowest && value <= highest && value == double(int(value));
}

SystemHeader parseSystemHeader(const QByteArray& header)
{
    double rows = 0, half = 0, full = 0;
    const qsizetype r = header.indexOf('R');
    if (r >= 0)
        rows = leadingNumber(QString::fromLatin1(header.mid(r + 1)));
    const qsizetype o = header.indexOf('O');
    if (o >= 0)
        half = numberUpToBlank(header, o + 1);
    const qsizetype t = header.indexOf('T');
    if (t >= 0)
        full = numberUpToBlank(header, t + 1);
    SystemHeader h;
    if (!wholeNumberIn(rows, 0, kMaxRows) || !wholeNumberIn(half, 0, kMatches) || !wholeNumberIn(full, 0, kMatches) ||
        half + full > kMatches)
        return h;
    h.valid = true;
    h.rowCount = int(rows);
    h.halfGuards = int(half);
    h.fullGuards = int(full);
    return h;
}

static Failure failure(const QString& why, bool tooLarge = false)
{
    return {tooLarge ? Cause::TooLarge : Cause::Failed, why};
}

static RowFileReadResult parseOldLayout(const QByteArray& bytes, RowReader reader)
{
    QList<QByteArray> items = bytes.split('\n');
    for (auto& item : items)
        if (item.endsWith('\r'))
            item.chop(1);
    // Trailing empty lines and an end-of-file mark are not rows.
    while (!items.isEmpty() && (items.last().isEmpty() || items.last() == "\x1a"))
        items.removeLast();
    // Nothing the program writes is empty, nor a file of line ends alone.
    if (items.isEmpty())
        return failure("the file holds no rows");
    if (items.size() % kMatches != 0)
        return failure("the last row of the text layout is torn");
    qsizetype count = items.size() / kMatches;
    if (count > kMaxRows)
        return failure("too many rows", true);
    if (reader == RowReader::PrintTarget)
        count = std::min<qsizetype>(count, kOldLayoutPrintLimit);

    RowFileContents contents;
    contents.layout = RowLayout::OldText;
    contents.rows.resize(count);
    for (qsizetype i = 0; i < count; ++i)
        for (int k = 0; k < kMatches; ++k) {
            const QByteArray item = items[i * kMatches + k].trimmed();
            contents.rows[i][k] = item.isEmpty() ? ' ' : item[0];
        }
    return contents;
}

RowFileReadResult parseRowFile(const QByteArray& bytes, RowReader reader)
{
    // Nothing the program writes is empty.
    if (bytes.isEmpty())
        return failure("the file is empty");
    const QByteArray header = bytes.left(kRecordLength);
    bool found = false;
    double count = 0;
    RowFileContents contents;

    if (reader != RowReader::OwnSystem) {
        const qsizetype p = header.indexOf("nova");
        if (p >= 0) {
            found = true;
            count = leadingNumber(QString::fromLatin1(header.left(p)));
            contents.layout = RowLayout::RowsFile;
        }
    }
    if (reader != RowReader::PrintTarget && header.contains('R')) {
        const SystemHeader h = parseSystemHeader(header);
        if (!h.valid)
            return failure("the own-system header's counts are out of range",
                           leadingNumber(QString::fromLatin1(header.mid(header.indexOf('R') + 1))) > kMaxRows);
        found = true;
        count = h.rowCount;
        contents.halfGuards = h.halfGuards;
        contents.fullGuards = h.fullGuards;
        contents.layout = RowLayout::OwnSystem;
    }
    if (!found)
        return parseOldLayout(bytes, reader);

    if (!wholeNumberIn(count, 0, kMaxRows))
        return failure("the header's row count is out of range", count > kMaxRows);
    const qsizetype records = bytes.size() / kRecordLength - 1;
    if (count > records)
        return failure("the header promises more rows than the file holds");

    const int n = int(count);
    contents.rows.resize(n);
    for (int i = 0; i < n; ++i) {
        const char* record = bytes.constData() + qsizetype(i + 1) * kRecordLength;
        std::copy(record, record + kMatches, contents.rows[i].begin());
    }
    return contents;
}

RowFileReadResult readRowFile(const QString& path, RowReader reader)
{
    return rowFileOf(readAtMost(path, kMaxRowFileBytes), reader);
}

RowFileReadResult rowFileOf(const BoundedRead& read, RowReader reader)
{
    if (!read)
        return read.failure();
    return parseRowFile(*read, reader);
}

Outcome<> writeRowsFile(const QString& path, const RowBuffer& rows, int n)
{
    if (pathExists(path))
        return fileFailure(Cause::Exists);
    if (n < 0 || n > int(rows.size()))
        return fileFailure(Cause::Failed);
    return createNewFile(path, rowsFileBytes(rows, n));
}

Outcome<OpenedSystem> openSystemFile(const QString& path)
{
    const BoundedRead read = readAtMost(path, kMaxRowFileBytes);
    if (!read)
        return read.failure();
    const QByteArray& bytes = *read;
    const RowFileReadResult parsed = parseRowFile(bytes, RowReader::OwnSystem);
    if (!parsed)
        return parsed.failure();
    OpenedSystem result;
    result.header = parseSystemHeader(bytes.left(kRecordLength));
    result.nextRecord = int(std::max<qsizetype>(2, bytes.size() / kRecordLength + 1));
    return result;
}

Outcome<> createSystemFile(const QString& path, int halfGuards, int fullGuards, const RowBuffer& rows)
{
    if (pathExists(path))
        return fileFailure(Cause::Exists);
    QByteArray bytes = systemFileHeader(halfGuards, fullGuards, int(rows.size()));
    for (const Row& row : rows)
        bytes += rowRecord(row);
    return createNewFile(path, bytes);
}

Outcome<> appendSystemRow(const QString& path, int halfGuards, int fullGuards, const Row& row, int* rowsStored)
{
    return changeFile(path, kMaxRowFileBytes, [&](QByteArray& bytes, bool exists) -> Outcome<> {
        if (!exists)
            return fileFailure(Cause::Failed);
        const SystemHeader header = parseSystemHeader(bytes.left(kRecordLength));
        if (!parseRowFile(bytes, RowReader::OwnSystem) || header.halfGuards != halfGuards ||
            header.fullGuards != fullGuards)
            return fileFailure(Cause::Failed);
        // Rows follow the last whole record; a torn one is written over.
        const int rows = int(bytes.size() / kRecordLength);
        if (rows > kMaxRows)
            return fileFailure(Cause::Failed);
        bytes.truncate(qsizetype(rows) * kRecordLength);
        bytes += rowRecord(row);
        bytes.replace(0, kRecordLength, systemFileHeader(halfGuards, fullGuards, rows));
        if (rowsStored)
            *rowsStored = rows;
        return {};
    });
}
