#include "base/statsfiles.h"

#include "support/files.h"
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(StatsFiles, WinRecordsAre56BytesOfPaddedAnsiText)
{
    const VoitotRecord r{QString::fromUtf8("Järjestelmä. 12"), "2026", "23", " 0", " 1", " 3", " 10", " 1,250"};
    const QByteArray bytes = encodeRecord(r);
    ASSERT_EQ(bytes.size(), kVoitotRecordLength);
    EXPECT_EQ(bytes, QByteArray("J\xe4rjestelm\xe4. 12     2026 23  0   1   3   10  1,250      "));
    const VoitotRecord back = decodeVoitot(bytes);
    EXPECT_EQ(back.name.trimmed(), r.name);
    EXPECT_EQ(back.winnings.trimmed(), "1,250");
    // Longer texts are cut to the field.
    EXPECT_EQ(encodeRecord(VoitotRecord{QString(30, 'a'), "20266", "1234", "", "", "", "", ""}).left(28),
              QByteArray(20, 'a') + "20266123");
}

TEST(StatsFiles, CorrectRowRecordsAre21Bytes)
{
    const QByteArray bytes = encodeRecord(OikeatRecord{"1X21X21X21X21", "2026", "7"});
    EXPECT_EQ(bytes, QByteArray("1X21X21X21X212026 7  "));
    EXPECT_EQ(decodeOikeat(bytes).round, "7  ");
}

TEST(StatsFiles, AppendingGoesAfterTheLastCompleteRecord)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kCorrectRowsFile);
    EXPECT_TRUE(readRecords(path, kOikeatRecordLength).value().isEmpty());
    EXPECT_FALSE(lastCorrectRow(path).has_value());

    const QByteArray first = encodeRecord(OikeatRecord{"1111111111111", "2025", "1"});
    const QByteArray second = encodeRecord(OikeatRecord{"2222222222222", "2026", "2"});
    ASSERT_TRUE(appendRecord(path, first, kOikeatRecordLength).ok());
    // A torn tail is no record; the next store writes over it.
    {
        QFile f(path);
        f.open(QIODevice::Append);
        f.write("XXXXX");
    }
    EXPECT_EQ(readRecords(path, kOikeatRecordLength).value().size(), 1);
    ASSERT_TRUE(appendRecord(path, second, kOikeatRecordLength).ok());
    ASSERT_TRUE(appendRecord(path, second, kOikeatRecordLength).ok());
    EXPECT_EQ(readBytes(path), first + second + second);
    EXPECT_EQ(lastCorrectRow(path)->row, "2222222222222");
    EXPECT_EQ(lastCorrectRow(path)->year.trimmed(), "2026");
}

TEST(StatsFiles, AFailedAppendKeepsTheRecordsThatWereThere)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kWinsFile);
    const QByteArray record = encodeRecord(VoitotRecord{"a.1X2", "2026", "1", " 0", " 0", " 0", " 1", " 100"});
    ASSERT_TRUE(appendRecord(path, record, kVoitotRecordLength).ok());
    EXPECT_FALSE(appendRecord(path, record.left(10), kVoitotRecordLength).ok());
    EXPECT_FALSE(appendRecord(dir.filePath("missing/VOITOT.TIL"), record, kVoitotRecordLength).ok());
    EXPECT_EQ(readBytes(path), record);

    // A store that would make the file larger than any statistics file is
    // refused: the file would no longer be read, and every record seem lost.
    const QString full = dir.filePath(kCorrectRowsFile);
    {
        QFile f(full);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(kMaxStatisticsFileBytes)); // sparse: no disk used
    }
    EXPECT_TRUE(readRecords(full, kOikeatRecordLength).ok());
    EXPECT_FALSE(appendRecord(full, encodeRecord(OikeatRecord{"1111111111111", "2026", "2"}), kOikeatRecordLength).ok());
    EXPECT_EQ(QFileInfo(full).size(), kMaxStatisticsFileBytes);
}
