#include "base/platformpaths.h"

#include "base/filenames.h"
#include "base/startoptions.h"

#include <QDir>
#include <QStandardPaths>

const QList<HelperProgramEntry>& helperProgramTable()
{
    static const QList<HelperProgramEntry> table = {
        {HelperProgram::WwwReader, "C:\\NETSCAPE\\NETSCAPE.EXE", {"xdg-open", "firefox", "chromium"}},
        {HelperProgram::Calendar,
         "C:\\WINDOWS\\CALENDAR.EXE",
         {"gnome-calendar", "korganizer", "orage", "evolution", "thunderbird", "xdg-open"}},
        {HelperProgram::Notepad,
         "C:\\WINDOWS\\NOTEPAD.EXE",
         {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "xed", "pluma", "leafpad", "featherpad",
          "xdg-open"}},
        {HelperProgram::Dialer, "DIALER.EXE", {"gnome-contacts", "kaddressbook", "xdg-open"}},
        {HelperProgram::Calculator,
         "CALC.EXE",
         {"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"}},
        // The user guide is an HTML document: the shell opens it in the user's browser.
        {HelperProgram::HelpViewer, "explorer.exe", {"xdg-open"}},
    };
    return table;
}

QString defaultProgramPath(HelperProgram program)
{
    for (const auto& entry : helperProgramTable()) {
        if (entry.program != program)
            continue;
#ifdef Q_OS_WIN
        return QString::fromLatin1(entry.windowsPath);
#else
        for (const QString& candidate : entry.candidates) {
            const QString found = QStandardPaths::findExecutable(candidate);
            if (!found.isEmpty())
                return found;
        }
        return entry.candidates.value(0);
#endif
    }
    return QString();
}

QString resolveProgramDir(const QStringList& arguments, const QString& environmentDir, const QString& dataLocation)
{
    QString dir = parseStartOptions(arguments).programDir;
    if (dir.isEmpty())
        dir = environmentDir;
    if (dir.isEmpty())
        dir = dataLocation;
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    QDir().mkpath(dir);
    return dir;
}

QString defaultProgramDir(const QString& genericDataLocation)
{
    const QString folder = QDir(genericDataLocation).filePath(QStringLiteral("Rivikone"));
    // Earlier versions kept the files one folder deeper, under the name twice.
    const QString earlier = QDir(folder).filePath(QStringLiteral("Rivikone"));
    return isFolder(earlier) ? earlier : folder;
}

QString playerFilesFolder(const QString& givenProgramDir, const QString& documentsLocation)
{
    return givenProgramDir.isEmpty() ? QDir(documentsLocation).filePath(QStringLiteral("Rivikone")) : givenProgramDir;
}

QString FileDialogStart::folderFor(const QString& requestedFolder)
{
    if (!requestedFolder.isEmpty())
        return requestedFolder;
    if (!lastFolder_.isEmpty() && isFolder(lastFolder_))
        return lastFolder_;
    QDir().mkpath(playerFolder_);
    return playerFolder_;
}

void FileDialogStart::chosen(const QString& path)
{
    if (!path.isEmpty())
        lastFolder_ = folderOf(absoluteFileName(path));
}

QString startFileArgument(const QStringList& arguments)
{
    return parseStartOptions(arguments).file;
}

QString qtFileFilter(const QString& windowsFilter)
{
    const QStringList parts = windowsFilter.split('|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const qsizetype paren = name.indexOf('(');
        if (paren >= 0)
            name = name.left(paren);
        name = name.trimmed();
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
#ifndef Q_OS_WIN
            if (pattern.compare("*.EXE", Qt::CaseInsensitive) == 0) {
                patterns << "*";
                continue;
            }
#endif
            patterns << pattern;
            if (pattern.toLower() != pattern)
                patterns << pattern.toLower();
            if (pattern.toUpper() != pattern)
                patterns << pattern.toUpper();
        }
        patterns.removeDuplicates();
        entries << name + " (" + patterns.join(' ') + ")";
    }
    return entries.join(";;");
}
