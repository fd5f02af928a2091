#pragma once

#include "random/drawing.h"

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

// What the earlier windows of the task found out about its size.
struct RowCountLimits {
    int halfGuards = 0; // a random-row system: its two-sign and three-sign matches
    int fullGuards = 0;
    bool perMatchWeights = false; // weighted rows: weights chosen match by match
    qint32 fullSystemSize = 0;    // ... and the rows they leave to draw
    int freeMatchCount = 0;
};

// `text` is the count as typed for `plan`. Besides the fixed limit and the
// size of a random-row system or of the per-match weighting, a count is
// refused when the switched-off signs leave fewer different rows than asked for.
RowCountCheck checkRowCount(const QString& text, const DrawPlan& plan, const RowCountLimits& limits);

// 2^H x 3^F: the rows of a complete random-row system.
qint32 systemSize(int halfGuards, int fullGuards);
