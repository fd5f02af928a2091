#pragma once

#include "base/ui/featurewindow.h"

#include <array>

class QRadioButton;

// Choosing one of the six built-in reduced systems before the correct row and
// the played pattern are entered.
class ReducedSystemChoiceWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit ReducedSystemChoiceWindow(AppContext& context);

private:
    void choose();

    std::array<QRadioButton*, 6> systemOptions_{};
};
