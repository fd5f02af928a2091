#pragma once

#include <QWidget>
#include <vector>

class QFrame;

// The chart of basic signs per drawn row: row numbers from left to right
// (0 ... the row count), 0 ... 13 basic signs from bottom to top. Each row
// draws a line from the foot of the previous row up to its own count; the
// average line is shown once a run has ended.
class DrawChart : public QWidget {
    Q_OBJECT
public:
    explicit DrawChart(QWidget* parent = nullptr);

    void setRowCount(int rows);
    // Adds a row to the chart; the window repaints it when it shows its figures.
    void addRow(int rowNumber, int basicSigns);
    void showAverage(double average);

    QSize sizeHint() const override { return {360, 150}; }
    QSize minimumSizeHint() const override { return {200, 90}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointF point(double row, double height) const;
    void placeAverageLine();

    struct Point {
        int rowNumber;
        int basicSigns;
    };
    int rowCount_ = 1;
    std::vector<Point> points_;
    double average_ = -1;
    QFrame* averageLine_ = nullptr;
};
