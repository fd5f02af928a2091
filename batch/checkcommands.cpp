#include "base/rowfile.h"
#include "base/texts.h"
#include "batch/batchtexts.h"
#include "batch/commandline.h"
#include "batch/commands.h"
#include "batch/seededrandom.h"
#include "printing/listing.h"
#include "rows/harava.h"
#include "rows/patternaccept.h"
#include "systems/systemtexts.h"

#include <optional>

namespace {

// What every kind of check needs: the correct row and the prizes of the classes.
struct Round {
    Row correct{};
    std::array<double, 4> prizes{};
};

const char* const kCheckHelp = R"(Käyttö: rivikone-batch check --correct RIVI [--prizes P13,P12,P11,P10] TIEDOSTO...

Tarkastaa rivitiedostot (*.1X2), omat systeemit (*.STM, sellaisinaan) ja vanhan
muodon rivitiedostot oikeaa riviä vastaan. Jokaisesta tiedostosta tulostuu rivi
"Tiedosto: NIMI", tarkastetut rivit osumineen ja yhteenveto.

  --correct RIVI    oikea rivi: 13 merkkiä 1, X tai 2, esimerkiksi 1X21X21X21X21
  --prizes SUMMAT   yhden rivin voitto luokissa 13, 12, 11 ja 10 oikein pilkuin
                    erotettuina, esimerkiksi 25000,850,40,4.50; tyhjä summa on 0

Lukukelvoton tiedosto ohitetaan ilmoituksella, ja ohjelma päättyy lopuksi
paluuarvoon 1. Samoin käy, kun tiedoston riveillä on muita merkkejä kuin 1, X
ja 2: rivit tarkastetaan, ja tiedostosta tulee ilmoitus.)";

const char* const kSystemHelp =
    R"(Käyttö: rivikone-batch system --correct RIVI --pattern KAAVA [--prizes P13,P12,P11,P10]

Tarkastaa täysjärjestelmän: kaavan kaikki hajarivit oikeaa riviä vastaan.
Tulostaa yhteenvedon; "Rivejä:" on järjestelmän rivimäärä.

  --correct RIVI    oikea rivi: 13 merkkiä 1, X tai 2
  --pattern KAAVA   pelatut merkit kohteittain pilkuin erotettuina, kohde 1 ensin,
                    esimerkiksi 1,1X,12,X2,1X2,1,1,1,1,1,1,1,1
  --prizes SUMMAT   yhden rivin voitto luokissa 13, 12, 11 ja 10 oikein)";

const char* const kHaravaHelp =
    R"(Käyttö: rivikone-batch harava --system NIMI --correct RIVI --pattern KAAVA [--prizes P13,P12,P11,P10]

Tarkastaa haravan: yhden kuudesta valmiista haravasta pelatulla kaavalla.
Tulostaa yhteenvedon.

  --system NIMI     A60, B81, C222, D432, E729 tai F1296
  --correct RIVI    oikea rivi: 13 merkkiä 1, X tai 2
  --pattern KAAVA   pelatut merkit kohteittain pilkuin erotettuina, kohde 1 ensin;
                    kaavan muodon pitää sopia haravaan
  --prizes SUMMAT   yhden rivin voitto luokissa 13, 12, 11 ja 10 oikein)";

const char* const kListHelp = R"(Käyttö: rivikone-batch list TIEDOSTO

Listaa rivitiedoston rivit kuten näyttöön tulostus, kymmenen rivin ryhmissä,
ja lopuksi rivimäärän.)";

// The correct row and the prizes of a check. Fails with the user's message.
std::optional<Round> readRound(const CommandLine& line, QString& error)
{
    if (!line.values.contains("--correct")) {
        error = BatchTexts::missingOption("--correct");
        return std::nullopt;
    }
    QString why;
    const std::optional<Row> correct = parseRow(line.values.value("--correct"), why);
    if (!correct) {
        error = "--correct: " + why;
        return std::nullopt;
    }
    Round round;
    round.correct = *correct;
    if (line.values.contains("--prizes")) {
        const auto prizes = parsePrizes(line.values.value("--prizes"), why);
        if (!prizes) {
            error = "--prizes: " + why;
            return std::nullopt;
        }
        round.prizes = *prizes;
    }
    return round;
}

std::optional<MatchTable> readPattern(const CommandLine& line, QString& error)
{
    if (!line.values.contains("--pattern")) {
        error = BatchTexts::missingOption("--pattern");
        return std::nullopt;
    }
    QString why;
    const auto marks = parsePattern(line.values.value("--pattern"), why);
    if (!marks)
        error = BatchTexts::badValue("--pattern", why);
    return marks;
}

// The command line of a command that takes no files.
std::optional<CommandLine> optionsOnly(const QStringList& arguments, const QStringList& options, QString& error)
{
    std::optional<CommandLine> line = parseCommandLine(arguments, options, error);
    if (line && !line->help && !line->positional.isEmpty()) {
        error = BatchTexts::extraArgument(line->positional.first());
        return std::nullopt;
    }
    return line;
}

MatchStrings signStrings(const Row& row)
{
    MatchStrings signs;
    for (int k = 0; k < kMatches; ++k)
        signs[k] = QString(QChar::fromLatin1(row[k]));
    return signs;
}

// Every command shows what it can of a file whose rows hold other bytes than
// signs, and then tells it; true when it did.
bool reportDamagedRows(BatchStreams& io, const RowBuffer& rows, const QString& file)
{
    if (signDistribution(rows, int(rows.size())).faultyRows == 0)
        return false;
    io.message(BatchTexts::aboutFile(Texts::RowFileDamaged, file));
    return true;
}

} // namespace

QStringList summaryLines(const PrizeTally& tally, qint64 rows, const std::array<double, 4>& prizes)
{
    QStringList lines;
    for (int hits = kMatches; hits >= kLowestPrizeClass; --hits)
        lines << QString("X %1 X: %2").arg(hits).arg(tally.count(hits));
    lines << QString::fromUtf8(SystemTexts::RowCount).arg(rows);
    lines << QString::fromUtf8("Rivillä: %1").arg(tally.lastFullHitRow);
    lines << QString("Yht.: %1").arg(winTotal(prizes, tally));
    return lines;
}

int checkCommand(const QStringList& arguments, BatchStreams& io)
{
    QString error;
    const auto line = parseCommandLine(arguments, {"--correct", "--prizes"}, error);
    if (!line)
        return io.usage(error, "check");
    if (line->help) {
        io.print(helpLines(kCheckHelp));
        return finished(io, ExitOk);
    }
    const std::optional<Round> round = readRound(*line, error);
    if (!round)
        return io.usage(error, "check");
    if (line->positional.isEmpty())
        return io.usage("Anna tarkastettavat tiedostot !", "check");

    int code = ExitOk;
    for (const QString& file : line->positional) {
        const RowFileReadResult read = readRowsArgument(io, file, RowReader::Checking);
        if (!read) {
            tellUnreadable(io, file, read.failedWith(Cause::TooLarge), QString::fromUtf8(Texts::ThisFileUnreadable));
            code = ExitFailed;
            continue;
        }
        const RowBuffer& rows = read->rows;
        const SingleRowCheck check = checkSingleRows(rows, int(rows.size()), round->correct);
        QStringList lines;
        lines.reserve(check.lines.size() + 8);
        lines << "Tiedosto: " + file;
        lines += check.lines;
        lines += summaryLines(check.tally, qint64(rows.size()), round->prizes);
        io.print(lines);
        if (reportDamagedRows(io, rows, file))
            code = ExitFailed;
    }
    return finished(io, code);
}

int systemCommand(const QStringList& arguments, BatchStreams& io)
{
    QString error;
    const auto line = optionsOnly(arguments, {"--correct", "--pattern", "--prizes"}, error);
    if (!line)
        return io.usage(error, "system");
    if (line->help) {
        io.print(helpLines(kSystemHelp));
        return finished(io, ExitOk);
    }
    const std::optional<Round> round = readRound(*line, error);
    if (!round)
        return io.usage(error, "system");
    const std::optional<MatchTable> marks = readPattern(*line, error);
    if (!marks)
        return io.usage(error, "system");

    SharedState state;
    ResetTaskState(state);
    state.RowSource = 0;
    state.SystemMarks = *marks;
    state.BasicSignCount = markCount(*marks);
    const QString refusal = patternRefusal(acceptPattern(state));
    if (!refusal.isEmpty()) {
        io.message(refusal);
        return ExitFailed;
    }
    const SystemShape shape = systemShape(*marks);
    if (shape.rows > kMaxSystemRows) {
        io.message(QString::fromUtf8(Texts::NoMemoryForSystem));
        return ExitFailed;
    }
    // The rows come in a shuffled order, and "Rivillä:" names the place of the
    // 13-correct row in it; a fixed seed keeps that place the same on every run.
    SeededRandom random(0);
    const RowBuffer rows = expandSystem(*marks, [&random] { return random.next(); });
    const PrizeTally tally = tallyRows(rows, round->correct);
    io.print(summaryLines(tally, shape.rows, round->prizes));
    return finished(io, ExitOk);
}

int haravaCommand(const QStringList& arguments, BatchStreams& io)
{
    QString error;
    const auto line = optionsOnly(arguments, {"--system", "--correct", "--pattern", "--prizes"}, error);
    if (!line)
        return io.usage(error, "harava");
    if (line->help) {
        io.print(helpLines(kHaravaHelp));
        return finished(io, ExitOk);
    }
    if (!line->values.contains("--system"))
        return io.usage(BatchTexts::missingOption("--system"), "harava");
    const QString name = line->values.value("--system");
    const HaravaSystem* system = nullptr;
    for (const HaravaSystem& candidate : haravaSystems())
        if (name.compare(QLatin1String(candidate.name), Qt::CaseInsensitive) == 0)
            system = &candidate;
    if (!system)
        return io.usage("--system: Tuntematon harava " + name + " ! Valitse A60, B81, C222, D432, E729 tai F1296.",
                        "harava");
    const std::optional<Round> round = readRound(*line, error);
    if (!round)
        return io.usage(error, "harava");
    const std::optional<MatchTable> marks = readPattern(*line, error);
    if (!marks)
        return io.usage(error, "harava");

    SharedState state;
    ResetTaskState(state);
    state.HaravaTask = 1;
    state.SystemName = QLatin1String(system->name);
    state.SystemLetter = QString(QChar::fromLatin1(system->letter));
    state.SystemColumns = system->columns;
    state.BasicSigns = signStrings(round->correct);
    state.SystemMarks = *marks;
    state.BasicSignCount = markCount(*marks);
    const PatternOutcome outcome = acceptPattern(state);
    if (outcome != PatternOutcome::CheckHarava) {
        io.message(patternRefusal(outcome));
        return ExitFailed;
    }
    PrizeTally tally;
    const CodedResult coded{state.CodedResult, state.BankerHits};
    if (!scoreHarava(*system, coded, [&tally](int r, int hits) { tally.add(r, hits); })) {
        io.message(QString::fromUtf8(Texts::FileReadError) + QString::number(system->columns));
        return ExitFailed;
    }
    io.print(summaryLines(tally, tally.rowsChecked, round->prizes));
    return finished(io, ExitOk);
}

int listCommand(const QStringList& arguments, BatchStreams& io)
{
    QString error;
    const auto line = parseCommandLine(arguments, QStringList{}, error);
    if (!line)
        return io.usage(error, "list");
    if (line->help) {
        io.print(helpLines(kListHelp));
        return finished(io, ExitOk);
    }
    if (line->positional.size() != 1)
        return io.usage("Anna yksi listattava tiedosto !", "list");

    const QString& file = line->positional.first();
    const RowFileReadResult read = readRowsArgument(io, file, RowReader::PrintTarget);
    if (!read) {
        tellUnreadable(io, file, read.failedWith(Cause::TooLarge));
        return ExitFailed;
    }
    const RowBuffer& rows = read->rows;
    const int count = int(rows.size());
    QStringList lines = screenListing(rows, count);
    lines << QString::fromUtf8(SystemTexts::RowCount).arg(count);
    io.print(lines);
    return finished(io, reportDamagedRows(io, rows, file) ? ExitFailed : ExitOk);
}
