#include "base/ui/rowfileflows.h"
#include "base/texts.h"

#include "base/filenames.h"
#include "base/textformat.h"
#include "base/ui/busycursor.h"

#include <QDir>
#include <QFileInfo>

// Told when an own system of that name already holds other guards.
static const char* const kGiveNewName = "Anna järjestelmälle uusi nimi !";

static void makeProgramDirCurrent(AppContext& context)
{
    if (!context.state.ProgramDir.isEmpty())
        QDir::setCurrent(context.state.ProgramDir);
}

QString ChooseRowFile(AppContext& context, const QString& title, const QString& filter, const QString& defaultExt)
{
    SharedState& s = context.state;
    FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    QString path;
    if (s.DialogMode == 1) {
        path = context.services.fileDialogs.openFile(request);
    } else {
        request.defaultExt = defaultExt.isEmpty() ? QStringLiteral(".1X2") : defaultExt;
        path = context.services.fileDialogs.saveFile(request);
    }
    makeProgramDirCurrent(context);
    if (!path.isEmpty())
        s.CurrentFileTitle = QFileInfo(path).fileName();
    return path;
}

bool SaveRowsFile(AppContext& context, int n)
{
    SharedState& s = context.state;
    Messages& messages = context.services.messages;
    if (s.DrawBusy == 1)
        return false;
    s.DialogMode = 2;
    s.CurrentFile = ChooseRowFile(context, "Anna rivitiedostolle nimi", "Hajarivit (*.1X2)|*.1X2", ".1X2");
    if (s.CurrentFile.isEmpty())
        return false;
    if (QFileInfo::exists(s.CurrentFile)) {
        messages.show(Texts::FileExistsGiveNewName, Messages::Critical, "Tallenna");
        return false;
    }
    Outcome<> status;
    {
        BusyCursor busy;
        status = writeRowsFile(s.CurrentFile, s.Rows, n);
    }
    makeProgramDirCurrent(context);
    if (status.failedWith(Cause::Exists)) {
        messages.show(Texts::FileExistsGiveNewName, Messages::Critical, "Tallenna");
        return false;
    }
    if (!status) {
        messages.show(status.failure().message, Messages::Critical);
        return false;
    }
    return true;
}

bool SaveSystemRow(AppContext& context, int& nextRecord, const std::function<void(int)>& showStored)
{
    SharedState& s = context.state;
    Messages& messages = context.services.messages;
    if (s.BasicSignCount != 13) {
        messages.show(Texts::RowNeedsThirteenSigns, Messages::Critical);
        return false;
    }
    Row row{};
    for (int k = 0; k < kMatches; ++k)
        row[k] = s.BasicSigns[k].isEmpty() ? ' ' : char(s.BasicSigns[k][0].toLatin1());

    // The window is bound to a file only once a row is in it: after a failed
    // first save the next one asks for a file again.
    QString path = s.CurrentFile;
    bool newFile = false;
    if (path.isEmpty()) {
        s.DialogMode = 2;
        path = ChooseRowFile(context, "Anna systeemille nimi !", "Systeemit (*.STM)|*.STM", ".STM");
        if (path.isEmpty())
            return false;
        if (pathExists(path)) {
            if (messages.show("Tiedosto on jo olemassa, haluatko varmasti jatkaa samaan tiedostoon ?",
                              Messages::YesNo | Messages::Question, "Tallenna") != Messages::Yes)
                return false;
            const Outcome<OpenedSystem> existing = openSystemFile(path);
            if (!existing) {
                messages.show(Texts::FileWriteFailed, Messages::Critical);
                return false;
            }
            if (existing->header.halfGuards != s.HalfGuardCount) {
                messages.show("Tässä järjestelmässä on osittainvaihdeltuja " +
                                  QString::number(existing->header.halfGuards) + kLineBreak +
                                  kGiveNewName,
                              Messages::Critical);
                return false;
            }
            if (existing->header.fullGuards != s.FullGuardCount) {
                messages.show("Tässä järjestelmässä on täysinvaihdeltuja " +
                                  QString::number(existing->header.fullGuards) + kLineBreak +
                                  kGiveNewName,
                              Messages::Critical);
                return false;
            }
        } else {
            newFile = true;
        }
    }

    Outcome<> status;
    int rowsStored = 1;
    {
        BusyCursor busy;
        // A new file is written with its header and first row at once, so a
        // failure leaves no empty system behind. A row goes after the rows the
        // file holds then, another copy's included.
        status = newFile ? createSystemFile(path, s.HalfGuardCount, s.FullGuardCount, {row})
                         : appendSystemRow(path, s.HalfGuardCount, s.FullGuardCount, row, &rowsStored);
    }
    if (status.failedWith(Cause::Exists)) {
        messages.show(Texts::FileExistsGiveNewName, Messages::Critical, "Tallenna");
        return false;
    }
    if (!status) {
        messages.show(status.failure().message, Messages::Critical);
        return false;
    }
    s.CurrentFile = path;
    nextRecord = rowsStored + 2;
    if (showStored)
        showStored(nextRecord - 2);
    messages.show("Tallennettu rivi " + signedNumber(nextRecord - 2), Messages::Exclamation);
    return true;
}

bool ReadRowFile(AppContext& context, RowReader reader, const QString& failMessage)
{
    SharedState& s = context.state;
    RowFileReadResult result = Failure{};
    {
        BusyCursor busy;
        result = readRowFile(s.CurrentFile, reader);
    }
    makeProgramDirCurrent(context);
    if (!result) {
        context.services.messages.show(failMessage, Messages::Critical);
        return false;
    }
    s.Rows = std::move(result->rows);
    s.RowCount = int(s.Rows.size());
    if (result->layout == RowLayout::OwnSystem) {
        s.HalfGuardCount = result->halfGuards;
        s.FullGuardCount = result->fullGuards;
    }
    return true;
}

bool isSystemFileName(const QString& path)
{
    return path.endsWith("STM") || path.endsWith("stm");
}
