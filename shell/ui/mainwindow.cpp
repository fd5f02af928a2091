#include "shell/ui/mainwindow.h"
#include "base/texts.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/featurewindow.h"
#include "base/ui/rowfileflows.h"
#include "base/ui/rowtextflows.h"
#include "base/ui/windowregistry.h"
#include "rows/rowexport.h"
#include "rows/ui/sharedtexts.h"
#include "shell/ui/accessories.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>

namespace {

struct MenuItem {
    const char* caption; // "-" for a separator
    const char* operation;
    int index = 0; // of the item's name; 0 for its place in the menu
};

struct Menu {
    const char* name;
    const char* caption;
    const char* itemName;
    QList<MenuItem> items;
};

const QList<Menu>& menuTree()
{
    static const QList<Menu> tree = {
        {"mnuRivitie",
         "&Rivitiedostot",
         "rtie",
         {{"&Arvonta", "arv"},
          {"&Tarkastus", "tar"},
          {"&Haravat", "har"},
          {"&Poisto", "poi"},
          {"-", ""},
          {"A&setukset", "ase"},
          {"T&ulosta", "tul"},
          {"-", ""},
          // Rows in and out as text for online play. The items take names
          // after the older ones, which keep theirs.
          {"&Vie tekstitiedostoon", "vie", 10},
          {Texts::ExportToCsv, "viecsv", 11},
          {"K&opioi leikepöydälle", "kopioi", 12},
          {"Tuo r&ivit tiedostosta", "tuo", 13},
          {"Tuo rivit l&eikepöydältä", "tuolei", 14},
          {"-", ""},
          {"&Lopeta", "lop", 9}}},
        {"mnuJarjest",
         "&Järjestelmät",
         "jrj",
         {{"&Takuuanalyysi...", "tak"}, {"&Oma harava...", "oma"}, {"&Karsinta...", "kar"}, {"&Odotusarvo...", "odo"}}},
        {"mnuKannat",
         "&Tietokannat",
         "kan",
         {{"&Joukkueet", "kanta"},
          {"&Pelaajat", "pelaajat"},
          {"-", ""},
          {"&Tulokset", "tulos"},
          {"&Sarjatilanne", "tilanne"},
          {"&Vihjerivi", "vih"},
          {"T&ilastot", "til"}}},
        {"mnuAvut",
         "&Apuohjelmat",
         "aps",
         {{"&Kalenteri", "kal"}, {"&Muistio", "mui"}, {"&WWW-sivu", "ava"}, {"&Soita", "soi"}}},
        {"mnuOhje", "&Ohje", "oh", {{"&Rivikone ohje", "win"}, {"&Info", "inf"}}},
    };
    return tree;
}

struct ToolButton {
    const char* key; // "" for a separator
    const char* tooltip;
    int image;
};

const QList<ToolButton>& toolButtons()
{
    static const QList<ToolButton> buttons = {
        {"arv", "Arvonta ", 1},
        {"tar", "Tarkastus ", 2},
        {"har", "Tarkasta harava", 3},
        {"tul", "Tulostus ", 6},
        {"poi", "Poista rivitiedosto", 4},
        {"", "", 0},
        {"tie", "Tietokannat", 8},
        {"til", "Tilastot ", 9},
        {"vih", "Vihjerivi", 10},
        {"", "", 0},
        {"kal", "Kalenteri", 16},
        {"mui", "Muistio", 11},
        {"ava", "Avaa WWW-sivu", 12},
        {"soi", "Soita äänipuhelu", 13},
        {"", "", 0},
        {"ase", "Asetukset", 5},
        {"inf", "Info", 15},
        {"", "", 0},
        {"win", "Rivikone ohjeet", 14},
        {"lop", "Lopeta ohjelma", 7},
    };
    return buttons;
}

constexpr int kClientWidth = 9510 / kTwipsPerPixel;
constexpr int kClientHeight = 6510 / kTwipsPerPixel;

} // namespace

MainWindow::MainWindow(AppContext& context, WindowRegistry& registry) : context_(context), registry_(registry)
{
    setObjectName(WindowName::Main);
    setWindowTitle(kMainTitle);
    setWindowIcon(QIcon(":/pictures/rivikone.png"));

    defineOperations();
    defineNeeds();
    buildPictures();
    buildMenus();
    buildToolbar();
    refreshAvailability();
    // F1 opens the user guide here as in every other window.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { runOperation("win"); });
    load();
}

void MainWindow::defineOperations()
{
    SharedState& s = context_.state;
    auto feature = [this](const QString& window, bool hourglass = false) {
        return [this, window, hourglass] { showFeature(window, hourglass); };
    };
    operations_ = {
        {"arv",
         [this, &s] {
             ResetTaskState(s);
             s.RandomTask = 1;
             s.WeightedDraw = 0;
             showFeature(WindowName::DrawKind);
         }},
        {"tar",
         [this, &s] {
             ResetTaskState(s);
             s.CheckTask = 1;
             showFeature(WindowName::CheckFileType);
         }},
        {"har",
         [this, &s] {
             ResetTaskState(s);
             s.HaravaTask = 1;
             s.DialogMode = 1;
             showFeature(WindowName::ReducedSystemChoice);
         }},
        {"tul", [this] { printRowFile(); }},
        {"vie", [this] { exportRowFile(RowExportTarget::TextFile); }},
        {"viecsv", [this] { exportRowFile(RowExportTarget::CsvFile); }},
        {"kopioi", [this] { exportRowFile(RowExportTarget::Clipboard); }},
        {"tuo",
         [this, &s] {
             ResetTaskState(s);
             ImportRowsFromFile(context_);
         }},
        {"tuolei",
         [this, &s] {
             ResetTaskState(s);
             ImportRowsFromClipboard(context_);
         }},
        {"poi", [this] { deleteRowFile(); }},
        {"tie", feature(WindowName::DatabaseChoice, true)},
        {"til", feature(WindowName::Statistics)},
        {"vih", feature(WindowName::HintRow)},
        {"ase", feature(WindowName::Settings)},
        {"inf", feature(WindowName::Information)},
        {"lop", [this] { quit(); }},
        {"kanta", feature(WindowName::Teams, true)},
        {"pelaajat", feature(WindowName::Players, true)},
        {"tulos", feature(WindowName::Results, true)},
        {"tilanne", feature(WindowName::LeagueTable, true)},
        // The rows in memory stay for the analysis: no task reset here.
        {"tak", feature(WindowName::GuaranteeAnalysis)},
        {"oma", feature(WindowName::OwnReducedSystem)},
        {"kar", feature(WindowName::Pruning)},
        {"odo", feature(WindowName::Worth)},
    };
    for (const char* key : {"kal", "mui", "ava", "soi", "win", "calc"})
        operations_.insert(key, [this, key] { runAccessory(context_, key); });
}

// Operations left out here need no window and are always available.
void MainWindow::defineNeeds()
{
    needs_ = {
        {"arv", {WindowName::DrawKind}},
        {"tar", {WindowName::CheckFileType}},
        {"har", {WindowName::ReducedSystemChoice}},
        {"tul", {WindowName::PrintTarget, WindowName::Conversion}},
        {"tie", {WindowName::DatabaseChoice}},
        {"til", {WindowName::Statistics}},
        {"vih", {WindowName::HintRow}},
        {"ase", {WindowName::Settings}},
        {"inf", {WindowName::Information}},
        {"kanta", {WindowName::Teams}},
        {"pelaajat", {WindowName::Players}},
        {"tulos", {WindowName::Results}},
        {"tilanne", {WindowName::LeagueTable}},
        {"tak", {WindowName::GuaranteeAnalysis}},
        {"oma", {WindowName::OwnReducedSystem}},
        {"kar", {WindowName::Pruning}},
        {"odo", {WindowName::Worth}},
    };
}

void MainWindow::buildPictures()
{
    central_ = new QWidget(this);
    central_->setObjectName("tausta");
    central_->setAutoFillBackground(true);
    setCentralWidget(central_);
    bannerPicture_ = new QLabel(central_);
    bannerPicture_->setObjectName("Picture8");
    bannerPicture_->setPixmap(QPixmap(":/pictures/Picture8.png"));
    bannerPicture_->adjustSize();
    ballPicture_ = new QLabel(central_);
    ballPicture_->setObjectName("Image12");
    ballPicture_->setPixmap(QPixmap(":/pictures/Image12.png"));
    ballPicture_->adjustSize();
}

void MainWindow::buildMenus()
{
    for (const Menu& menu : menuTree()) {
        QMenu* m = menuBar()->addMenu(QString::fromUtf8(menu.caption));
        m->setObjectName(menu.name);
        int index = 0;
        for (const MenuItem& item : menu.items) {
            ++index;
            if (QString(item.caption) == "-") {
                m->addSeparator();
                continue;
            }
            QAction* action = m->addAction(QString::fromUtf8(item.caption));
            action->setObjectName(QString("%1_%2").arg(menu.itemName).arg(item.index ? item.index : index));
            const QString operation = item.operation;
            connect(action, &QAction::triggered, this, [this, operation] { runOperation(operation); });
            actions_ << qMakePair(action, operation);
        }
    }
}

void MainWindow::buildToolbar()
{
    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName("Toolbar1");
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setIconSize(QSize(24, 24));
    toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, toolbar);
    for (const ToolButton& button : toolButtons()) {
        if (QString(button.key).isEmpty()) {
            toolbar->addSeparator();
            continue;
        }
        const QString key = button.key;
        QAction* action = toolbar->addAction(QIcon(QString(":/ImageList1/%1.png").arg(button.image)), QString());
        action->setObjectName(key);
        action->setToolTip(QString::fromUtf8(button.tooltip));
        if (QWidget* widget = toolbar->widgetForAction(action))
            widget->setObjectName(key);
        // A click runs the first operation whose key matches, in the toolbar's order.
        connect(action, &QAction::triggered, this, [this, key] { runOperation(key); });
        actions_ << qMakePair(action, key);
    }
}

bool MainWindow::operationAvailable(const QString& key) const
{
    if (!operations_.contains(key))
        return false;
    if (QStringList{"kal", "mui", "ava", "soi", "win", "calc"}.contains(key))
        return accessoryAvailable(key);
    for (const QString& window : needs_.value(key))
        if (!registry_.available(window))
            return false;
    return true;
}

void MainWindow::refreshAvailability()
{
    for (const auto& [action, operation] : actions_)
        action->setEnabled(operationAvailable(operation));
}

void MainWindow::runOperation(const QString& key)
{
    if (!operationAvailable(key))
        return;
    operations_.value(key)();
}

void MainWindow::showFeature(const QString& window, bool hourglass)
{
    std::optional<BusyCursor> busy;
    if (hourglass)
        busy.emplace();
    if (registry_.show(window, {}, this))
        setEnabled(false);
}

void MainWindow::load()
{
    SharedState& s = context_.state;
    Settings& settings = context_.services.settings;
    if (!s.ProgramDir.isEmpty())
        QDir::setCurrent(s.ProgramDir);

    // Window size: the client area below the menu bar.
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int centredTop = ((area.height() - height()) / 2) * kTwipsPerPixel;
    const int centredLeft = ((area.width() - width()) / 2) * kTwipsPerPixel;
    s.WindowTop = leadingInt(settings.read(keys::Top, QString::number(centredTop)));
    s.WindowLeft = leadingInt(settings.read(keys::Left, QString::number(centredLeft)));
    move(s.WindowLeft / kTwipsPerPixel, s.WindowTop / kTwipsPerPixel);

    s.SaveConfirm = leadingInt(settings.read(keys::SaveConfirm));

    // The first start's values go into the file at once, before its message.
    QList<Settings::Value> firstValues;
    if (settings.read(keys::Version) != kSettingsVersion)
        firstValues.append({keys::Version, kSettingsVersion});
    const QString marker = settings.read(keys::Installed);
    const bool firstStart = marker.isEmpty() || marker == "0";
    if (firstStart) {
        // Saved together with the marker that says they are in place.
        for (const SettingKey& key : {keys::PrintTop, keys::PrintLeft, keys::PrintWidth, keys::PrintHeight})
            firstValues.append({key, key.fallback});
        firstValues.append({keys::Installed, "1"});
    }
    const Outcome<> saved = settings.write(firstValues);
    if (firstStart) {
        context_.services.messages.show(QStringLiteral("Asetukset on siirretty järjestelmärekisteriin.") + kLineBreak +
                                            "Tulostus asetuksissa on oletus asetukset !" + kLineBreak +
                                            "Canon BJ-200 Win 95",
                                        Messages::Exclamation);
    }
    // Without a word the first-start message would come back at every start.
    if (!saved)
        context_.services.messages.show(saved.failure().message, Messages::Critical);

    placePictures();
    ResetTaskState(s);

    s.SoundOn = leadingInt(settings.read(keys::Sounds));
    PlayEventSound(context_, 11);
}

void MainWindow::placePictures()
{
    if (!central_)
        return;
    // The picture stands centred, 600 twips above the bottom edge of the window.
    const int bottomMargin = 600 / kTwipsPerPixel;
    const int windowBottom = height() - central_->y();
    bannerPicture_->move(width() / 2 - bannerPicture_->width() / 2,
                         std::max(0, windowBottom - bannerPicture_->height() - bottomMargin));
    ballPicture_->move(8, std::max(0, central_->height() - ballPicture_->height() - 8));
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    placePictures();
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    handActivationToFeatureWindow(this);
    SharedState& s = context_.state;
    if (s.FirstActivation != 0)
        return;
    // Only the very first activation may show the information window.
    s.FirstActivation = 1;
    if (leadingInt(context_.services.settings.read(keys::Info)) > 0)
        showFeature(WindowName::Information);
}

void MainWindow::deleteRowFile()
{
    SharedState& s = context_.state;
    ResetTaskState(s);
    s.DialogMode = 1;
    s.CurrentFile = ChooseRowFile(context_, "Valitse poistettava rivitiedosto !", Texts::RowFileFilter);
    if (!s.CurrentFile.isEmpty()) {
        if (QFile::remove(s.CurrentFile))
            context_.services.messages.show("Tiedosto " + s.CurrentFileTitle + " poistettu !");
        else
            context_.services.messages.show(SharedText::FileNotFound + s.CurrentFileTitle, Messages::Critical,
                                            "Poisto");
    }
    if (!s.ProgramDir.isEmpty())
        QDir::setCurrent(s.ProgramDir);
}

void MainWindow::printRowFile()
{
    SharedState& s = context_.state;
    ResetTaskState(s);
    s.DialogMode = 1;
    s.SystemLoaded = 0;
    s.CurrentFile =
        ChooseRowFile(context_, "Valitse tulostettava rivitiedosto tai oma systeemi !", Texts::RowFileFilter);
    if (s.CurrentFile.isEmpty())
        return;
    s.PrintTarget = 1;
    if (isSystemFileName(s.CurrentFile)) {
        s.SystemLoaded = 1;
        if (!ReadRowFile(context_, RowReader::OwnSystem, Texts::FileUnreadable))
            return;
        showFeature(WindowName::Conversion);
    } else {
        showFeature(WindowName::PrintTarget);
    }
}

void MainWindow::exportRowFile(RowExportTarget target)
{
    SharedState& s = context_.state;
    ResetTaskState(s);
    s.DialogMode = 1;
    s.SystemLoaded = 0;
    s.CurrentFile =
        ChooseRowFile(context_, "Valitse vietävä rivitiedosto tai oma systeemi !", Texts::RowFileFilter);
    if (s.CurrentFile.isEmpty())
        return;
    // An own system is fitted to the coupon first, as for printing.
    if (isSystemFileName(s.CurrentFile)) {
        if (!registry_.available(WindowName::Conversion))
            return;
        s.SystemLoaded = 1;
        if (!ReadRowFile(context_, RowReader::OwnSystem, Texts::FileUnreadable))
            return;
        s.ExportTarget = int(target);
        showFeature(WindowName::Conversion);
        return;
    }
    RowFileReadResult read = Failure{};
    {
        BusyCursor busy;
        read = readRowsForExport(s.CurrentFile);
    }
    if (!s.ProgramDir.isEmpty())
        QDir::setCurrent(s.ProgramDir);
    if (!read) {
        context_.services.messages.show(Texts::FileUnreadable, Messages::Critical);
        return;
    }
    ExportRows(context_, read->rows, int(read->rows.size()), target);
}

void MainWindow::openRowFile(const QString& path)
{
    SharedState& s = context_.state;
    if (!registry_.available(WindowName::ScreenListing))
        return;
    showNormal();
    raise();
    activateWindow();
    // A task going on keeps its rows; the file waits for the player.
    if (!isEnabled()) {
        context_.services.messages.show("Sulje ensin avoinna oleva ikkuna, niin voit avata tiedoston " +
                                            QFileInfo(path).fileName() + " !",
                                        Messages::Exclamation);
        return;
    }
    ResetTaskState(s);
    s.CurrentFile = path;
    s.CurrentFileTitle = QFileInfo(path).fileName();
    s.PrintTarget = 1;
    if (isSystemFileName(path)) {
        // Listed as fitted to the coupon the way the conversion window first offers it.
        RowFileReadResult read = Failure{};
        {
            BusyCursor busy;
            read = readRowsForExport(path);
        }
        if (!read) {
            context_.services.messages.show(Texts::FileUnreadable, Messages::Critical);
            return;
        }
        s.SystemLoaded = 1;
        s.Rows = std::move(read->rows);
        s.RowCount = int(s.Rows.size());
        s.HalfGuardCount = read->halfGuards;
        s.FullGuardCount = read->fullGuards;
    } else {
        s.SystemLoaded = 0;
        if (!ReadRowFile(context_, RowReader::PrintTarget, Texts::FileUnreadable))
            return;
    }
    showFeature(WindowName::ScreenListing);
}

void MainWindow::quit()
{
    if (context_.services.messages.show("Haluatko varmasti lopettaa ohjelman ?",
                                        Messages::YesNo | Messages::Question | Messages::DefaultButton2,
                                        "Lopeta") != Messages::Yes)
        return;
    shutDown();
}

bool MainWindow::shutDown()
{
    if (shutDown_)
        return true;
    // Every other window first: one that refuses (a run going on, an edit the
    // database would not take) keeps the program running, with nothing lost.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible() && !window->close())
            return false;
    shutDown_ = true;
    SharedState& s = context_.state;
    removeBookmarkFiles(s.ProgramDir);
    ResetTaskState(s);
    // Compared in pixels: a stored value need not be a whole number of pixels.
    if (y() != s.WindowTop / kTwipsPerPixel || x() != s.WindowLeft / kTwipsPerPixel) {
        context_.services.settings.write(
            {{keys::Top, QString::number(y() * kTwipsPerPixel)}, {keys::Left, QString::number(x() * kTwipsPerPixel)}});
    }
    close();
    QCoreApplication::quit();
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (shutDown_) {
        event->accept();
        return;
    }
    // Disabled, the window takes no input, its close button included: the
    // feature window that disabled it comes to the front instead.
    if (!isEnabled()) {
        event->ignore();
        const QList<QWidget*> open = openFeatureWindows();
        if (QWidget* feature = open.isEmpty() ? nullptr : open.last()) {
            feature->showNormal();
            feature->raise();
            feature->activateWindow();
        }
        return;
    }
    if (shutDown())
        event->accept();
    else
        event->ignore();
}
