// Text and CSV that players paste or upload, through the importer; and what
// the importer takes always leaves again as the same text.
#include "base/rowtext.h"
#include "fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    startFuzzApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const RowTextReading reading = parseRowText(decodeRowText(bytes));
    fuzzExpect(int(reading.rows.size()) <= kMaxRows, "more rows than a rows file holds");
    for (const Row& row : reading.rows)
        for (char c : row)
            fuzzExpect(signIndex(c) >= 0, "a row taken with something else than a sign");
    int lastLine = 0;
    for (const RefusedLine& refused : reading.refused) {
        fuzzExpect(refused.number > lastLine, "refused lines out of order");
        lastLine = refused.number;
        fuzzExpect(refused.text.size() <= kRefusedLineShown, "a refused line shown longer than its room");
    }

    // Exported and read again: the same rows, nothing refused, in both formats.
    const int n = int(reading.rows.size());
    for (RowTextFormat format : {RowTextFormat::Text, RowTextFormat::Csv}) {
        const QByteArray text = textFileBytes(rowLines(format, reading.rows, n), "\r\n");
        const RowTextReading again = parseRowText(decodeRowText(text));
        fuzzExpect(again.rows == reading.rows && again.refused.isEmpty() && !again.tooManyRows,
                   "exported rows did not read back as they were");
    }
    return 0;
}
