#pragma once

#include "base/ui/featurewindow.h"

class QLineEdit;
class QSlider;

// How many rows are drawn (at most 500).
class RowCountWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit RowCountWindow(AppContext& context);

private:
    void countTyped(const QString& text);
    void accept();

    QLineEdit* Rivimaara = nullptr;
    QSlider* Slider1 = nullptr;
};
