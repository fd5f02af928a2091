#include "random/ui/drawingwindow.h"
#include "base/texts.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/rowfileflows.h"
#include "random/drawing.h"
#include "random/ui/controls.h"
#include "random/ui/drawchart.h"
#include "random/ui/drawtask.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLocale>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {

// The figures and the chart change faster than anyone can read; they are
// shown this often during a run, and once more at its end.
constexpr int kRepaintMs = 40;

QLabel* valueLabel(QWidget* parent, const QString& name)
{
    auto* label = makeLabel(parent, QString(), name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance("000000"));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

} // namespace

DrawingWindow::DrawingWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::Drawing);
    setWindowTitle("ARVONTA");

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top_ = top;
    layout->addLayout(top, 1);
    buildChartColumn(top);
    buildFigureColumn(top);

    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName("mittari");
    layout->addWidget(progressBar_);
    setMinimumSize(560, 330);

    connect(drawButton_, &QPushButton::clicked, this, [this] { draw(); });
    connect(saveButton_, &QPushButton::clicked, this, [this] { save(); });
    connect(okButton_, &QPushButton::clicked, this, [this] { closeWindow(); });
    connect(helpButton_, &QPushButton::clicked, this, [this] { services().windows.runCommand(MainCommand::Help); });
    bindDialogKeys(this, nullptr, [this] { close(); });
    load();
}

// Left: the chart and the hit counters.
void DrawingWindow::buildChartColumn(QHBoxLayout* top)
{
    auto* left = new QVBoxLayout;
    top->addLayout(left, 1);
    chartBox_ = new QGroupBox("Perusmerkkejä", this);
    chartBox_->setObjectName("Frame2");
    auto* chartLayout = new QGridLayout(chartBox_);
    chart_ = new DrawChart(chartBox_);
    chartLayout->addWidget(makeLabel(chartBox_, "13", "huippu"), 0, 0, Qt::AlignRight | Qt::AlignTop);
    chartLayout->addWidget(chart_, 0, 1, 2, 1);
    chartLayout->addWidget(makeLabel(chartBox_, "0", "nolla"), 1, 0, Qt::AlignRight | Qt::AlignBottom);
    chartRowCount_ = makeLabel(chartBox_, QString(), "pohja");
    chartLayout->addWidget(chartRowCount_, 2, 1, Qt::AlignRight);
    chartLayout->setRowStretch(0, 1);
    chartLayout->setColumnStretch(1, 1);
    left->addWidget(chartBox_, 1);

    hitCountsBox_ = new QGroupBox("Jos perusrivissä 13 oikein:", this);
    hitCountsBox_->setObjectName("Frame1");
    auto* counters = new QHBoxLayout(hitCountsBox_);
    for (int i = 0; i < 4; ++i) {
        counters->addWidget(makeLabel(hitCountsBox_, QString("x %1").arg(13 - i), QString("x%1").arg(13 - i)));
        hitCounts_[i] = valueLabel(hitCountsBox_, QString("os%1").arg(i + 1));
        hitCounts_[i]->setText("0");
        hitCounts_[i]->setMinimumWidth(hitCounts_[i]->fontMetrics().horizontalAdvance("0000"));
        counters->addWidget(hitCounts_[i]);
        if (i < 3)
            counters->addSpacing(10);
    }
    counters->addStretch(1);
    left->addWidget(hitCountsBox_);
}

// Right: the figures of the run and the buttons.
void DrawingWindow::buildFigureColumn(QHBoxLayout* top)
{
    auto* right = new QVBoxLayout;
    top->addLayout(right);
    auto* figures = new QGridLayout;
    figures->setVerticalSpacing(4);
    figures->setColumnStretch(0, 1);
    const QString captions[6] = {
        " RIVIMÄÄRÄ:", " ARVOTTU:", " HYVÄKSYTTY:", " SAMOJA HYLÄTTY:", " PERUSMERKKEJÄ:", " KESKIARVO:"};
    const QString names[6] = {"Maara", "Arvottu", "Hyvaksytty", "Hylatty", "Perusmerkit", "Keskiarvo"};
    QLabel** values[6] = {&rowCountValue_, &drawnValue_,      &acceptedValue_,
                          &rejectedValue_, &basicSignsValue_, &averageValue_};
    for (int i = 0; i < 6; ++i) {
        auto* caption = makeLabel(this, captions[i], "Otsake" + names[i]);
        *values[i] = valueLabel(this, names[i]);
        figures->addWidget(caption, i, 0);
        figures->addWidget(*values[i], i, 1);
        if (i >= 4)
            basicSignStats_ << caption << *values[i];
    }
    right->addLayout(figures);
    right->addSpacing(10);
    drawButton_ = makeButton(this, "ar", "&Arvo");
    saveButton_ = makeButton(this, "talleta", "&Tallenna");
    okButton_ = makeButton(this, "Command1", "&OK");
    helpButton_ = makeButton(this, "Command2", "A&pua");
    for (QPushButton* button : {drawButton_, saveButton_, okButton_, helpButton_})
        right->addWidget(button);
    right->addStretch(1);
}

void DrawingWindow::load()
{
    const SharedState& s = state();
    saveButton_->setEnabled(false);
    progressBar_->setRange(0, std::max(1, s.DrawCount));
    progressBar_->setValue(0);
    chart_->setRowCount(s.DrawCount);
    chartRowCount_->setText(QString::number(s.DrawCount));
    rowCountValue_->setText(QString::number(s.DrawCount));
    // A random-row system has no basic row to count hits against.
    if (s.DrawMode == 1) {
        hitCountsBox_->hide();
        chartBox_->hide();
        for (QWidget* w : basicSignStats_)
            w->hide();
        top_->setStretch(0, 0);
        top_->setStretch(1, 1);
        setMinimumSize(300, 0);
    }
    drawButton_->setDefault(true);
    drawButton_->setFocus();
}

void DrawingWindow::setRunButtons(bool enabled)
{
    okButton_->setEnabled(enabled);
    helpButton_->setEnabled(enabled);
}

void DrawingWindow::draw()
{
    SharedState& s = state();
    if (s.DrawBusy == 1)
        return;
    s.DrawBusy = 1;
    drawButton_->setEnabled(false); // a window draws once
    setRunButtons(false);
    bool drawn = false;
    QString error;
    try {
        RowDrawing drawing(drawPlanOfTask(s), services().random);
        error = drawing.error();
        if (error.isEmpty()) {
            run(drawing);
            drawn = true;
        }
    } catch (const std::exception& e) {
        error = QString::fromLocal8Bit(e.what());
    }
    s.DrawBusy = 0;
    setRunButtons(true);
    if (!drawn) {
        s.Rows.assign(2, Row{});
        message(Texts::DrawingFailed + QString(kLineBreak) + error, Messages::Critical);
        return;
    }
    saveButton_->setEnabled(true);
    saveButton_->setDefault(true);
    saveButton_->setFocus();
    PlayEventSound(context(), 12);
}

void DrawingWindow::run(RowDrawing& drawing)
{
    SharedState& s = state();
    s.Rows.assign(std::size_t(s.DrawCount), Row{});
    rowCountValue_->setText(QString::number(s.DrawCount));
    BusyCursor busy;
    QElapsedTimer sinceShown;
    sinceShown.start();
    int lastHits = 0;
    while (!drawing.done()) {
        const DrawAttempt attempt = drawing.attempt();
        if (attempt.accepted) {
            s.Rows[std::size_t(attempt.rowNumber - 1)] = attempt.row;
            lastHits = attempt.basicSignHits;
            if (s.DrawMode != 1)
                chart_->addRow(attempt.rowNumber, attempt.basicSignHits);
        }
        if (drawing.done() || sinceShown.elapsed() >= kRepaintMs) {
            showProgress(drawing, lastHits);
            // The counters and the chart are the drawing's animation, so they
            // must paint while the loop runs; clicks wait until it has ended.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            sinceShown.restart();
        }
    }
    if (s.DrawMode != 1)
        chart_->showAverage(drawing.average());
}

void DrawingWindow::showProgress(const RowDrawing& drawing, int lastHits)
{
    drawnValue_->setText(QString::number(drawing.attempts()));
    rejectedValue_->setText(QString::number(drawing.duplicatesRejected()));
    if (drawing.accepted() == 0)
        return;
    acceptedValue_->setText(QString::number(drawing.accepted()));
    basicSignsValue_->setText(QString::number(lastHits));
    averageValue_->setText(" " + tenthsPattern(drawing.average()));
    progressBar_->setValue(std::min(drawing.accepted(), progressBar_->maximum()));
    if (state().DrawMode != 1) {
        chart_->update();
        const auto& classes = drawing.hitClasses();
        for (int i = 0; i < 4; ++i)
            hitCounts_[i]->setText(QString::number(classes[i]));
    }
}

void DrawingWindow::save()
{
    if (SaveRowsFile(context(), state().DrawCount))
        finish();
}

void DrawingWindow::closeWindow()
{
    if (state().DrawBusy == 1)
        return;
    restoreProgramDir();
    finish();
}
