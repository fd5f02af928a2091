#include "base/ui/rowtextflows.h"
#include "base/texts.h"
#include "base/boundedread.h"

#include "base/rowtext.h"
#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/rowfileflows.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>

namespace {

// Refused lines shown in one message; a longer list ends with how many more.
constexpr int kRefusedLinesShown = 12;

const char* const kExportTitle = "Vie rivit";
const char* const kImportTitle = "Tuo rivit";

bool damaged(const RowBuffer& rows, int count)
{
    for (int i = 0; i < count; ++i)
        for (char c : rows[i])
            if (signIndex(c) < 0)
                return true;
    return false;
}

QString rowCountText(int n)
{
    return signedNumber(n) + (n == 1 ? " rivi" : " riviä");
}

// "Tiedostoon X vietiin N riviä.": what an export or an import moved where.
QString rowsMovedText(const QString& title, const char* moved, int n)
{
    return "Tiedostoon " + title + " " + moved + rowCountText(n) + ".";
}

QString refusedList(const QList<RefusedLine>& refused)
{
    QString text = "Nämä rivit eivät ole 13 merkin rivejä:";
    for (qsizetype i = 0; i < refused.size() && i < kRefusedLinesShown; ++i)
        text += kLineBreak + QString::fromUtf8(Texts::NumberedLine).arg(refused[i].number).arg(refused[i].text);
    if (refused.size() > kRefusedLinesShown)
        text += kLineBreak + QString::fromUtf8("… ja %1 muuta").arg(refused.size() - kRefusedLinesShown);
    return text;
}

} // namespace

bool ExportRows(AppContext& context, const RowBuffer& rows, int count, RowExportTarget target)
{
    SharedState& s = context.state;
    Messages& messages = context.services.messages;
    const int n = std::clamp<int>(count, 0, int(rows.size()));
    if (n == 0) {
        messages.show("Vietäviä rivejä ei ole !", Messages::Exclamation, kExportTitle);
        return false;
    }
    if (damaged(rows, n)) {
        messages.show(Texts::RowFileDamaged, Messages::Critical, kExportTitle);
        return false;
    }
    if (target == RowExportTarget::Clipboard) {
        QGuiApplication::clipboard()->setText(rowTextLines(rows, n).join('\n') + '\n');
        messages.show("Leikepöydälle kopioitiin" + rowCountText(n) + ".", Messages::Information, kExportTitle);
        return true;
    }

    const bool csv = target == RowExportTarget::CsvFile;
    s.DialogMode = 2;
    const QString path =
        csv ? ChooseRowFile(context, "Anna CSV-tiedostolle nimi", "CSV-tiedostot (*.csv)|*.csv", ".csv")
            : ChooseRowFile(context, "Anna tekstitiedostolle nimi", "Tekstitiedostot (*.txt)|*.txt", ".txt");
    if (path.isEmpty())
        return false;
    const QString title = QFileInfo(path).fileName();
    const bool exists = QFileInfo::exists(path);
    if (exists &&
        messages.show(QString::fromUtf8(Texts::FileExistsReplace).arg(title),
                      Messages::YesNo | Messages::Question | Messages::DefaultButton2, kExportTitle) != Messages::Yes)
        return false;
    Outcome<> status;
    {
        BusyCursor busy;
        const QByteArray bytes = textFileBytes(rowLines(csv ? RowTextFormat::Csv : RowTextFormat::Text, rows, n));
        status = exists ? replaceFile(path, bytes) : createNewFile(path, bytes);
    }
    if (status.failedWith(Cause::Exists)) {
        messages.show(Texts::FileExistsGiveNewName, Messages::Critical, kExportTitle);
        return false;
    }
    if (!status) {
        messages.show(status.failure().message, Messages::Critical);
        return false;
    }
    messages.show(rowsMovedText(title, "vietiin", n), Messages::Information, kExportTitle);
    return true;
}

bool ImportRowText(AppContext& context, const QString& text)
{
    SharedState& s = context.state;
    Messages& messages = context.services.messages;
    if (s.DrawBusy == 1)
        return false;
    RowTextReading reading;
    {
        BusyCursor busy;
        reading = parseRowText(text);
    }
    if (reading.tooManyRows) {
        messages.show(QString("Rivejä on enemmän kuin %1 !").arg(kMaxRows) + kLineBreak +
                          "Rivitiedostoon mahtuu enintään " + QString::number(kMaxRows) + " riviä.",
                      Messages::Critical, kImportTitle);
        return false;
    }
    const int n = int(reading.rows.size());
    if (n == 0) {
        QString why = "Tekstissä ei ole yhtään riviä !";
        if (!reading.refused.isEmpty())
            why = refusedList(reading.refused) + kLineBreak + kLineBreak + why;
        messages.show(why, Messages::Critical, kImportTitle);
        return false;
    }
    if (!reading.refused.isEmpty() &&
        messages.show(refusedList(reading.refused) + kLineBreak + kLineBreak + "Tuodaanko muut" + rowCountText(n) +
                          " ?",
                      Messages::YesNo | Messages::Question | Messages::DefaultButton2, kImportTitle) != Messages::Yes)
        return false;

    const std::optional<RefusedLine> header = reading.header;
    s.Rows = std::move(reading.rows);
    s.RowCount = n;
    // The rows stay until a file takes them or the user gives up.
    while (!SaveRowsFile(context, n))
        if (s.CurrentFile.isEmpty())
            return false;
    messages.show(rowsMovedText(s.CurrentFileTitle, "tuotiin", n) +
                      (header ? kLineBreak + skippedHeaderText(*header) : QString()),
                  Messages::Information, kImportTitle);
    return true;
}

bool ImportRowsFromFile(AppContext& context)
{
    SharedState& s = context.state;
    Messages& messages = context.services.messages;
    s.DialogMode = 1;
    const QString path = ChooseRowFile(context, "Valitse tuotava teksti- tai CSV-tiedosto !",
                                       "Teksti ja CSV (*.txt;*.csv)|*.txt;*.csv|Kaikki tiedostot (*)|*");
    if (path.isEmpty())
        return false;
    BoundedRead read = [&] {
        BusyCursor busy;
        return readAtMost(path, kMaxRowTextBytes);
    }();
    if (read.failedWith(Cause::TooLarge)) {
        messages.show("Tiedosto on liian suuri rivitiedostoksi !", Messages::Critical, kImportTitle);
        return false;
    }
    if (!read) {
        messages.show(Texts::FileUnreadable, Messages::Critical, kImportTitle);
        return false;
    }
    return ImportRowText(context, decodeRowText(*read));
}

bool ImportRowsFromClipboard(AppContext& context)
{
    const QString text = QGuiApplication::clipboard()->text();
    if (text.trimmed().isEmpty()) {
        context.services.messages.show("Leikepöydällä ei ole tekstiä !", Messages::Exclamation, kImportTitle);
        return false;
    }
    if (text.size() > kMaxRowTextBytes) {
        context.services.messages.show("Leikepöydän teksti on liian pitkä rivitiedostoksi !", Messages::Critical,
                                       kImportTitle);
        return false;
    }
    return ImportRowText(context, text);
}
