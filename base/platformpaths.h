#pragma once

#include <QString>
#include <QStringList>

// The helper programs the program starts. On Windows they keep their
// historical paths; elsewhere each maps to the desktop's equivalent.
enum class HelperProgram { WwwReader, Calendar, Notepad, Dialer, Calculator, HelpViewer };

struct HelperProgramEntry {
    HelperProgram program;
    const char* windowsPath;
    QStringList candidates; // programs looked for on PATH, in order
};

const QList<HelperProgramEntry>& helperProgramTable();

// The default path of a helper program: its Windows path on Windows; elsewhere
// the first candidate found on PATH, or the first candidate's name when none is.
QString defaultProgramPath(HelperProgram program);

// The program directory: `--dir PATH` on the command line, else RIVIKONE_DIR,
// else the per-user data folder. Created when missing.
QString resolveProgramDir(const QStringList& arguments, const QString& environmentDir, const QString& dataLocation);

// Where the program keeps its own files when no folder is given: "Rivikone"
// in the user's data folder, or the folder earlier versions made inside it
// when that exists, so nothing a player has is left behind.
QString defaultProgramDir(const QString& genericDataLocation);

// Where the file dialogs for the player's own files (rows, own systems,
// exports, print-outs) first start: the program folder when one was given with
// --dir or RIVIKONE_DIR, else "Rivikone" in the user's documents folder.
QString playerFilesFolder(const QString& givenProgramDir, const QString& documentsLocation);

// Where a file dialog starts: the folder a request names, else the folder the
// player last chose a file in, else the player's folder, made when missing.
class FileDialogStart {
public:
    explicit FileDialogStart(QString playerFolder) : playerFolder_(std::move(playerFolder)) {}
    QString folderFor(const QString& requestedFolder);
    void chosen(const QString& path);

private:
    QString playerFolder_;
    QString lastFolder_;
};

// The file the program was started with to open (`arguments` with the program
// first): the first argument that is no option, made absolute against the
// directory the program was started in; "" for none. "--dir" takes its value along.
QString startFileArgument(const QStringList& arguments);

// A filter in the "Name (*.EXT)|*.EXT" form as the toolkit's dialogs take it.
// Extensions match in either case; "*.EXE" means any program file where
// programs carry no extension.
QString qtFileFilter(const QString& windowsFilter);
