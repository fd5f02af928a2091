#pragma once

#include "base/ui/featurewindow.h"

class CouponColumn;
class QLabel;
class QPushButton;

// The played pattern: which signs are played on each of the 13 matches. It
// takes a reduced system's pattern (checked against the system's shape), a
// full system typed in for checking, or the signs of a random-row system.
class SystemPatternWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit SystemPatternWindow(AppContext& context);

private:
    void markClicked(int sign, int match);
    void showShape();
    void accept();

    CouponColumn* patternColumn_ = nullptr;
    QLabel* promptLabel_ = nullptr;
    QLabel* shapeLabel_ = nullptr; // what has been marked against what the system needs
};
