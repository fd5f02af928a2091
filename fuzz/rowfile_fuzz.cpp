// Rows files in every layout (rows file, own system, the older text layout)
// through the three readers, from memory and from a file, and what checking
// does with the rows that were read.
#include "base/rowfile.h"
#include "checking/rowcheck.h"
#include "fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    startFuzzApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const QString path = writeFuzzFile(QStringLiteral("rows.1X2"), bytes);
    static const Row correct = rowFromText(QStringLiteral("1X21X21X21X21"));

    // The file reader may refuse more than the bytes alone tell (size, emptiness), never read otherwise.
    const RowFileReadResult read = readRowFile(path, RowReader::Checking);
    if (read.ok()) {
        const RowFileReadResult parsed = parseRowFile(bytes, RowReader::Checking);
        fuzzExpect(parsed.ok() && read->rows == parsed->rows &&
                       read->layout == parsed->layout,
                   "the file and its bytes read differently");
    }

    for (RowReader reader : {RowReader::Checking, RowReader::PrintTarget, RowReader::OwnSystem}) {
        const RowFileReadResult parsed = parseRowFile(bytes, reader);
        if (!parsed.ok())
            continue;

        const RowFileContents& contents = *parsed;
        const int n = int(contents.rows.size());
        fuzzExpect(n <= kMaxRows, "more rows than a file can number");
        if (reader == RowReader::OwnSystem)
            fuzzExpect(contents.layout != RowLayout::RowsFile, "the own-system reader took a rows file's header");
        if (reader == RowReader::PrintTarget) {
            fuzzExpect(contents.layout != RowLayout::OwnSystem, "the print reader took an own-system header");
            if (contents.layout == RowLayout::OldText)
                fuzzExpect(n <= kOldLayoutPrintLimit, "the print reader read past its limit");
        }
        if (contents.layout != RowLayout::OldText)
            fuzzExpect(qsizetype(n + 1) * kRecordLength <= bytes.size(), "rows read beyond the file");
        // The conversion window counts on guards that fit 13 matches.
        if (contents.layout == RowLayout::OwnSystem)
            fuzzExpect(contents.halfGuards >= 0 && contents.fullGuards >= 0 &&
                           contents.halfGuards + contents.fullGuards <= kMatches,
                       "an own system with guards that do not fit 13 matches");

        const SingleRowCheck check = checkSingleRows(contents.rows, n, correct);
        fuzzExpect(check.tally.rowsChecked == n, "not every row was checked");
        fuzzExpect(check.tally.lastFullHitRow >= 0 && check.tally.lastFullHitRow <= n, "a 13-correct row out of range");
    }
    return 0;
}
