#pragma once

// The ball of the information window. It runs along the four diagonals and,
// on reaching an edge of its area, turns to the diagonal that leads away from it.
class BouncingBall {
public:
    // Directions: 1 up-left, 2 up-right, 3 down-right, 4 down-left.
    BouncingBall(double x, double y, int direction) : x_(x), y_(y), direction_(direction) {}

    // Moves `step` along both axes within 0 … maxX and 0 … maxY (the ball's top-left
    // corner). True when the ball reached an edge and turned.
    bool advance(double step, double maxX, double maxY);

    double x() const { return x_; }
    double y() const { return y_; }
    int direction() const { return direction_; }

private:
    double x_;
    double y_;
    int direction_;
};
