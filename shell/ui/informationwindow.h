#pragma once

#include "base/ui/featurewindow.h"
#include "shell/bouncingball.h"

#include <QElapsedTimer>

class QHBoxLayout;
class QLabel;
class QTimer;

// The information window: the program's name, the system figures and a ball
// that bounces about the window, with a knock at every edge when sounds are on.
class InformationWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit InformationWindow(AppContext& context);

    // Moves the ball on by the time passed since the last step (the timer's work).
    void advanceBall(int elapsedMs);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QHBoxLayout* buildHeading();
    void fillFigures();
    void tick();
    QSize ballArea() const;

    QLabel* ballPicture_ = nullptr;
    QTimer* timer_ = nullptr;
    QElapsedTimer clock_;
    BouncingBall ball_{0, 0, 2};
    bool placed_ = false;
    bool moving_ = false;
};
