#pragma once

#include "base/ui/featurewindow.h"

#include <array>

class QFrame;
class QLabel;
class QPushButton;
class QVBoxLayout;

// Own-system rows are entered one at a time and added to a system file.
class OwnSystemEntryWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit OwnSystemEntryWindow(AppContext& context);

private:
    QFrame* buildSignPanel();
    QVBoxLayout* buildSideColumn();
    void load();
    void signClicked(int sign, int match);
    void saveRow();
    void done();

    std::array<std::array<QPushButton*, 13>, 3> signButtons_{}; // Yksi, Risti, Kaksi by match
    QLabel* storedCountLabel_ = nullptr;
    int nextRecord_ = 2; // NextRecord: where the next row goes; rows stored = nextRecord_ - 2
};
