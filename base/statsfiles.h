#pragma once

#include "base/safewrite.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// The two statistics files: flat arrays of fixed-length text records in the
// Windows ANSI code page, fields padded with blanks or cut to their width.

inline constexpr const char* kWinsFile = "VOITOT.TIL";
inline constexpr const char* kCorrectRowsFile = "OIKEAT.TIL";
inline constexpr int kVoitotRecordLength = 56;
inline constexpr int kOikeatRecordLength = 21;
// The largest statistics file read: some 300,000 wins or 800,000 correct rows,
// far beyond what a lifetime of rounds stores. Larger files, endless pipes and
// devices are refused after this many bytes and one more.
inline constexpr qint64 kMaxStatisticsFileBytes = qint64(16) << 20;

inline constexpr int kVoitotCountWidth = 4;     // each of the four prize-class counts
inline constexpr int kVoitotWinningsWidth = 12; // the total winnings

// What a checked set of rows won in a round; every field is the text the
// checking window showed.
struct VoitotRecord {
    QString name;     // 20
    QString year;     // 5
    QString round;    // 3
    QString hits13;   // 4
    QString hits12;   // 4
    QString hits11;   // 4
    QString hits10;   // 4
    QString winnings; // 12
};

// The correct row of a round.
struct OikeatRecord {
    QString row;   // 13 signs
    QString year;  // 5
    QString round; // 3
};

QByteArray encodeRecord(const VoitotRecord& record);
QByteArray encodeRecord(const OikeatRecord& record);
VoitotRecord decodeVoitot(const QByteArray& bytes);
OikeatRecord decodeOikeat(const QByteArray& bytes);

// The complete records of a file, in file order; a trailing partial record is
// not a record. A missing file has none; one that cannot be read, or is larger
// than kMaxStatisticsFileBytes (TooLarge), fails with the reason for a log.
Outcome<QList<QByteArray>> readRecords(const QString& path, int recordLength);

// Writes `record` directly after the last complete record (over any torn
// tail), creating the file when absent. The file is replaced as a whole, so a
// failed write leaves the earlier records as they were; a file that cannot be
// read whole is not written. The file stays locked against other copies of the
// program from the read to the replace, so none loses a record another stored.
Outcome<> appendRecord(const QString& path, const QByteArray& record, int recordLength);

// The last complete correct-row record, if any can be read.
std::optional<OikeatRecord> lastCorrectRow(const QString& path);
