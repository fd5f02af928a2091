#pragma once

#include "systems/rowworth.h"

#include <QWidget>
#include <vector>

// The chance of a return of at least x euros, for x from the least return
// above nothing to the largest: a falling step line over a scale of x that
// grows in proportion, since one pool's share can be a thousand times
// another's.
class ReturnChart : public QWidget {
    Q_OBJECT
public:
    explicit ReturnChart(QWidget* parent = nullptr);

    void setChances(const std::vector<ReturnChance>& chances);
    void clear();

    QSize sizeHint() const override { return {420, 170}; }
    QSize minimumSizeHint() const override { return {260, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<ReturnChance> chances_;
};
