#pragma once

#include "base/ui/featurewindow.h"

#include <array>

class CouponColumn;
class MatchLabelColumn;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The basic-row window: one sign for each of the 13 matches. It serves four
// tasks (random rows, reduced system, checking, typed system pattern) as the
// task flags of the shared state say, and hands the row on to the next window
// of the task through the shared state.
class BasicRowWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit BasicRowWindow(AppContext& context);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void signClicked(int sign, int match);
    void showMarks();
    void showHintRow();
    void accept();
    void storeCorrectRow();
    void showStoredRound(const QString& round, const QString& year);
    void activationNotice();

    CouponColumn* rtaus = nullptr;
    MatchLabelColumn* taku = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* vihjeet = nullptr;
    QPushButton* sainperusrivin = nullptr;
    QPushButton* kes = nullptr;
    QFrame* bby = nullptr;
    QLineEdit* Text1 = nullptr; // round
    QLineEdit* Text2 = nullptr; // year
    QPushButton* Command1 = nullptr;
    QLabel* ede = nullptr;  // last stored round
    QLabel* edev = nullptr; // last stored year
    bool activated_ = false;
};
