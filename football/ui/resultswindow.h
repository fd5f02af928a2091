#pragma once

#include "base/ui/featurewindow.h"

#include <memory>

class QGridLayout;
class QLineEdit;
class QPushButton;
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
    void buildLeagueChoice(QGridLayout* layout);
    void buildMatchBox(QGridLayout* layout);
    void buildScorerBox(QGridLayout* layout);
    void buildGoalTotals(QGridLayout* layout);
    void buildClosingButtons(QGridLayout* layout);
    void connectMatchControls();
    void openDatabase(AppContext& context);
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
    QRadioButton* leagueOptions_[6] = {};
    football::PopupCombo* homeCombo_ = nullptr;
    football::PopupCombo* awayCombo_ = nullptr;
    football::PopupCombo* scorerCombo_ = nullptr;
    QScrollBar* homeGoalsBar_ = nullptr;
    QScrollBar* awayGoalsBar_ = nullptr;
    QScrollBar* scorerGoalsBar_ = nullptr;
    QLineEdit* homeGoalsEdit_ = nullptr;
    QLineEdit* awayGoalsEdit_ = nullptr;
    QLineEdit* scorerGoalsEdit_ = nullptr;
    QLineEdit* teamGoalsEdit_ = nullptr;
    QLineEdit* playerGoalsEdit_ = nullptr;
    QLineEdit* dateEdit_ = nullptr;
    QPushButton* saveMatchButton_ = nullptr;
    QPushButton* saveScorerButton_ = nullptr;
    QPushButton* addPlayerButton_ = nullptr;
    // Goals credited to scorers for this match so far.
    int credited_ = 0;
};
