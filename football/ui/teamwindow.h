#pragma once

#include "base/ui/featurewindow.h"

#include <QHash>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
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
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QComboBox* Combo3 = nullptr;
    football::DataNavigator* Data1 = nullptr;
    QLabel* num = nullptr;
    QLabel* kuis = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text26 = nullptr;
    QHash<int, QLineEdit*> statBoxes_; // team column position -> box
    football::TextTableModel* model_ = nullptr;
    QTableView* Grid1 = nullptr;
    QString listedTeam_;
};
