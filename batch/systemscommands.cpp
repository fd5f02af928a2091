#include "base/rowfile.h"
#include "base/texts.h"
#include "batch/batchtexts.h"
#include "batch/commandline.h"
#include "batch/commands.h"
#include "rows/patternaccept.h"
#include "systems/analysisreport.h"
#include "systems/coveringsearch.h"
#include "systems/frametext.h"
#include "systems/guaranteeanalysis.h"
#include "systems/ownsystem.h"
#include "systems/systemtables.h"
#include "systems/systemtexts.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <optional>

namespace {

const char* const kAnalyseHelp = R"(Käyttö: rivikone-batch analyse [--pattern KAAVA] TIEDOSTO

Takuuanalyysi: kokeilee rivitiedoston (*.1X2), oman systeemin (*.STM) tai vanhan
muodon rivitiedoston rivejä jokaista kaavan tulosvaihtoehtoa vastaan. Tulostaa
rivimäärän, tulosvaihtoehtojen määrän, takuun (pienin paras osumamäärä) ja
tulosvaihtoehdot parhaan rivin osumien mukaan, sitten kaavan ja rivimäärät
voittoluokittain (keskimäärin, vähintään, enintään).

  --pattern KAAVA   pelatut merkit kohteittain pilkuin erotettuina, kohde 1 ensin,
                    esimerkiksi 1X2,1X2,1X2,1X2,1,1,1,1,1,1,1,1,1; ilman sitä
                    kaava on rivien omat merkit kohteittain

Oma systeemi pelataan kaavalla kuten kupongilla: kaavan kahden merkin kohteet
ottavat systeemin kahden merkin sarakkeet ylhäältä alkaen (tallennettu 1 on
kohteen ensimmäinen merkki, 2 toinen), kolmen merkin kohteet kolmen merkin
sarakkeet, ja yhden merkin kohteet ovat pankkeja. Kaavan muodon pitää olla
systeemin muoto.)";

const char* const kGenerateHelp =
    R"(Käyttö: rivikone-batch generate --pattern KAAVA --guarantee TAKUU [--seconds S] [--seed N] [--moves M] --out TIEDOSTO

Oma harava: etsii kaavan sisältä pienen rivijoukon, jossa on aina vähintään
TAKUU oikein, kun kaikki oikeat merkit ovat pelattujen joukossa, ja tallentaa
sen uuteen rivitiedostoon (*.1X2). Olemassa olevaa tiedostoa ei koskaan korvata.
Jokainen löydetty taulukko tarkastetaan ennen tallennusta. Kun kaavan muoto
sopii ohjelman mukana tulevaan haravaan tai valmiiseen taulukkoon (ohjelman
mukana on taulukko jokaiselle muodolle, jossa on enintään 9 kahden tai kolmen
merkin kohdetta), haku alkaa siitä; valmis taulukko tallennetaan heti, ellei
--seconds tai --moves pyydä hakua.

  --pattern KAAVA   pelatut merkit kohteittain pilkuin erotettuina, kohde 1 ensin;
                    jokaisessa kohteessa vähintään yksi merkki
  --guarantee TAKUU 12, 11 tai 10 oikein
  --seconds S       hakuaika sekunteina, 1 ... 3600 (oletus 10; ilman sitä mutta
                    --moves annettuna vain siirtomäärä rajaa haun)
  --seed N          siemenluku (0 ... 18446744073709551615); ilman sitä kellosta
  --moves M         haun enimmäissiirrot; sama siemen ja sama siirtomäärä antavat
                    aina samat rivit
  --out TIEDOSTO    uusi rivitiedosto; yli 32767 rivin haravaa ei tallenneta)";

// The frame of --pattern: a wrong text is a wrong command line, a match without
// a sign a refused pattern, as for the other commands.
struct FrameRead {
    std::optional<Frame> frame;
    int code = ExitOk;
};
FrameRead readFrame(const CommandLine& line, BatchStreams& io, const QString& command)
{
    FrameRead read;
    QString why;
    const std::optional<MatchTable> marks = parsePattern(line.values.value("--pattern"), why);
    if (!marks) {
        read.code = io.usage(BatchTexts::badValue("--pattern", why), command);
        return read;
    }
    read.frame = frameOfPattern(*marks);
    if (!read.frame) {
        io.message(patternRefusal(PatternOutcome::EmptyMatch));
        read.code = ExitFailed;
    }
    return read;
}

std::optional<quint64> readMoves(const QString& text, QString& error)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,18}$"));
    const quint64 moves = digits.match(text).hasMatch() ? text.toULongLong() : 0;
    if (moves == 0) {
        error = QString::fromUtf8("--moves: Anna siirtomäärä 1 … 999999999999999999 !");
        return std::nullopt;
    }
    return moves;
}

} // namespace

int analyseCommand(const QStringList& arguments, BatchStreams& io)
{
    QString error;
    const auto line = parseCommandLine(arguments, {"--pattern"}, error);
    if (!line)
        return io.usage(error, "analyse");
    if (line->help) {
        io.print(helpLines(kAnalyseHelp));
        return finished(io, ExitOk);
    }
    if (line->positional.size() != 1)
        return io.usage("Anna yksi analysoitava tiedosto !", "analyse");
    std::optional<Frame> frame;
    if (line->values.contains("--pattern")) {
        const FrameRead read = readFrame(*line, io, "analyse");
        if (!read.frame)
            return read.code;
        frame = read.frame;
    }

    const QString& file = line->positional.first();
    const RowFileReadResult read = readRowsArgument(io, file, RowReader::Checking);
    if (!read) {
        tellUnreadable(io, file, read.failedWith(Cause::TooLarge));
        return ExitFailed;
    }
    RowBuffer rows = read->rows;
    if (rows.empty()) {
        io.message(BatchTexts::aboutFile(Texts::FileHasNoRows, file));
        return ExitFailed;
    }
    // An own system's stored signs are columns, not matches: a typed frame
    // says where they are played, as on the coupon.
    const RowFileContents& contents = *read;
    if (frame && contents.layout == RowLayout::OwnSystem) {
        const std::optional<ConversionPlan> plan = systemPlanOnFrame(*frame, contents.halfGuards, contents.fullGuards);
        if (!plan) {
            io.message(QString::fromUtf8("Kaava ei sovi omaan systeemiin: siinä pitää olla %1 kahden ja %2 kolmen "
                                         "merkin kohdetta ! %3")
                           .arg(contents.halfGuards)
                           .arg(contents.fullGuards)
                           .arg(file));
            return ExitFailed;
        }
        convertSystemRows(rows, int(rows.size()), contents.halfGuards, contents.fullGuards, *plan);
    }
    const bool damaged = !allRowsComplete(rows);
    const std::vector<SignRow> signRows = signRowsOf(rows);
    if (!frame)
        frame = frameOfRows(signRows);
    const std::optional<AnalysisResult> result = analyseGuarantee(signRows, *frame);
    if (!result) {
        // Only rows without a single sign on some match leave the frame empty there.
        io.message(BatchTexts::aboutFile(Texts::RowFileDamaged, file));
        return ExitFailed;
    }
    io.print(analysisLines(*result, rows.size(), *frame));
    if (damaged)
        io.message(BatchTexts::aboutFile(Texts::RowFileDamaged, file));
    return finished(io, damaged ? ExitFailed : ExitOk);
}

int generateCommand(const QStringList& arguments, BatchStreams& io)
{
    QString error;
    const auto line =
        parseCommandLine(arguments, {"--pattern", "--guarantee", "--seconds", "--seed", "--moves", "--out"}, error);
    if (!line)
        return io.usage(error, "generate");
    if (line->help) {
        io.print(helpLines(kGenerateHelp));
        return finished(io, ExitOk);
    }
    if (!line->positional.isEmpty())
        return io.usage(BatchTexts::extraArgument(line->positional.first()), "generate");
    for (const char* required : {"--pattern", "--guarantee", "--out"})
        if (!line->values.contains(required))
            return io.usage(BatchTexts::missingOption(required), "generate");
    const FrameRead frame = readFrame(*line, io, "generate");
    if (frame.code == ExitUsage)
        return frame.code;
    QString why;
    const std::optional<int> guarantee =
        parseWholeNumber(line->values.value("--guarantee"), kLowestOwnGuarantee, kHighestOwnGuarantee, why);
    if (!guarantee)
        return io.usage(BatchTexts::badValue("--guarantee", why), "generate");
    CoveringRequest request;
    request.guarantee = *guarantee;
    request.seconds = 10;
    if (line->values.contains("--moves")) {
        const std::optional<quint64> moves = readMoves(line->values.value("--moves"), error);
        if (!moves)
            return io.usage(error, "generate");
        request.moves = *moves;
        request.seconds = 0;
    }
    if (line->values.contains("--seconds")) {
        const std::optional<int> seconds = parseWholeNumber(line->values.value("--seconds"), 1, 3600, why);
        if (!seconds)
            return io.usage(BatchTexts::badValue("--seconds", why), "generate");
        request.seconds = *seconds;
    }
    if (line->values.contains("--seed")) {
        const std::optional<quint64> seed = readSeed(line->values.value("--seed"), error);
        if (!seed)
            return io.usage(error, "generate");
        request.seed = *seed;
    } else {
        request.seed = QRandomGenerator::global()->generate64();
    }
    if (!frame.frame)
        return frame.code;
    request.frame = *frame.frame;
    const QString out = line->values.value("--out");
    if (out.isEmpty())
        return io.usage(BatchTexts::missingOption("--out"), "generate");

    const OwnSystemOutlook outlook = ownSystemOutlook(request.frame, request.guarantee);
    if (outlook.tooManyRows) {
        io.message(tooManyRowsMessage(outlook.lowerBound));
        return ExitFailed;
    }
    // A search takes its time; a name already taken is better told first.
    if (!outFileFree(io, out))
        return ExitFailed;
    const OfferedTable ready = offeredTable(QString(), request.frame, request.guarantee);
    request.startingTable = ready.rows;
    request.partialTables = gluedTables(request.frame, request.guarantee, kGluedTablesTried);
    CoveringResult result;
    // A shape the program was shipped with is answered at once unless a search is asked for.
    const bool searchAsked = line->values.contains("--seconds") || line->values.contains("--moves");
    if (!searchAsked && !shippedTable(request.frame, request.guarantee).rows.empty()) {
        result.status = CoveringStatus::Found;
        result.rows = ready.rows;
        result.outcomes = outlook.outcomes;
        result.lowerBound = outlook.lowerBound;
    } else {
        result = searchCovering(request);
    }
    const QString failure = searchFailureMessage(result);
    if (!failure.isEmpty()) {
        io.message(failure);
        return ExitFailed;
    }
    const RowBuffer rows = rowsOfSigns(result.rows);
    if (!writeNewRowsFile(io, out, rows, int(rows.size())))
        return ExitFailed;
    io.print({QString::fromUtf8(SystemTexts::RowCount).arg(rows.size()),
              QString::fromUtf8(SystemTexts::Guarantee).arg(request.guarantee),
              QString::fromUtf8(SystemTexts::OutcomeCount).arg(result.outcomes),
              QString("Alaraja: %1").arg(result.lowerBound),
              "Kaava: " + frameText(request.frame)});
    return finished(io, ExitOk);
}
