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

    QLineEdit* rowCountEdit_ = nullptr;
    QSlider* rowCountSlider_ = nullptr;
};
