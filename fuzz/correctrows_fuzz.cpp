// The correct-row file OIKEAT.TIL: reading and decoding, the year listings,
// the sign distribution and its print-out, the last stored round that the
// basic-row window recalls, and storing a new correct row.
#include "base/settings.h"
#include "base/statsfiles.h"
#include "checking/statistics.h"
#include "fuzz/fuzzsupport.h"
#include "rows/correctrow.h"

#include <QDate>
#include <QFile>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    startFuzzApplication(argc, argv);
    return 0;
}

static int distributionTotal(const Distribution& distribution)
{
    int sum = 0;
    for (const auto& sign : distribution.counts)
        for (int count : sign)
            sum += count;
    return sum;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    clearFuzzFolder();
    const QString path = writeFuzzFile(QString::fromLatin1(kCorrectRowsFile), bytes);
    const qsizetype complete = bytes.size() / kOikeatRecordLength;

    const std::optional<QList<OikeatRecord>> read = readCorrectRows(path);
    fuzzExpect(read.has_value(), "a statistics file of a few records cannot be read");
    const QList<OikeatRecord>& records = *read;
    fuzzExpect(records.size() == complete, "a complete record was lost or a torn one read");

    // The first and last year the file names, and one it does not: every
    // year would make an execution as slow as the square of the records.
    QStringList years{QStringLiteral(" 1999")};
    if (!records.isEmpty())
        years << records.first().year << records.last().year;
    Distribution all;
    for (const QString& year : years) {
        Distribution distribution;
        const QStringList listing = correctRowListing(records, year, distribution);
        fuzzExpect(distributionTotal(distribution) <= (listing.size() - 1) * kMatches, "signs counted twice");
        for (const OikeatRecord& record : records)
            if (sameYear(record, year))
                all.add(record.row);
        Distribution printed;
        KeepingPrinter printer;
        fuzzExpect(printCorrectRows(printer, records, year, printed, QDate(2024, 5, 17)), "printing the rows failed");
        fuzzExpect(printed.counts == distribution.counts, "the print-out counts other signs than the listing");
        for (int s = 0; s < 3; ++s)
            distributionPrintLine(printed, s);
    }

    // The round the basic-row window recalls, kept in the settings as the file gave it.
    const QString ini = fuzzFolder() + "/Rivikone.ini";
    StoredRound recalled;
    {
        Settings settings(ini);
        recalled = lastStoredRound(settings, fuzzFolder());
    }
    const std::optional<OikeatRecord> last = lastCorrectRow(path);
    fuzzExpect(last.has_value() == (complete > 0), "the last record was not found");
    if (last)
        fuzzExpect(recalled.round == last->round.trimmed() && recalled.year == last->year.trimmed(),
                   "the recalled round is not the last stored one");
    {
        Settings settings(ini);
        if (last && settings.number(keys::LastRound) != 0)
            fuzzExpect(keptRound(settings).round.isEmpty() || keptRound(settings).round == recalled.round,
                       "the settings keep another round than was recalled");
    }

    // Storing a row keeps every complete record and drops only a torn tail.
    MatchStrings signs;
    for (int k = 0; k < kMatches; ++k)
        signs[k] = QString(QChar::fromLatin1(kSigns[k % 3]));
    if (appendCorrectRow(fuzzFolder(), signs, QStringLiteral(" 2024"), QStringLiteral(" 19")).ok()) {
        QFile file(path);
        fuzzExpect(file.open(QIODevice::ReadOnly), "the stored file cannot be opened");
        const QByteArray after = file.readAll();
        fuzzExpect(after.size() == (complete + 1) * kOikeatRecordLength &&
                       after.left(complete * kOikeatRecordLength) == bytes.left(complete * kOikeatRecordLength),
                   "storing a row changed other records");
    }
    return 0;
}
