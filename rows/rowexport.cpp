#include "rows/rowexport.h"

#include "rows/conversion.h"

RowFileReadResult readRowsForExport(const QString& path)
{
    // The checking reader takes every layout and all of an older file's rows.
    return rowsForExport(readRowFile(path, RowReader::Checking));
}

RowFileReadResult rowsForExport(RowFileReadResult result)
{
    if (!result)
        return result;
    RowFileContents& c = *result;
    if (c.layout == RowLayout::OwnSystem)
        convertSystemRows(c.rows, int(c.rows.size()), c.halfGuards, c.fullGuards,
                          initialPlan(c.halfGuards, c.fullGuards));
    return result;
}
