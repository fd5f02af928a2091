#include "base/boundedread.h"
#include "base/rowfile.h"
#include "base/texts.h"
#include "batch/batchtexts.h"
#include "batch/commandline.h"
#include "batch/commands.h"
#include "rows/patternaccept.h"
#include "systems/coveringsearch.h"
#include "systems/frametext.h"
#include "systems/ownsystem.h"
#include "systems/pruning.h"
#include "systems/pruningfile.h"
#include "systems/systemtexts.h"

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
    BoundedRead read = io.readArgument(path, kMostTextFileBytes);
    if (!read) {
        tellUnreadable(io, path, read.failedWith(Cause::TooLarge));
        return std::nullopt;
    }
    return std::move(*read);
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

// What a reduce command line asks for once its options are read; the files it
// names are read only when it runs, so a wrong command line is told first.
struct ReduceRequest {
    std::vector<Condition> conditions; // the command line's own
    std::optional<Frame> frame;        // --pattern
    int guarantee = 0;                 // 0: every row that passes is kept
    int seconds = 10;
    quint64 seed = 0;
    std::optional<QString> conditionsFile, probabilitiesFile, publicFile;
    bool odds = false;
    std::optional<QString> out;
};

// Options that only make sense together, or need another: empty when they agree.
QString combinationProblem(const CommandLine& line)
{
    const auto has = [&](const char* name) { return line.values.contains(name); };
    if (!line.positional.isEmpty())
        return BatchTexts::extraArgument(line.positional.first());
    if (!has("--pattern") && !has("--conditions"))
        return BatchTexts::missingOption("--pattern");
    if (has("--favourites") != has("--favourite-count"))
        return QString::fromUtf8("Anna --favourites ja --favourite-count yhdessä !");
    if ((has("--most-probable") || has("--min-probability")) && !has("--probabilities") && !has("--conditions"))
        return QString::fromUtf8("Anna todennäköisyydet valitsimella --probabilities !");
    if (line.flags.contains("--odds") && !has("--probabilities"))
        return QString::fromUtf8("--odds koskee valitsimen --probabilities tiedostoa !");
    if (has("--public") != has("--min-value") && !has("--conditions"))
        return QString::fromUtf8("Anna --public ja --min-value yhdessä !");
    return {};
}

// The conditions the command line gives, in the order of the help; a wrong
// one is told as a wrong command line (the returned text, empty when none).
QString readLineConditions(const CommandLine& line, std::vector<Condition>& conditions)
{
    QString error;
    const auto has = [&](const char* name) { return line.values.contains(name); };
    const auto value = [&](const char* name) { return line.values.value(name); };
    for (const QString& text : line.repeated.value("--count")) {
        const std::optional<Condition> c = parseSignCount(text, error);
        if (!c)
            return BatchTexts::badValue("--count", error);
        conditions.push_back(*c);
    }
    if (has("--favourites")) {
        const auto row = parseFavouriteRow(value("--favourites"), error);
        if (!row)
            return BatchTexts::badValue("--favourites", error);
        const auto range = parseCountRange(value("--favourite-count"), kFrameMatches, error);
        if (!range)
            return BatchTexts::badValue("--favourite-count", error);
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
            return BatchTexts::badValue(option, error);
        conditions.push_back(rangeCondition(kind, *range));
    }
    if (has("--most-probable")) {
        const std::optional<int> n = parseWholeNumber(value("--most-probable"), 1, kAllRowCount, error);
        if (!n)
            return BatchTexts::badValue("--most-probable", error);
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
        const QString problem =
            x ? conditionProblem(c) : QString::fromUtf8(SystemTexts::NumberNotValid).arg(value(option));
        if (!problem.isEmpty())
            return BatchTexts::badValue(option, problem);
        conditions.push_back(c);
    }
    return {};
}

// Reads the options into `request`. When the command ends there (a wrong
// command line, a refused pattern), returns its exit code after telling why.
std::optional<int> readReduceRequest(const CommandLine& line, BatchStreams& io, ReduceRequest& request)
{
    QString error = combinationProblem(line);
    if (error.isEmpty())
        error = readLineConditions(line, request.conditions);
    if (!error.isEmpty())
        return io.usage(error, "reduce");
    const auto has = [&](const char* name) { return line.values.contains(name); };
    const auto value = [&](const char* name) { return line.values.value(name); };
    if (has("--guarantee")) {
        const std::optional<int> g =
            parseWholeNumber(value("--guarantee"), kLowestOwnGuarantee, kHighestOwnGuarantee, error);
        if (!g)
            return io.usage(BatchTexts::badValue("--guarantee", error), "reduce");
        request.guarantee = *g;
    }
    if (has("--seconds")) {
        const std::optional<int> s = parseWholeNumber(value("--seconds"), 1, 3600, error);
        if (!s)
            return io.usage(BatchTexts::badValue("--seconds", error), "reduce");
        request.seconds = *s;
    }
    request.seed = QRandomGenerator::global()->generate64();
    if (has("--seed")) {
        const std::optional<quint64> s = readSeed(value("--seed"), error);
        if (!s)
            return io.usage(error, "reduce");
        request.seed = *s;
    }
    if (has("--pattern")) {
        const std::optional<MatchTable> marks = parsePattern(value("--pattern"), error);
        if (!marks)
            return io.usage(BatchTexts::badValue("--pattern", error), "reduce");
        request.frame = frameOfPattern(*marks);
        if (!request.frame) {
            io.message(patternRefusal(PatternOutcome::EmptyMatch));
            return ExitFailed;
        }
    }
    const auto optional = [&](const char* name) { return has(name) ? std::optional(value(name)) : std::nullopt; };
    request.conditionsFile = optional("--conditions");
    request.probabilitiesFile = optional("--probabilities");
    request.publicFile = optional("--public");
    request.odds = line.flags.contains("--odds");
    request.out = optional("--out");
    return std::nullopt;
}

// The conditions file, the pattern and the numbers files made one set of
// conditions; nothing when a file cannot be read or the set does not do.
std::optional<PruningSet> readPruningSet(const ReduceRequest& request, BatchStreams& io)
{
    PruningSet set;
    if (request.conditionsFile) {
        const std::optional<QByteArray> bytes = readSmallFile(io, *request.conditionsFile);
        if (!bytes)
            return std::nullopt;
        QString error;
        const std::optional<PruningSet> read = parsePruningFile(*bytes, error);
        if (!read) {
            io.message(*request.conditionsFile + ": " + error);
            return std::nullopt;
        }
        set = *read;
    }
    if (request.frame)
        set.frame = *request.frame;
    if (request.probabilitiesFile) {
        set.chances = readNumbersFile(io, *request.probabilitiesFile, request.odds);
        if (!set.chances)
            return std::nullopt;
    }
    if (request.publicFile) {
        set.publicShares = readNumbersFile(io, *request.publicFile, false);
        if (!set.publicShares)
            return std::nullopt;
    }
    set.conditions.insert(set.conditions.end(), request.conditions.begin(), request.conditions.end());
    const QString problem = pruningSetProblem(set);
    if (!problem.isEmpty()) {
        io.message(problem);
        return std::nullopt;
    }
    return set;
}

// The rows the set keeps, or with a guarantee a smaller table among them;
// nothing when the search found none it may give.
std::optional<std::vector<SignRow>> reducedRows(const ReduceRequest& request, const PruningSet& set,
                                                BatchStreams& io, std::size_t& kept)
{
    std::vector<SignRow> rows = rowsOfIndices(applyPruning(set).value_or(std::vector<RowIndex>{}));
    kept = rows.size();
    if (request.guarantee == 0 || rows.empty())
        return rows;
    CoveringRequest covering;
    covering.frame = set.frame;
    covering.guarantee = request.guarantee;
    covering.seconds = request.seconds;
    covering.seed = request.seed;
    covering.outcomesToCover = rows;
    const CoveringResult result = searchCovering(covering);
    const QString failure = searchFailureMessage(result);
    if (!failure.isEmpty()) {
        io.message(failure);
        return std::nullopt;
    }
    return result.rows;
}

int runReduce(const ReduceRequest& request, BatchStreams& io)
{
    const std::optional<PruningSet> set = readPruningSet(request, io);
    if (!set)
        return ExitFailed;
    const QString out = request.out.value_or(QString());
    if (request.out && out.isEmpty())
        return io.usage(QString::fromUtf8(Texts::OptionLacksValue).arg("--out"), "reduce");
    if (!out.isEmpty() && !outFileFree(io, out))
        return ExitFailed;

    std::size_t kept = 0;
    const std::optional<std::vector<SignRow>> rows = reducedRows(request, *set, io, kept);
    if (!rows)
        return ExitFailed;
    if (!out.isEmpty()) {
        if (rows->empty()) {
            io.message(QString::fromUtf8("Yksikään rivi ei täytä ehtoja: tiedostoa ei tallennettu !"));
            return ExitFailed;
        }
        if (rows->size() > std::size_t(kMaxRows)) {
            io.message(tooManyKeptRowsMessage(rows->size()));
            return ExitFailed;
        }
        const RowBuffer buffer = rowsOfSigns(*rows);
        if (!writeNewRowsFile(io, out, buffer, int(buffer.size())))
            return ExitFailed;
    }
    io.print(QString::fromUtf8(SystemTexts::RowCount).arg(rows->size()));
    if (request.guarantee > 0)
        io.print({QString::fromUtf8(SystemTexts::Guarantee).arg(request.guarantee),
                  QString::fromUtf8(SystemTexts::KeptRowCount).arg(kept)});
    return finished(io, ExitOk);
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
    ReduceRequest request;
    if (const std::optional<int> ended = readReduceRequest(*line, io, request))
        return *ended;
    return runReduce(request, io);
}
