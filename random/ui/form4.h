#pragma once

#include "base/ui/featurewindow.h"

class QLineEdit;
class QSlider;

// How many rows are drawn (at most 500).
class Form4 : public FeatureWindow {
    Q_OBJECT
public:
    explicit Form4(AppContext& context);

private:
    void countTyped(const QString& text);
    void accept();

    QLineEdit* Rivimaara = nullptr;
    QSlider* Slider1 = nullptr;
};
