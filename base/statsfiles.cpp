#include "base/statsfiles.h"

#include "base/boundedread.h"
#include "base/textformat.h"

#include "base/filenames.h"

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

// A missing file reads as an empty one: the first store creates it.
static BoundedRead readStatisticsFile(const QString& path)
{
    if (!pathExists(path))
        return QByteArray();
    return readAtMost(path, kMaxStatisticsFileBytes);
}

Outcome<QList<QByteArray>> readRecords(const QString& path, int recordLength)
{
    const BoundedRead read = readStatisticsFile(path);
    if (!read)
        return read.failure();
    const QByteArray& bytes = *read;
    QList<QByteArray> records;
    records.reserve(bytes.size() / recordLength);
    for (qsizetype at = 0; at + recordLength <= bytes.size(); at += recordLength)
        records << bytes.mid(at, recordLength);
    return records;
}

Outcome<> appendRecord(const QString& path, const QByteArray& record, int recordLength)
{
    if (record.size() != recordLength)
        return fileFailure(Cause::Failed);
    // Two copies storing at once each add their record to what the other stored.
    return changeFile(path, kMaxStatisticsFileBytes, [&](QByteArray& bytes, bool) -> Outcome<> {
        bytes.truncate(bytes.size() - bytes.size() % recordLength);
        // A store that made the file too large to read would lose every record to the reader.
        if (bytes.size() + recordLength > kMaxStatisticsFileBytes)
            return fileFailure(Cause::Failed);
        bytes += record;
        return {};
    });
}

std::optional<OikeatRecord> lastCorrectRow(const QString& path)
{
    const Outcome<QList<QByteArray>> records = readRecords(path, kOikeatRecordLength);
    if (!records || records->isEmpty())
        return std::nullopt;
    return decodeOikeat(records->last());
}
