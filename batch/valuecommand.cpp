#include "base/rowfile.h"
#include "batch/commandline.h"
#include "batch/commands.h"
#include "rows/patternaccept.h"
#include "systems/frametext.h"
#include "systems/pruningfile.h"
#include "systems/rowworth.h"
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
        read.error = "--sold: " + why;
        return read;
    }
    round.rowsSold = *sold;
    const auto pools = parsePools(line.values.value("--pools"), why);
    if (!pools) {
        read.error = "--pools: " + why;
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
    const auto has = [&](const char* name) { return line->values.contains(name); };
    for (const char* required : {"--probabilities", "--public", "--sold", "--pools", "--price"})
        if (!has(required))
            return io.usage(QString("Valitsin %1 puuttuu !").arg(required), "value");
    const RoundRead round = readRound(*line);
    if (!round.round)
        return io.usage(round.error, "value");
    const bool best = has("--best");
    std::size_t bestCount = 0;
    Frame frame;
    frame.played.fill(7);
    if (best) {
        const std::optional<int> n = parseWholeNumber(line->values.value("--best"), 1, kMaxRows, error);
        if (!n)
            return io.usage("--best: " + error, "value");
        bestCount = std::size_t(*n);
        if (!has("--out") || line->values.value("--out").isEmpty())
            return io.usage("Valitsin --out puuttuu !", "value");
        if (!line->positional.isEmpty())
            return io.usage("Ylimääräinen argumentti " + line->positional.first() + " !", "value");
        if (has("--pattern")) {
            const std::optional<MatchTable> marks = parsePattern(line->values.value("--pattern"), error);
            if (!marks)
                return io.usage("--pattern: " + error, "value");
            const std::optional<Frame> typed = frameOfPattern(*marks);
            if (!typed) {
                io.message(patternRefusal(PatternOutcome::EmptyMatch));
                return ExitFailed;
            }
            frame = *typed;
        }
    } else {
        for (const char* onlyWithBest : {"--pattern", "--out"})
            if (has(onlyWithBest))
                return io.usage(QString("Valitsin %1 kuuluu valitsimen --best kanssa !").arg(onlyWithBest), "value");
        if (line->positional.size() != 1)
            return io.usage("Anna yksi rivitiedosto !", "value");
    }

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

    std::vector<SignRow> rows;
    if (best) {
        const QString out = line->values.value("--out");
        if (bestCount > outcomeCount(frame)) {
            io.message(QString::fromUtf8("Kaavassa on vain %1 riviä !").arg(outcomeCount(frame)));
            return ExitFailed;
        }
        if (!outFileFree(io, out))
            return ExitFailed;
        rows = bestRows(model, frame, bestCount).value_or(std::vector<SignRow>{});
        const RowBuffer buffer = rowsOfSigns(rows);
        if (!writeNewRowsFile(io, out, buffer, int(buffer.size())))
            return ExitFailed;
    } else {
        const QString& file = line->positional.first();
        const RowFileReadResult read = readRowsArgument(io, file, RowReader::Checking);
        if (!read) {
            io.message("Tiedoston luku ei onnistu ! " + file);
            return ExitFailed;
        }
        if (read->rows.empty()) {
            io.message(QString::fromUtf8("Tiedostossa ei ole rivejä ! ") + file);
            return ExitFailed;
        }
        // A row without a sign on some match is worth nothing sure: refused
        // rather than priced.
        if (!allRowsComplete(read->rows)) {
            io.message("Viallinen rivitiedosto ? " + file);
            return ExitFailed;
        }
        rows = signRowsOf(read->rows);
    }
    const std::optional<WorthReport> report = worthOfRows(rows, model, false);
    if (!report)
        return finished(io, ExitFailed);
    io.print(worthLines(*report));
    return finished(io, ExitOk);
}
