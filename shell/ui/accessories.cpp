#include "shell/ui/accessories.h"

#include "base/platformpaths.h"
#include "base/textformat.h"
#include "shell/programfiles.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QStringList& accessoryKeys()
{
    static const QStringList keys = {"kal", "mui", "ava", "soi", "win", "calc"};
    return keys;
}

QString programSetting(AppContext& context, const SettingKey& key, HelperProgram program)
{
    return context.services.settings.read(key, defaultProgramPath(program));
}

// The program a stored path names: the file itself, or for a bare name the
// program of that name on the search path, as the system would start it.
QString locateProgram(const QString& path)
{
    if (path.trimmed().isEmpty())
        return QString();
    if (QFileInfo(path).isFile())
        return path;
    if (!path.contains('/') && !path.contains('\\'))
        return QStandardPaths::findExecutable(path);
    return QString();
}

void startCalendar(AppContext& context)
{
    const QString path = programSetting(context, keys::Calendar, HelperProgram::Calendar);
    const QString program = locateProgram(path);
    // A calendar that is there but will not start is as lost to the user as a missing one.
    if (program.isEmpty() || !context.services.launcher.start(program, {}, Launcher::Normal))
        context.services.messages.show(QStringLiteral("En löydä kalenteria !") + path, Messages::Critical);
}

void startNotepad(AppContext& context)
{
    const QString path = programSetting(context, keys::Notepad, HelperProgram::Notepad);
    if (path.trimmed().isEmpty() || !context.services.launcher.start(path, {}, Launcher::Normal))
        context.services.messages.show(QStringLiteral("En löydä asetuksissa määriteltyä muistiota !"),
                                       Messages::Exclamation);
}

void openBookmarksPage(AppContext& context)
{
    const QString reader = programSetting(context, keys::WwwReader, HelperProgram::WwwReader).trimmed();
    const QString programDir = context.state.ProgramDir;
    const Outcome<> written = writeBookmarkFiles(programDir);
    bool ok = written.ok();
    if (ok)
        ok = !reader.isEmpty() &&
             context.services.launcher.start(reader, {bookmarkPagePath(programDir)}, Launcher::Maximized);
    const QString noReader =
        QStringLiteral("WWW-lukijaa ei löydy !") + kLineBreak + "Tarkista 'Asetukset' ikkunassa lukijan sijainti.";
    if (!ok)
        context.services.messages.show(written ? noReader : written.failure().messageOr(noReader),
                                       Messages::Critical);
}

void startDialer(AppContext& context)
{
    const QString dialer = defaultProgramPath(HelperProgram::Dialer);
    // Where the desktop hands telephone numbers to its own dialer, ask it for one.
    QStringList arguments;
    if (QFileInfo(dialer).baseName() == QLatin1String("xdg-open"))
        arguments << QStringLiteral("tel:");
    context.services.launcher.start(dialer, arguments, Launcher::Normal);
}

void startCalculator(AppContext& context)
{
    context.services.launcher.start(defaultProgramPath(HelperProgram::Calculator), {}, Launcher::Normal);
}

void openHelp(AppContext& context)
{
    const QString programDir = context.state.ProgramDir;
    const Outcome<> written = writeCarriedFile(programDir, helpFile());
    if (!written) {
        context.services.messages.show(written.failure().message, Messages::Critical);
        // A copy left by an earlier run still serves.
        if (!QFileInfo::exists(helpFilePath(programDir)))
            return;
    }
    context.services.launcher.start(defaultProgramPath(HelperProgram::HelpViewer), {helpFilePath(programDir)},
                                    Launcher::Normal);
}

} // namespace

bool accessoryAvailable(const QString& key)
{
    return accessoryKeys().contains(key);
}

QString accessoryKeyOf(MainCommand command)
{
    switch (command) {
    case MainCommand::BookmarksPage:
        return QStringLiteral("ava");
    case MainCommand::Help:
        return QStringLiteral("win");
    case MainCommand::Calculator:
        return QStringLiteral("calc");
    }
    return {};
}

bool runAccessory(AppContext& context, const QString& key)
{
    if (key == QLatin1String("kal"))
        startCalendar(context);
    else if (key == QLatin1String("mui"))
        startNotepad(context);
    else if (key == QLatin1String("ava"))
        openBookmarksPage(context);
    else if (key == QLatin1String("soi"))
        startDialer(context);
    else if (key == QLatin1String("win"))
        openHelp(context);
    else if (key == QLatin1String("calc"))
        startCalculator(context);
    else
        return false;
    return true;
}

void removeBookmarkFiles(const QString& programDir)
{
    deleteBookmarkFiles(programDir);
}
