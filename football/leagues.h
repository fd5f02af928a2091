#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace football {

// The six leagues the football database knows, always in this order: each has
// its own team table and player table.
struct League {
    const char* caption;         // "Valioliiga"
    const char* teamTable;       // "valioliiga"
    const char* playerTable;     // "pvalio"
    const char* transferCaption; // "Valioliigaan"
};

inline constexpr int kLeagueCount = 6;
inline constexpr int kVeikkausliiga = 4;
inline constexpr int kYkkonen = 5;

const std::array<League, kLeagueCount>& leagues();
// The league at `index` (0..5); indexes out of range give Valioliiga.
const League& league(int index);
QString leagueCaption(int index);
QStringList leagueCaptions();
QStringList transferCaptions();
// The league whose transfer caption is `caption`, or -1.
int leagueOfTransferCaption(const QString& caption);

// The two Finnish leagues call the manager a coach.
QString managerCaption(int league);

// Record sources of the windows. They are kept exactly as the program has
// always written them; the database accepts the bracket quoting.
QString teamBrowseQuery(int league);
QString playerBrowseQuery(int league);
QString scorerListQuery(int league);
QString scorerPrintQuery(int league);
QString standingsQuery(int league);

// A team can move among the four English leagues and between the two Finnish
// ones; never across, and never into the league it is in.
bool teamTransferAllowed(int from, int to);

} // namespace football
