#include "random/ui/drawingwindow.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/rowfileflows.h"
#include "random/drawing.h"
#include "random/ui/controls.h"
#include "random/ui/drawchart.h"

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

    // Left: the chart and the hit counters.
    auto* left = new QVBoxLayout;
    top->addLayout(left, 1);
    Frame2 = new QGroupBox("Perusmerkkejä", this);
    Frame2->setObjectName("Frame2");
    auto* chartLayout = new QGridLayout(Frame2);
    Pic = new DrawChart(Frame2);
    chartLayout->addWidget(makeLabel(Frame2, "13", "huippu"), 0, 0, Qt::AlignRight | Qt::AlignTop);
    chartLayout->addWidget(Pic, 0, 1, 2, 1);
    chartLayout->addWidget(makeLabel(Frame2, "0", "nolla"), 1, 0, Qt::AlignRight | Qt::AlignBottom);
    pohja = makeLabel(Frame2, QString(), "pohja");
    chartLayout->addWidget(pohja, 2, 1, Qt::AlignRight);
    chartLayout->setRowStretch(0, 1);
    chartLayout->setColumnStretch(1, 1);
    left->addWidget(Frame2, 1);

    Frame1 = new QGroupBox("Jos perusrivissä 13 oikein:", this);
    Frame1->setObjectName("Frame1");
    auto* counters = new QHBoxLayout(Frame1);
    QLabel** hitLabels[4] = {&os1, &os2, &os3, &os4};
    for (int i = 0; i < 4; ++i) {
        counters->addWidget(makeLabel(Frame1, QString("x %1").arg(13 - i), QString("x%1").arg(13 - i)));
        *hitLabels[i] = valueLabel(Frame1, QString("os%1").arg(i + 1));
        (*hitLabels[i])->setText("0");
        (*hitLabels[i])->setMinimumWidth((*hitLabels[i])->fontMetrics().horizontalAdvance("0000"));
        counters->addWidget(*hitLabels[i]);
        if (i < 3)
            counters->addSpacing(10);
    }
    counters->addStretch(1);
    left->addWidget(Frame1);

    // Right: the figures of the run and the buttons.
    auto* right = new QVBoxLayout;
    top->addLayout(right);
    auto* figures = new QGridLayout;
    figures->setVerticalSpacing(4);
    figures->setColumnStretch(0, 1);
    const QString captions[6] = {
        " RIVIMÄÄRÄ:", " ARVOTTU:", " HYVÄKSYTTY:", " SAMOJA HYLÄTTY:", " PERUSMERKKEJÄ:", " KESKIARVO:"};
    const QString names[6] = {"Maara", "Arvottu", "Hyvaksytty", "Hylatty", "Perusmerkit", "Keskiarvo"};
    QLabel** values[6] = {&maara_, &arvottu_, &hyvaksytty_, &hylatty_, &perusmerkit_, &keskiarvo_};
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
    ar = makeButton(this, "ar", "&Arvo");
    talleta = makeButton(this, "talleta", "&Tallenna");
    Command1 = makeButton(this, "Command1", "&OK");
    Command2 = makeButton(this, "Command2", "A&pua");
    for (QPushButton* button : {ar, talleta, Command1, Command2})
        right->addWidget(button);
    right->addStretch(1);

    mittari = new QProgressBar(this);
    mittari->setObjectName("mittari");
    layout->addWidget(mittari);
    setMinimumSize(560, 330);

    connect(ar, &QPushButton::clicked, this, [this] { draw(); });
    connect(talleta, &QPushButton::clicked, this, [this] { save(); });
    connect(Command1, &QPushButton::clicked, this, [this] { closeWindow(); });
    connect(Command2, &QPushButton::clicked, this, [this] { services().windows.runCommand("win"); });
    bindDialogKeys(this, nullptr, [this] { close(); });

    // Load
    const SharedState& s = state();
    talleta->setEnabled(false);
    mittari->setRange(0, std::max(1, s.DrawCount));
    mittari->setValue(0);
    Pic->setRowCount(s.DrawCount);
    pohja->setText(QString::number(s.DrawCount));
    maara_->setText(QString::number(s.DrawCount));
    // A random-row system has no basic row to count hits against.
    if (s.DrawMode == 1) {
        Frame1->hide();
        Frame2->hide();
        for (QWidget* w : basicSignStats_)
            w->hide();
        top_->setStretch(0, 0);
        top_->setStretch(1, 1);
        setMinimumSize(300, 0);
    }
    ar->setDefault(true);
    ar->setFocus();
}

void DrawingWindow::setRunButtons(bool enabled)
{
    Command1->setEnabled(enabled);
    Command2->setEnabled(enabled);
}

void DrawingWindow::draw()
{
    SharedState& s = state();
    if (s.DrawBusy == 1)
        return;
    s.DrawBusy = 1;
    ar->setEnabled(false); // a window draws once
    setRunButtons(false);
    bool drawn = false;
    QString error;
    try {
        RowDrawing drawing(drawPlanFrom(s), services().random);
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
        message("Arvonta ei onnistu !" + QString(kLineBreak) + error, Messages::Critical);
        return;
    }
    talleta->setEnabled(true);
    talleta->setDefault(true);
    talleta->setFocus();
    PlayEventSound(context(), 12);
}

void DrawingWindow::run(RowDrawing& drawing)
{
    SharedState& s = state();
    s.Rows.assign(std::size_t(s.DrawCount), Row{});
    maara_->setText(QString::number(s.DrawCount));
    BusyCursor busy;
    QElapsedTimer sinceShown;
    sinceShown.start();
    int lastHits = 0;
    while (!drawing.done()) {
        QCoreApplication::processEvents();
        const DrawAttempt attempt = drawing.attempt();
        if (attempt.accepted) {
            s.Rows[std::size_t(attempt.rowNumber - 1)] = attempt.row;
            lastHits = attempt.basicSignHits;
            if (s.DrawMode != 1)
                Pic->addRow(attempt.rowNumber, attempt.basicSignHits);
        }
        if (drawing.done() || sinceShown.elapsed() >= kRepaintMs) {
            showProgress(drawing, lastHits);
            sinceShown.restart();
        }
    }
    if (s.DrawMode != 1)
        Pic->showAverage(drawing.average());
}

void DrawingWindow::showProgress(const RowDrawing& drawing, int lastHits)
{
    arvottu_->setText(QString::number(drawing.attempts()));
    hylatty_->setText(QString::number(drawing.duplicatesRejected()));
    if (drawing.accepted() == 0)
        return;
    hyvaksytty_->setText(QString::number(drawing.accepted()));
    perusmerkit_->setText(QString::number(lastHits));
    keskiarvo_->setText(" " + tenthsPattern(drawing.average()));
    mittari->setValue(std::min(drawing.accepted(), mittari->maximum()));
    if (state().DrawMode != 1) {
        Pic->update();
        const auto& classes = drawing.hitClasses();
        QLabel* counters[4] = {os1, os2, os3, os4};
        for (int i = 0; i < 4; ++i)
            counters[i]->setText(QString::number(classes[i]));
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
