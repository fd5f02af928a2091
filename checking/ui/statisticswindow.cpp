#include "base/texts.h"
#include "checking/ui/statisticswindow.h"
#include "base/ui/windownames.h"

#include "base/statsfiles.h"
#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/controls.h"
#include "rows/ui/sharedtexts.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A small desk calculator for the button that starts the calculator.
QPixmap calculatorPicture()
{
    QPixmap picture(34, 42);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(70, 80, 95));
    p.drawRoundedRect(QRectF(1.5, 1.5, 31, 39), 4, 4);
    p.setBrush(QColor(190, 220, 180));
    p.drawRect(QRectF(5.5, 5.5, 23, 8));
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            p.setBrush(col == 3 ? QColor(230, 140, 40) : QColor(225, 225, 225));
            p.drawRoundedRect(QRectF(5 + col * 6.5, 17 + row * 5.5, 4.5, 4), 1, 1);
        }
    return picture;
}

} // namespace

StatisticsWindow::StatisticsWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::Statistics);
    setWindowTitle("Tilastot");
    buildControls();

    // Load
    yearBox_->addItems(statisticsYears(services().clock.today().year()));
    yearBox_->setCurrentIndex(0);
}

void StatisticsWindow::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    layout->addLayout(top, 1);

    lines_ = new QStringListModel(this);
    listing_ = makeListing(this, "List1", lines_, 80);
    listing_->setMinimumHeight(330);
    top->addWidget(listing_, 1);
    top->addWidget(buildDistributionBox());
    layout->addLayout(buildFileChoice());
    layout->addLayout(buildButtons());
    connectSignals();
}

// The distribution of the correct signs: a line per match, a column per sign
QGroupBox* StatisticsWindow::buildDistributionBox()
{
    auto* frame = new QGroupBox(this);
    frame->setObjectName("Frame1");
    auto* grid = new QGridLayout(frame);
    grid->setVerticalSpacing(2);
    grid->addWidget(new QLabel(" Jakautuma:", frame), 0, 0, 1, 4);
    const char* signCaptions[] = {" 1", " X", " 2"};
    const char* rowNames[] = {"L1", "Lx", "L2"};
    for (int s = 0; s < 3; ++s) {
        auto* caption = new QLabel(signCaptions[s], frame);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(caption, 1, s + 1);
        distribution_ << QList<QLabel*>();
    }
    for (int k = 0; k < kMatches; ++k) {
        auto* number = new QLabel(QString::number(k + 1), frame);
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(number, k + 2, 0);
        for (int s = 0; s < 3; ++s) {
            auto* count = new QLabel(" 0", frame);
            count->setObjectName(QString("%1_%2").arg(rowNames[s]).arg(k));
            count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            count->setFrameShape(QFrame::Panel);
            count->setFrameShadow(QFrame::Sunken);
            count->setMinimumWidth(count->fontMetrics().horizontalAdvance(" 0000") + 4);
            grid->addWidget(count, k + 2, s + 1);
            distribution_[s] << count;
        }
    }
    totallingYear_ = new QLabel(frame);
    totallingYear_->setObjectName("Label2");
    totallingYear_->setAlignment(Qt::AlignCenter);
    totallingYear_->hide();
    grid->addWidget(totallingYear_, kMatches + 2, 0, 1, 4);
    grid->setRowStretch(kMatches + 3, 1);
    return frame;
}

// Which file, and which year of correct rows
QHBoxLayout* StatisticsWindow::buildFileChoice()
{
    auto* choice = new QHBoxLayout;
    auto* files = new QGroupBox(this);
    files->setObjectName("Frame2");
    auto* fileRow = new QHBoxLayout(files);
    fileOptions_ = new QButtonGroup(this);
    const char* optionCaptions[] = {"Voitot", "Oikeat rivit"};
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(optionCaptions[i], files);
        option->setObjectName(QString("O1_%1").arg(i));
        fileOptions_->addButton(option, i);
        fileRow->addWidget(option);
    }
    choice->addWidget(files);
    auto* yearCaption = new QLabel("Oikeat rivit vuodelta:", this);
    yearBox_ = new QComboBox(this);
    yearBox_->setObjectName("vdt");
    yearCaption->setBuddy(yearBox_);
    choice->addWidget(yearCaption);
    choice->addWidget(yearBox_);
    choice->addStretch(1);
    calculatorButton_ = new QToolButton(this);
    calculatorButton_->setObjectName("Picture1");
    calculatorButton_->setIcon(calculatorPicture());
    calculatorButton_->setIconSize(QSize(34, 42));
    calculatorButton_->setAutoRaise(true);
    calculatorButton_->setToolTip("Laskin");
    choice->addWidget(calculatorButton_);
    return choice;
}

QHBoxLayout* StatisticsWindow::buildButtons()
{
    auto* buttons = new QHBoxLayout;
    listButton_ = makeButton(this, "MhCommand1", "&Listaa");
    printButton_ = makeButton(this, "MhCommand2", "&Tulosta");
    deleteButton_ = makeButton(this, "Command3", "&Poista");
    totalDistributionButton_ = makeButton(this, "jak", "&Jakautuma yhteensä");
    helpButton_ = makeButton(this, "apu", "&Apua");
    closeButton_ = makeButton(this, "Command1", "L&opeta");
    buttons->addWidget(listButton_);
    buttons->addWidget(printButton_);
    buttons->addWidget(deleteButton_);
    buttons->addWidget(totalDistributionButton_);
    buttons->addStretch(1);
    buttons->addWidget(helpButton_);
    buttons->addWidget(closeButton_);
    // Until a file is chosen, there is nothing to list, print or delete.
    for (QPushButton* b : {listButton_, printButton_, deleteButton_})
        b->setEnabled(false);
    return buttons;
}

void StatisticsWindow::connectSignals()
{
    connect(fileOptions_, &QButtonGroup::idClicked, this, [this](int id) { choose(id); });
    connect(listButton_, &QPushButton::clicked, this, [this] { list(); });
    connect(printButton_, &QPushButton::clicked, this, [this] { print(); });
    connect(deleteButton_, &QPushButton::clicked, this, [this] { remove(); });
    connect(totalDistributionButton_, &QPushButton::clicked, this, [this] { totalDistribution(); });
    connect(helpButton_, &QPushButton::clicked, this, [this] { services().windows.runCommand(MainCommand::Help); });
    connect(calculatorButton_, &QToolButton::clicked, this, [this] { services().windows.runCommand(MainCommand::Calculator); });
    connect(closeButton_, &QPushButton::clicked, this, [this] { closeWindow(); });
}

void StatisticsWindow::choose(int option)
{
    selectedFile_ = option == 0 ? kWinsFile : kCorrectRowsFile;
    if (QAbstractButton* b = fileOptions_->button(option); b && !b->isChecked())
        b->setChecked(true);
    for (QPushButton* b : {listButton_, printButton_, deleteButton_})
        b->setEnabled(true);
}

QString StatisticsWindow::filePath()
{
    return QDir(state().ProgramDir).filePath(selectedFile_);
}

void StatisticsWindow::beginCommand()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    listButton_->setEnabled(false);
    calculatorButton_->setEnabled(false);
    showDistribution(Distribution{});
}

void StatisticsWindow::endCommand()
{
    QGuiApplication::restoreOverrideCursor();
    listButton_->setEnabled(fileOptions_->checkedId() >= 0);
    calculatorButton_->setEnabled(true);
    listing_->setEnabled(true);
}

void StatisticsWindow::showDistribution(const Distribution& distribution)
{
    for (int s = 0; s < 3; ++s)
        for (int k = 0; k < kMatches; ++k)
            distribution_[s][k]->setText(distribution.text(s, k));
}

void StatisticsWindow::showLines(const QStringList& lines, bool selectFirst)
{
    lines_->setStringList(lines);
    if (selectFirst && !lines.isEmpty())
        listing_->setCurrentIndex(lines_->index(0));
}

void StatisticsWindow::list()
{
    const int option = fileOptions_->checkedId();
    if (option < 0)
        return;
    beginCommand();
    lines_->setStringList({});
    bool read = false;
    if (option == 0) {
        selectedFile_ = kWinsFile;
        if (const auto records = readWinRecords(filePath())) {
            showLines(winListing(*records), true);
            read = true;
        }
    } else {
        // The emptied list shows before the long read.
        repaint();
        selectedFile_ = kCorrectRowsFile;
        if (const auto records = readCorrectRows(filePath())) {
            Distribution distribution;
            showLines(correctRowListing(*records, yearBox_->currentText(), distribution), true);
            showDistribution(distribution);
            read = true;
        }
    }
    endCommand();
    if (!read)
        tellUnreadable();
}

void StatisticsWindow::totalDistribution()
{
    beginCommand();
    totallingYear_->show();
    lines_->setStringList({});
    // The year being totalled shows before the long read.
    repaint();
    choose(1);
    const auto records = readCorrectRows(filePath());
    Distribution distribution;
    for (const OikeatRecord& record : records.value_or(QList<OikeatRecord>())) {
        distribution.add(record.row);
        totallingYear_->setText(record.year.trimmed());
    }
    showDistribution(distribution);
    totallingYear_->hide();
    endCommand();
    if (!records)
        tellUnreadable();
}

void StatisticsWindow::print()
{
    const int option = fileOptions_->checkedId();
    if (option < 0)
        return;
    beginCommand();
    PrintDevice& printer = services().printer;
    const QDate today = services().clock.today();
    bool read = false;
    bool printed = false;
    if (option == 0) {
        if (const auto records = readWinRecords(QDir(state().ProgramDir).filePath(kWinsFile))) {
            read = true;
            printed = printWins(printer, *records, today);
        }
    } else if (const auto records = readCorrectRows(QDir(state().ProgramDir).filePath(kCorrectRowsFile))) {
        read = true;
        Distribution distribution;
        printed = printCorrectRows(printer, *records, yearBox_->currentText(), distribution, today);
        showDistribution(distribution);
    }
    endCommand();
    if (!read)
        tellUnreadable();
    else if (printed && option == 1)
        message("Vuoden " + yearBox_->currentText() + " rivit lähetetty printterille !", Messages::Exclamation,
                "Tulosta");
}

// A file that cannot be read, or is too large for a statistics file, is told
// rather than listed as empty: the user would take it for lost.
void StatisticsWindow::tellUnreadable()
{
    message(Texts::FileUnreadable, Messages::Critical, "Tilastot");
}

void StatisticsWindow::remove()
{
    if (selectedFile_ == "EIOO")
        return;
    // A whole file of statistics goes: Enter alone must not answer Yes.
    if (message("Haluatko varmasti poistaa tiedoston " + selectedFile_,
                Messages::YesNo | Messages::Question | Messages::DefaultButton2, "Poista") != Messages::Yes)
        return;
    const QString path = filePath();
    if (!QFile::exists(path))
        return;
    if (!QFile::remove(path)) {
        message(SharedText::FileNotFound + selectedFile_, Messages::Critical, "Poista");
        return;
    }
    // What was listed from the file is gone with it.
    lines_->setStringList({});
}

void StatisticsWindow::closeWindow()
{
    lines_->setStringList({});
    finish();
}

void StatisticsWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        closeWindow();
        return;
    }
    FeatureWindow::keyPressEvent(event);
}
