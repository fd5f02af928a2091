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
    void buildCorrectRowPanel();
    QFrame* buildButtonPanel();
    void load();
    void signClicked(int sign, int match);
    void showMarks();
    void showHintRow();
    void accept();
    void storeCorrectRow();
    void showStoredRound(const QString& round, const QString& year);
    void activationNotice();

    CouponColumn* rowColumn_ = nullptr;
    MatchLabelColumn* hintColumn_ = nullptr;
    QLabel* promptLabel_ = nullptr;
    QPushButton* hintRowButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QFrame* correctRowPanel_ = nullptr;
    QLineEdit* roundEdit_ = nullptr;
    QLineEdit* yearEdit_ = nullptr;
    QPushButton* storeButton_ = nullptr; // stores the correct row of the round
    QLabel* lastRoundLabel_ = nullptr;
    QLabel* lastYearLabel_ = nullptr;
    bool activated_ = false;
};
