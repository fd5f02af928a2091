#include "systems/worthreport.h"

#include "systems/pruningfile.h"
#include "systems/systemtexts.h"

#include <QLocale>
#include <functional>

namespace {

QStringList linesOf(const WorthReport& report, const std::function<QString(double, int)>& number)
{
    QStringList lines;
    lines << QString::fromUtf8(SystemTexts::RowCount).arg(report.rows);
    lines << "Panos: " + number(report.stake, 2);
    lines << "Odotusarvo: " + number(report.expectedReturn, 2);
    lines << "Palautus: " + number(100 * report.returnShare, 1) + " %";
    lines << QString::fromUtf8("Voiton todennäköisyys: ") + number(100 * report.chanceOfAnyPrize, 4) + " %";
    for (std::size_t c = 0; c < kPrizeClassHits.size(); ++c)
        lines << QString("%1 oikein: %2 % %3")
                     .arg(kPrizeClassHits[c])
                     .arg(number(100 * report.chanceOfClass[c], 4), number(report.returnOfClass[c], 2));
    return lines;
}

} // namespace

QStringList worthLines(const WorthReport& report)
{
    return linesOf(report, [](double x, int decimals) { return QString::number(x, 'f', decimals); });
}

QStringList shownWorthLines(const WorthReport& report)
{
    return linesOf(report, [](double x, int decimals) { return QLocale().toString(x, 'f', decimals); });
}

std::optional<std::array<double, 4>> parsePools(const QString& text, QString& error)
{
    std::array<double, 4> pools{};
    std::array<bool, 4> given{};
    const QString form = QString::fromUtf8("Anna potit muodossa 13:EUROA,12:EUROA,11:EUROA,10:EUROA !");
    for (const QString& part : text.split(',')) {
        const QStringList classAndPool = part.split(':');
        bool ok = false;
        const int hits = classAndPool.size() == 2 ? classAndPool[0].trimmed().toInt(&ok) : 0;
        const std::optional<double> euros =
            classAndPool.size() == 2 ? parseDecimal(classAndPool[1]) : std::optional<double>();
        if (!ok || hits < 10 || hits > 13 || !euros) {
            error = form;
            return std::nullopt;
        }
        const std::size_t c = std::size_t(13 - hits);
        if (given[c]) {
            error = QString::fromUtf8("Luokan %1 oikein potti on annettu kahdesti !").arg(hits);
            return std::nullopt;
        }
        given[c] = true;
        pools[c] = *euros;
    }
    return pools;
}

QString poolsText(const std::array<double, 4>& pools)
{
    QStringList parts;
    for (std::size_t c = 0; c < pools.size(); ++c)
        parts << QString("%1:%2").arg(kPrizeClassHits[c]).arg(exactNumberText(pools[c]));
    return parts.join(',');
}
