#pragma once

#include "base/ui/featurewindow.h"
#include "football/standings.h"

#include <memory>

class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;

namespace football {
class FootballDb;
class TextTableModel;
} // namespace football

// The league table: one league or all six, in the total, home or away view;
// printed or written to a text file.
class LeagueTableWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit LeagueTableWindow(AppContext& context);
    ~LeagueTableWindow() override;

private:
    void list(football::StandingsView view);
    void output();
    void writeFile();
    int chosenLeague() const;
    void setBusy(bool busy);

    std::unique_ptr<football::FootballDb> db_;
    football::TextTableModel* tableModel_ = nullptr;
    QTableView* tableGrid_ = nullptr;
    QLabel* viewLabel_ = nullptr;
    QLabel* sortingLabel_ = nullptr;
    QRadioButton* leagueOptions_[7] = {};
    QRadioButton* outputOptions_[2] = {};
    QList<QPushButton*> buttons_;
    // What was listed last: the view, the league caption and whether anything was.
    football::StandingsView view_ = football::StandingsView::Total;
    QString listedCaption_;
    bool listed_ = false;
    bool busy_ = false;

protected:
    bool canClose() override { return !busy_; }
};
