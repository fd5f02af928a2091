#include "football/leagues.h"

namespace football {

const std::array<League, kLeagueCount>& leagues()
{
    static const std::array<League, kLeagueCount> all = {{
        {"Valioliiga", "valioliiga", "pvalio", "Valioliigaan"},
        {"I Divisioona", "DI", "p1", "I Divisioonaan"},
        {"II Divisioona", "DII", "p2", "II Divisioonaan"},
        {"III Divisioona", "DIII", "p3", "III Divisioonaan"},
        {"Veikkausliiga", "veikliiga", "pv", "Veikkausliigaan"},
        {"Ykkönen", "ykkonen", "pyk", "Ykköseen"},
    }};
    return all;
}

const League& league(int index)
{
    return leagues()[index >= 0 && index < kLeagueCount ? index : 0];
}

QString leagueCaption(int index)
{
    return QString::fromUtf8(league(index).caption);
}

QStringList leagueCaptions()
{
    QStringList out;
    for (int i = 0; i < kLeagueCount; ++i)
        out << leagueCaption(i);
    return out;
}

QStringList transferCaptions()
{
    QStringList out;
    for (const League& l : leagues())
        out << QString::fromUtf8(l.transferCaption);
    return out;
}

int leagueOfTransferCaption(const QString& caption)
{
    for (int i = 0; i < kLeagueCount; ++i)
        if (caption == QString::fromUtf8(league(i).transferCaption))
            return i;
    return -1;
}

QString managerCaption(int index)
{
    return index >= kVeikkausliiga ? QStringLiteral("Valmentaja") : QStringLiteral("Manageri");
}

QString teamBrowseQuery(int index)
{
    return QStringLiteral("select * from  %1 order by [joukkue] asc").arg(league(index).teamTable);
}

QString playerBrowseQuery(int index)
{
    return QStringLiteral("select * from  %1 order by [joukkue],[pelaaja] asc").arg(league(index).playerTable);
}

QString scorerListQuery(int index)
{
    return QStringLiteral("select * from %1 ORDER BY maaleja DESC, [pelaaja]").arg(league(index).playerTable);
}

QString scorerPrintQuery(int index)
{
    return QStringLiteral("select * from %1 where maaleja > 0 ORDER BY maaleja DESC, [joukkue], [pelaaja]")
        .arg(league(index).playerTable);
}

QString standingsQuery(int index)
{
    // The English top flight and the Finnish leagues rank by goal difference
    // first, the divisions by goals scored.
    const bool divisions = index >= 1 && index <= 3;
    const QString table = index == 0 ? QStringLiteral("Valioliiga") : QString::fromUtf8(league(index).teamTable);
    if (divisions)
        return QStringLiteral("select * from %1 order by pisteet DESC, (mkot) DESC, (mkot - mvie) DESC").arg(table);
    return QStringLiteral("select * from %1 order by pisteet DESC, (mkot - mvie) DESC, (mkot) DESC").arg(table);
}

bool teamTransferAllowed(int from, int to)
{
    if (from < 0 || from >= kLeagueCount || to < 0 || to >= kLeagueCount || from == to)
        return false;
    const bool fromFinnish = from >= kVeikkausliiga;
    const bool toFinnish = to >= kVeikkausliiga;
    return fromFinnish == toFinnish;
}

} // namespace football
