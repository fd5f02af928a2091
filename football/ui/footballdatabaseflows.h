#pragma once

#include "base/appcontext.h"

#include <memory>

namespace football {

class FootballDb;

// Opens a football database file of the program directory; on failure tells
// the user why and returns null.
std::unique_ptr<FootballDb> openTeamDatabase(AppContext& context);
std::unique_ptr<FootballDb> openFormDatabase(AppContext& context);
std::unique_ptr<FootballDb> openBothDatabases(AppContext& context);

// Tells the user that writing to the database failed and nothing changed.
void showDatabaseError(AppContext& context, const QString& what, const QString& detail);

} // namespace football
