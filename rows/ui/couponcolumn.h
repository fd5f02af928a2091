#pragma once

#include <QFrame>
#include <QString>
#include <array>

class QAbstractButton;
class QLabel;
class QPushButton;
class QVBoxLayout;

// A column of the pools coupon: the 13 matches from the top, each with its
// number and the buttons of the three signs. A button shows its sign only
// while it is marked. The buttons are three control arrays named
// `<name>_<match>`, one name per sign ("1", "X", "2").
//
// Keyboard: the keys 1, X and 2 click that sign of the focused match and move
// on to the next match; the arrow keys move between the buttons.
class CouponColumn : public QFrame {
    Q_OBJECT
public:
    CouponColumn(const QString& objectName, const std::array<QString, 3>& arrayNames, QWidget* parent);

    QPushButton* button(int sign, int match) const { return buttons_[sign][match]; }
    void setMarked(int sign, int match, bool marked);
    bool isMarked(int sign, int match) const;
    // The buttons in tab order: match by match, "1", "X", "2".
    QList<QWidget*> tabOrder() const;

signals:
    void signClicked(int sign, int match);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<std::array<QPushButton*, 13>, 3> buttons_{};
};

// A column beside the coupon with one label per match, lined up with the
// coupon's rows (the hint row). The labels are named `<labelName>_<match>`.
class MatchLabelColumn : public QFrame {
    Q_OBJECT
public:
    MatchLabelColumn(const QString& objectName, const QString& labelName, const QString& heading, QWidget* parent);
    QLabel* label(int match) const { return labels_[match]; }

private:
    std::array<QLabel*, 13> labels_{};
};

