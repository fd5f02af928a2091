#include "app/qttexts.h"
#include "app/realservices.h"
#include "app/singleinstance.h"
#include "base/platformpaths.h"
#include "base/settings.h"
#include "base/sharedstate.h"
#include "base/textformat.h"
#include "base/ui/windowregistry.h"
#include "shell/ui/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Rivikone");
    QApplication::setOrganizationName("Rivikone");
    QApplication::setWindowIcon(QIcon(":/pictures/rivikone.png"));
    installFinnishQtTexts();

    const QString programDir = resolveProgramDir(QApplication::arguments(), qEnvironmentVariable("RIVIKONE_DIR"),
                                                 QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));

    BoxMessages messages;
    SingleInstance instance(programDir);
    if (!instance.claim()) {
        // The title now names only the running copy.
        messages.show("Ohjelma on jo käynnissä!", Messages::Critical, "Oops!");
        instance.activateRunning();
        return 0;
    }

    Settings settings(qEnvironmentVariable("RIVIKONE_SETTINGS"));
    DialogFileDialogs fileDialogs;
    PainterPrintDevice printer(programDir, messages);
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
    main.show();
    return app.exec();
}
