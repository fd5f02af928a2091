#pragma once

#include "base/ui/featurewindow.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTableView;
class QVBoxLayout;

namespace football {
class FootballDb;
class RecordSet;
class RecordBinder;
class TextTableModel;
class DataNavigator;
} // namespace football

// The player database: the players of one league at a time, searches, moves
// between leagues and the league's scorers.
class PlayerWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit PlayerWindow(AppContext& context);
    ~PlayerWindow() override;

protected:
    bool canClose() override;

private:
    void buildLeagueChoice(QVBoxLayout* column);
    void buildPlayerRecord(QVBoxLayout* column);
    void buildEditButtons(QVBoxLayout* column);
    void buildSearchBox(QVBoxLayout* column);
    void buildScorerList(QVBoxLayout* column);
    void buildClosingButtons(QVBoxLayout* layout);
    void buildStatusBar(QVBoxLayout* layout);
    void connectRecordControls();
    void openDatabase(AppContext& context);
    int leagueIndex() const;
    void loadLeague();
    void reload();
    void requery();
    void showRecord();
    void showCount();
    void refillLists();
    void addPlayer();
    void deletePlayer();
    void find(QComboBox* box, const QString& column);
    void movePlayer();
    void listScorers();
    void printScorers();
    void setBusy(bool busy);

    std::unique_ptr<football::FootballDb> db_;
    std::unique_ptr<football::RecordSet> records_;
    std::unique_ptr<football::RecordBinder> binder_;
    QRadioButton* leagueOptions_[6] = {};
    football::DataNavigator* navigator_ = nullptr;
    QLineEdit* nameEdit_ = nullptr;
    QComboBox* teamCombo_ = nullptr;
    QLineEdit* positionEdit_ = nullptr;
    QLineEdit* goalsEdit_ = nullptr;
    QScrollBar* goalsBar_ = nullptr;
    QCheckBox* absentCheck_ = nullptr;
    QLineEdit* updatedEdit_ = nullptr;
    QComboBox* findTeamCombo_ = nullptr;
    QComboBox* findPlayerCombo_ = nullptr;
    QComboBox* moveTargetCombo_ = nullptr;
    football::TextTableModel* scorerModel_ = nullptr;
    QTableView* scorerGrid_ = nullptr;
    QLabel* searching_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* statusLabels_[2] = {};
    QList<QPushButton*> buttons_; // disabled while the scorers are looked for
    bool listed_ = false;
    bool busy_ = false;
};
