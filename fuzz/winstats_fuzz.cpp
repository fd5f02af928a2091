// The win statistics file VOITOT.TIL: reading and decoding its records, the
// listing and the print-out the statistics window makes of them, and storing
// a new win after whatever the file holds.
#include "base/statsfiles.h"
#include "checking/statistics.h"
#include "fuzz/fuzzsupport.h"

#include <QDate>
#include <QFile>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    startFuzzApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const QString path = writeFuzzFile(QString::fromLatin1(kWinsFile), bytes);
    const qsizetype complete = bytes.size() / kVoitotRecordLength;

    const std::optional<QList<VoitotRecord>> read = readWinRecords(path);
    fuzzExpect(read.has_value(), "a statistics file of a few records cannot be read");
    const QList<VoitotRecord>& records = *read;
    fuzzExpect(records.size() == complete, "a complete record was lost or a torn one read");

    const QStringList listing = winListing(records);
    fuzzExpect(listing.size() == records.size() + 3, "the listing is not a line per record");
    qint64 total = 0;
    for (const VoitotRecord& record : records) {
        // A record stored again reads as it was read.
        const QByteArray stored = encodeRecord(record);
        fuzzExpect(stored.size() == kVoitotRecordLength, "a record stored at the wrong length");
        const VoitotRecord again = decodeVoitot(stored);
        fuzzExpect(encodeRecord(again) == stored, "a stored record reads back otherwise");
        total += storedAmount(record.winnings);
    }
    (void)total;

    KeepingPrinter printer;
    fuzzExpect(printWins(printer, records, QDate(2024, 5, 17)), "printing the wins failed");
    fuzzExpect(printer.ended, "the print-out was never finished");

    // Storing a win keeps every complete record and drops only a torn tail.
    const QByteArray win = encodeRecord(VoitotRecord{"KIERROS.1X2", " 2024", " 19", " 1", " 2", " 3", " 4", " 1 250"});
    if (appendRecord(path, win, kVoitotRecordLength).ok()) {
        QFile file(path);
        fuzzExpect(file.open(QIODevice::ReadOnly), "the stored file cannot be opened");
        const QByteArray after = file.readAll();
        fuzzExpect(after == bytes.left(complete * kVoitotRecordLength) + win, "storing a win changed other records");
    }
    return 0;
}
