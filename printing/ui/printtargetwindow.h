#pragma once

#include "base/ui/featurewindow.h"

#include <array>

class QPushButton;
class QRadioButton;

// Where the rows go: the screen, the printer as text, or pools coupons.
class PrintTargetWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit PrintTargetWindow(AppContext& context);

protected:
    bool canClose() override { return !printing_; }

private:
    void go();
    void printOnPaper();

    std::array<QRadioButton*, 3> targetOptions_{};
    QList<QWidget*> interfering_;
    bool printing_ = false;
};
