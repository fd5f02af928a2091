#pragma once

#include "base/safewrite.h"
#include "base/sharedstate.h"

#include <QString>

class Settings;

// The correct rows the player stores round by round, and the last stored
// round that the basic-row window shows as a reminder.

struct StoredRound {
    QString round; // "" when none is known
    QString year;
};

// The last stored round and year. They are kept in the settings; when no round
// is kept there, the last record of the correct-row file gives them (and they
// are kept from then on). With no file, or no complete record in it, both stay
// empty and nothing is kept.
StoredRound lastStoredRound(Settings& settings, const QString& programDir);

// The round and year kept in the settings, each "" unless its number is above 0.
StoredRound keptRound(const Settings& settings);

// The correct-row file of the program directory.
QString correctRowsPath(const QString& programDir);

// Appends the correct row of a round to the correct-row file. When the file
// could not be written the earlier records are as they were.
Outcome<> appendCorrectRow(const QString& programDir, const MatchStrings& signs, const QString& year,
                           const QString& round);
