#pragma once

#include "base/ui/featurewindow.h"

#include <QList>

class QGroupBox;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;
class QVBoxLayout;
struct PrizeTally;

// Checks the played rows against the correct row: the prize classes, the
// winnings, the list of checked single rows and the per-match percentages;
// and stores the result in the win statistics.
class CheckingWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit CheckingWindow(AppContext& context);

protected:
    bool canClose() override { return !running_; }
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Kind { SingleRows, Harava, TypedSystem };

    void buildControls();
    QGroupBox* buildPrizeBox();
    QHBoxLayout* buildRoundRow(QGroupBox* prizes);
    QVBoxLayout* buildRowListing();
    QGroupBox* buildMatchBox();
    QHBoxLayout* buildButtons();
    void orderTabsAndFocus();
    void connectSignals();
    void check();
    void checkSingleRows();
    void checkHarava();
    bool checkTypedSystem();
    void showTally(const PrizeTally& tally);
    void finishCheck(Kind kind, const PrizeTally& tally);
    void storeWins();

    QList<QLineEdit*> prizeBoxes_;      // Text1 … Text4: classes 10 … 13
    QList<QLabel*> countLabels_;        // Label1 … Label4: classes 10 … 13
    QList<QLabel*> matchPercentLabels_; // how often each match was right
    QLabel* rowCountLabel_ = nullptr;
    QLabel* fullHitRowLabel_ = nullptr; // the last row with all 13 right
    QLabel* winTotalLabel_ = nullptr;
    QLabel* averageLabel_ = nullptr; // the average of the match percentages
    QLineEdit* roundEdit_ = nullptr;
    QLineEdit* yearEdit_ = nullptr;
    QListView* rowList_ = nullptr;
    QStringListModel* lines_ = nullptr;
    QPushButton* checkButton_ = nullptr;
    QPushButton* storeButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QPushButton* quitButton_ = nullptr;
    bool running_ = false;
};
