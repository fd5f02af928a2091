#pragma once

#include "base/ui/featurewindow.h"

class QRadioButton;

// One weight for every match, or a weight of its own for each match.
class WeightingKindWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit WeightingKindWindow(AppContext& context);

private:
    void accept();

    QRadioButton* perMatch_ = nullptr; // Option1_1
    QRadioButton* common_ = nullptr;   // Option1_0
};
