#include "batch/commandline.h"

#include "base/texts.h"
#include "checking/rowcheck.h"

#include <QCommandLineParser>
#include <QRegularExpression>

std::optional<CommandLine> parseCommandLine(const QStringList& arguments, const QStringList& valueOptions,
                                            QString& error, const QStringList& flagOptions)
{
    return parseCommandLine(arguments, OptionNames{valueOptions, {}, flagOptions}, error);
}

namespace {

// An option as the user typed it: "--name", or "-n" for a one-letter name.
QString typedName(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// The option a parser's message is about: it quotes the option as typed.
QString quotedOption(const QString& parserMessage)
{
    const qsizetype first = parserMessage.indexOf('\'');
    const qsizetype last = parserMessage.lastIndexOf('\'');
    return first >= 0 && last > first ? parserMessage.mid(first + 1, last - first - 1) : QString();
}

QString withoutDashes(QString name)
{
    while (name.startsWith('-'))
        name.remove(0, 1);
    return name;
}

} // namespace

std::optional<CommandLine> parseCommandLine(const QStringList& arguments, const OptionNames& names, QString& error)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption help(QStringList{"h", "help"});
    parser.addOption(help);
    for (const QString& name : names.values + names.repeatable)
        parser.addOption(QCommandLineOption(withoutDashes(name), QString(), QStringLiteral("ARVO")));
    for (const QString& name : names.flags)
        parser.addOption(QCommandLineOption(withoutDashes(name)));

    // The parser takes the first argument for the program's name.
    const bool parsed = parser.parse(QStringList{QStringLiteral("rivikone-batch")} + arguments);
    CommandLine line;
    line.help = parser.isSet(help);
    QString firstError;
    if (!parsed) {
        const QString option = quotedOption(parser.errorText());
        if (!parser.unknownOptionNames().isEmpty())
            firstError = QString::fromUtf8(Texts::UnknownOption).arg(typedName(parser.unknownOptionNames().first()));
        else if (names.flags.contains(option))
            firstError = QString::fromUtf8("Valitsin %1 ei ota arvoa !").arg(option);
        else
            firstError = QString::fromUtf8(Texts::OptionLacksValue).arg(option);
    }
    for (const QString& name : names.values) {
        const QStringList given = parser.values(withoutDashes(name));
        if (given.size() > 1 && firstError.isEmpty())
            firstError = QString::fromUtf8("Valitsin %1 on annettu kahdesti !").arg(name);
        if (!given.isEmpty())
            line.values.insert(name, given.first());
    }
    for (const QString& name : names.repeatable)
        if (parser.isSet(withoutDashes(name)))
            line.repeated[name] = parser.values(withoutDashes(name));
    for (const QString& name : names.flags)
        if (parser.isSet(withoutDashes(name)))
            line.flags << name;
    // Every --out of these commands is a rows file: records without line ends,
    // no text for a terminal or a pipe, and the lines the command prints would
    // run into them.
    if (firstError.isEmpty() && line.values.value("--out") == QLatin1String("-"))
        firstError = QString::fromUtf8("--out: Rivitiedostoa ei kirjoiteta vakiotulosteeseen, anna tiedoston nimi !");
    line.positional = parser.positionalArguments();
    // Asking for help is never wrong, whatever else the line holds.
    if (!firstError.isEmpty() && !line.help) {
        error = firstError;
        return std::nullopt;
    }
    return line;
}

std::optional<std::array<double, 4>> parsePrizes(const QString& text, QString& error)
{
    const QStringList amounts = text.split(',');
    if (amounts.size() != 4) {
        error = QString::fromUtf8("Anna neljä voittosummaa (13, 12, 11 ja 10 oikein) pilkuin erotettuina !");
        return std::nullopt;
    }
    // What the prize boxes of the checking window let the user type.
    static const QRegularExpression amountPattern(QStringLiteral("^[0-9]{0,9}(\\.[0-9]{0,2})?$"));
    std::array<double, 4> prizes{};
    for (int i = 0; i < 4; ++i) {
        const QString& amount = amounts[i];
        if (!amountPattern.match(amount).hasMatch()) {
            error = QString::fromUtf8("Voittosumma %1 ei kelpaa !").arg(amount);
            return std::nullopt;
        }
        // Given from class 13 down; kept from class 10 up.
        prizes[3 - i] = prizeAmount(amount);
    }
    return prizes;
}

std::optional<int> parseWholeNumber(const QString& text, int low, int high, QString& error)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high) {
        error = QString::fromUtf8("Anna kokonaisluku %1 … %2 !").arg(low).arg(high);
        return std::nullopt;
    }
    return value;
}

std::optional<quint64> readSeed(const QString& text, QString& error)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,20}$"));
    bool ok = false;
    const quint64 seed = digits.match(text).hasMatch() ? text.toULongLong(&ok) : 0;
    if (!ok) {
        error = QString::fromUtf8("--seed: Siemenluku %1 ei kelpaa ! Anna kokonaisluku 0 … 18446744073709551615.")
                    .arg(text);
        return std::nullopt;
    }
    return seed;
}
