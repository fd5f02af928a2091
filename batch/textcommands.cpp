#include "base/boundedread.h"
#include "base/rowfile.h"
#include "base/rowtext.h"
#include "base/texts.h"
#include "batch/batchtexts.h"
#include "batch/commandline.h"
#include "batch/commands.h"
#include "batch/output.h"
#include "rows/rowexport.h"
#include "systems/systemtexts.h"

namespace {

const char* const kExportHelp = R"(Käyttö: rivikone-batch export [--format text|csv] TIEDOSTO...

Tulostaa rivitiedostojen (*.1X2) ja omien systeemien (*.STM) rivit tekstinä
verkossa pelaamista varten. Oma systeemi muunnetaan oikeiksi riveiksi kuten
muunnosikkuna sen ensin näyttää: kohteet paikoillaan, merkit sellaisinaan.

  --format text   yksi rivi riviä kohden: 1X21X21X21X21 (oletus)
  --format csv    otsikkorivi ja yksi sarake kutakin kohdetta kohden,
                  pilkuin erotettuina

Useamman tiedoston rivit tulostuvat peräkkäin (CSV:ssä yksi otsikkorivi).
Lukukelvoton tiedosto ohitetaan ilmoituksella, ja ohjelma päättyy lopuksi
paluuarvoon 1; samoin, kun riveillä on muita merkkejä kuin 1, X ja 2 (ne
näkyvät merkkinä ?).)";

const char* const kImportHelp = R"(Käyttö: rivikone-batch import --out UUSI [--skip-refused] TIEDOSTO

Tuo rivit teksti- tai CSV-tiedostosta uuteen rivitiedostoon (*.1X2). Kun
TIEDOSTO on -, rivit luetaan vakiosyötteestä. Olemassa olevaa tiedostoa ei
koskaan korvata. Lopuksi tulostuu tuotujen rivien määrä.

Yksi rivi riviä kohden, 13 merkkiä 1, X tai 2 (myös pieni x). Välilyönnit,
sarkaimet, pilkut, puolipisteet ja lainausmerkit merkkien välissä ohitetaan,
samoin tyhjät rivit ja ensimmäinen rivi, kun se on otsikko. Enintään 32767
riviä.

  --out UUSI        uusi rivitiedosto
  --skip-refused    tuo muut rivit, vaikka joitakin rivejä hylätään; ilman
                    tätä hylätyt rivit luetellaan eikä mitään kirjoiteta)";

} // namespace

int exportCommand(const QStringList& arguments, BatchStreams& io)
{
    QString error;
    const auto line = parseCommandLine(arguments, {"--format"}, error);
    if (!line)
        return io.usage(error, "export");
    if (line->help) {
        io.print(helpLines(kExportHelp));
        return finished(io, ExitOk);
    }
    const QString formatName = line->values.value("--format", "text");
    if (formatName != QLatin1String("text") && formatName != QLatin1String("csv"))
        return io.usage("--format: Tuntematon muoto " + formatName + " ! Valitse text tai csv.", "export");
    if (line->positional.isEmpty())
        return io.usage("Anna vietävät tiedostot !", "export");
    const bool csv = formatName == QLatin1String("csv");

    int code = ExitOk;
    bool headerDone = false;
    for (const QString& file : line->positional) {
        const RowFileReadResult read = rowsForExport(readRowsArgument(io, file, RowReader::Checking));
        if (!read) {
            tellUnreadable(io, file, read.failedWith(Cause::TooLarge));
            code = ExitFailed;
            continue;
        }
        const RowBuffer& rows = read->rows;
        QStringList lines = csv ? rowCsvLines(rows, int(rows.size())) : rowTextLines(rows, int(rows.size()));
        if (csv && headerDone)
            lines.removeFirst();
        headerDone = true;
        io.print(lines);
        for (const QString& text : rowTextLines(rows, int(rows.size())))
            if (text.contains('?')) {
                io.message(BatchTexts::aboutFile(Texts::RowFileDamaged, file));
                code = ExitFailed;
                break;
            }
    }
    return finished(io, code);
}

int importCommand(const QStringList& arguments, BatchStreams& io)
{
    QString error;
    const auto line = parseCommandLine(arguments, {"--out"}, error, {"--skip-refused"});
    if (!line)
        return io.usage(error, "import");
    if (line->help) {
        io.print(helpLines(kImportHelp));
        return finished(io, ExitOk);
    }
    const QString out = line->values.value("--out");
    if (out.isEmpty())
        return io.usage(BatchTexts::missingOption("--out"), "import");
    if (line->positional.size() != 1)
        return io.usage("Anna yksi tuotava tiedosto !", "import");
    const QString& file = line->positional.first();
    if (!outFileFree(io, out))
        return ExitFailed;

    const BoundedRead input = io.readArgument(file, kMaxRowTextBytes);
    if (!input) {
        tellUnreadable(io, file, input.failedWith(Cause::TooLarge));
        return ExitFailed;
    }
    const RowTextReading reading = parseRowText(decodeRowText(*input));
    if (reading.tooManyRows) {
        io.message(QString("Rivejä on enemmän kuin %1 ! Mitään ei tuotu.").arg(kMaxRows));
        return ExitFailed;
    }
    if (reading.header)
        io.message(skippedHeaderText(*reading.header));
    for (const RefusedLine& refused : reading.refused)
        io.message(QString("Rivi %1 ei kelpaa: %2").arg(refused.number).arg(refused.text));
    if (!reading.refused.isEmpty() && !line->flags.contains("--skip-refused")) {
        io.message("Mitään ei tuotu. Korjaa rivit tai anna --skip-refused.");
        return ExitFailed;
    }
    if (reading.rows.empty()) {
        io.message("Tekstissä ei ole yhtään riviä ! Mitään ei tuotu.");
        return ExitFailed;
    }
    // The report goes out first: a file written for a report that could not
    // be would take its name from the rerun.
    const int count = int(reading.rows.size());
    io.print(QString::fromUtf8(SystemTexts::RowCount).arg(count));
    if (!io.flush())
        return finished(io, ExitFailed);
    if (!writeNewRowsFile(io, out, reading.rows, count))
        return ExitFailed;
    return finished(io, ExitOk);
}
