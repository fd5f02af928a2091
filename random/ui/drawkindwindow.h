#pragma once

#include "base/ui/featurewindow.h"

// The kind of drawing: weighted rows, a random-row system or an own system.
class DrawKindWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit DrawKindWindow(AppContext& context);

private:
    void accept();
};
