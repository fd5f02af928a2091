#pragma once

#include "base/appcontext.h"
#include "base/rowfile.h"

#include <functional>

// The row-file operations that windows of several tasks share. Each talks to
// the user through the services and leaves its results in SharedState.

// The open or save dialog (by DialogMode) with `title` and `filter`. Returns
// the chosen path, or "" when cancelled; sets CurrentFileTitle. The program
// directory is current again afterwards.
QString ChooseRowFile(AppContext& context, const QString& title, const QString& filter,
                      const QString& defaultExt = QString());

// Saves rows 0..n-1 of Rows as a new rows file chosen by the user. True when
// the file was written; the caller then enables the main window and closes.
// On failure the rows stay in memory, so the user can try another name.
bool SaveRowsFile(AppContext& context, int n);

// Appends the entered row to the own-system file, asking for the file on the
// first save after the window opened (CurrentFile ""). The row goes after the
// rows the file holds, those another copy of the program stored included;
// `nextRecord`, the window's record counter, follows the file. `showStored`
// puts the number of stored rows into the window before the confirmation is
// shown. Returns true when the row was stored.
bool SaveSystemRow(AppContext& context, int& nextRecord, const std::function<void(int)>& showStored = {});

// Reads CurrentFile into Rows and RowCount (and, for an own-system file,
// HalfGuardCount and FullGuardCount). On failure shows `failMessage` and
// returns false; the shared rows are left as they were.
bool ReadRowFile(AppContext& context, RowReader reader, const QString& failMessage);

// True when the path names an own-system file (its last three characters).
bool isSystemFileName(const QString& path);
