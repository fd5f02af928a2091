#pragma once

#include "systems/analysisreport.h"

#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>

// The outcomes of an analysis by the best hits of any row: a bar per column
// of the analysis table (13, 12, 11, 10 right, below 10), its count above it
// and its share of all outcomes below the axis.
class OutcomeChart : public QWidget {
    Q_OBJECT
public:
    explicit OutcomeChart(QWidget* parent = nullptr);

    void setOutcomes(const std::array<std::uint64_t, kAnalysisColumns>& outcomes, const QStringList& captions);
    void clear();

    QSize sizeHint() const override { return {420, 170}; }
    QSize minimumSizeHint() const override { return {300, 130}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<std::uint64_t, kAnalysisColumns> outcomes_{};
    QStringList captions_;
    bool shown_ = false;
};
