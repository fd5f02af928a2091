#include "batch/commandline.h"

#include "checking/rowcheck.h"

#include <QRegularExpression>

std::optional<CommandLine> parseCommandLine(const QStringList& arguments, const QStringList& valueOptions,
                                            QString& error, const QStringList& flagOptions)
{
    return parseCommandLine(arguments, OptionNames{valueOptions, {}, flagOptions}, error);
}

std::optional<CommandLine> parseCommandLine(const QStringList& arguments, const OptionNames& names, QString& error)
{
    const QStringList valueOptions = names.values + names.repeatable;
    CommandLine line;
    QString firstError;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith('-') || argument == "-") {
            line.positional << argument;
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            line.help = true;
            continue;
        }
        const qsizetype equals = argument.indexOf('=');
        const QString name = equals < 0 ? argument : argument.left(equals);
        if (names.flags.contains(name)) {
            if (equals >= 0 && firstError.isEmpty())
                firstError = "Valitsin " + name + " ei ota arvoa !";
            else if (!line.flags.contains(name))
                line.flags << name;
            continue;
        }
        QString value;
        if (equals >= 0) {
            value = argument.mid(equals + 1);
        } else if (valueOptions.contains(name) && i + 1 < arguments.size()) {
            value = arguments[++i];
        } else if (valueOptions.contains(name) && firstError.isEmpty()) {
            firstError = "Valitsimelta " + name + " puuttuu arvo !";
        }
        if (!firstError.isEmpty())
            continue;
        if (!valueOptions.contains(name))
            firstError = "Tuntematon valitsin " + name + " !";
        else if (names.repeatable.contains(name))
            line.repeated[name] << value;
        else if (line.values.contains(name))
            firstError = "Valitsin " + name + " on annettu kahdesti !";
        else
            line.values.insert(name, value);
    }
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
