#pragma once

#include "base/ui/featurewindow.h"

#include <memory>

class QLineEdit;
class QRadioButton;
class QScrollBar;

namespace football {
class FootballDb;
class PopupCombo;
} // namespace football

// Results entry: a played match into both teams' figures and form, and its
// goals to the scorers.
class ResultsWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit ResultsWindow(AppContext& context);
    ~ResultsWindow() override;

private:
    int leagueIndex() const;
    void leagueChosen();
    void fillTeams(football::PopupCombo* combo);
    void fillScorers();
    void goalsChanged();
    void scorerGoalsChanged(int value);
    bool confirmSave();
    void saveMatch();
    void creditScorer();
    void addPlayer();
    void clearMatch();

    std::unique_ptr<football::FootballDb> db_;
    QRadioButton* O1[6] = {};
    football::PopupCombo* Combo1 = nullptr;
    football::PopupCombo* Combo2 = nullptr;
    football::PopupCombo* Combo3 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* HScroll2 = nullptr;
    QScrollBar* HScroll3 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;
    // Goals credited to scorers for this match so far.
    int credited_ = 0;
};
