#pragma once

#include "systems/frame.h"
#include "systems/guaranteeanalysis.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// The figures of a guarantee analysis as the command prints them and the
// analysis window shows them, from one place.

// The command's lines: rows, outcomes, the guarantee and the outcomes by best
// hits first, always in this form ("Rivejä: 9" …); then the frame and the rows
// per prize class. Plain numbers, for scripts; the figures weighted by sign
// chances are shown by the window only.
QStringList analysisLines(const AnalysisResult& result, std::size_t rows, const Frame& frame);

// The window's table: a line per figure, a column per best hits or prize
// class (13, 12, 11, 10 right and below 10). Sign chances add their lines to
// the plain ones.
inline constexpr int kAnalysisColumns = 5;
struct AnalysisTableLine {
    QString heading;
    std::array<QString, kAnalysisColumns> cells;
};
QStringList analysisColumnHeadings();
QList<AnalysisTableLine> analysisTable(const AnalysisResult& result);

// Outcomes by best hits in the columns of the table, for the chart.
std::array<std::uint64_t, kAnalysisColumns> outcomesByColumn(const GuaranteeAnalysis& analysis);
