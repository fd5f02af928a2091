#include "app/qttexts.h"
#include "app/realservices.h"
#include "app/singleinstance.h"
#include "base/filenames.h"
#include "base/platformpaths.h"
#include "base/safewrite.h"
#include "base/settings.h"
#include "base/sharedstate.h"
#include "base/textformat.h"
#include "base/ui/windowregistry.h"
#include "shell/ui/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Rivikone");
    QApplication::setOrganizationName("Rivikone");
    QApplication::setApplicationVersion(PROJECT_VERSION);
    QApplication::setWindowIcon(QIcon(":/pictures/rivikone.png"));
    // The desktop finds the program's entry and icon by this name.
    QGuiApplication::setDesktopFileName("fi.rivikone.Rivikone");
    if (QApplication::arguments().contains("--version")) {
        std::printf("Rivikone %s\n", PROJECT_VERSION);
        return 0;
    }
    installFinnishQtTexts();

    // Taken before the program directory becomes the current one, with the
    // bytes of a name that is no UTF-8 kept as they were given.
    const QStringList arguments = argumentsOf(argc, argv);
    const QString startFile = startFileArgument(arguments);
    const QString programDir = resolveProgramDir(arguments, qEnvironmentVariable("RIVIKONE_DIR"),
                                                 QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));

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
    DialogFileDialogs fileDialogs;
    PainterPrintDevice printer(programDir, messages, &fileDialogs);
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
    windows.setCommandHandler([&main](const QString& key) { main.runOperation(key); });
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
