#include "base/boundedread.h"
#include "base/rowfile.h"
#include "batch/commandline.h"
#include "batch/commands.h"
#include "rows/patternaccept.h"
#include "systems/coveringsearch.h"
#include "systems/frametext.h"
#include "systems/ownsystem.h"
#include "systems/pruning.h"
#include "systems/pruningfile.h"

#include <QRandomGenerator>

namespace {

const char* const kReduceHelp =
    R"(Käyttö: rivikone-batch reduce [--pattern KAAVA] [EHDOT] [--guarantee TAKUU] [--out TIEDOSTO]

Karsinta: pitää kaavan täysjärjestelmästä rivit, jotka täyttävät jokaisen
ehdon, kaavan järjestyksessä (kohde 1 hitaimmin vaihtuva), ja tulostaa
niiden määrän (Rivejä: N). --out tallentaa ne uuteen rivitiedostoon (*.1X2);
olemassa olevaa tiedostoa ei koskaan korvata, eikä yli 32767 riviä tallenneta.

  --pattern KAAVA          pelatut merkit kohteittain pilkuin erotettuina,
                           kohde 1 ensin; korvaa ehtotiedoston kaavan
  --conditions TIEDOSTO    tallennetut karsintaehdot (Karsinta-ikkunan tiedosto);
                           komentorivin ehdot lisätään niihin
  --count MERKKI:MIN-MAX[@KOHTEET]
                           merkin (1, X tai 2) määrä rivissä, esimerkiksi X:2-4;
                           @1,2,3,4 laskee vain nämä kohteet; voi toistaa
  --favourites RIVI        suosikkirivi, 13 merkkiä 1, X, 2 tai - (ei suosikkia)
  --favourite-count MIN-MAX
                           suosikkien määrä rivissä
  --run MIN-MAX            pisin saman merkin putki peräkkäisissä kohteissa
  --changes MIN-MAX        merkin vaihtojen määrä kohteesta seuraavaan (0 ... 12)
  --probabilities TIEDOSTO 13 riviä, kullakin kolme lukua (1, X, 2): prosentit
  --odds                   tiedoston luvut ovat desimaalikertoimia; vedonvälittäjän
                           marginaali poistetaan skaalaamalla 1/kerroin 100 %:iin
  --most-probable N        pidä N todennäköisintä muut ehdot täyttävää riviä
  --min-probability P      pidä rivit, joiden todennäköisyys on vähintään P %
  --public TIEDOSTO        pelijakauma: 13 riviä, kolme prosenttilukua kullakin
  --min-value V            pidä rivit, joiden arvo (todennäköisyys jaettuna
                           pelijakauman osuudella) on vähintään V
  --guarantee TAKUU        etsi pidetyistä riveistä pienempi joukko, jossa on
                           jokaiselle pidetylle riville vähintään TAKUU oikein
                           (12, 11 tai 10)
  --seconds S              takuuhaun aika sekunteina, 1 ... 3600 (oletus 10)
  --seed N                 takuuhaun siemenluku; ilman sitä kellosta
  --out TIEDOSTO           uusi rivitiedosto)";

// A file of numbers or conditions is small; anything much larger is not one.
constexpr qint64 kMostTextFileBytes = 1 << 20;

} // namespace

std::optional<QByteArray> readSmallFile(BatchStreams& io, const QString& path)
{
    const BoundedRead read = io.readArgument(path, kMostTextFileBytes);
    if (!read.ok) {
        tellUnreadable(io, path, read.failure == ReadFailure::TooLarge);
        return std::nullopt;
    }
    return read.bytes;
}

// Thirteen lines of three numbers from a file; the message names the file.
std::optional<MatchNumbers> readNumbersFile(BatchStreams& io, const QString& path, bool odds)
{
    const std::optional<QByteArray> bytes = readSmallFile(io, path);
    if (!bytes)
        return std::nullopt;
    QString error, why;
    const QString text = QString::fromUtf8(*bytes);
    const std::optional<MatchNumbers> numbers = parseMatchNumbers(text, odds, error);
    if (!numbers)
        io.message(
            path + ": " + error +
            (!odds && parseMatchNumbers(text, true, why) ? QString::fromUtf8(" Kertoimille anna --odds.") : QString()));
    return numbers;
}

namespace {

Condition rangeCondition(ConditionKind kind, const CountRange& range)
{
    Condition c;
    c.kind = kind;
    c.range = range;
    return c;
}

} // namespace

int reduceCommand(const QStringList& arguments, BatchStreams& io)
{
    QString error;
    OptionNames names;
    names.values = {"--pattern",       "--favourites",      "--favourite-count",
                    "--run",           "--changes",         "--probabilities",
                    "--most-probable", "--min-probability", "--public",
                    "--min-value",     "--guarantee",       "--conditions",
                    "--out",           "--seconds",         "--seed"};
    names.repeatable = {"--count"};
    names.flags = {"--odds"};
    const auto line = parseCommandLine(arguments, names, error);
    if (!line)
        return io.usage(error, "reduce");
    if (line->help) {
        io.print(helpLines(kReduceHelp));
        return finished(io, ExitOk);
    }
    if (!line->positional.isEmpty())
        return io.usage("Ylimääräinen argumentti " + line->positional.first() + " !", "reduce");
    const auto has = [&](const char* name) { return line->values.contains(name); };
    const auto value = [&](const char* name) { return line->values.value(name); };
    if (!has("--pattern") && !has("--conditions"))
        return io.usage("Valitsin --pattern puuttuu !", "reduce");
    if (has("--favourites") != has("--favourite-count"))
        return io.usage("Anna --favourites ja --favourite-count yhdessä !", "reduce");
    if ((has("--most-probable") || has("--min-probability")) && !has("--probabilities") && !has("--conditions"))
        return io.usage("Anna todennäköisyydet valitsimella --probabilities !", "reduce");
    if (line->flags.contains("--odds") && !has("--probabilities"))
        return io.usage("--odds koskee valitsimen --probabilities tiedostoa !", "reduce");
    if (has("--public") != has("--min-value") && !has("--conditions"))
        return io.usage("Anna --public ja --min-value yhdessä !", "reduce");

    // The command line's own conditions first: a wrong one is a wrong command line.
    std::vector<Condition> conditions;
    for (const QString& text : line->repeated.value("--count")) {
        const std::optional<Condition> c = parseSignCount(text, error);
        if (!c)
            return io.usage("--count: " + error, "reduce");
        conditions.push_back(*c);
    }
    if (has("--favourites")) {
        const auto row = parseFavouriteRow(value("--favourites"), error);
        if (!row)
            return io.usage("--favourites: " + error, "reduce");
        const auto range = parseCountRange(value("--favourite-count"), kFrameMatches, error);
        if (!range)
            return io.usage("--favourite-count: " + error, "reduce");
        Condition c = rangeCondition(ConditionKind::Favourites, *range);
        c.favourites = *row;
        conditions.push_back(c);
    }
    for (auto [option, kind, top] : {std::tuple{"--run", ConditionKind::LongestRun, kFrameMatches},
                                     std::tuple{"--changes", ConditionKind::SignChanges, kFrameMatches - 1}}) {
        if (!has(option))
            continue;
        const auto range = parseCountRange(value(option), top, error);
        if (!range)
            return io.usage(QString("%1: %2").arg(option, error), "reduce");
        conditions.push_back(rangeCondition(kind, *range));
    }
    if (has("--most-probable")) {
        const std::optional<int> n = parseWholeNumber(value("--most-probable"), 1, 1594323, error);
        if (!n)
            return io.usage("--most-probable: " + error, "reduce");
        Condition c;
        c.kind = ConditionKind::MostProbable;
        c.rowsToKeep = std::uint64_t(*n);
        conditions.push_back(c);
    }
    for (auto [option, kind] : {std::pair{"--min-probability", ConditionKind::MinProbability},
                                std::pair{"--min-value", ConditionKind::MinValue}}) {
        if (!has(option))
            continue;
        Condition c;
        c.kind = kind;
        const std::optional<double> x = parseDecimal(value(option));
        c.threshold = x.value_or(-1);
        const QString problem = x ? conditionProblem(c) : QString::fromUtf8("Luku %1 ei kelpaa !").arg(value(option));
        if (!problem.isEmpty())
            return io.usage(QString("%1: %2").arg(option, problem), "reduce");
        conditions.push_back(c);
    }
    int guarantee = 0;
    if (has("--guarantee")) {
        const std::optional<int> g =
            parseWholeNumber(value("--guarantee"), kLowestOwnGuarantee, kHighestOwnGuarantee, error);
        if (!g)
            return io.usage("--guarantee: " + error, "reduce");
        guarantee = *g;
    }
    int seconds = 10;
    if (has("--seconds")) {
        const std::optional<int> s = parseWholeNumber(value("--seconds"), 1, 3600, error);
        if (!s)
            return io.usage("--seconds: " + error, "reduce");
        seconds = *s;
    }
    quint64 seed = QRandomGenerator::global()->generate64();
    if (has("--seed")) {
        const std::optional<quint64> s = readSeed(value("--seed"), error);
        if (!s)
            return io.usage(error, "reduce");
        seed = *s;
    }
    std::optional<Frame> frame;
    if (has("--pattern")) {
        const std::optional<MatchTable> marks = parsePattern(value("--pattern"), error);
        if (!marks)
            return io.usage("--pattern: " + error, "reduce");
        frame = frameOfPattern(*marks);
        if (!frame) {
            io.message(patternRefusal(PatternOutcome::EmptyMatch));
            return ExitFailed;
        }
    }

    // Then the files.
    PruningSet set;
    if (has("--conditions")) {
        const std::optional<QByteArray> bytes = readSmallFile(io, value("--conditions"));
        if (!bytes)
            return ExitFailed;
        const std::optional<PruningSet> read = parsePruningFile(*bytes, error);
        if (!read) {
            io.message(value("--conditions") + ": " + error);
            return ExitFailed;
        }
        set = *read;
    }
    if (frame)
        set.frame = *frame;
    if (has("--probabilities")) {
        set.chances = readNumbersFile(io, value("--probabilities"), line->flags.contains("--odds"));
        if (!set.chances)
            return ExitFailed;
    }
    if (has("--public")) {
        set.publicShares = readNumbersFile(io, value("--public"), false);
        if (!set.publicShares)
            return ExitFailed;
    }
    set.conditions.insert(set.conditions.end(), conditions.begin(), conditions.end());
    const QString problem = pruningSetProblem(set);
    if (!problem.isEmpty()) {
        io.message(problem);
        return ExitFailed;
    }
    const QString out = value("--out");
    if (has("--out") && out.isEmpty())
        return io.usage("Valitsimelta --out puuttuu arvo !", "reduce");
    if (!out.isEmpty() && !outFileFree(io, out))
        return ExitFailed;

    std::vector<SignRow> rows = rowsOfIndices(applyPruning(set).value_or(std::vector<RowIndex>{}));
    const std::size_t kept = rows.size();
    if (guarantee > 0 && !rows.empty()) {
        CoveringRequest request;
        request.frame = set.frame;
        request.guarantee = guarantee;
        request.seconds = seconds;
        request.seed = seed;
        request.outcomesToCover = rows;
        const CoveringResult result = searchCovering(request);
        const QString failure = searchFailureMessage(result);
        if (!failure.isEmpty()) {
            io.message(failure);
            return ExitFailed;
        }
        rows = result.rows;
    }
    if (!out.isEmpty()) {
        if (rows.empty()) {
            io.message(QString::fromUtf8("Yksikään rivi ei täytä ehtoja: tiedostoa ei tallennettu !"));
            return ExitFailed;
        }
        if (rows.size() > std::size_t(kMaxRows)) {
            io.message(tooManyKeptRowsMessage(rows.size()));
            return ExitFailed;
        }
        const RowBuffer buffer = rowsOfSigns(rows);
        if (!writeNewRowsFile(io, out, buffer, int(buffer.size())))
            return ExitFailed;
    }
    io.print(QString::fromUtf8("Rivejä: %1").arg(rows.size()));
    if (guarantee > 0)
        io.print({QString("Takuu: %1").arg(guarantee), QString::fromUtf8("Ehdot täyttäviä rivejä: %1").arg(kept)});
    return finished(io, ExitOk);
}
