#pragma once

#include "base/appcontext.h"
#include "systems/pruning.h"

#include <QGroupBox>
#include <QList>
#include <optional>

class QPushButton;
class QRadioButton;
class QTableWidget;

// The player's chances of 1, X and 2 and the public's play, a line per
// match: typed, or loaded from a text file of 13 lines. The pruning and the
// worth windows both take their numbers from it.
class MatchNumbersBox : public QGroupBox {
    Q_OBJECT
public:
    MatchNumbersBox(AppContext& context, QWidget* parent);

    // The numbers of one half: nothing when it is empty, or when they do not
    // do (then `problem` says why).
    std::optional<MatchNumbers> numbers(bool publicShares, QString& problem) const;
    void showNumbers(const std::optional<MatchNumbers>& numbers, bool publicShares);
    // Every cell as typed, good or not, and whether chances are odds: what
    // the window keeps when it closes.
    struct Typed {
        QStringList cells;
        bool odds = false;
    };
    Typed typed() const;
    void showTyped(const Typed& typed);
    QList<QWidget*> tabOrder() const;

signals:
    // The player changed a number or how they are read, or loaded a file.
    void changed();
    // Something the window's status line should tell.
    void notice(const QString& text);

private:
    void load(bool publicShares);

    AppContext& context_;
    bool filling_ = false; // the box itself is filling cells: no change of the player's
    QTableWidget* table_ = nullptr;
    QRadioButton* percentRadio_ = nullptr;
    QRadioButton* oddsRadio_ = nullptr;
    QPushButton* loadChancesButton_ = nullptr;
    QPushButton* loadPublicButton_ = nullptr;
};

// A small text file whole, or nothing when it cannot be read or is too large for one.
std::optional<QByteArray> readSmallFileBytes(const QString& path);
std::optional<QString> readSmallText(const QString& path);

