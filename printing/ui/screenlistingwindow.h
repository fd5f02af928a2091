#pragma once

#include "base/ui/featurewindow.h"

#include <array>

class QLabel;
class QListView;
class QStringListModel;

// The rows on screen in blocks of ten, with how many rows carry each sign in
// every match.
class ScreenListingWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit ScreenListingWindow(AppContext& context);

private:
    void fill();

    QListView* listingView_ = nullptr;
    QStringListModel* model_ = nullptr;
    std::array<std::array<QLabel*, 13>, 3> counts_{}; // L1, Lx, L2 by match
    QLabel* rowCountLabel_ = nullptr;
    QLabel* fileNameLabel_ = nullptr;
};
