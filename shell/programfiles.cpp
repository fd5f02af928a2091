#include "shell/programfiles.h"

#include <QDir>
#include <QFile>

const QList<CarriedFile>& bookmarkFiles()
{
    static const QList<CarriedFile> files = {
        {":/RK_HTM/20", "puskuri.htm"},
        {":/RK_GIF/15", "TAUSTA.GIF"},
        {":/RK_GIF/16", "RIVIKONE.GIF"},
        {":/RK_GIF/17", "BOLTSI.GIF"},
    };
    return files;
}

CarriedFile helpFile()
{
    // The guide is an HTML document, so it carries the extension the desktop's
    // viewers know it by.
    return {":/help/RIVIKONE.HTM", "RIVIKONE.HTM"};
}

QString programFilePath(const QString& programDir, const QString& fileName)
{
    if (programDir.endsWith('/') || programDir.endsWith('\\'))
        return programDir + fileName;
    return programDir + '/' + fileName;
}

QString bookmarkPagePath(const QString& programDir)
{
    return programFilePath(programDir, QString::fromLatin1(bookmarkFiles().first().fileName));
}

QString helpFilePath(const QString& programDir)
{
    return programFilePath(programDir, QString::fromLatin1(helpFile().fileName));
}

namespace {

// Removes files of `dir` named `fileName` in any case. With `keepExact` the
// file of exactly that name stays (it is about to be replaced in place).
Outcome<> removeNameVariants(const QDir& dir, const QString& fileName, bool keepExact)
{
    Outcome<> status;
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (entry.compare(fileName, Qt::CaseInsensitive) != 0 || (keepExact && entry == fileName))
            continue;
        Outcome<> removed = removeFile(dir.filePath(entry));
        if (status)
            status = std::move(removed);
    }
    return status;
}

} // namespace

Outcome<> writeCarriedFile(const QString& programDir, const CarriedFile& file)
{
    if (programDir.isEmpty())
        return fileFailure(Cause::Failed);
    QFile resource(QString::fromLatin1(file.resource));
    if (!resource.open(QIODevice::ReadOnly))
        return fileFailure(Cause::Failed);
    const QByteArray bytes = resource.readAll();

    const QString name = QString::fromLatin1(file.fileName);
    // The page names its pictures in one exact case; on a file system that
    // tells cases apart an older copy under another case would be a second file.
    Outcome<> removed = removeNameVariants(QDir(programDir), name, true);
    if (!removed)
        return removed;
    return replaceFile(programFilePath(programDir, name), bytes);
}

Outcome<> writeBookmarkFiles(const QString& programDir)
{
    for (const CarriedFile& file : bookmarkFiles()) {
        Outcome<> written = writeCarriedFile(programDir, file);
        if (!written)
            return written;
    }
    return {};
}

void deleteBookmarkFiles(const QString& programDir)
{
    // An empty directory would mean the current one: delete nothing rather than guess.
    if (programDir.isEmpty())
        return;
    const QDir dir(programDir);
    for (const CarriedFile& file : bookmarkFiles())
        removeNameVariants(dir, QString::fromLatin1(file.fileName), false);
}
