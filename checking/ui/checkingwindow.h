#pragma once

#include "base/ui/featurewindow.h"

#include <QList>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;
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
    void check();
    void checkSingleRows();
    void checkHarava();
    bool checkTypedSystem();
    void showTally(const PrizeTally& tally);
    void finishCheck(Kind kind, const PrizeTally& tally);
    void storeWins();

    QList<QLineEdit*> prizeBoxes_; // Text1 … Text4: classes 10 … 13
    QList<QLabel*> countLabels_;   // Label1 … Label4: classes 10 … 13
    QList<QLabel*> osui_;
    QLabel* Label12 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* ka = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;
    QListView* List1 = nullptr;
    QStringListModel* lines_ = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* tilastoi = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* C1 = nullptr;
    bool running_ = false;
};
