#pragma once

#include "base/ui/featurewindow.h"

#include <array>

class QHBoxLayout;
class QLabel;
class QListView;
class QPushButton;
class QStringListModel;
class QVBoxLayout;

// The rows on screen in blocks of ten, with how many rows carry each sign in
// every match.
class ScreenListingWindow : public FeatureWindow {
    Q_OBJECT
public:
    explicit ScreenListingWindow(AppContext& context);

private:
    void buildHeading(QVBoxLayout* layout);
    void buildListingView(QHBoxLayout* row);
    void buildDistribution(QHBoxLayout* row);
    void buildButtons(QVBoxLayout* layout);
    void buildExportActions();
    void fill();

    QListView* listingView_ = nullptr;
    QStringListModel* model_ = nullptr;
    std::array<std::array<QLabel*, 13>, 3> counts_{}; // L1, Lx, L2 by match
    QLabel* rowCountLabel_ = nullptr;
    QLabel* fileNameLabel_ = nullptr;
    QPushButton* showButton_ = nullptr; // the default button
};
