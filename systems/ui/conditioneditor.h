#pragma once

#include "base/appcontext.h"
#include "systems/pruning.h"

#include <QGroupBox>
#include <QList>
#include <optional>
#include <vector>

class QComboBox;
class QFormLayout;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;

// The pruning's conditions: a list where each is switched on or off, and an
// editor below it for a new condition or the one chosen, which changes as the
// editor does once the editor holds a good condition.
class ConditionEditor : public QGroupBox {
    Q_OBJECT
public:
    ConditionEditor(AppContext& context, QWidget* parent);

    const std::vector<Condition>& conditions() const { return conditions_; }
    // Shows `conditions` with none chosen.
    void setConditions(const std::vector<Condition>& conditions);
    QList<QWidget*> tabOrder() const;
    // Whether `focus` is in the editor proper, where Enter adds the condition.
    bool editing(QWidget* focus) const;
    QPushButton* addButton() const { return addButton_; }

signals:
    // A condition was added, removed, switched or changed.
    void changed();
    // The editor holds no good condition: why, for the window's status line.
    void problem(const QString& text);
    // The editor holds a good condition again.
    void fine();
    // Something the window's status line should tell.
    void notice(const QString& text);

private:
    void buildEditor();
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
    void chooseKind(ConditionKind kind);

    AppContext& context_;
    std::vector<Condition> conditions_;
    bool filling_ = false; // the editor itself is filling controls: no change of the player's

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
};
