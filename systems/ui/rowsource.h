#pragma once

#include "base/appcontext.h"

#include <QString>

// What a window does with a file whose rows lack a sign on some match.
enum class DamagedRows {
    Used,    // a damaged byte is a sign that is never right; the rest still counts
    Refused, // such a row has no sure worth
};

// Lets the player choose a rows file or an own system and reads it into the
// shared state's rows, telling the player why when the file will not do.
// True when the rows read are to be used.
bool chooseAndReadRows(AppContext& context, const QString& dialogTitle, DamagedRows damaged);
