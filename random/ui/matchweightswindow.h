#pragma once

#include "base/ui/featurewindow.h"
#include "random/weights.h"

#include <array>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QScrollBar;
class QVBoxLayout;

// A weight for every match, bankers, and one sign per match that may be left out.
class MatchWeightsWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit MatchWeightsWindow(AppContext& context);

private:
    QGroupBox* buildFrame(QGridLayout* grid);
    void buildMatchLine(QGridLayout* grid, int k);
    void buildButtons(QVBoxLayout* layout);
    void signBoxToggled(int match, int sign, bool checked);
    void bankerToggled(int match, bool banker);
    void showHint();
    void accept();

    std::array<QScrollBar*, 13> weightBars_{};
    std::array<QLabel*, 13> weightPercents_{};
    std::array<QCheckBox*, 13> bankers_{};                  // Check1 ... Check13
    std::array<std::array<QCheckBox*, 3>, 13> signBoxes_{}; // j1 ... j13, index = sign
    std::array<SignBoxes, 13> signChoices_{};
};
