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
WriteStatus removeNameVariants(const QDir& dir, const QString& fileName, bool keepExact)
{
    WriteStatus status = WriteStatus::Ok;
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (entry.compare(fileName, Qt::CaseInsensitive) != 0 || (keepExact && entry == fileName))
            continue;
        const WriteStatus removed = removeFile(dir.filePath(entry));
        if (status == WriteStatus::Ok)
            status = removed;
    }
    return status;
}

} // namespace

WriteStatus writeCarriedFile(const QString& programDir, const CarriedFile& file)
{
    if (programDir.isEmpty())
        return WriteStatus::Failed;
    QFile resource(QString::fromLatin1(file.resource));
    if (!resource.open(QIODevice::ReadOnly))
        return WriteStatus::Failed;
    const QByteArray bytes = resource.readAll();

    const QString name = QString::fromLatin1(file.fileName);
    // The page names its pictures in one exact case; on a file system that
    // tells cases apart an older copy under another case would be a second file.
    const WriteStatus removed = removeNameVariants(QDir(programDir), name, true);
    if (removed != WriteStatus::Ok)
        return removed;
    return replaceFile(programFilePath(programDir, name), bytes);
}

WriteStatus writeBookmarkFiles(const QString& programDir)
{
    for (const CarriedFile& file : bookmarkFiles()) {
        const WriteStatus status = writeCarriedFile(programDir, file);
        if (status != WriteStatus::Ok)
            return status;
    }
    return WriteStatus::Ok;
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
