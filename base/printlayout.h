#pragma once

#include "base/services.h"

// Whether `lines` more text lines, printed from the current position in the
// printer's own line height, end above `limit` (the top of a page's footer).
// A count of lines per page cannot promise that: the height of a line
// depends on the printer and its font.
inline bool linesFitAbove(const PrintDevice& printer, int lines, double limit)
{
    return printer.currentY() + lines * printer.lineHeight() <= limit + 1e-9;
}
