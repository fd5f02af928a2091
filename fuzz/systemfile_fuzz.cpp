// Own-system files: the header alone, opening an existing file to add rows,
// and adding a row to what was opened.
#include "base/rowfile.h"
#include "fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    startFuzzApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const SystemHeader header = parseSystemHeader(bytes.left(kRecordLength));
    (void)header;

    const QString path = writeFuzzFile(QStringLiteral("own.STM"), bytes);
    const Outcome<OpenedSystem> opened = openSystemFile(path);
    if (!opened.ok())
        return 0;
    fuzzExpect(opened->nextRecord >= 2, "the first free record is the header");
    if (opened->nextRecord > kMaxRows + 1)
        return 0;

    // Adding a row keeps every row before it and makes the file read as an own system.
    const RowFileReadResult before = parseRowFile(bytes, RowReader::OwnSystem);
    const Row row = rowFromText(QStringLiteral("1X2X21X1221XX"));
    const Outcome<> status = appendSystemRow(path, opened->header.halfGuards, opened->header.fullGuards, row);
    if (!status)
        return 0;
    const RowFileReadResult after = readRowFile(path, RowReader::OwnSystem);
    fuzzExpect(after.ok(), "an own system the program extended cannot be read");
    fuzzExpect(after->layout == RowLayout::OwnSystem, "an extended own system lost its header");
    fuzzExpect(int(after->rows.size()) == opened->nextRecord - 1, "the header's count is not the rows stored");
    fuzzExpect(after->rows.back() == row, "the added row is not the last one");
    if (before.ok() && before->layout == RowLayout::OwnSystem) {
        const RowBuffer& old = before->rows;
        fuzzExpect(old.size() < after->rows.size() &&
                       std::equal(old.begin(), old.end(), after->rows.begin()),
                   "adding a row changed the rows before it");
    }
    return 0;
}
