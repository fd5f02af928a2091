#pragma once

#include "base/ui/featurewindow.h"
#include "football/standings.h"

#include <memory>

class FootballDb;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;
class TextTableModel;

// The league table: one league or all six, in the total, home or away view;
// printed or written to a text file.
class tilanne : public FeatureWindow {
    Q_OBJECT
public:
    explicit tilanne(AppContext& context);
    ~tilanne() override;

private:
    void list(StandingsView view);
    void output();
    void writeFile();
    int chosenLeague() const;
    void setBusy(bool busy);

    std::unique_ptr<FootballDb> db_;
    TextTableModel* model_ = nullptr;
    QTableView* Grid1 = nullptr;
    QLabel* sara = nullptr;
    QLabel* Label1 = nullptr;
    QRadioButton* sir[7] = {};
    QRadioButton* tul[2] = {};
    QList<QPushButton*> buttons_;
    // What was listed last: the view, the league caption and whether anything was.
    StandingsView view_ = StandingsView::Total;
    QString listedCaption_;
    bool listed_ = false;
    bool busy_ = false;

protected:
    bool canClose() override { return !busy_; }
};
