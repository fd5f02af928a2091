#pragma once

#include "base/ui/featurewindow.h"
#include "systems/pruning.h"

#include <memory>
#include <optional>
#include <vector>

class CouponColumn;
class MatchNumbersBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class QTimer;
struct CountJob;
struct CoveringJob;

// Karsinta: the player marks a frame and trims its full system with
// conditions, each switched on or off, and with per-match probabilities and
// the public's play. The count of rows kept follows every change at once (the
// work runs off the window's thread and the latest change wins). A guarantee
// can be searched inside the kept rows; the rows are saved as a new rows file
// and handed to the guarantee analysis, with the probabilities.
class PruningWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit PruningWindow(AppContext& context);
    ~PruningWindow() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void markClicked(int sign, int match);
    void showMarks();
    // The condition editor
    void kindChosen();
    void editorChanged();
    void conditionSelected();
    void addCondition();
    void removeCondition();
    void itemChanged(QListWidgetItem* item);
    std::optional<Condition> editorCondition(QString& error) const;
    void showInEditor(const Condition& condition);
    void showConditions(int selected);
    void takeHintRow();
    // The count
    std::optional<PruningSet> currentSet(QString& problem);
    void scheduleCount();
    void pollCount();
    // The guarantee
    void searchGuarantee();
    void pollSearch();
    void stopWork();
    // Files
    void saveAndAnalyse();
    void saveConditions();
    void openConditions();
    void setBusy(bool busy);
    void restoreKeptWork();

    std::vector<Condition> conditions_;
    // The round a conditions file held, kept to be saved with the conditions again.
    std::optional<PoolRound> round_;
    std::vector<RowIndex> kept_;        // of the latest count
    std::optional<PruningSet> keptFor_; // the set the count was for
    std::vector<SignRow> covering_;     // a guarantee found inside the kept rows
    std::shared_ptr<CountJob> countJob_;
    std::shared_ptr<CoveringJob> searchJob_;
    bool filling_ = false;         // the window itself is filling controls: no change of the player's
    bool statusIsProblem_ = false; // the status tells why nothing can be counted

    CouponColumn* coupon_ = nullptr;
    QLabel* fullLabel_ = nullptr;
    QLabel* keptLabel_ = nullptr;
    QLabel* chanceLabel_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QListWidget* list_ = nullptr;
    QComboBox* kindBox_ = nullptr;
    QFormLayout* editorLayout_ = nullptr;
    QComboBox* signBox_ = nullptr;
    QSpinBox* leastBox_ = nullptr;
    QSpinBox* mostBox_ = nullptr;
    QLineEdit* matchesEdit_ = nullptr;
    QLineEdit* favouritesEdit_ = nullptr;
    QPushButton* hintButton_ = nullptr;
    QLineEdit* numberEdit_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    MatchNumbersBox* numbersBox_ = nullptr;
    QComboBox* guaranteeBox_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* saveConditionsButton_ = nullptr;
    QPushButton* openConditionsButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QTimer* countPoll_ = nullptr;
    QTimer* searchPoll_ = nullptr;
};
