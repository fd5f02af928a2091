#include "base/rowfile.h"
#include "base/texts.h"
#include "batch/batchtexts.h"
#include "batch/commandline.h"
#include "batch/commands.h"
#include "batch/seededrandom.h"
#include "random/drawing.h"
#include "random/rowcount.h"
#include "random/weights.h"

#include <QRegularExpression>
#include <exception>
#include <optional>

namespace {

const char* const kDrawHelp = R"(Käyttö: rivikone-batch draw --basic RIVI --rows N (--weight V | --weights V1,...,V13)
                           [--bankers K,...] [--exclude K:M,...] [--seed S] --out TIEDOSTO

Arpoo painotetut hajarivit perusrivin ympärille ja tallentaa ne uuteen
rivitiedostoon (*.1X2). Olemassa olevaa tiedostoa ei koskaan korvata.
Ensimmäinen rivi on perusrivi itse.

  --basic RIVI       perusrivi: 13 merkkiä 1, X tai 2
  --rows N           arvottavien rivien määrä, 1 ... 500
  --weight V         sama painotus kaikille kohteille: 3 (33 %) ... 10 (80 %)
  --weights V,...    ottelukohtaiset painotukset kohteille 1 ... 13; 11 on varma
  --bankers K,...    varmat kohteet: niissä on aina perusrivin merkki
  --exclude K:M,...  kohteesta K hylätty merkki M, esimerkiksi 3:X,7:2;
                     perusrivin merkkiä ei voi hylätä, kohteesta vain yhden merkin
  --seed S           siemenluku (0 ... 18446744073709551615): sama siemen antaa
                     samat rivit; ilman sitä rivit arvotaan kellosta
  --out TIEDOSTO     uusi rivitiedosto)";

// Weights and the per-match choices of the weighting windows.
struct Weighting {
    bool perMatch = false;
    int common = 0;
    MatchValues weights{};
    MatchValues excluded{};
};

std::optional<int> readWeight(const QString& text, int highest, QString& error)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,2}$"));
    const int weight = digits.match(text).hasMatch() ? text.toInt() : -1;
    if (weight < kMinWeight || weight > highest) {
        error = highest == kBankerWeight ? QString::fromUtf8("Paino %1 ei kelpaa ! Painot ovat 3 … 10, varma 11.")
                                         : QString::fromUtf8("Paino %1 ei kelpaa ! Painot ovat 3 … 10.");
        error = error.arg(text);
        return std::nullopt;
    }
    return weight;
}

// A match number 1 … 13 as typed; the 0-based match.
std::optional<int> readMatch(const QString& text, QString& error)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,2}$"));
    const int match = digits.match(text).hasMatch() ? text.toInt() : 0;
    if (match < 1 || match > kMatches) {
        error = QString::fromUtf8("Kohde %1 ei kelpaa ! Kohteet ovat 1 … 13.").arg(text);
        return std::nullopt;
    }
    return match - 1;
}

// What the weighting windows would have left: one weight for all matches, or
// per-match weights with bankers and switched-off signs.
std::optional<Weighting> readWeighting(const CommandLine& line, const Row& basic, QString& error)
{
    const bool common = line.values.contains("--weight");
    if (common == line.values.contains("--weights")) {
        error = "Anna joko --weight tai --weights !";
        return std::nullopt;
    }
    Weighting w;
    w.excluded.fill(kNoExcludedSign);
    QString why;
    if (common) {
        const auto weight = readWeight(line.values.value("--weight"), kMaxWeight, why);
        if (!weight) {
            error = "--weight: " + why;
            return std::nullopt;
        }
        w.common = *weight;
        w.weights.fill(*weight);
    } else {
        const QStringList values = line.values.value("--weights").split(',');
        if (values.size() != kMatches) {
            error = "--weights: Anna 13 painoa pilkuin erotettuina !";
            return std::nullopt;
        }
        for (int k = 0; k < kMatches; ++k) {
            const auto weight = readWeight(values[k], kBankerWeight, why);
            if (!weight) {
                error = "--weights: " + why;
                return std::nullopt;
            }
            w.weights[k] = *weight;
        }
        w.perMatch = true;
    }
    if (line.values.contains("--bankers")) {
        MatchValues named{};
        for (const QString& text : line.values.value("--bankers").split(',')) {
            const auto match = readMatch(text, why);
            if (!match || named[*match]++) {
                error = "--bankers: " + (match ? QString::fromUtf8("Kohde %1 on annettu kahdesti !").arg(text) : why);
                return std::nullopt;
            }
            w.weights[*match] = kBankerWeight;
        }
        w.perMatch = true;
    }
    if (line.values.contains("--exclude")) {
        for (const QString& text : line.values.value("--exclude").split(',')) {
            const qsizetype colon = text.indexOf(':');
            const auto match = readMatch(colon < 0 ? text : text.left(colon), why);
            if (!match) {
                error = "--exclude: " + why;
                return std::nullopt;
            }
            const QString signText = colon < 0 ? QString() : text.mid(colon + 1);
            const int sign =
                signText.size() == 1 ? signIndex(signText[0] == 'x' ? 'X' : char(signText[0].unicode())) : -1;
            if (sign < 0) {
                error = QString::fromUtf8("--exclude: Anna kohde ja hylättävä merkki, esimerkiksi 3:X !");
                return std::nullopt;
            }
            // The windows offer no box for the basic sign, and one sign per match.
            if (kSigns[sign] == basic[*match]) {
                error = QString::fromUtf8("--exclude: Kohteen %1 perusrivin merkkiä %2 ei voi hylätä !")
                            .arg(*match + 1)
                            .arg(QChar::fromLatin1(kSigns[sign]));
                return std::nullopt;
            }
            if (w.excluded[*match] != kNoExcludedSign) {
                error = QString::fromUtf8("--exclude: Kohteesta %1 voi hylätä vain yhden merkin !").arg(*match + 1);
                return std::nullopt;
            }
            w.excluded[*match] = sign;
        }
        w.perMatch = true;
    }
    return w;
}

// The --rows a draw cannot take, whether no number or one out of bounds.
QString rowCountOutsideLimits()
{
    return QString::fromUtf8("--rows: Anna rivimäärä 1 … %1 !").arg(kMaxDrawCount);
}

} // namespace

int drawCommand(const QStringList& arguments, BatchStreams& io)
{
    QString error;
    const auto line = parseCommandLine(
        arguments, {"--basic", "--rows", "--weight", "--weights", "--bankers", "--exclude", "--seed", "--out"}, error);
    if (!line)
        return io.usage(error, "draw");
    if (line->help) {
        io.print(QString::fromUtf8(kDrawHelp).split('\n'));
        return io.outputOk() ? ExitOk : ExitFailed;
    }
    if (!line->positional.isEmpty())
        return io.usage(BatchTexts::extraArgument(line->positional.first()), "draw");
    for (const char* required : {"--basic", "--rows", "--out"})
        if (!line->values.contains(required))
            return io.usage(BatchTexts::missingOption(required), "draw");

    QString why;
    const std::optional<Row> basic = parseRow(line->values.value("--basic"), why);
    if (!basic)
        return io.usage("--basic: " + why, "draw");
    const std::optional<Weighting> weighting = readWeighting(*line, *basic, error);
    if (!weighting)
        return io.usage(error, "draw");
    const QString rowsText = line->values.value("--rows");
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    if (!digits.match(rowsText).hasMatch())
        return io.usage(rowCountOutsideLimits(), "draw");
    std::optional<SeededRandom> random;
    if (line->values.contains("--seed")) {
        const std::optional<quint64> seed = readSeed(line->values.value("--seed"), error);
        if (!seed)
            return io.usage(error, "draw");
        random.emplace(*seed);
    } else {
        random.emplace();
    }
    const QString out = line->values.value("--out");
    if (out.isEmpty())
        return io.usage(BatchTexts::missingOption("--out"), "draw");

    // What the weighting windows and the row-count window leave for the drawing.
    DrawPlan plan;
    plan.kind = DrawPlan::Weighted;
    plan.basic = *basic;
    plan.weights = weighting->weights;
    plan.excluded = weighting->excluded;
    RowCountLimits limits;
    if (weighting->perMatch) {
        const WeightTotals totals = weightTotals(weighting->weights);
        if (totals.bankerCount > kMatches - 1) {
            io.message(QString::fromUtf8(Texts::TooManyBankers));
            return ExitFailed;
        }
        limits.perMatchWeights = true;
        limits.fullSystemSize = totals.fullSystemSize;
        limits.freeMatchCount = totals.freeMatchCount;
    }
    const RowCountCheck count = checkRowCount(rowsText, plan, limits);
    if (!count.ok) {
        if (count.message.isEmpty())
            return io.usage(rowCountOutsideLimits(), "draw");
        io.message(count.title.isEmpty() ? count.message : count.title + " " + count.message);
        return ExitFailed;
    }
    plan.count = rowsText.toInt();
    // Drawing takes a moment; a name already taken is better told first.
    if (!outFileFree(io, out))
        return ExitFailed;

    RowBuffer rows;
    try {
        RowDrawing drawing(plan, *random);
        error = drawing.error();
        while (error.isEmpty() && !drawing.done())
            drawing.attempt();
        rows = drawing.rows();
    } catch (const std::exception& e) {
        error = QString::fromLocal8Bit(e.what());
    }
    if (!error.isEmpty()) {
        io.message(QString::fromUtf8(Texts::DrawingFailed));
        io.message(error);
        return ExitFailed;
    }
    return writeNewRowsFile(io, out, rows, plan.count) ? ExitOk : ExitFailed;
}
