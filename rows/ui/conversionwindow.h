#pragma once

#include "base/ui/featurewindow.h"
#include "rows/conversion.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;

// Places the columns of a loaded own system on the coupon's matches and
// chooses their real signs, then rewrites every row into a pools row.
class ConversionWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit ConversionWindow(AppContext& context);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* buildCountBox();
    QGroupBox* buildMatchBox();
    void load();
    void roleChanged(int k);
    MatchRole role(int k) const;
    ConversionPlan plan() const;
    void accept();

    std::array<QScrollBar*, kMatches> roleBars_{};
    std::array<QLineEdit*, kMatches> roleBoxes_{};
    std::array<QLineEdit*, kMatches> bankerEdits_{};
    std::array<QLineEdit*, kMatches> forOneEdits_{};
    std::array<QLineEdit*, kMatches> forTwoEdits_{};
    std::array<QLabel*, kMatches> forOneLabels_{};
    std::array<QLabel*, kMatches> forTwoLabels_{};
    // Half guards, full guards, bankers and rows of the loaded system.
    std::array<QLabel*, 4> countLabels_{};
};
