#pragma once

#include "base/appcontext.h"

#include <QString>

// The accessory commands of the main window ("kal", "mui", "ava", "soi",
// "win") and the calculator ("calc") that other windows start too.
bool accessoryAvailable(const QString& key);
// The main window's command key of a command other windows offer.
QString accessoryKeyOf(MainCommand command);
// Runs the command; false when there is no such command.
bool runAccessory(AppContext& context, const QString& key);
// Removes the bookmark-page files the "ava" command wrote, at quit.
void removeBookmarkFiles(const QString& programDir);
