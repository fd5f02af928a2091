#pragma once

#include "base/ui/featurewindow.h"

#include <QHash>
#include <memory>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTableView;

namespace football {
class FootballDb;
class RecordSet;
class RecordBinder;
class TextTableModel;
class DataNavigator;
} // namespace football

// The team database: the teams of one league at a time with all their
// figures, kept consistent while the user edits them; moves between leagues
// and the team's player list.
class TeamWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit TeamWindow(AppContext& context);
    ~TeamWindow() override;

protected:
    bool canClose() override;

private:
    void buildLeagueHead(QGridLayout* layout);
    QWidget* buildTeamRecord();
    QWidget* buildSearchBox();
    void buildFigures(QGridLayout* layout);
    void buildEditButtons(QGridLayout* layout);
    void buildPlayerList(QGridLayout* layout);
    void buildClosingButtons(QGridLayout* layout);
    void connectRecordControls();
    void openDatabase(AppContext& context);
    QWidget* buildStatistics(const QString& title, const QList<int>& positions);
    int leagueIndex() const;
    void loadLeague();
    void showRecord();
    void refillTeamList();
    void statisticEdited(int position);
    void addTeam();
    void deleteTeam();
    void findTeam();
    void reload();
    void moveTeam();
    void resetFields();
    void listPlayers();
    void printPlayers();

    std::unique_ptr<football::FootballDb> db_;
    std::unique_ptr<football::RecordSet> records_;
    std::unique_ptr<football::RecordSet> players_;
    std::unique_ptr<football::RecordBinder> binder_;
    QComboBox* findTeamCombo_ = nullptr;
    QComboBox* moveTargetCombo_ = nullptr;
    QComboBox* leagueCombo_ = nullptr;
    football::DataNavigator* navigator_ = nullptr;
    QLabel* positionLabel_ = nullptr;
    QLabel* playerCountLabel_ = nullptr;
    QLabel* managerLabel_ = nullptr;
    QLineEdit* nameEdit_ = nullptr;
    QLineEdit* homeTownEdit_ = nullptr;
    QLineEdit* groundEdit_ = nullptr;
    QLineEdit* managerEdit_ = nullptr;
    QLineEdit* updatedEdit_ = nullptr;
    QHash<int, QLineEdit*> statBoxes_; // team column position -> box
    football::TextTableModel* playerModel_ = nullptr;
    QTableView* playerGrid_ = nullptr;
    QList<QPushButton*> databaseButtons_; // of no use without the database
    QString listedTeam_;
};
