#include "fuzz/fuzzsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

void startFuzzApplication(int* argc, char*** argv)
{
    // Never destroyed: libFuzzer ends the process from exit handlers, after Qt's own globals are gone.
    static QCoreApplication* app = nullptr;
    if (!app)
        app = new QCoreApplication(*argc, *argv);
}

static QTemporaryDir& folder()
{
    static QTemporaryDir dir(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/rivikone-fuzz-XXXXXX")
                                                       : QDir::tempPath() + "/rivikone-fuzz-XXXXXX");
    if (!dir.isValid())
        fuzzFailure("no temporary folder");
    return dir;
}

QString fuzzFolder()
{
    return folder().path();
}

QString writeFuzzFile(const QString& name, const QByteArray& bytes)
{
    const QString path = folder().filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush())
        fuzzFailure("cannot write the input file");
    return path;
}

void clearFuzzFolder(const QStringList& keep)
{
    QDir dir(folder().path());
    for (const QString& name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (keep.contains(name))
            continue;
        QFileInfo info(dir.filePath(name));
        if (info.isDir() && !info.isSymLink())
            QDir(info.filePath()).removeRecursively();
        else
            dir.remove(name);
    }
}

void fuzzFailure(const char* what)
{
    std::fprintf(stderr, "rivikone fuzz: %s\n", what);
    std::abort();
}
