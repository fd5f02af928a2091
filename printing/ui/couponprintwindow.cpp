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
    couponCountLabel_->setText(QString::number(coupons_));
    couponBar_->setRange(1, std::max(1, coupons_));
    couponBar_->setEnabled(coupons_ > 1);
    printButton_->setEnabled(coupons_ > 0);
    couponNumberBox_->setText("1");

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
    printedRowsList_->addItem("Kuponki :1");
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
    buildCouponChoice(left);
    left->addWidget(buildWeeks());
    left->addWidget(buildJokers());
    buildPrintedRowsList(left);

    // Right: the calibration.
    auto* right = new QVBoxLayout;
    columns->addLayout(right, 1);
    right->addWidget(buildCalibration());
    buildPictures(right);

    buildButtons(top);
    setMinimumSize(sizeHint());
}

void CouponPrintWindow::buildCouponChoice(QVBoxLayout* column)
{
    auto* couponGrid = new QGridLayout;
    couponGrid->addWidget(makeLabel(this, "Kuponkeja :"), 0, 0);
    couponCountLabel_ = makeLabel(this, QString(), "monta");
    couponGrid->addWidget(couponCountLabel_, 0, 1);
    auto* numberLabel = makeLabel(this, "Kupongin numero:");
    couponGrid->addWidget(numberLabel, 1, 0);
    couponNumberBox_ = valueBox(this, "Text5");
    couponGrid->addWidget(couponNumberBox_, 1, 1, Qt::AlignLeft);
    couponBar_ = bar(this, "HS1", 1, 1);
    couponBar_->setPageStep(1);
    couponGrid->addWidget(couponBar_, 2, 0, 1, 2);
    couponGrid->setColumnStretch(1, 1);
    column->addLayout(couponGrid);

    interfering_ << couponBar_;
    connect(couponBar_, &QScrollBar::valueChanged, this, [this] { couponChanged(); });
}

QWidget* CouponPrintWindow::buildWeeks()
{
    auto* weeks = new QGroupBox("Kesto", this);
    weeks->setObjectName("Frame2");
    auto* weeksLayout = new QHBoxLayout(weeks);
    auto* weekColumn = new QVBoxLayout;
    const char* weekCaptions[3] = {"2 Viikkoa", "3 Viikkoa", "5 viikkoa"};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        weekOptions_[i] = new QRadioButton(weekCaptions[i], weeks);
        weekOptions_[i]->setObjectName(QString("Option1_%1").arg(i));
        group->addButton(weekOptions_[i], i);
        weekColumn->addWidget(weekOptions_[i], 0, Qt::AlignLeft);
    }
    weeksLayout->addLayout(weekColumn, 1);
    auto* clearWeeksButton = makeButton(weeks, "Command4", "Poi&sta");
    weeksLayout->addWidget(clearWeeksButton, 0, Qt::AlignBottom);

    interfering_ << weeks;
    connect(clearWeeksButton, &QPushButton::clicked, this, [this] { clearWeeks(); });
    return weeks;
}

QWidget* CouponPrintWindow::buildJokers()
{
    auto* jokers = new QGroupBox("Jokerit", this);
    jokers->setObjectName("Frame3");
    auto* jokersLayout = new QHBoxLayout(jokers);
    joker1Box_ = new QCheckBox("Jokeri 1", jokers);
    joker1Box_->setObjectName("jok1");
    joker2Box_ = new QCheckBox("Jokeri 2", jokers);
    joker2Box_->setObjectName("jok2");
    jokersLayout->addWidget(joker1Box_, 0, Qt::AlignLeft);
    jokersLayout->addWidget(joker2Box_, 0, Qt::AlignLeft);
    jokersLayout->addStretch(1);

    interfering_ << jokers;
    return jokers;
}

void CouponPrintWindow::buildPrintedRowsList(QVBoxLayout* column)
{
    printedRowsList_ = new QListWidget(this);
    printedRowsList_->setObjectName("List1");
    printedRowsList_->setFont(listingFont());
    printedRowsList_->setFocusPolicy(Qt::NoFocus);
    const int charWidth = QFontMetrics(printedRowsList_->font()).horizontalAdvance('0');
    printedRowsList_->setMinimumWidth(charWidth * 32 + 12);
    printedRowsList_->setMinimumHeight(QFontMetrics(printedRowsList_->font()).lineSpacing() * 11 + 8);
    column->addWidget(printedRowsList_, 1);
}

QWidget* CouponPrintWindow::buildCalibration()
{
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
            leftOffsetBar_ =
                new ReversedScrollBar(calibrationFrame, name, Qt::Horizontal, ranges[i].min, ranges[i].max);
            setUpBar(leftOffsetBar_, ranges[i].min, ranges[i].max);
            calibrationBars_[i] = leftOffsetBar_;
        } else {
            calibrationBars_[i] = bar(calibrationFrame, name, ranges[i].min, ranges[i].max);
        }
        calibrationBoxes_[i] = valueBox(calibrationFrame, QString("Text%1").arg(i + 1));
        grid->addWidget(calibrationBars_[i], i * 2 + 1, 0);
        grid->addWidget(calibrationBoxes_[i], i * 2 + 1, 1);
        grid->setRowMinimumHeight(i * 2 + 1, 24);
    }
    grid->setColumnStretch(0, 1);
    auto* defaultsLabel = makeLabel(calibrationFrame, "Oletusarvot Canon BJ-200 Bubble Jet", "Label5");
    grid->addWidget(defaultsLabel, 8, 0, 1, 2);
    auto* calibrationButtons = new QHBoxLayout;
    auto* defaultsButton = makeButton(calibrationFrame, "Command3", "&Palauta oletusarvot");
    auto* loadButton = makeButton(calibrationFrame, "Command5", "&Lataa");
    auto* saveButton = makeButton(calibrationFrame, "Command6", "Tall&enna");
    calibrationButtons->addWidget(defaultsButton);
    calibrationButtons->addStretch(1);
    calibrationButtons->addWidget(loadButton);
    calibrationButtons->addWidget(saveButton);
    grid->addLayout(calibrationButtons, 9, 0, 1, 2);

    interfering_ << calibrationFrame;
    for (int i = 0; i < 4; ++i)
        connect(calibrationBars_[i], &QScrollBar::valueChanged, this, [this, i] { barChanged(i); });
    connect(defaultsButton, &QPushButton::clicked, this, [this] { restoreDefaults(); });
    connect(loadButton, &QPushButton::clicked, this, [this] {
        loadCalibration();
        // What is shown is now what is stored.
        changed_ = false;
    });
    connect(saveButton, &QPushButton::clicked, this, [this] { saveCalibration(); });
    return calibrationFrame;
}

// The coupon with the marker of the print area, and how to feed the coupon.
void CouponPrintWindow::buildPictures(QVBoxLayout* column)
{
    auto* pictureFrame = new QGroupBox(this);
    pictureFrame->setObjectName("Frame4");
    auto* pictureLayout = new QGridLayout(pictureFrame);
    couponImage_ = new QLabel(pictureFrame);
    couponImage_->setObjectName("kupo");
    couponImage_->setPixmap(couponPicture());
    couponImage_->setFixedSize(kCouponPictureWidth, kCouponPictureHeight);
    markerImage_ = new QLabel(couponImage_);
    markerImage_->setObjectName("P2");
    markerImage_->setPixmap(markerPicture());
    markerImage_->setFixedSize(kMarkerWidth, kMarkerHeight);
    auto* printerPic = new QLabel(pictureFrame);
    printerPic->setObjectName("Picture1");
    printerPic->setPixmap(printerPicture());
    pictureLayout->addWidget(couponImage_, 0, 0, 2, 1);
    pictureLayout->addWidget(printerPic, 0, 1, Qt::AlignRight | Qt::AlignTop);
    auto* hint1 = makeLabel(pictureFrame, "Näytöllä näkyvä kuponki näyttää vaakasuunnassa alueen johon tulostetaan.");
    auto* hint2 = makeLabel(pictureFrame, "Kohdistuksessa säädetään tulostusaluetta ja sen kokoa suhteessa kuponkiin.");
    hint1->setWordWrap(true);
    hint2->setWordWrap(true);
    pictureLayout->addWidget(hint1, 2, 0, 1, 2);
    pictureLayout->addWidget(hint2, 3, 0, 1, 2);
    pictureLayout->setColumnStretch(1, 1);
    column->addWidget(pictureFrame);
    auto* hint3 = makeLabel(this, "Aseta kuponki  kirjekuorikaukaloon tai syöttöaukkoon nuolisuunta edellä.");
    auto* hint4 = makeLabel(this, "Voit tallentaa sopivat asetukset ja ladata ne käyttöön.");
    hint3->setWordWrap(true);
    hint4->setWordWrap(true);
    column->addWidget(hint3);
    column->addWidget(hint4);
    column->addStretch(1);
}

void CouponPrintWindow::buildButtons(QVBoxLayout* layout)
{
    auto* buttons = new QHBoxLayout;
    printButton_ = makeButton(this, "Command1", "&Tulosta");
    auto* quitButton = makeButton(this, "Command2", "L&opeta");
    auto* helpButton = makeButton(this, "Command7", "&Apua");
    buttons->addWidget(printButton_);
    buttons->addWidget(quitButton);
    buttons->addStretch(1);
    buttons->addWidget(helpButton);
    layout->addLayout(buttons);

    interfering_ << printButton_ << quitButton << helpButton;
    connect(printButton_, &QPushButton::clicked, this, [this] { printCoupon(); });
    connect(quitButton, &QPushButton::clicked, this, [this] { close(); });
    connect(helpButton, &QPushButton::clicked, this, [this] { services().windows.runCommand(MainCommand::Help); });
    bindDialogKeys(this, printButton_, [this] { close(); });
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
        const QSignalBlocker block(calibrationBars_[i]);
        if (calibrationBars_[i] == leftOffsetBar_)
            leftOffsetBar_->setFigure(values[i]);
        else
            calibrationBars_[i]->setValue(values[i]);
        barChanged(i);
    }
}

CouponCalibration CouponPrintWindow::calibration() const
{
    return {calibrationBars_[0]->value(), leftOffsetBar_->figure(), calibrationBars_[2]->value(),
            calibrationBars_[3]->value()};
}

void CouponPrintWindow::barChanged(int i)
{
    const CalibrationTexts texts = calibrationTexts(calibration());
    const QString shown[4] = {texts.top, texts.left, texts.width, texts.height};
    calibrationBoxes_[i]->setText(shown[i]);
    if (i == 1)
        placeMarker();
    else if (i == 2)
        services().printer.setScaleWidth(calibrationBars_[2]->value());
    else if (i == 3)
        services().printer.setScaleHeight(calibrationBars_[3]->value());
    changed_ = true;
}

void CouponPrintWindow::placeMarker()
{
    const double units = markerLeft(leftOffsetBar_->figure());
    const double share = (units - kMarkerLeftMin) / (kMarkerLeftMax - kMarkerLeftMin);
    const int x = int(std::lround(share * (kCouponPictureWidth - kMarkerWidth)));
    markerImage_->move(x, (kCouponPictureHeight - kMarkerHeight) / 2);
}

void CouponPrintWindow::couponChanged()
{
    couponNumberBox_->setText(QString::number(couponBar_->value()));
    printedRowsList_->clear();
    printedRowsList_->addItem("Kuponki :" + QString::number(couponBar_->value()));
}

CouponOptions CouponPrintWindow::options() const
{
    CouponOptions o;
    if (weekOptions_[0]->isChecked())
        o.weeks = CouponWeeks::Two;
    else if (weekOptions_[1]->isChecked())
        o.weeks = CouponWeeks::Three;
    else if (weekOptions_[2]->isChecked())
        o.weeks = CouponWeeks::Five;
    o.joker1 = joker1Box_->isChecked();
    o.joker2 = joker2Box_->isChecked();
    return o;
}

void CouponPrintWindow::clearWeeks()
{
    QButtonGroup* group = weekOptions_[0]->group();
    group->setExclusive(false);
    for (QRadioButton* option : weekOptions_)
        option->setChecked(false);
    group->setExclusive(true);
}

void CouponPrintWindow::setPrinting(bool printing)
{
    printing_ = printing;
    for (QWidget* w : interfering_)
        w->setEnabled(!printing);
    if (!printing)
        couponBar_->setEnabled(coupons_ > 1);
}

void CouponPrintWindow::printCoupon()
{
    if (printing_ || coupons_ == 0)
        return;
    const SharedState& s = state();
    PrintDevice& printer = services().printer;
    const int coupon = couponBar_->value();
    const CouponCalibration cal = calibration();
    const CouponRows range = couponRows(coupon, std::min<int>(s.RowCount, int(s.Rows.size())));
    const QList<CouponMark> marks = couponMarks(s.Rows, s.RowCount, coupon, cal, options());

    printedRowsList_->clear();
    setPrinting(true);
    const QPoint markerHome = markerImage_->pos();
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
            for (int column = 0; column < 3 * kMatches && markerImage_->y() > 1; ++column)
                markerImage_->move(markerImage_->x() + 1, markerImage_->y() - 1);
            for (; next < marks.size() && marks[next].row == onCoupon; ++next) {
                const CouponMark& m = marks[next];
                printer.setCurrentY(m.y);
                printer.setCurrentX(m.x);
                printer.box(m.x, m.y, m.x + kMarkWidth, m.y + kMarkHeight, true);
            }
            ok = !printer.failed();
            printedRowsList_->addItem(couponRowText(s.Rows[r - 1]));
            // The creeping marker and the growing list are the printing's
            // animation, so they paint row by row; clicks wait for the end.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        if (ok) {
            printer.endDoc();
            ok = !printer.failed();
        } else {
            printer.killDoc();
            printer.endDoc();
        }
    }
    markerImage_->move(markerHome);
    setPrinting(false);
    if (!ok && !printer.cancelled())
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
    const Outcome<> saved = settings.write(
        {{keys::PrintTop, t.top}, {keys::PrintLeft, t.left}, {keys::PrintWidth, t.width}, {keys::PrintHeight, t.height}});
    if (!saved) {
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
