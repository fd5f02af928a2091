#pragma once

#include "base/ui/featurewindow.h"

class QLabel;
class QScrollBar;

// One weight for all matches.
class AverageWeightWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit AverageWeightWindow(AppContext& context);

private:
    void accept();

    QScrollBar* weightBar_ = nullptr;
    QLabel* weightPercent_ = nullptr;
};
