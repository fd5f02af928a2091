#pragma once

#include "base/ui/featurewindow.h"

class QLabel;
class QScrollBar;

// One weight for all matches.
class Form3 : public FeatureWindow {
    Q_OBJECT
public:
    explicit Form3(AppContext& context);

private:
    void accept();

    QScrollBar* Jana = nullptr;
    QLabel* Arvo = nullptr;
};
