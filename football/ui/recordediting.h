#pragma once

#include "base/appcontext.h"
#include "base/outcome.h"

#include <functional>

namespace football {

class RecordBinder;
class RecordSet;

// Saves the edits of the bound controls; a refusal of the database is told
// to the user. False when the edits could not be saved.
bool commitEdits(AppContext& context, RecordBinder& binder);
// Before a browsing window closes: saves the edits, and when that fails asks
// whether to close anyway. True when the window may close.
bool commitBeforeClosing(AppContext& context, RecordBinder& binder);

// Record handling that the team and player windows share. Each saves the
// edits of the record shown first; a refusal of the database is told with
// `failure` and leaves the database as it was.
// Adds an empty record dated today and makes it current. True when added.
bool addRecordDatedToday(AppContext& context, RecordSet& records, RecordBinder& binder, const QString& failure);
// Deletes the current record once the user has said yes to `question` (No is
// the default); a league's last record stays. True when the database was
// asked, so the caller shows the league afresh.
bool deleteAfterAsking(AppContext& context, RecordSet& records, const QString& question, const QString& failure);
// Moves the current record with `move` (given its row id) and shows the
// league from its first record again. True when moved.
bool moveCurrentRecord(AppContext& context, RecordSet& records,
                       const std::function<Outcome<>(qint64 rowId)>& move);

} // namespace football
