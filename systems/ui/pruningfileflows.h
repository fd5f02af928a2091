#pragma once

#include "base/appcontext.h"
#include "systems/pruning.h"

#include <QString>
#include <optional>

// The conditions file (frame, numbers, round, conditions) as the pruning and
// the worth windows open and save it: the file dialog, the program folder made
// current again after it, and the player's message when something fails.

struct OpenedPruningSet {
    PruningSet set;
    QString fileName; // without its folder
};
// Nothing when the player cancels or the file does not read (the message
// tells which line and why).
std::optional<OpenedPruningSet> openPruningSetFile(AppContext& context, const QString& title);
// The name saved, without its folder; empty when the player cancels or the
// write fails (the message tells why).
QString savePruningSetFile(AppContext& context, const QString& title, const PruningSet& set);

// Makes the program folder current again, as after every file dialog.
void returnToProgramDir(AppContext& context);
