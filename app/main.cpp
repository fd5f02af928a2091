#include "app/qttexts.h"
#include "app/painterprintdevice.h"
#include "app/realservices.h"
#include "app/singleinstance.h"
#include "base/filenames.h"
#include "base/platformpaths.h"
#include "base/safewrite.h"
#include "base/settings.h"
#include "base/sharedstate.h"
#include "base/startoptions.h"
#include "base/textformat.h"
#include "base/ui/windowregistry.h"
#include "shell/ui/accessories.h"
#include "shell/ui/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    // Taken before anything else, with the bytes of a name that is no UTF-8
    // kept as they were given. Help, the version and a wrong line are answered
    // before the window system is touched: they need no display and write nothing.
    const QStringList arguments = argumentsOf(argc, argv);
    const StartOptions options = parseStartOptions(arguments);
    switch (options.action) {
    case StartOptions::Action::Help:
        std::fputs(qPrintable(startHelpLines().join('\n') + '\n'), stdout);
        return 0;
    case StartOptions::Action::Version:
        std::fputs(qPrintable(programVersionLine() + '\n'), stdout);
        return 0;
    case StartOptions::Action::Refuse:
        std::fputs(qPrintable("rivikone: " + options.error + "\nOhje: rivikone --help\n"), stderr);
        return 2;
    case StartOptions::Action::Run:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Rivikone");
    QApplication::setOrganizationName("Rivikone");
    QApplication::setApplicationVersion(programVersion());
    QApplication::setWindowIcon(QIcon(":/pictures/rivikone.png"));
    // The desktop finds the program's entry and icon by this name.
    QGuiApplication::setDesktopFileName("fi.rivikone.Rivikone");
    installFinnishQtTexts();

    const QString givenDir = options.programDir.isEmpty() ? qEnvironmentVariable("RIVIKONE_DIR") : options.programDir;
    const QString startFile = options.file;
    const QString programDir =
        resolveProgramDir(arguments, qEnvironmentVariable("RIVIKONE_DIR"),
                          defaultProgramDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)));

    BoxMessages messages;
    SingleInstance instance(programDir);
    if (!instance.claim()) {
        // A file opened from the desktop goes to the running copy without a
        // word; a plain second start is told.
        if (startFile.isEmpty())
            messages.show("Ohjelma on jo käynnissä!", Messages::Critical, "Oops!");
        instance.activateRunning(startFile);
        return 0;
    }

    Settings settings(qEnvironmentVariable("RIVIKONE_SETTINGS"));
    // What a crash of an earlier run left half written goes before anything is written.
    for (const QString& dir :
         {programDir, QDir(programDir).filePath("haravat"), QFileInfo(settings.fileName()).absolutePath()})
        removeLeftoversOfDeadWriters(dir);
    removeLeftoverScratchFolders();
    // The player's rows, systems, exports and print-outs go where the player
    // sees them; the program's own files stay in the program directory.
    const QString playerFolder =
        playerFilesFolder(givenDir, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    DialogFileDialogs fileDialogs(playerFolder);
    PainterPrintDevice printer(programDir, messages, &fileDialogs, playerFolder);
    EffectSound sound;
    ProcessLauncher launcher;
    SystemClock clock;
    TimerRandom random;
    WindowRegistry windows;
    Services services{messages, fileDialogs, printer, sound, launcher, clock, random, settings, windows};

    SharedState state;
    state.ProgramDir = programDir;
    QDir::setCurrent(programDir);
    AppContext context{state, services};
    windows.setContext(&context);
    registerAllWindows(windows);

    MainWindow main(context, windows);
    windows.setMainWindow(&main);
    windows.setCommandHandler([&main](MainCommand command) { main.runOperation(accessoryKeyOf(command)); });
    QObject::connect(&instance, &SingleInstance::activationRequested, &main, [&main] {
        main.showNormal();
        main.raise();
        main.activateWindow();
    });
    QObject::connect(&instance, &SingleInstance::openRequested, &main,
                     [&main](const QString& file) { main.openRowFile(file); });
    main.show();
    if (!startFile.isEmpty())
        QTimer::singleShot(0, &main, [&main, startFile] { main.openRowFile(startFile); });
    return app.exec();
}
