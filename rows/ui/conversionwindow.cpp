#include "rows/ui/conversionwindow.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/controls.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/scrollbars.h"

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
    auto* upper = new QGroupBox(this);
    upper->setObjectName("Frame1");
    auto* counts = new QGridLayout(upper);
    const char* captions[4] = {
        "O = osittainvaihdeltuja:", "T = täysinvaihdeltuja:", "V = varmoja:", "Rivejä tässä systeemissä:"};
    const char* names[4] = {"Label10", "Label11", "Label12", "Label15"};
    QLabel* values[4];
    for (int i = 0; i < 4; ++i) {
        counts->addWidget(makeLabel(upper, captions[i]), i, 0);
        values[i] = makeLabel(upper, QString(), names[i]);
        values[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        values[i]->setMinimumWidth(40);
        counts->addWidget(values[i], i, 1);
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
    layout->addWidget(upper);

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

        H1[k] = makeScrollBar(lower, QString("H1_%1").arg(k), Qt::Horizontal, 1, 3);
        H1[k]->setPageStep(1);
        H1[k]->setFocusPolicy(Qt::StrongFocus);
        H1[k]->setFixedWidth(64);
        grid->addWidget(H1[k], row, 1);

        T1[k] = new QLineEdit(lower);
        T1[k]->setObjectName(QString("T1_%1").arg(k));
        T1[k]->setReadOnly(true);
        T1[k]->setFocusPolicy(Qt::NoFocus);
        T1[k]->setAlignment(Qt::AlignCenter);
        T1[k]->setFixedWidth(30);
        T1[k]->installEventFilter(this);
        grid->addWidget(T1[k], row, 2);

        v1[k] = signBox(lower, QString("v1_%1").arg(k), "1");
        grid->addWidget(v1[k], row, 3);
        oneLabel_[k] = makeLabel(lower, "1 =");
        keepPlace(oneLabel_[k]);
        grid->addWidget(oneLabel_[k], row, 4);
        y1[k] = signBox(lower, QString("y1_%1").arg(k), "1");
        grid->addWidget(y1[k], row, 5);
        twoLabel_[k] = makeLabel(lower, "2 =");
        keepPlace(twoLabel_[k]);
        grid->addWidget(twoLabel_[k], row, 6);
        k1[k] = signBox(lower, QString("k1_%1").arg(k), "2");
        grid->addWidget(k1[k], row, 7);

        connect(H1[k], &QScrollBar::valueChanged, this, [this, k] { roleChanged(k); });
    }
    grid->setColumnStretch(8, 1);
    layout->addWidget(lower);

    auto* command1 = new QPushButton("&OK", this);
    command1->setObjectName("Command1");
    layout->addWidget(command1, 0, Qt::AlignRight);
    connect(command1, &QPushButton::clicked, this, [this] { accept(); });
    bindDialogKeys(this, command1, nullptr);

    // Load
    BusyCursor busy;
    const SharedState& s = state();
    const ConversionPlan initial = initialPlan(s.HalfGuardCount, s.FullGuardCount);
    for (int k = 0; k < kMatches; ++k) {
        const QSignalBlocker block(H1[k]);
        H1[k]->setValue(int(initial[k].role));
        roleChanged(k);
    }
    values[0]->setText(QString::number(s.HalfGuardCount));
    values[1]->setText(QString::number(s.FullGuardCount));
    values[2]->setText(QString::number(kMatches - s.HalfGuardCount - s.FullGuardCount));
    values[3]->setText(QString::number(s.RowCount));
    setMinimumSize(sizeHint());
}

MatchRole ConversionWindow::role(int k) const
{
    return MatchRole(H1[k]->value());
}

void ConversionWindow::roleChanged(int k)
{
    const MatchRole r = role(k);
    T1[k]->setText(r == MatchRole::Half ? "O" : r == MatchRole::Full ? "T" : "V");
    v1[k]->setVisible(r == MatchRole::Banker);
    for (QWidget* w : {static_cast<QWidget*>(y1[k]), static_cast<QWidget*>(k1[k]), static_cast<QWidget*>(oneLabel_[k]),
                       static_cast<QWidget*>(twoLabel_[k])})
        w->setVisible(r == MatchRole::Half);
}

bool ConversionWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (QLineEdit* box : T1)
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
        p[k].banker = v1[k]->text().isEmpty() ? 0 : char(v1[k]->text()[0].toLatin1());
        p[k].forOne = y1[k]->text().isEmpty() ? 0 : char(y1[k]->text()[0].toLatin1());
        p[k].forTwo = k1[k]->text().isEmpty() ? 0 : char(k1[k]->text()[0].toLatin1());
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
        const bool ok = r == MatchRole::Full || (r == MatchRole::Banker && isSign(v1[k]->text())) ||
                        (r == MatchRole::Half && isSign(y1[k]->text()) && isSign(k1[k]->text()));
        if (!ok) {
            message("Ottelun " + QString::number(k + 1) + " merkiksi kelpaa vain 1, X tai 2 !", Messages::Exclamation);
            QLineEdit* box = r == MatchRole::Banker ? v1[k] : isSign(y1[k]->text()) ? k1[k] : y1[k];
            box->setFocus();
            box->selectAll();
            return;
        }
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
        handOver(next, {{"", "OIKEA RIVI"}, {"Label1", "              Anna oikea rivi."}});
    else
        handOver(next);
}
