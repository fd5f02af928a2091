#include "base/platformpaths.h"

#include "base/filenames.h"

#include <QDir>
#include <QStandardPaths>
#include <QUrl>

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
    QString dir;
    const qsizetype at = arguments.indexOf("--dir");
    if (at >= 0 && at + 1 < arguments.size())
        dir = arguments[at + 1];
    for (const QString& argument : arguments)
        if (argument.startsWith("--dir="))
            dir = argument.mid(6);
    if (dir.isEmpty())
        dir = environmentDir;
    if (dir.isEmpty())
        dir = dataLocation;
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    QDir().mkpath(dir);
    return dir;
}

QString startFileArgument(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--dir")) {
            ++i;
            continue;
        }
        if (argument == QLatin1String("--")) {
            if (i + 1 < arguments.size())
                return absoluteFileName(arguments[i + 1]);
            break;
        }
        if (argument.startsWith('-') || argument.isEmpty())
            continue;
        // A desktop may hand over a location as a file URL.
        const QUrl url(argument);
        return absoluteFileName(url.isLocalFile() ? url.toLocalFile() : argument);
    }
    return QString();
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
