#pragma once

#include "base/appcontext.h"

// Rows out of the program as text and text into a new rows file: what the
// main window's menu, the conversion window and the screen listing share.

// Where exported rows go; the numbers of SharedState::ExportTarget.
enum class RowExportTarget : int { TextFile = 1, CsvFile = 2, Clipboard = 3 };

// Rows 0..count-1 as a text file or a CSV file the user names, or onto the
// clipboard. Rows holding other bytes than signs are refused as damaged. An
// existing file is replaced only when the user says so. True when done.
bool ExportRows(AppContext& context, const RowBuffer& rows, int count, RowExportTarget target);

// Rows from text into a new rows file the user names. Lines that are no rows
// are listed with their numbers, and nothing is written unless the user takes
// the rest. A name already taken or a failed write asks for another name, so
// nothing read is lost until the user cancels. True when a file was written.
bool ImportRowText(AppContext& context, const QString& text);
// The same from a text or CSV file the user chooses, and from the clipboard.
bool ImportRowsFromFile(AppContext& context);
bool ImportRowsFromClipboard(AppContext& context);
