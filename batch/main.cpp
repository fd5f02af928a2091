#include "base/filenames.h"
#include "batch/batchrun.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

// rivikone-batch: checks, lists and draws rows from the command line with the
// logic the windows use. QCoreApplication only, for the carried reduced-system tables.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("rivikone-batch");
    QFile out;
    QFile err;
    QFile in;
    out.open(stdout, QIODevice::WriteOnly);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    in.open(stdin, QIODevice::ReadOnly);
    // File names are used as given, bytes that are no UTF-8 included.
    const int code = runBatch(argumentsOf(argc, argv).mid(1), out, err, &in);
    if (!out.flush() && code == 0) {
        err.write("Tulostus ei onnistu !\n");
        return 1;
    }
    return code;
}
