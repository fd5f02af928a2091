#include "systems/pruningfile.h"

#include "base/rows.h"
#include "base/texts.h"
#include "systems/frametext.h"
#include "systems/systemtexts.h"
#include "systems/worthreport.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringConverter>
#include <QStringList>
#include <cmath>

namespace {

constexpr char kSignLetters[3] = {'1', 'X', '2'};

// The file's words, one place for writing and reading.
const char* const kHeading = "# Rivikone: karsintaehdot";
const char* const kFrameWord = "kaava";
const char* const kOffWord = "pois";
const char* const kPercentWord = "prosentit";
const char* const kOddsWord = "kertoimet";
const char* const kPublicWord = "pelijakauma";
// The round, for the worth of rows.
const char* const kSoldWord = "myydyt";
const char* const kPoolsWord = "potit";
const char* const kPriceWord = "rivihinta";

struct KindWord {
    ConditionKind kind;
    const char* word;
};
const KindWord kKindWords[] = {
    {ConditionKind::SignCount, "merkit"},
    {ConditionKind::Favourites, "suosikit"},
    {ConditionKind::LongestRun, "putki"},
    {ConditionKind::SignChanges, "vaihdot"},
    {ConditionKind::MostProbable, "todennäköisimmät"},
    {ConditionKind::MinProbability, "todennäköisyys"},
    {ConditionKind::MinValue, "arvo"},
};

int signOfLetter(QChar c)
{
    switch (c.toUpper().unicode()) {
    case '1':
        return 0;
    case 'X':
        return 1;
    case '2':
        return 2;
    default:
        return -1;
    }
}

QString rangeText(const CountRange& r)
{
    return QString("%1-%2").arg(r.least).arg(r.most);
}

QStringList words(const QString& line)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return line.split(blanks, Qt::SkipEmptyParts);
}

QString conditionFileText(const Condition& c)
{
    QString text;
    for (const KindWord& k : kKindWords)
        if (k.kind == c.kind)
            text = QString::fromUtf8(k.word);
    switch (c.kind) {
    case ConditionKind::SignCount:
        text += ' ' + signCountText(c);
        break;
    case ConditionKind::Favourites:
        text += ' ' + favouriteRowText(c.favourites) + ' ' + rangeText(c.range);
        break;
    case ConditionKind::LongestRun:
    case ConditionKind::SignChanges:
        text += ' ' + rangeText(c.range);
        break;
    case ConditionKind::MostProbable:
        text += ' ' + QString::number(c.rowsToKeep);
        break;
    case ConditionKind::MinProbability:
    case ConditionKind::MinValue:
        text += ' ' + exactNumberText(c.threshold);
        break;
    }
    return c.on ? text : QString::fromUtf8(kOffWord) + ' ' + text;
}

std::optional<Condition> parseConditionWords(ConditionKind kind, const QStringList& args, QString& error)
{
    Condition c;
    c.kind = kind;
    const qsizetype wanted = kind == ConditionKind::Favourites ? 2 : 1;
    if (args.size() != wanted) {
        error = QString::fromUtf8("Ehdosta puuttuu tai siinä on liikaa arvoja !");
        return std::nullopt;
    }
    switch (kind) {
    case ConditionKind::SignCount: {
        const auto read = parseSignCount(args[0], error);
        if (!read)
            return std::nullopt;
        c = *read;
        break;
    }
    case ConditionKind::Favourites: {
        const auto row = parseFavouriteRow(args[0], error);
        const auto range = row ? parseCountRange(args[1], kFrameMatches, error) : std::nullopt;
        if (!range)
            return std::nullopt;
        c.favourites = *row;
        c.range = *range;
        break;
    }
    case ConditionKind::LongestRun:
    case ConditionKind::SignChanges: {
        const auto range = parseCountRange(args[0], conditionRangeTop(kind), error);
        if (!range)
            return std::nullopt;
        c.range = *range;
        break;
    }
    case ConditionKind::MostProbable: {
        bool ok = false;
        const qulonglong n = args[0].toULongLong(&ok);
        if (!ok || n < 1 || n > kAllRowCount) {
            error = QString::fromUtf8("Anna rivimäärä 1 … %1 !").arg(kAllRowCount);
            return std::nullopt;
        }
        c.rowsToKeep = n;
        break;
    }
    case ConditionKind::MinProbability:
    case ConditionKind::MinValue: {
        const auto x = parseDecimal(args[0]);
        if (!x) {
            error = QString::fromUtf8(SystemTexts::NumberNotValid).arg(args[0]);
            return std::nullopt;
        }
        c.threshold = *x;
        break;
    }
    }
    const QString problem = conditionProblem(c);
    if (!problem.isEmpty()) {
        error = problem;
        return std::nullopt;
    }
    return c;
}

} // namespace

std::optional<double> parseDecimal(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^[0-9]+([.,][0-9]*)?$|^[.,][0-9]+$"));
    const QString t = text.trimmed();
    if (!number.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double x = QString(t).replace(',', '.').toDouble(&ok);
    if (!ok || !std::isfinite(x))
        return std::nullopt;
    return x;
}

QString exactNumberText(double x)
{
    // Never with an exponent: the readers take plain decimals only.
    return QString::number(x, 'f', QLocale::FloatingPointShortest);
}

std::optional<CountRange> parseCountRange(const QString& text, int top, QString& error)
{
    static const QRegularExpression rangePattern(QString::fromUtf8("^\\s*(\\d{1,3})\\s*(?:[-–]\\s*(\\d{1,3})\\s*)?$"));
    const QRegularExpressionMatch m = rangePattern.match(text);
    if (!m.hasMatch()) {
        error = QString::fromUtf8("Anna vähimmäis- ja enimmäismäärä muodossa 2-4 (%1 ei kelpaa) !").arg(text);
        return std::nullopt;
    }
    CountRange range;
    range.least = m.captured(1).toInt();
    range.most = m.captured(2).isEmpty() ? range.least : m.captured(2).toInt();
    if (range.least > range.most) {
        error = rangeReversedText(range);
        return std::nullopt;
    }
    if (range.most > top) {
        error = rangeOutsideText(top);
        return std::nullopt;
    }
    return range;
}

std::optional<std::uint16_t> parseMatchList(const QString& text, QString& error)
{
    std::uint16_t matches = 0;
    for (const QString& part : text.split(',')) {
        bool ok = false;
        const int match = part.trimmed().toInt(&ok);
        if (!ok || match < 1 || match > kFrameMatches) {
            error = QString::fromUtf8("Kohteen numero %1 ei kelpaa: anna kohteet 1 … 13 !").arg(part.trimmed());
            return std::nullopt;
        }
        matches |= std::uint16_t(1u << (match - 1));
    }
    return matches;
}

std::optional<Condition> parseSignCount(const QString& text, QString& error)
{
    const qsizetype colon = text.indexOf(':');
    const int sign = colon == 1 ? signOfLetter(text[0]) : -1;
    if (sign < 0) {
        error = QString::fromUtf8("Anna merkkiehto muodossa X:2-4 tai 1:1-3@1,2,3,4 (%1 ei kelpaa) !").arg(text);
        return std::nullopt;
    }
    Condition c;
    c.kind = ConditionKind::SignCount;
    c.sign = std::uint8_t(sign);
    const qsizetype at = text.indexOf('@');
    const QString rangePart = text.mid(2, at < 0 ? -1 : at - 2);
    const auto range = parseCountRange(rangePart, kFrameMatches, error);
    if (!range)
        return std::nullopt;
    c.range = *range;
    if (at >= 0) {
        const auto matches = parseMatchList(text.mid(at + 1), error);
        if (!matches)
            return std::nullopt;
        c.matches = *matches;
    }
    return c;
}

std::optional<SignRow> parseFavouriteRow(const QString& text, QString& error)
{
    const QString t = text.trimmed();
    SignRow row{};
    bool ok = t.size() == kFrameMatches;
    for (int m = 0; ok && m < kFrameMatches; ++m) {
        const int sign = signOfLetter(t[m]);
        ok = sign >= 0 || t[m] == '-';
        row[m] = sign >= 0 ? std::uint8_t(sign) : kNoFavourite;
    }
    if (!ok) {
        error = QString::fromUtf8("Anna suosikkirivi 13 merkkinä 1, X tai 2 (- kun kohteessa ei ole suosikkia) !");
        return std::nullopt;
    }
    return row;
}

QString signCountText(const Condition& c)
{
    QString text = QString("%1:%2").arg(QChar(kSignLetters[c.sign % 3]), rangeText(c.range));
    if ((c.matches & kAllMatches) != kAllMatches) {
        QStringList matches;
        for (int m = 0; m < kFrameMatches; ++m)
            if (c.matches >> m & 1)
                matches << QString::number(m + 1);
        text += '@' + matches.join(',');
    }
    return text;
}

QString favouriteRowText(const SignRow& favourites)
{
    QString text;
    for (std::uint8_t s : favourites)
        text += s < 3 ? QChar(kSignLetters[s]) : QChar('-');
    return text;
}

std::optional<std::array<double, 3>> parseThreeNumbers(const QString& line, QString& error)
{
    static const QRegularExpression separators(QStringLiteral("[\\s;]+"));
    QStringList fields = line.split(separators, Qt::SkipEmptyParts);
    if (fields.size() == 1)
        fields = fields.first().split(',');
    std::array<double, 3> three{};
    bool ok = fields.size() == 3;
    for (int s = 0; ok && s < 3; ++s) {
        const auto x = parseDecimal(fields[s]);
        ok = x.has_value();
        three[s] = x.value_or(0);
    }
    if (!ok) {
        error = QString::fromUtf8("Anna kolme lukua (1, X ja 2) !");
        return std::nullopt;
    }
    return three;
}

std::optional<MatchNumbers> parseMatchNumbers(const QString& text, bool odds, QString& error)
{
    MatchNumbers numbers;
    numbers.odds = odds;
    int match = 0;
    const QStringList lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (match == kFrameMatches) {
            error = QString::fromUtf8("Rivi %1: lukuja on enemmän kuin 13 kohteelle !").arg(i + 1);
            return std::nullopt;
        }
        QString why;
        const auto three = parseThreeNumbers(line, why);
        if (!three) {
            error = QString::fromUtf8(Texts::NumberedLine).arg(i + 1).arg(why);
            return std::nullopt;
        }
        numbers.numbers[std::size_t(match++)] = *three;
    }
    if (match < kFrameMatches) {
        error = QString::fromUtf8("Lukuja on vain %1 kohteelle; anna 13 riviä, kolme lukua kullakin !").arg(match);
        return std::nullopt;
    }
    const QString problem = numbersProblem(numbers);
    if (!problem.isEmpty()) {
        error = problem;
        return std::nullopt;
    }
    return numbers;
}

QByteArray pruningFileBytes(const PruningSet& set)
{
    QStringList lines;
    lines << QString::fromUtf8(kHeading);
    lines << QString::fromUtf8(kFrameWord) + ' ' + frameText(set.frame);
    const auto numberLines = [&](const char* word, const MatchNumbers& n) {
        for (int m = 0; m < kFrameMatches; ++m)
            lines << QString("%1 %2 %3 %4 %5")
                         .arg(QString::fromUtf8(word))
                         .arg(m + 1)
                         .arg(exactNumberText(n.numbers[m][0]), exactNumberText(n.numbers[m][1]),
                              exactNumberText(n.numbers[m][2]));
    };
    if (set.chances)
        numberLines(set.chances->odds ? kOddsWord : kPercentWord, *set.chances);
    if (set.publicShares)
        numberLines(kPublicWord, *set.publicShares);
    if (set.round) {
        lines << QString::fromUtf8(kSoldWord) + ' ' + exactNumberText(set.round->rowsSold);
        lines << QString::fromUtf8(kPoolsWord) + ' ' + poolsText(set.round->pools);
        lines << QString::fromUtf8(kPriceWord) + ' ' + exactNumberText(set.round->rowPrice);
    }
    for (const Condition& c : set.conditions)
        lines << conditionFileText(c);
    return (lines.join('\n') + '\n').toUtf8();
}

namespace {

// A conditions file read line by line. Each reader takes the words after the
// line's first one, and on a line that does not do returns false with why.
class PruningFileReader {
public:
    bool readLine(const QString& line, QString& why)
    {
        QStringList w = words(line);
        const QString first = w.takeFirst().toLower();
        if (first == QLatin1String(kFrameWord))
            return readFrame(w, why);
        if (first == QLatin1String(kPercentWord) || first == QLatin1String(kOddsWord) ||
            first == QLatin1String(kPublicWord))
            return readNumbers(first, w, why);
        if (first == QLatin1String(kSoldWord) || first == QLatin1String(kPoolsWord) ||
            first == QLatin1String(kPriceWord))
            return readRound(first, w, why);
        return readCondition(first, w, why);
    }

    // What the whole file must have; nothing when it lacks it.
    std::optional<PruningSet> finish(QString& error) const
    {
        if (!frameRead_) {
            error = QString::fromUtf8("Tiedostossa ei ole kaavaa: se ei ole karsintaehtojen tiedosto !");
            return std::nullopt;
        }
        for (auto [table, seen] :
             {std::pair{&set_.chances, chanceMatches_}, std::pair{&set_.publicShares, publicMatches_}}) {
            if (*table && seen != kAllMatches) {
                error = QString::fromUtf8("Todennäköisyydet tai pelijakauma puuttuvat joiltakin kohteilta !");
                return std::nullopt;
            }
            if (*table) {
                const QString problem = numbersProblem(**table);
                if (!problem.isEmpty()) {
                    error = problem;
                    return std::nullopt;
                }
            }
        }
        return set_;
    }

private:
    bool readFrame(const QStringList& w, QString& why)
    {
        if (frameRead_ || w.size() != 1) {
            why = QString::fromUtf8("anna kaava kerran, esimerkiksi kaava 1X2,1,1X,…");
            return false;
        }
        const auto frame = parseFrame(w[0], why);
        if (!frame)
            return false;
        set_.frame = *frame;
        frameRead_ = true;
        return true;
    }

    bool readNumbers(const QString& first, QStringList& w, QString& why)
    {
        const bool isPublic = first == QLatin1String(kPublicWord);
        const bool odds = first == QLatin1String(kOddsWord);
        bool ok = false;
        const int match = w.isEmpty() ? 0 : w.takeFirst().toInt(&ok);
        if (!ok || match < 1 || match > kFrameMatches) {
            why = QString::fromUtf8("kohteen numeron on oltava 1 … 13 !");
            return false;
        }
        if (!isPublic && chancesAreOdds_ && *chancesAreOdds_ != odds) {
            why = QString::fromUtf8("anna todennäköisyydet joko prosentteina tai kertoimina !");
            return false;
        }
        std::uint16_t& seen = isPublic ? publicMatches_ : chanceMatches_;
        const std::uint16_t bit = std::uint16_t(1u << (match - 1));
        if (seen & bit) {
            why = QString::fromUtf8("kohde %1 on annettu kahdesti !").arg(match);
            return false;
        }
        const auto three = parseThreeNumbers(w.join(' '), why);
        if (!three)
            return false;
        seen |= bit;
        std::optional<MatchNumbers>& table = isPublic ? set_.publicShares : set_.chances;
        if (!table) {
            table = MatchNumbers{};
            table->odds = odds;
        }
        if (!isPublic)
            chancesAreOdds_ = odds;
        table->numbers[std::size_t(match - 1)] = *three;
        return true;
    }

    bool readRound(const QString& first, const QStringList& w, QString& why)
    {
        if (w.size() != 1) {
            why = QString::fromUtf8("anna %1 ja yksi arvo !").arg(first);
            return false;
        }
        if (!set_.round)
            set_.round = PoolRound{};
        if (first == QLatin1String(kPoolsWord)) {
            const auto pools = parsePools(w[0], why);
            if (!pools)
                return false;
            set_.round->pools = *pools;
            return true;
        }
        const std::optional<double> x = parseDecimal(w[0]);
        if (!x) {
            why = QString::fromUtf8(SystemTexts::NumberNotValid).arg(w[0]);
            return false;
        }
        (first == QLatin1String(kSoldWord) ? set_.round->rowsSold : set_.round->rowPrice) = *x;
        return true;
    }

    bool readCondition(const QString& first, QStringList& w, QString& why)
    {
        bool on = true;
        QString kindWord = first;
        if (first == QLatin1String(kOffWord)) {
            if (w.isEmpty()) {
                why = QString::fromUtf8("tuntematon ehto !");
                return false;
            }
            on = false;
            kindWord = w.takeFirst().toLower();
        }
        std::optional<ConditionKind> kind;
        for (const KindWord& k : kKindWords)
            if (kindWord == QString::fromUtf8(k.word))
                kind = k.kind;
        if (!kind) {
            why = QString::fromUtf8("tuntematon ehto %1 !").arg(kindWord);
            return false;
        }
        std::optional<Condition> c = parseConditionWords(*kind, w, why);
        if (!c)
            return false;
        c->on = on;
        set_.conditions.push_back(*c);
        return true;
    }

    PruningSet set_;
    bool frameRead_ = false;
    // Which matches each table has; a table is all thirteen or nothing.
    std::uint16_t chanceMatches_ = 0, publicMatches_ = 0;
    std::optional<bool> chancesAreOdds_;
};

} // namespace

std::optional<PruningSet> parsePruningFile(const QByteArray& bytes, QString& error)
{
    auto decode = QStringDecoder(QStringDecoder::Utf8);
    const QString text = decode(bytes);
    if (decode.hasError() || bytes.contains('\0')) {
        error = QString::fromUtf8("Tiedosto ei ole karsintaehtojen tiedosto !");
        return std::nullopt;
    }
    PruningFileReader reader;
    const QStringList lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        QString why;
        if (!reader.readLine(line, why)) {
            error = QString::fromUtf8(Texts::NumberedLine).arg(i + 1).arg(why);
            return std::nullopt;
        }
    }
    return reader.finish(error);
}
