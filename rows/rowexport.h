#pragma once

#include "base/rowfile.h"

// The rows of a file as they leave the program as text: a rows file's rows as
// stored, an own system's rows fitted to the coupon as the conversion window
// first offers it (every match keeps its place and every sign its meaning).
RowFileReadResult readRowsForExport(const QString& path);
// The same for a file read already.
RowFileReadResult rowsForExport(RowFileReadResult read);
