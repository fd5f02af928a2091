#pragma once

#include <QString>
#include <QStringList>

// What `rivikone` was started with. Read before the window system is touched,
// so help, the version and a wrong command line need no display and leave
// nothing written behind.
struct StartOptions {
    enum class Action { Run, Help, Version, Refuse };
    Action action = Action::Run;
    QString programDir; // --dir as given; "" when not given
    QString file;       // the file to open, absolute; "" for none
    QString error;      // Refuse: what is wrong, in the user's words
};

// `arguments` with the program first. Besides its own options the line may
// hold the window system's (-platform, -style …), which the toolkit takes.
StartOptions parseStartOptions(const QStringList& arguments);

// "1.0".
QString programVersion();
// "Rivikone 1.0": what both programs print for --version.
QString programVersionLine();
// The program's --help, line by line.
QStringList startHelpLines();
