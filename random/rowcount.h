#pragma once

#include "base/sharedstate.h"

#include <QString>

// The checks of the row count typed into the row-count window.

inline constexpr int kMaxDrawCount = 500;

struct RowCountCheck {
    bool ok = false;
    // What to tell the user when the count is refused; "" refuses silently
    // (an empty or zero count only puts the focus back).
    QString message;
    QString title;
};

// `text` is the count as typed. Besides the fixed limit and the size of a
// random-row system or of the per-match weighting, a count is refused when the
// switched-off signs leave fewer different rows than asked for.
RowCountCheck checkRowCount(const SharedState& state, const QString& text);

// 2^H x 3^F: the rows of a complete random-row system.
qint32 systemSize(int halfGuards, int fullGuards);
