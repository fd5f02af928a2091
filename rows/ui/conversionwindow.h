#pragma once

#include "base/ui/featurewindow.h"
#include "rows/conversion.h"

#include <array>

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
    void roleChanged(int k);
    MatchRole role(int k) const;
    ConversionPlan plan() const;
    void accept();

    std::array<QScrollBar*, kMatches> H1{};
    std::array<QLineEdit*, kMatches> T1{};
    std::array<QLineEdit*, kMatches> v1{};
    std::array<QLineEdit*, kMatches> y1{};
    std::array<QLineEdit*, kMatches> k1{};
    std::array<QLabel*, kMatches> oneLabel_{};
    std::array<QLabel*, kMatches> twoLabel_{};
};
