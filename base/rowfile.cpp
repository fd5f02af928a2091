#include "base/rowfile.h"

#include "base/textformat.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

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

// The number that starts at `from`, up to the next blank (or the end).
static double numberUpToBlank(const QByteArray& header, qsizetype from)
{
    qsizetype end = header.indexOf(' ', from);
    if (end < 0)
        end = header.size();
    return leadingNumber(QString::fromLatin1(header.mid(from, end - from)));
}

SystemHeader parseSystemHeader(const QByteArray& header)
{
    SystemHeader h;
    const qsizetype r = header.indexOf('R');
    if (r >= 0)
        h.rowCount = int(leadingNumber(QString::fromLatin1(header.mid(r + 1))));
    const qsizetype o = header.indexOf('O');
    if (o >= 0)
        h.halfGuards = int(numberUpToBlank(header, o + 1));
    const qsizetype t = header.indexOf('T');
    if (t >= 0)
        h.fullGuards = int(numberUpToBlank(header, t + 1));
    return h;
}

static RowFileReadResult failure(const QString& why)
{
    RowFileReadResult result;
    result.error = why;
    return result;
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
    if (items.size() % kMatches != 0)
        return failure("the last row of the text layout is torn");
    qsizetype count = items.size() / kMatches;
    if (count > kMaxRows)
        return failure("too many rows");
    if (reader == RowReader::PrintTarget)
        count = std::min<qsizetype>(count, kOldLayoutPrintLimit);

    RowFileReadResult result;
    result.ok = true;
    result.contents.layout = RowLayout::OldText;
    result.contents.rows.resize(count);
    for (qsizetype i = 0; i < count; ++i)
        for (int k = 0; k < kMatches; ++k) {
            const QByteArray item = items[i * kMatches + k].trimmed();
            result.contents.rows[i][k] = item.isEmpty() ? ' ' : item[0];
        }
    return result;
}

RowFileReadResult parseRowFile(const QByteArray& bytes, RowReader reader)
{
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
        found = true;
        count = h.rowCount;
        contents.halfGuards = h.halfGuards;
        contents.fullGuards = h.fullGuards;
        contents.layout = RowLayout::OwnSystem;
    }
    if (!found)
        return parseOldLayout(bytes, reader);

    if (count < 0 || count > kMaxRows || count != int(count))
        return failure("the header's row count is out of range");
    const qsizetype records = bytes.size() / kRecordLength - 1;
    if (count > records)
        return failure("the header promises more rows than the file holds");

    const int n = int(count);
    contents.rows.resize(n);
    for (int i = 0; i < n; ++i) {
        const char* record = bytes.constData() + qsizetype(i + 1) * kRecordLength;
        std::copy(record, record + kMatches, contents.rows[i].begin());
    }
    RowFileReadResult result;
    result.ok = true;
    result.contents = std::move(contents);
    return result;
}

RowFileReadResult readRowFile(const QString& path, RowReader reader)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(file.errorString());
    // Even the largest file the program can make stays below half a megabyte.
    if (file.size() > qint64(kMaxRows + 1) * kRecordLength * 3 + 64)
        return failure("the file is too large for a rows file");
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(file.errorString());
    return parseRowFile(bytes, reader);
}

QString writeFailureMessage(WriteStatus status)
{
    switch (status) {
    case WriteStatus::PermissionDenied:
        return QStringLiteral("Poista kirjoitussuoja !");
    case WriteStatus::DiskFull:
        return QStringLiteral("Levy täynnä !");
    default:
        return QStringLiteral("Tiedoston kirjoitus ei onnistu !");
    }
}

static WriteStatus classify(const QFileDevice& file, const QString& path, qint64 size)
{
    if (file.error() == QFileDevice::PermissionsError)
        return WriteStatus::PermissionDenied;
    const QStorageInfo storage(QFileInfo(path).absolutePath());
    if (storage.isValid() && storage.bytesAvailable() < size + 4096)
        return WriteStatus::DiskFull;
    return WriteStatus::Failed;
}

static WriteStatus replaceWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return classify(file, path, bytes.size());
    if (file.write(bytes) != bytes.size()) {
        const WriteStatus status = classify(file, path, bytes.size());
        file.cancelWriting();
        return status;
    }
    if (!file.commit())
        return classify(file, path, bytes.size());
    return WriteStatus::Ok;
}

WriteStatus writeRowsFile(const QString& path, const RowBuffer& rows, int n)
{
    if (QFileInfo::exists(path))
        return WriteStatus::Exists;
    if (n < 0 || n > int(rows.size()))
        return WriteStatus::Failed;
    QByteArray bytes;
    bytes.reserve(qsizetype(n + 1) * kRecordLength);
    bytes += rowsFileHeader(n);
    for (int i = 0; i < n; ++i)
        bytes += rowRecord(rows[i]);
    return replaceWhole(path, bytes);
}

OpenSystemResult openSystemFile(const QString& path)
{
    OpenSystemResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const QByteArray bytes = file.readAll();
    result.ok = file.error() == QFileDevice::NoError;
    result.header = parseSystemHeader(bytes.left(kRecordLength));
    result.nextRecord = std::max<qsizetype>(2, bytes.size() / kRecordLength + 1);
    return result;
}

WriteStatus createSystemFile(const QString& path, int halfGuards, int fullGuards)
{
    return replaceWhole(path, systemFileHeader(halfGuards, fullGuards, 0));
}

WriteStatus appendSystemRow(const QString& path, int halfGuards, int fullGuards, int nextRecord, const Row& row)
{
    if (nextRecord < 2 || nextRecord > kMaxRows + 1)
        return WriteStatus::Failed;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.error() == QFileDevice::PermissionsError ? WriteStatus::PermissionDenied : WriteStatus::Failed;
    QByteArray bytes = file.readAll();
    file.close();
    const qsizetype offset = qsizetype(nextRecord - 1) * kRecordLength;
    bytes.resize(offset, ' ');
    bytes += rowRecord(row);
    bytes.replace(0, kRecordLength, systemFileHeader(halfGuards, fullGuards, nextRecord - 1));
    return replaceWhole(path, bytes);
}
