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
    QRadioButton* pel[6] = {};
    football::DataNavigator* Data2 = nullptr;
    QLineEdit* Text4 = nullptr;
    QComboBox* Combo2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text10 = nullptr;
    QScrollBar* maalit = nullptr;
    QCheckBox* Check5 = nullptr;
    QLineEdit* Text2 = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo4 = nullptr;
    QComboBox* siirto = nullptr;
    football::TextTableModel* model_ = nullptr;
    QTableView* Grid1 = nullptr;
    QLabel* searching_ = nullptr;
    QProgressBar* porto = nullptr;
    QLabel* sek_[2] = {};
    QList<QPushButton*> buttons_;
    bool listed_ = false;
    bool busy_ = false;
};
