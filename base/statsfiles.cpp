#include "base/statsfiles.h"

#include "base/textformat.h"

#include <QFile>
#include <QFileInfo>

static QByteArray field(const QString& text, int width)
{
    QByteArray bytes = toAnsi(text).left(width);
    return bytes + QByteArray(width - bytes.size(), ' ');
}

QByteArray encodeRecord(const VoitotRecord& r)
{
    return field(r.name, 20) + field(r.year, 5) + field(r.round, 3) + field(r.hits13, 4) + field(r.hits12, 4) +
           field(r.hits11, 4) + field(r.hits10, 4) + field(r.winnings, 12);
}

QByteArray encodeRecord(const OikeatRecord& r)
{
    return field(r.row, 13) + field(r.year, 5) + field(r.round, 3);
}

VoitotRecord decodeVoitot(const QByteArray& b)
{
    auto at = [&b](int offset, int width) { return fromAnsi(b.mid(offset, width)); };
    return {at(0, 20), at(20, 5), at(25, 3), at(28, 4), at(32, 4), at(36, 4), at(40, 4), at(44, 12)};
}

OikeatRecord decodeOikeat(const QByteArray& b)
{
    return {fromAnsi(b.mid(0, 13)), fromAnsi(b.mid(13, 5)), fromAnsi(b.mid(18, 3))};
}

QList<QByteArray> readRecords(const QString& path, int recordLength)
{
    QList<QByteArray> records;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return records;
    const QByteArray bytes = file.readAll();
    for (qsizetype at = 0; at + recordLength <= bytes.size(); at += recordLength)
        records << bytes.mid(at, recordLength);
    return records;
}

WriteStatus appendRecord(const QString& path, const QByteArray& record, int recordLength)
{
    if (record.size() != recordLength)
        return WriteStatus::Failed;
    QByteArray bytes;
    QFile existing(path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return QFileInfo(path).isReadable() ? WriteStatus::Failed : WriteStatus::PermissionDenied;
        bytes = existing.readAll();
        if (existing.error() != QFileDevice::NoError)
            return WriteStatus::Failed;
        existing.close();
    }
    bytes.truncate(bytes.size() - bytes.size() % recordLength);
    bytes += record;
    return replaceFile(path, bytes);
}

std::optional<OikeatRecord> lastCorrectRow(const QString& path)
{
    const QList<QByteArray> records = readRecords(path, kOikeatRecordLength);
    if (records.isEmpty())
        return std::nullopt;
    return decodeOikeat(records.last());
}
