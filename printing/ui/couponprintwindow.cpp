#include "printing/ui/couponprintwindow.h"
#include "base/ui/windownames.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "base/ui/controls.h"
#include "base/ui/dialogkeys.h"
#include "base/ui/scrollbars.h"
#include "printing/ui/pictures.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

QLineEdit* valueBox(QWidget* parent, const QString& name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(52);
    return edit;
}

void setUpBar(QScrollBar* b, int min, int max)
{
    b->setSingleStep(1);
    b->setPageStep(std::max(1, (max - min) / 10));
    b->setFocusPolicy(Qt::StrongFocus);
    b->setMinimumWidth(220);
}

QScrollBar* bar(QWidget* parent, const QString& name, int min, int max)
{
    QScrollBar* b = makeScrollBar(parent, name, Qt::Horizontal, min, max);
    setUpBar(b, min, max);
    return b;
}

constexpr const char* kBarCaptions[4] = {
    "Pystykohdistus             (alas <> ylös)",
    "Vaakakohdistus           (vasemmalle <> oikealle)",
    "Laajenna <> Kavenna   (vaaka)",
    "Pidennä <> Lyhennä     (pysty)",
};

} // namespace

CouponPrintWindow::CouponPrintWindow(AppContext& context) : FeatureWindow(context)
{
    setObjectName(WindowName::CouponPrint);
    setWindowTitle("Tulosta kupongille");
    buildWindow();

    coupons_ = couponCount(state().RowCount);
    monta->setText(QString::number(coupons_));
    HS1->setRange(1, std::max(1, coupons_));
    HS1->setEnabled(coupons_ > 1);
    findChild<QPushButton*>("Command1")->setEnabled(coupons_ > 0);
    Text5->setText("1");

    PrintDevice& printer = services().printer;
    if (!printer.available()) {
        // Told once the window is up, so the message has a window to belong to.
        QMetaObject::invokeMethod(
            this,
            [this] {
                message("Valitse asetuksissa printteriajuri!", Messages::Exclamation);
                finish();
            },
            Qt::QueuedConnection);
        return;
    }
    savedMode_ = printer.scaleMode();
    savedWidth_ = printer.scaleWidth();
    savedHeight_ = printer.scaleHeight();
    printerTaken_ = true;

    loadCalibration();
    List1->addItem("Kuponki :1");
    changed_ = false;
}

void CouponPrintWindow::buildWindow()
{
    auto* top = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    top->addLayout(columns);

    // Left: which coupon and what goes on it.
    auto* left = new QVBoxLayout;
    columns->addLayout(left, 0);
    auto* couponGrid = new QGridLayout;
    couponGrid->addWidget(makeLabel(this, "Kuponkeja :"), 0, 0);
    monta = makeLabel(this, QString(), "monta");
    couponGrid->addWidget(monta, 0, 1);
    auto* numberLabel = makeLabel(this, "Kupongin numero:");
    couponGrid->addWidget(numberLabel, 1, 0);
    Text5 = valueBox(this, "Text5");
    couponGrid->addWidget(Text5, 1, 1, Qt::AlignLeft);
    HS1 = bar(this, "HS1", 1, 1);
    HS1->setPageStep(1);
    couponGrid->addWidget(HS1, 2, 0, 1, 2);
    couponGrid->setColumnStretch(1, 1);
    left->addLayout(couponGrid);

    auto* weeks = new QGroupBox("Kesto", this);
    weeks->setObjectName("Frame2");
    auto* weeksLayout = new QHBoxLayout(weeks);
    auto* weekOptions = new QVBoxLayout;
    const char* weekCaptions[3] = {"2 Viikkoa", "3 Viikkoa", "5 viikkoa"};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        Option1[i] = new QRadioButton(weekCaptions[i], weeks);
        Option1[i]->setObjectName(QString("Option1_%1").arg(i));
        group->addButton(Option1[i], i);
        weekOptions->addWidget(Option1[i], 0, Qt::AlignLeft);
    }
    weeksLayout->addLayout(weekOptions, 1);
    auto* command4 = makeButton(weeks, "Command4", "Poi&sta");
    weeksLayout->addWidget(command4, 0, Qt::AlignBottom);
    left->addWidget(weeks);

    auto* jokers = new QGroupBox("Jokerit", this);
    jokers->setObjectName("Frame3");
    auto* jokersLayout = new QHBoxLayout(jokers);
    jok1 = new QCheckBox("Jokeri 1", jokers);
    jok1->setObjectName("jok1");
    jok2 = new QCheckBox("Jokeri 2", jokers);
    jok2->setObjectName("jok2");
    jokersLayout->addWidget(jok1, 0, Qt::AlignLeft);
    jokersLayout->addWidget(jok2, 0, Qt::AlignLeft);
    jokersLayout->addStretch(1);
    left->addWidget(jokers);

    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    List1->setFont(listingFont());
    List1->setFocusPolicy(Qt::NoFocus);
    const int charWidth = QFontMetrics(List1->font()).horizontalAdvance('0');
    List1->setMinimumWidth(charWidth * 32 + 12);
    List1->setMinimumHeight(QFontMetrics(List1->font()).lineSpacing() * 11 + 8);
    left->addWidget(List1, 1);

    // Right: the calibration.
    auto* right = new QVBoxLayout;
    columns->addLayout(right, 1);
    auto* calibrationFrame = new QGroupBox("Kohdistus", this);
    calibrationFrame->setObjectName("Frame1");
    auto* grid = new QGridLayout(calibrationFrame);
    const BarRange ranges[4] = {kTopRange, kLeftRange, kWidthRange, kHeightRange};
    for (int i = 0; i < 4; ++i) {
        auto* caption = makeLabel(calibrationFrame, kBarCaptions[i], QString("Label%1").arg(i + 1));
        grid->addWidget(caption, i * 2, 0, 1, 2);
        const QString name = QString("H%1").arg(i + 1);
        if (i == 1) {
            // The left end of the horizontal offset is its largest value: moving
            // right lowers it, whichever control moves the bar.
            H2 = new ReversedScrollBar(calibrationFrame, name, Qt::Horizontal, ranges[i].min, ranges[i].max);
            setUpBar(H2, ranges[i].min, ranges[i].max);
            H[i] = H2;
        } else {
            H[i] = bar(calibrationFrame, name, ranges[i].min, ranges[i].max);
        }
        Text[i] = valueBox(calibrationFrame, QString("Text%1").arg(i + 1));
        grid->addWidget(H[i], i * 2 + 1, 0);
        grid->addWidget(Text[i], i * 2 + 1, 1);
        grid->setRowMinimumHeight(i * 2 + 1, 24);
    }
    grid->setColumnStretch(0, 1);
    auto* defaultsLabel = makeLabel(calibrationFrame, "Oletusarvot Canon BJ-200 Bubble Jet", "Label5");
    grid->addWidget(defaultsLabel, 8, 0, 1, 2);
    auto* calibrationButtons = new QHBoxLayout;
    auto* command3 = makeButton(calibrationFrame, "Command3", "&Palauta oletusarvot");
    auto* command5 = makeButton(calibrationFrame, "Command5", "&Lataa");
    auto* command6 = makeButton(calibrationFrame, "Command6", "Tall&enna");
    calibrationButtons->addWidget(command3);
    calibrationButtons->addStretch(1);
    calibrationButtons->addWidget(command5);
    calibrationButtons->addWidget(command6);
    grid->addLayout(calibrationButtons, 9, 0, 1, 2);
    right->addWidget(calibrationFrame);

    auto* frame4 = new QGroupBox(this);
    frame4->setObjectName("Frame4");
    auto* frame4Layout = new QGridLayout(frame4);
    kupo = new QLabel(frame4);
    kupo->setObjectName("kupo");
    kupo->setPixmap(couponPicture());
    kupo->setFixedSize(kCouponPictureWidth, kCouponPictureHeight);
    P2 = new QLabel(kupo);
    P2->setObjectName("P2");
    P2->setPixmap(markerPicture());
    P2->setFixedSize(kMarkerWidth, kMarkerHeight);
    auto* printerPic = new QLabel(frame4);
    printerPic->setObjectName("Picture1");
    printerPic->setPixmap(printerPicture());
    frame4Layout->addWidget(kupo, 0, 0, 2, 1);
    frame4Layout->addWidget(printerPic, 0, 1, Qt::AlignRight | Qt::AlignTop);
    auto* hint1 = makeLabel(frame4, "Näytöllä näkyvä kuponki näyttää vaakasuunnassa alueen johon tulostetaan.");
    auto* hint2 = makeLabel(frame4, "Kohdistuksessa säädetään tulostusaluetta ja sen kokoa suhteessa kuponkiin.");
    hint1->setWordWrap(true);
    hint2->setWordWrap(true);
    frame4Layout->addWidget(hint1, 2, 0, 1, 2);
    frame4Layout->addWidget(hint2, 3, 0, 1, 2);
    frame4Layout->setColumnStretch(1, 1);
    right->addWidget(frame4);
    auto* hint3 = makeLabel(this, "Aseta kuponki  kirjekuorikaukaloon tai syöttöaukkoon nuolisuunta edellä.");
    auto* hint4 = makeLabel(this, "Voit tallentaa sopivat asetukset ja ladata ne käyttöön.");
    hint3->setWordWrap(true);
    hint4->setWordWrap(true);
    right->addWidget(hint3);
    right->addWidget(hint4);
    right->addStretch(1);

    auto* buttons = new QHBoxLayout;
    auto* command1 = makeButton(this, "Command1", "&Tulosta");
    auto* command2 = makeButton(this, "Command2", "L&opeta");
    auto* command7 = makeButton(this, "Command7", "&Apua");
    buttons->addWidget(command1);
    buttons->addWidget(command2);
    buttons->addStretch(1);
    buttons->addWidget(command7);
    top->addLayout(buttons);

    interfering_ = {HS1, weeks, jokers, calibrationFrame, command1, command2, command7};

    for (int i = 0; i < 4; ++i)
        connect(H[i], &QScrollBar::valueChanged, this, [this, i] { barChanged(i); });
    connect(HS1, &QScrollBar::valueChanged, this, [this] { couponChanged(); });
    connect(command4, &QPushButton::clicked, this, [this] { clearWeeks(); });
    connect(command1, &QPushButton::clicked, this, [this] { printCoupon(); });
    connect(command2, &QPushButton::clicked, this, [this] { close(); });
    connect(command3, &QPushButton::clicked, this, [this] { restoreDefaults(); });
    connect(command5, &QPushButton::clicked, this, [this] {
        loadCalibration();
        // What is shown is now what is stored.
        changed_ = false;
    });
    connect(command6, &QPushButton::clicked, this, [this] { saveCalibration(); });
    connect(command7, &QPushButton::clicked, this, [this] { services().windows.runCommand("win"); });

    bindDialogKeys(this, command1, [this] { close(); });

    setMinimumSize(sizeHint());
}

void CouponPrintWindow::loadCalibration()
{
    const Settings& settings = services().settings;
    showCalibration(calibrationFromTexts(settings.read(keys::PrintTop), settings.read(keys::PrintLeft),
                                         settings.read(keys::PrintWidth), settings.read(keys::PrintHeight)));
}

void CouponPrintWindow::showCalibration(const CouponCalibration& c)
{
    const int values[4] = {c.top, c.left, c.width, c.height};
    for (int i = 0; i < 4; ++i) {
        // Shown and passed on even when the bar already stands there.
        const QSignalBlocker block(H[i]);
        if (H[i] == H2)
            H2->setFigure(values[i]);
        else
            H[i]->setValue(values[i]);
        barChanged(i);
    }
}

CouponCalibration CouponPrintWindow::calibration() const
{
    return {H[0]->value(), H2->figure(), H[2]->value(), H[3]->value()};
}

void CouponPrintWindow::barChanged(int i)
{
    const CalibrationTexts texts = calibrationTexts(calibration());
    const QString shown[4] = {texts.top, texts.left, texts.width, texts.height};
    Text[i]->setText(shown[i]);
    if (i == 1)
        placeMarker();
    else if (i == 2)
        services().printer.setScaleWidth(H[2]->value());
    else if (i == 3)
        services().printer.setScaleHeight(H[3]->value());
    changed_ = true;
}

void CouponPrintWindow::placeMarker()
{
    const double units = markerLeft(H2->figure());
    const double share = (units - kMarkerLeftMin) / (kMarkerLeftMax - kMarkerLeftMin);
    const int x = int(std::lround(share * (kCouponPictureWidth - kMarkerWidth)));
    P2->move(x, (kCouponPictureHeight - kMarkerHeight) / 2);
}

void CouponPrintWindow::couponChanged()
{
    Text5->setText(QString::number(HS1->value()));
    List1->clear();
    List1->addItem("Kuponki :" + QString::number(HS1->value()));
}

CouponOptions CouponPrintWindow::options() const
{
    CouponOptions o;
    if (Option1[0]->isChecked())
        o.weeks = CouponWeeks::Two;
    else if (Option1[1]->isChecked())
        o.weeks = CouponWeeks::Three;
    else if (Option1[2]->isChecked())
        o.weeks = CouponWeeks::Five;
    o.joker1 = jok1->isChecked();
    o.joker2 = jok2->isChecked();
    return o;
}

void CouponPrintWindow::clearWeeks()
{
    QButtonGroup* group = Option1[0]->group();
    group->setExclusive(false);
    for (QRadioButton* option : Option1)
        option->setChecked(false);
    group->setExclusive(true);
}

void CouponPrintWindow::setPrinting(bool printing)
{
    printing_ = printing;
    for (QWidget* w : interfering_)
        w->setEnabled(!printing);
    if (!printing)
        HS1->setEnabled(coupons_ > 1);
}

void CouponPrintWindow::printCoupon()
{
    if (printing_ || coupons_ == 0)
        return;
    const SharedState& s = state();
    PrintDevice& printer = services().printer;
    const int coupon = HS1->value();
    const CouponCalibration cal = calibration();
    const CouponRows range = couponRows(coupon, std::min<int>(s.RowCount, int(s.Rows.size())));
    const QList<CouponMark> marks = couponMarks(s.Rows, s.RowCount, coupon, cal, options());

    List1->clear();
    setPrinting(true);
    const QPoint markerHome = P2->pos();
    bool ok = printer.available();
    {
        BusyCursor busy;
        if (ok) {
            printer.setScaleMode(6);
            printer.setScaleWidth(cal.width);
            printer.setScaleHeight(cal.height);
        }
        qsizetype next = 0;
        for (int r = range.first; ok && r <= range.last; ++r) {
            const int onCoupon = r - range.first + 1;
            // The marker creeps along while the row's three lines go out.
            for (int column = 0; column < 3 * kMatches && P2->y() > 1; ++column)
                P2->move(P2->x() + 1, P2->y() - 1);
            for (; next < marks.size() && marks[next].row == onCoupon; ++next) {
                const CouponMark& m = marks[next];
                printer.setCurrentY(m.y);
                printer.setCurrentX(m.x);
                printer.box(m.x, m.y, m.x + kMarkWidth, m.y + kMarkHeight, true);
            }
            ok = !printer.failed();
            List1->addItem(couponRowText(s.Rows[r - 1]));
            QCoreApplication::processEvents();
        }
        if (ok) {
            printer.endDoc();
        } else {
            printer.killDoc();
            printer.endDoc();
        }
    }
    P2->move(markerHome);
    setPrinting(false);
    if (!ok)
        message("Joku luku yli rajojen !", Messages::Critical, "Virhe!");
}

void CouponPrintWindow::restoreDefaults()
{
    showCalibration(CouponCalibration{});
    changed_ = true;
}

void CouponPrintWindow::saveCalibration()
{
    const CalibrationTexts t = calibrationTexts(calibration());
    Settings& settings = services().settings;
    const bool ok = settings.write(keys::PrintTop, t.top) && settings.write(keys::PrintLeft, t.left) &&
                    settings.write(keys::PrintWidth, t.width) && settings.write(keys::PrintHeight, t.height);
    if (!ok) {
        message("Tallennusvirhe !", Messages::Critical, "Tallenna");
        return;
    }
    changed_ = false;
    message("Tallennettu !", Messages::Exclamation);
}

bool CouponPrintWindow::canClose()
{
    if (printing_)
        return false;
    if (changed_ && message("Haluatko lopettaa vaikka muutettuja asetuksia ei ole tallennettu ?",
                            Messages::YesNo | Messages::Question | Messages::DefaultButton2, "Lopeta") != Messages::Yes)
        return false;
    return true;
}

void CouponPrintWindow::closeEvent(QCloseEvent* event)
{
    FeatureWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    if (printerTaken_) {
        PrintDevice& printer = services().printer;
        printer.setScaleMode(savedMode_);
        printer.setScaleWidth(savedWidth_);
        printer.setScaleHeight(savedHeight_);
        printerTaken_ = false;
    }
    // The rows were for this print only.
    state().Rows.assign(2, Row{});
    state().RowCount = 0;
}
