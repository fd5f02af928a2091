#pragma once

#include "base/ui/featurewindow.h"

#include <memory>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace football {
class FootballDb;
class RecordSet;
class PopupCombo;
} // namespace football

// The hint row: a sign for each match of the round from the two teams' figures.
class HintRowWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit HintRowWindow(AppContext& context);
    ~HintRowWindow() override;

private:
    struct Side {
        QRadioButton* league[6] = {};
        football::PopupCombo* team = nullptr;
        QLineEdit* box[4] = {}; // points, goal ratio, win ratio, form
        QLineEdit* updated = nullptr;
    };
    QWidget* buildSide(Side& side, const QString& title, const QString& statsTitle, const QString& leagueName,
                       const QString& comboName, const QString& boxPrefix, const QString& dateName);
    QWidget* buildHintGrid();
    QWidget* buildMatchSelector();
    QWidget* buildCriteria();
    void buildButtons(QGridLayout* layout);
    void connectControls();
    void openDatabases(AppContext& context);
    int leagueOf(const Side& side) const;
    void leagueChosen(Side& side);
    void fillTeams(Side& side);
    void teamChosen(Side& side);
    void clearBoxes(Side& side);
    void matchChanged(int match);
    void giveHint();
    void showSign(int match, QChar sign, bool chosen);

    std::unique_ptr<football::FootballDb> teams_;
    std::unique_ptr<football::FootballDb> form_;
    std::unique_ptr<football::RecordSet> records_;
    Side home_;
    Side away_;
    QScrollBar* matchBar_ = nullptr;
    QPushButton* hintButton_ = nullptr;
    QLineEdit* matchEdit_ = nullptr;
    QCheckBox* winRatioCheck_ = nullptr;
    QCheckBox* goalRatioCheck_ = nullptr;
    QCheckBox* pointsCheck_ = nullptr;
    QCheckBox* formCheck_ = nullptr;
    QCheckBox* sunspotsCheck_ = nullptr;
    QLabel* signCells_[13][3] = {}; // a row per match: the cells of "1", "X" and "2"
    QLabel* matchMarkers_[13] = {};
};
