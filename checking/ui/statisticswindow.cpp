#include "checking/ui/statisticswindow.h"
#include "base/ui/windownames.h"

#include "base/statsfiles.h"
#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/controls.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
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
    vdt->addItems(statisticsYears(services().clock.today().year()));
    vdt->setCurrentIndex(0);
}

void StatisticsWindow::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    layout->addLayout(top, 1);

    lines_ = new QStringListModel(this);
    List1 = makeListing(this, "List1", lines_, 80);
    List1->setMinimumHeight(330);
    top->addWidget(List1, 1);

    // The distribution of the correct signs: a line per match, a column per sign
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
    Label2 = new QLabel(frame);
    Label2->setObjectName("Label2");
    Label2->setAlignment(Qt::AlignCenter);
    Label2->hide();
    grid->addWidget(Label2, kMatches + 2, 0, 1, 4);
    grid->setRowStretch(kMatches + 3, 1);
    top->addWidget(frame);

    // Which file, and which year of correct rows
    auto* choice = new QHBoxLayout;
    auto* files = new QGroupBox(this);
    files->setObjectName("Frame2");
    auto* fileRow = new QHBoxLayout(files);
    O1 = new QButtonGroup(this);
    const char* optionCaptions[] = {"Voitot", "Oikeat rivit"};
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(optionCaptions[i], files);
        option->setObjectName(QString("O1_%1").arg(i));
        O1->addButton(option, i);
        fileRow->addWidget(option);
    }
    choice->addWidget(files);
    auto* yearCaption = new QLabel("Oikeat rivit vuodelta:", this);
    vdt = new QComboBox(this);
    vdt->setObjectName("vdt");
    yearCaption->setBuddy(vdt);
    choice->addWidget(yearCaption);
    choice->addWidget(vdt);
    choice->addStretch(1);
    Picture1 = new QToolButton(this);
    Picture1->setObjectName("Picture1");
    Picture1->setIcon(calculatorPicture());
    Picture1->setIconSize(QSize(34, 42));
    Picture1->setAutoRaise(true);
    Picture1->setToolTip("Laskin");
    choice->addWidget(Picture1);
    layout->addLayout(choice);

    auto* buttons = new QHBoxLayout;
    MhCommand1 = makeButton(this, "MhCommand1", "&Listaa");
    MhCommand2 = makeButton(this, "MhCommand2", "&Tulosta");
    Command3 = makeButton(this, "Command3", "&Poista");
    jak = makeButton(this, "jak", "&Jakautuma yhteensä");
    auto* apu = makeButton(this, "apu", "&Apua");
    auto* command1 = makeButton(this, "Command1", "L&opeta");
    buttons->addWidget(MhCommand1);
    buttons->addWidget(MhCommand2);
    buttons->addWidget(Command3);
    buttons->addWidget(jak);
    buttons->addStretch(1);
    buttons->addWidget(apu);
    buttons->addWidget(command1);
    layout->addLayout(buttons);

    // Until a file is chosen, there is nothing to list, print or delete.
    for (QPushButton* b : {MhCommand1, MhCommand2, Command3})
        b->setEnabled(false);

    connect(O1, &QButtonGroup::idClicked, this, [this](int id) { choose(id); });
    connect(MhCommand1, &QPushButton::clicked, this, [this] { list(); });
    connect(MhCommand2, &QPushButton::clicked, this, [this] { print(); });
    connect(Command3, &QPushButton::clicked, this, [this] { remove(); });
    connect(jak, &QPushButton::clicked, this, [this] { totalDistribution(); });
    connect(apu, &QPushButton::clicked, this, [this] { services().windows.runCommand("win"); });
    connect(Picture1, &QToolButton::clicked, this, [this] { services().windows.runCommand("calc"); });
    connect(command1, &QPushButton::clicked, this, [this] { closeWindow(); });
}

void StatisticsWindow::choose(int option)
{
    selectedFile_ = option == 0 ? kWinsFile : kCorrectRowsFile;
    if (QAbstractButton* b = O1->button(option); b && !b->isChecked())
        b->setChecked(true);
    for (QPushButton* b : {MhCommand1, MhCommand2, Command3})
        b->setEnabled(true);
}

QString StatisticsWindow::filePath()
{
    return QDir(state().ProgramDir).filePath(selectedFile_);
}

void StatisticsWindow::beginCommand()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    MhCommand1->setEnabled(false);
    Picture1->setEnabled(false);
    showDistribution(Distribution{});
}

void StatisticsWindow::endCommand()
{
    QGuiApplication::restoreOverrideCursor();
    MhCommand1->setEnabled(O1->checkedId() >= 0);
    Picture1->setEnabled(true);
    List1->setEnabled(true);
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
        List1->setCurrentIndex(lines_->index(0));
}

void StatisticsWindow::list()
{
    const int option = O1->checkedId();
    if (option < 0)
        return;
    beginCommand();
    lines_->setStringList({});
    if (option == 0) {
        selectedFile_ = kWinsFile;
        showLines(winListing(readWinRecords(filePath())), true);
    } else {
        QCoreApplication::processEvents();
        selectedFile_ = kCorrectRowsFile;
        Distribution distribution;
        showLines(correctRowListing(readCorrectRows(filePath()), vdt->currentText(), distribution), true);
        showDistribution(distribution);
    }
    endCommand();
}

void StatisticsWindow::totalDistribution()
{
    beginCommand();
    Label2->show();
    lines_->setStringList({});
    QCoreApplication::processEvents();
    choose(1);
    Distribution distribution;
    for (const OikeatRecord& record : readCorrectRows(filePath())) {
        distribution.add(record.row);
        Label2->setText(record.year.trimmed());
    }
    showDistribution(distribution);
    QCoreApplication::processEvents();
    Label2->hide();
    endCommand();
}

void StatisticsWindow::print()
{
    const int option = O1->checkedId();
    if (option < 0)
        return;
    beginCommand();
    PrintDevice& printer = services().printer;
    const QDate today = services().clock.today();
    bool printed = false;
    if (option == 0) {
        printed = printWins(printer, readWinRecords(QDir(state().ProgramDir).filePath(kWinsFile)), today);
    } else {
        Distribution distribution;
        printed = printCorrectRows(printer, readCorrectRows(QDir(state().ProgramDir).filePath(kCorrectRowsFile)),
                                   vdt->currentText(), distribution, today);
        showDistribution(distribution);
    }
    endCommand();
    if (printed && option == 1)
        message("Vuoden " + vdt->currentText() + " rivit lähetetty printterille !", Messages::Exclamation, "Tulosta");
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
        message("En löydä tiedostoa " + selectedFile_, Messages::Critical, "Poista");
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
