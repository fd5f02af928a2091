#pragma once

#include "base/ui/featurewindow.h"

class QRadioButton;

// The entry to the football database: teams, players, results or the league table.
class DatabaseChoiceWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit DatabaseChoiceWindow(AppContext& context);

private:
    void openChoice();
    QRadioButton* targetOptions_[4] = {};
};
