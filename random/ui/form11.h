#pragma once

#include "base/ui/featurewindow.h"

// The kind of drawing: weighted rows, a random-row system or an own system.
class Form11 : public FeatureWindow {
    Q_OBJECT
public:
    explicit Form11(AppContext& context);

private:
    void accept();
};
