#pragma once

#include "base/ui/featurewindow.h"

class QLineEdit;
class QScrollBar;

// The pattern of an own system: how many two-sign (O) and three-sign (T) matches.
class OwnSystemShapeWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit OwnSystemShapeWindow(AppContext& context);

private:
    void accept();

    QScrollBar* halfGuardBar_ = nullptr;
    QScrollBar* fullGuardBar_ = nullptr;
    QLineEdit* halfGuardEdit_ = nullptr;
    QLineEdit* fullGuardEdit_ = nullptr;
};
