#pragma once

#include "base/appcontext.h"
#include "base/ui/rowtextflows.h"

#include <QHash>
#include <QMainWindow>
#include <functional>

class QAction;
class QLabel;
class WindowRegistry;

// The main window: the menu and toolbar every task starts from. It exists for
// the whole run and is disabled while a feature window is open.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(AppContext& context, WindowRegistry& registry);

    // Runs the operation of a toolbar key or menu item ("arv", "tar", ... "lop").
    void runOperation(const QString& key);
    // Whether the operation can be used (its window exists).
    bool operationAvailable(const QString& key) const;
    // Shows a rows file or an own system in the listing window, as a file
    // opened from the desktop or given on the command line.
    void openRowFile(const QString& path);
    // The quit steps after the question: close the other windows, remove the
    // bookmark files, reset, store a moved window position and end. False (and
    // nothing done) when a window refuses to close.
    bool shutDown();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void load();
    // What each key of the menus and the toolbar does, and which windows it needs.
    void defineOperations();
    void defineNeeds();
    void buildPictures();
    void buildMenus();
    void buildToolbar();
    void placePictures();
    void refreshAvailability();
    void showFeature(const QString& window, bool hourglass = false);

    void deleteRowFile();
    void printRowFile();
    void exportRowFile(RowExportTarget target);
    void quit();

    AppContext& context_;
    WindowRegistry& registry_;
    QHash<QString, std::function<void()>> operations_;
    // Which window each operation needs; operations without one are always available.
    QHash<QString, QStringList> needs_;
    QList<QPair<QAction*, QString>> actions_; // action and its operation
    QLabel* bannerPicture_ = nullptr;
    QLabel* ballPicture_ = nullptr;
    QWidget* central_ = nullptr;
    bool shutDown_ = false;
};

// Converts between the stored window position (twips) and pixels.
inline constexpr int kTwipsPerPixel = 15;
