#include "shell/bouncingball.h"

namespace {

// One axis: moves and turns at either end. An area no larger than the ball
// holds it still, so a tiny window does not bounce on every step.
bool moveAxis(double& position, int& sign, double step, double max)
{
    if (max <= 0) {
        position = 0;
        return false;
    }
    position += sign * step;
    if (position <= 0) {
        position = 0;
        sign = 1;
        return true;
    }
    if (position >= max) {
        position = max;
        sign = -1;
        return true;
    }
    return false;
}

} // namespace

bool BouncingBall::advance(double step, double maxX, double maxY)
{
    int dx = (direction_ == 2 || direction_ == 3) ? 1 : -1;
    int dy = (direction_ == 3 || direction_ == 4) ? 1 : -1;
    const bool turnedX = moveAxis(x_, dx, step, maxX);
    const bool turnedY = moveAxis(y_, dy, step, maxY);
    if (dy < 0)
        direction_ = dx < 0 ? 1 : 2;
    else
        direction_ = dx > 0 ? 3 : 4;
    return turnedX || turnedY;
}
