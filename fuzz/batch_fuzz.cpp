// rivikone-batch's command line: the input split into arguments at line ends,
// run through the program's in-process entry point in a folder that holds a
// rows file, an own system and a file of the older text layout. A '/' in an
// argument becomes '_', so every path stays inside that folder.
#include "base/rowfile.h"
#include "batch/batchrun.h"
#include "fuzz/fuzzsupport.h"

#include <QBuffer>
#include <QDir>

static const QStringList kFolderFiles = {"k.1X2", "s.STM", "v.txt"};

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    startFuzzApplication(argc, argv);
    if (!QDir::setCurrent(fuzzFolder()))
        fuzzFailure("cannot enter the fuzz folder");
    RowBuffer rows;
    for (const char* text : {"1X21X21X21X21", "1X21X21X21X22", "2X2111X21X21X", "12X12X12X12X1"})
        rows.push_back(rowFromText(QString::fromLatin1(text)));
    if (!writeRowsFile("k.1X2", rows, int(rows.size())).ok() ||
        !createSystemFile("s.STM", 2, 1).ok() ||
        !appendSystemRow("s.STM", 2, 1, rows[0]).ok() ||
        !appendSystemRow("s.STM", 2, 1, rows[2]).ok())
        fuzzFailure("cannot write the folder's files");
    QByteArray oldLayout;
    for (int r : {0, 3})
        for (char sign : rows[r])
            oldLayout += QByteArray(1, sign) + "\r\n";
    writeFuzzFile("v.txt", oldLayout);
    return 0;
}

// Results and messages are lines of text without control characters.
static void expectPlainLines(const QByteArray& bytes, const char* what)
{
    fuzzExpect(bytes.isEmpty() || bytes.endsWith('\n'), what);
    for (QChar c : QString::fromUtf8(bytes))
        fuzzExpect(c == '\n' || c.category() != QChar::Other_Control, what);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QString text = QString::fromUtf8(fuzzBytes(data, size));
    text.replace('/', '_');
    QStringList arguments = text.split('\n');
    if (arguments.size() > 64)
        return -1;
    // A search runs for the seconds it is given: a little work bounds it
    // instead, so every input ends at once, options and all.
    if (arguments.first() == "generate") {
        for (const QString& argument : arguments)
            if (argument.startsWith("--moves"))
                return -1;
        arguments.insert(1, "--moves=200");
    }

    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const int code = runBatch(arguments, out, err);
    fuzzExpect(code >= 0 && code <= 2, "an exit code outside 0, 1 and 2");
    expectPlainLines(out.data(), "a result line with a control character");
    expectPlainLines(err.data(), "a message line with a control character");
    if (code != 0)
        fuzzExpect(!err.data().isEmpty(), "a failure without a message");
    clearFuzzFolder(kFolderFiles);
    return 0;
}
