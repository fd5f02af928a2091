#include "base/rowfile.h"
#include "base/texts.h"
#include "batch/batchtexts.h"
#include "batch/commandline.h"
#include "batch/commands.h"
#include "rows/patternaccept.h"
#include "systems/frametext.h"
#include "systems/pruningfile.h"
#include "systems/rowworth.h"
#include "systems/systemtexts.h"
#include "systems/worthreport.h"

namespace {

const char* const kValueHelp =
    R"(Käyttö: rivikone-batch value --probabilities TIEDOSTO --public TIEDOSTO --sold N
         --pools 13:A,12:B,11:C,10:D --price HINTA [--odds] TIEDOSTO
       rivikone-batch value … --best N [--pattern KAAVA] --out TIEDOSTO

Odotusarvo: mitä rivit ovat rahassa arvoisia, kun kunkin voittoluokan potti
jaetaan luokan kaikkien voittorivien kesken. Jokainen 3^13 tulosvaihtoehdosta
painotetaan omilla todennäköisyyksillä; muiden pelaajien voittorivien määrä
on Poisson-jakautunut pelijakauman ja myytyjen rivien mukaan, ja omat rivit
jakavat potin myös keskenään. Summa on tarkka, ei otos.

Tulostaa rivimäärän, panoksen, odotusarvon euroina, palautuksen (odotusarvo
jaettuna panoksella), voiton todennäköisyyden ja luokittain todennäköisyyden,
että jollakin rivillä on tasan niin monta oikein, sekä luokan odotusarvon.
TIEDOSTO on rivitiedosto (*.1X2), oma systeemi (*.STM) tai vanhan muodon
rivitiedosto.

  --probabilities TIEDOSTO 13 riviä, kullakin kolme lukua (1, X, 2): prosentit
  --odds                   tiedoston luvut ovat desimaalikertoimia
  --public TIEDOSTO        pelijakauma: 13 riviä, kolme prosenttilukua kullakin
  --sold N                 muiden pelaajien rivien määrä kierroksella
  --pools 13:A,12:B,11:C,10:D
                           luokkien potit euroina (jättipotti kuuluu 13 oikein
                           -pottiin); puuttuvalla luokalla ei pottia
  --price HINTA            rivihinta euroina
  --best N                 valitse kaavasta N riviä yksi kerrallaan: aina rivi,
                           joka lisää valittujen odotusarvoa eniten (tasatilanteessa
                           kaavan järjestyksessä ensimmäinen); 1 ... 32767
  --pattern KAAVA          kaava, josta --best valitsee, kohde 1 ensin (oletus:
                           kaikki 13 kohdetta täysin vaihdeltuina)
  --out TIEDOSTO           --best: uusi rivitiedosto; olemassa olevaa ei korvata)";

// The round as the options give it: a wrong value is a wrong command line.
struct RoundRead {
    std::optional<PoolRound> round;
    QString error;
};
RoundRead readRound(const CommandLine& line)
{
    RoundRead read;
    QString why;
    PoolRound round;
    const std::optional<int> sold = parseWholeNumber(line.values.value("--sold"), 0, 2000000000, why);
    if (!sold) {
        read.error = BatchTexts::badValue("--sold", why);
        return read;
    }
    round.rowsSold = *sold;
    const auto pools = parsePools(line.values.value("--pools"), why);
    if (!pools) {
        read.error = BatchTexts::badValue("--pools", why);
        return read;
    }
    round.pools = *pools;
    const std::optional<double> price = parseDecimal(line.values.value("--price"));
    if (!price || *price <= 0) {
        read.error = QString::fromUtf8("--price: Anna rivihinta euroina, esimerkiksi 0.25 !");
        return read;
    }
    round.rowPrice = *price;
    read.round = round;
    return read;
}

// What --best asks for: how many rows, chosen from which frame, saved where.
struct BestRequest {
    std::size_t count = 0;
    Frame frame;
    QString out;
};

// The options of the two ways of use: rows chosen with --best, or a rows file
// valued. Fills `best` for the first; when the command ends here, returns its
// exit code after telling why.
std::optional<int> readValueMode(const CommandLine& line, BatchStreams& io, std::optional<BestRequest>& best)
{
    const auto has = [&](const char* name) { return line.values.contains(name); };
    QString error;
    if (!has("--best")) {
        for (const char* onlyWithBest : {"--pattern", "--out"})
            if (has(onlyWithBest))
                return io.usage(QString("Valitsin %1 kuuluu valitsimen --best kanssa !").arg(onlyWithBest), "value");
        if (line.positional.size() != 1)
            return io.usage("Anna yksi rivitiedosto !", "value");
        return std::nullopt;
    }
    BestRequest request;
    request.frame.played.fill(7);
    const std::optional<int> n = parseWholeNumber(line.values.value("--best"), 1, kMaxRows, error);
    if (!n)
        return io.usage(BatchTexts::badValue("--best", error), "value");
    request.count = std::size_t(*n);
    if (!has("--out") || line.values.value("--out").isEmpty())
        return io.usage(BatchTexts::missingOption("--out"), "value");
    if (!line.positional.isEmpty())
        return io.usage(BatchTexts::extraArgument(line.positional.first()), "value");
    if (has("--pattern")) {
        const std::optional<MatchTable> marks = parsePattern(line.values.value("--pattern"), error);
        if (!marks)
            return io.usage(BatchTexts::badValue("--pattern", error), "value");
        const std::optional<Frame> typed = frameOfPattern(*marks);
        if (!typed) {
            io.message(patternRefusal(PatternOutcome::EmptyMatch));
            return ExitFailed;
        }
        request.frame = *typed;
    }
    request.out = line.values.value("--out");
    best = request;
    return std::nullopt;
}

// The rows --best chooses, saved as a new rows file; nothing after telling why not.
std::optional<std::vector<SignRow>> savedBestRows(const WorthModel& model, const BestRequest& best, BatchStreams& io)
{
    if (best.count > outcomeCount(best.frame)) {
        io.message(QString::fromUtf8(SystemTexts::FrameHasOnlyRows).arg(outcomeCount(best.frame)));
        return std::nullopt;
    }
    if (!outFileFree(io, best.out))
        return std::nullopt;
    std::vector<SignRow> rows = bestRows(model, best.frame, best.count).value_or(std::vector<SignRow>{});
    const RowBuffer buffer = rowsOfSigns(rows);
    if (!writeNewRowsFile(io, best.out, buffer, int(buffer.size())))
        return std::nullopt;
    return rows;
}

// The rows of a rows file argument; nothing after telling why they cannot be valued.
std::optional<std::vector<SignRow>> rowsOfFile(const QString& file, BatchStreams& io)
{
    const RowFileReadResult read = readRowsArgument(io, file, RowReader::Checking);
    if (!read) {
        io.message(BatchTexts::aboutFile(Texts::FileUnreadable, file));
        return std::nullopt;
    }
    if (read->rows.empty()) {
        io.message(BatchTexts::aboutFile(Texts::FileHasNoRows, file));
        return std::nullopt;
    }
    // A row without a sign on some match is worth nothing sure: refused
    // rather than priced.
    if (!allRowsComplete(read->rows)) {
        io.message(BatchTexts::aboutFile(Texts::RowFileDamaged, file));
        return std::nullopt;
    }
    return signRowsOf(read->rows);
}

} // namespace

int valueCommand(const QStringList& arguments, BatchStreams& io)
{
    QString error;
    OptionNames names;
    names.values = {"--probabilities", "--public", "--sold", "--pools", "--price", "--best", "--pattern", "--out"};
    names.flags = {"--odds"};
    const auto line = parseCommandLine(arguments, names, error);
    if (!line)
        return io.usage(error, "value");
    if (line->help) {
        io.print(helpLines(kValueHelp));
        return finished(io, ExitOk);
    }
    for (const char* required : {"--probabilities", "--public", "--sold", "--pools", "--price"})
        if (!line->values.contains(required))
            return io.usage(BatchTexts::missingOption(required), "value");
    const RoundRead round = readRound(*line);
    if (!round.round)
        return io.usage(round.error, "value");
    std::optional<BestRequest> best;
    if (const std::optional<int> ended = readValueMode(*line, io, best))
        return *ended;

    const std::optional<MatchNumbers> chances =
        readNumbersFile(io, line->values.value("--probabilities"), line->flags.contains("--odds"));
    if (!chances)
        return ExitFailed;
    const std::optional<MatchNumbers> shares = readNumbersFile(io, line->values.value("--public"), false);
    if (!shares)
        return ExitFailed;
    WorthModel model;
    model.chances = chancesOf(*chances);
    model.publicShares = fractionsPerMatch(shares->numbers);
    model.round = *round.round;

    const std::optional<std::vector<SignRow>> rows =
        best ? savedBestRows(model, *best, io) : rowsOfFile(line->positional.first(), io);
    if (!rows)
        return ExitFailed;
    const std::optional<WorthReport> report = worthOfRows(*rows, model, false);
    if (!report)
        return finished(io, ExitFailed);
    io.print(worthLines(*report));
    return finished(io, ExitOk);
}
