#include "rows/ui/conversionwindow.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/controls.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/rowtextflows.h"
#include "base/ui/scrollbars.h"
#include "rows/ui/sharedtexts.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

QLineEdit* signBox(QWidget* parent, const QString& name, const QString& text)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setMaxLength(1);
    edit->setAlignment(Qt::AlignCenter);
    edit->setFixedWidth(30);
    QSizePolicy policy = edit->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    edit->setSizePolicy(policy);
    // A lower-case x is the draw too.
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) {
        if (text.contains('x')) {
            const int cursor = edit->cursorPosition();
            edit->setText(QString(text).replace('x', 'X'));
            edit->setCursorPosition(cursor);
        }
    });
    return edit;
}

void keepPlace(QWidget* widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

bool isSign(const QString& text)
{
    return text == "1" || text == "X" || text == "2";
}

} // namespace

ConversionWindow::ConversionWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::Conversion);
    setWindowTitle("Tee tarvittavat kohdevaihdot ja merkkimuunnokset");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildCountBox());
    layout->addWidget(buildMatchBox());
    auto* okButton = new QPushButton("&OK", this);
    okButton->setObjectName("Command1");
    layout->addWidget(okButton, 0, Qt::AlignRight);
    connect(okButton, &QPushButton::clicked, this, [this] { accept(); });
    bindDialogKeys(this, okButton, nullptr);

    load();
    setMinimumSize(sizeHint());
}

// How many matches of each kind the system has, and what may be changed.
QGroupBox* ConversionWindow::buildCountBox()
{
    auto* upper = new QGroupBox(this);
    upper->setObjectName("Frame1");
    auto* counts = new QGridLayout(upper);
    const char* captions[4] = {
        "O = osittainvaihdeltuja:", "T = täysinvaihdeltuja:", "V = varmoja:", "Rivejä tässä systeemissä:"};
    const char* names[4] = {"Label10", "Label11", "Label12", "Label15"};
    for (int i = 0; i < 4; ++i) {
        counts->addWidget(makeLabel(upper, captions[i]), i, 0);
        countLabels_[i] = makeLabel(upper, QString(), names[i]);
        countLabels_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        countLabels_[i]->setMinimumWidth(40);
        counts->addWidget(countLabels_[i], i, 1);
        counts->addWidget(makeLabel(upper, "kpl"), i, 2);
    }
    auto* hint1 = makeLabel(upper, "Voit vaihtaa kohteita.");
    auto* hint2 = makeLabel(upper, "Voit vaihtaa varmojen ja osittainvaihdeltujen merkkejä.");
    hint2->setWordWrap(true);
    counts->addWidget(hint1, 0, 3, Qt::AlignTop);
    counts->addWidget(hint2, 1, 3, 2, 1, Qt::AlignTop);
    counts->setColumnMinimumWidth(3, 220);
    counts->setColumnStretch(3, 1);
    counts->setHorizontalSpacing(10);
    return upper;
}

// A line per match: its role and the signs a row's marks become.
QGroupBox* ConversionWindow::buildMatchBox()
{
    auto* lower = new QGroupBox(this);
    lower->setObjectName("Frame2");
    auto* grid = new QGridLayout(lower);
    grid->setVerticalSpacing(2);
    auto* change = makeLabel(lower, "Vaihda\nkohde");
    change->setAlignment(Qt::AlignCenter);
    grid->addWidget(change, 0, 1);
    auto* bankerHeading = makeLabel(lower, "V");
    bankerHeading->setAlignment(Qt::AlignCenter);
    grid->addWidget(bankerHeading, 0, 3, Qt::AlignBottom);
    auto* halfHeading = makeLabel(lower, "O");
    halfHeading->setAlignment(Qt::AlignCenter);
    grid->addWidget(halfHeading, 0, 4, 1, 4, Qt::AlignBottom);
    for (int k = 0; k < kMatches; ++k) {
        const int row = k + 1;
        auto* number = makeLabel(lower, QString::number(k + 1), QString("Label4_%1").arg(k));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(number, row, 0);

        roleBars_[k] = makeScrollBar(lower, QString("H1_%1").arg(k), Qt::Horizontal, 1, 3);
        roleBars_[k]->setPageStep(1);
        roleBars_[k]->setFocusPolicy(Qt::StrongFocus);
        roleBars_[k]->setFixedWidth(64);
        grid->addWidget(roleBars_[k], row, 1);

        roleBoxes_[k] = new QLineEdit(lower);
        roleBoxes_[k]->setObjectName(QString("T1_%1").arg(k));
        roleBoxes_[k]->setReadOnly(true);
        roleBoxes_[k]->setFocusPolicy(Qt::NoFocus);
        roleBoxes_[k]->setAlignment(Qt::AlignCenter);
        roleBoxes_[k]->setFixedWidth(30);
        roleBoxes_[k]->installEventFilter(this);
        grid->addWidget(roleBoxes_[k], row, 2);

        bankerEdits_[k] = signBox(lower, QString("v1_%1").arg(k), "1");
        grid->addWidget(bankerEdits_[k], row, 3);
        forOneLabels_[k] = makeLabel(lower, "1 =");
        keepPlace(forOneLabels_[k]);
        grid->addWidget(forOneLabels_[k], row, 4);
        forOneEdits_[k] = signBox(lower, QString("y1_%1").arg(k), "1");
        grid->addWidget(forOneEdits_[k], row, 5);
        forTwoLabels_[k] = makeLabel(lower, "2 =");
        keepPlace(forTwoLabels_[k]);
        grid->addWidget(forTwoLabels_[k], row, 6);
        forTwoEdits_[k] = signBox(lower, QString("k1_%1").arg(k), "2");
        grid->addWidget(forTwoEdits_[k], row, 7);

        connect(roleBars_[k], &QScrollBar::valueChanged, this, [this, k] { roleChanged(k); });
    }
    grid->setColumnStretch(8, 1);
    return lower;
}

void ConversionWindow::load()
{
    BusyCursor busy;
    const SharedState& s = state();
    const ConversionPlan initial = initialPlan(s.HalfGuardCount, s.FullGuardCount);
    for (int k = 0; k < kMatches; ++k) {
        const QSignalBlocker block(roleBars_[k]);
        roleBars_[k]->setValue(int(initial[k].role));
        roleChanged(k);
    }
    countLabels_[0]->setText(QString::number(s.HalfGuardCount));
    countLabels_[1]->setText(QString::number(s.FullGuardCount));
    countLabels_[2]->setText(QString::number(kMatches - s.HalfGuardCount - s.FullGuardCount));
    countLabels_[3]->setText(QString::number(s.RowCount));
}

MatchRole ConversionWindow::role(int k) const
{
    return MatchRole(roleBars_[k]->value());
}

void ConversionWindow::roleChanged(int k)
{
    const MatchRole r = role(k);
    roleBoxes_[k]->setText(r == MatchRole::Half ? "O" : r == MatchRole::Full ? "T" : "V");
    bankerEdits_[k]->setVisible(r == MatchRole::Banker);
    for (QWidget* w : {static_cast<QWidget*>(forOneEdits_[k]), static_cast<QWidget*>(forTwoEdits_[k]),
                       static_cast<QWidget*>(forOneLabels_[k]), static_cast<QWidget*>(forTwoLabels_[k])})
        w->setVisible(r == MatchRole::Half);
}

bool ConversionWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (QLineEdit* box : roleBoxes_)
            if (watched == box) {
                message("Älä editoi suoraan näitä kenttiä !", Messages::Critical, "Seis !");
                return true;
            }
    }
    return FeatureWindow::eventFilter(watched, event);
}

ConversionPlan ConversionWindow::plan() const
{
    ConversionPlan p{};
    for (int k = 0; k < kMatches; ++k) {
        p[k].role = role(k);
        p[k].banker = bankerEdits_[k]->text().isEmpty() ? 0 : char(bankerEdits_[k]->text()[0].toLatin1());
        p[k].forOne = forOneEdits_[k]->text().isEmpty() ? 0 : char(forOneEdits_[k]->text()[0].toLatin1());
        p[k].forTwo = forTwoEdits_[k]->text().isEmpty() ? 0 : char(forTwoEdits_[k]->text()[0].toLatin1());
    }
    return p;
}

void ConversionWindow::accept()
{
    SharedState& s = state();
    const ConversionPlan p = plan();
    if (countRole(p, MatchRole::Half) != s.HalfGuardCount) {
        message("Osittainvaihdeltuja on oltava " + QString::number(s.HalfGuardCount));
        return;
    }
    if (countRole(p, MatchRole::Full) != s.FullGuardCount) {
        message("Täysinvaihdeltuja on oltava " + QString::number(s.FullGuardCount));
        return;
    }
    // Every sign a row can receive must be one the coupon knows.
    for (int k = 0; k < kMatches; ++k) {
        const MatchRole r = p[k].role;
        const bool ok = r == MatchRole::Full || (r == MatchRole::Banker && isSign(bankerEdits_[k]->text())) ||
                        (r == MatchRole::Half && isSign(forOneEdits_[k]->text()) && isSign(forTwoEdits_[k]->text()));
        if (!ok) {
            message("Ottelun " + QString::number(k + 1) + " merkiksi kelpaa vain 1, X tai 2 !", Messages::Exclamation);
            QLineEdit* box = forOneEdits_[k];
            if (r == MatchRole::Banker)
                box = bankerEdits_[k];
            else if (isSign(forOneEdits_[k]->text()))
                box = forTwoEdits_[k];
            box->setFocus();
            box->selectAll();
            return;
        }
    }
    // Rows that leave as text need no further window. The stored rows stay as
    // they are until the export is done, so a cancelled one can be tried again.
    if (s.ExportTarget != 0) {
        RowBuffer converted = s.Rows;
        {
            BusyCursor busy;
            convertSystemRows(converted, s.RowCount, s.HalfGuardCount, s.FullGuardCount, p);
        }
        if (ExportRows(context(), converted, s.RowCount, RowExportTarget(s.ExportTarget)))
            finish();
        return;
    }
    const bool checking = s.CheckTask == 1;
    const QString next = checking ? WindowName::BasicRow : WindowName::PrintTarget;
    if (!services().windows.available(next))
        return;
    {
        BusyCursor busy;
        convertSystemRows(s.Rows, s.RowCount, s.HalfGuardCount, s.FullGuardCount, p);
    }
    if (checking)
        handOver(next, {{"", SharedText::CorrectRowTitle}, {"Label1", SharedText::CorrectRowPrompt}});
    else
        handOver(next);
}
