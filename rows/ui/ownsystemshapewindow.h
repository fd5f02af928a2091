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

    QScrollBar* HScroll1 = nullptr;
    QScrollBar* HScroll2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
};
