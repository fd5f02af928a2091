#include "systems/ui/matchnumbersbox.h"

#include "base/boundedread.h"
#include "base/texts.h"
#include "base/ui/controls.h"
#include "systems/pruningfile.h"
#include "systems/ui/pruningfileflows.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// A file of numbers or conditions is small; anything much larger is not one.
constexpr qint64 kMostTextFileBytes = 1 << 20;

// While a cell is being edited, Enter and Escape belong to the cell: they
// take or drop what was typed, never press the window's buttons.
class CellKeys : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    bool eventFilter(QObject* editor, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
                event->accept();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(editor, event);
    }
};

} // namespace

std::optional<QByteArray> readSmallFileBytes(const QString& path)
{
    // Never waits on a pipe, and refuses anything that is no regular file.
    BoundedRead read = readAtMost(path, kMostTextFileBytes);
    if (!read)
        return std::nullopt;
    return std::move(*read);
}

std::optional<QString> readSmallText(const QString& path)
{
    const std::optional<QByteArray> bytes = readSmallFileBytes(path);
    if (!bytes)
        return std::nullopt;
    return QString::fromUtf8(*bytes);
}

MatchNumbersBox::MatchNumbersBox(AppContext& context, QWidget* parent)
    : QGroupBox(QString::fromUtf8("Todennäköisyydet ja pelijakauma"), parent), context_(context)
{
    setObjectName("lukuryhma");
    table_ = new QTableWidget(kFrameMatches, 6, this);
    table_->setObjectName("luvut");
    table_->setHorizontalHeaderLabels({"1", "X", "2", "Pel. 1 %", "Pel. X %", "Pel. 2 %"});
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->setTabKeyNavigation(false);
    table_->setItemDelegate(new CellKeys(table_));
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    table_->setAccessibleName(QString::fromUtf8("Todennäköisyydet ja pelijakauma kohteittain"));
    table_->setToolTip(QString::fromUtf8("Kohteittain merkkien 1, X ja 2 todennäköisyydet prosentteina tai "
                                         "kertoimina, ja pelaajien pelijakauma prosentteina"));
    for (int r = 0; r < kFrameMatches; ++r)
        for (int c = 0; c < 6; ++c) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, cell);
        }
    percentRadio_ = makeRadio(this, "prosentit", "P&rosentteina");
    oddsRadio_ = makeRadio(this, "kertoimet", "Kertoimi&na");
    percentRadio_->setChecked(true);
    loadChancesButton_ = makeButton(this, "lataatodnak", QString::fromUtf8("Lataa todennäk&öisyydet..."));
    loadPublicButton_ = makeButton(this, "lataapelijakauma", "Lataa &pelijakauma...");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(percentRadio_);
    kinds->addWidget(oddsRadio_);
    kinds->addStretch(1);
    layout->addLayout(kinds);
    auto* loads = new QHBoxLayout;
    loads->addWidget(loadChancesButton_);
    loads->addWidget(loadPublicButton_);
    layout->addLayout(loads);

    connect(table_, &QTableWidget::itemChanged, this, [this] {
        if (!filling_)
            emit changed();
    });
    connect(oddsRadio_, &QRadioButton::toggled, this, [this] {
        if (!filling_)
            emit changed();
    });
    connect(loadChancesButton_, &QPushButton::clicked, this, [this] { load(false); });
    connect(loadPublicButton_, &QPushButton::clicked, this, [this] { load(true); });
}

QList<QWidget*> MatchNumbersBox::tabOrder() const
{
    return {table_, percentRadio_, oddsRadio_, loadChancesButton_, loadPublicButton_};
}

std::optional<MatchNumbers> MatchNumbersBox::numbers(bool publicShares, QString& problem) const
{
    const int first = publicShares ? 3 : 0;
    int filled = 0;
    for (int r = 0; r < kFrameMatches; ++r)
        for (int c = 0; c < 3; ++c)
            filled += !table_->item(r, first + c)->text().trimmed().isEmpty();
    if (filled == 0)
        return std::nullopt;
    MatchNumbers numbers;
    numbers.odds = !publicShares && oddsRadio_->isChecked();
    const QString what = publicShares ? QString::fromUtf8("pelijakauma") : QString::fromUtf8("todennäköisyydet");
    for (int r = 0; r < kFrameMatches; ++r)
        for (int c = 0; c < 3; ++c) {
            const QString text = table_->item(r, first + c)->text().trimmed();
            const std::optional<double> x = parseDecimal(text);
            if (!x) {
                problem = text.isEmpty() ? QString::fromUtf8("Kohteen %1 %2 puuttuvat !").arg(r + 1).arg(what)
                                         : QString::fromUtf8("Kohteen %1 luku %2 ei kelpaa !").arg(r + 1).arg(text);
                return std::nullopt;
            }
            numbers.numbers[std::size_t(r)][std::size_t(c)] = *x;
        }
    problem = numbersProblem(numbers);
    if (!problem.isEmpty())
        return std::nullopt;
    return numbers;
}

void MatchNumbersBox::showNumbers(const std::optional<MatchNumbers>& numbers, bool publicShares)
{
    filling_ = true;
    const int first = publicShares ? 3 : 0;
    for (int r = 0; r < kFrameMatches; ++r)
        for (int c = 0; c < 3; ++c)
            table_->item(r, first + c)
                ->setText(numbers ? exactNumberText(numbers->numbers[std::size_t(r)][std::size_t(c)]) : QString());
    if (numbers && !publicShares)
        (numbers->odds ? oddsRadio_ : percentRadio_)->setChecked(true);
    filling_ = false;
}

MatchNumbersBox::Typed MatchNumbersBox::typed() const
{
    Typed typed;
    typed.odds = oddsRadio_->isChecked();
    for (int r = 0; r < table_->rowCount(); ++r)
        for (int c = 0; c < table_->columnCount(); ++c)
            typed.cells << table_->item(r, c)->text();
    return typed;
}

void MatchNumbersBox::showTyped(const Typed& typed)
{
    if (typed.cells.size() != table_->rowCount() * table_->columnCount())
        return;
    filling_ = true;
    for (int r = 0; r < table_->rowCount(); ++r)
        for (int c = 0; c < table_->columnCount(); ++c)
            table_->item(r, c)->setText(typed.cells[r * table_->columnCount() + c]);
    (typed.odds ? oddsRadio_ : percentRadio_)->setChecked(true);
    filling_ = false;
}

void MatchNumbersBox::load(bool publicShares)
{
    FileDialogRequest request;
    request.title = publicShares ? QString::fromUtf8("Valitse pelijakauman tiedosto")
                                 : QString::fromUtf8("Valitse todennäköisyyksien tiedosto");
    request.filter = "Tekstitiedostot (*.TXT)|*.TXT|Kaikki (*.*)|*.*";
    const QString path = context_.services.fileDialogs.openFile(request);
    returnToProgramDir(context_);
    if (path.isEmpty())
        return;
    const std::optional<QString> text = readSmallText(path);
    if (!text) {
        context_.services.messages.show(QString::fromUtf8(Texts::FileUnreadable) + ' ' + path, Messages::Critical);
        return;
    }
    QString error;
    const bool odds = !publicShares && oddsRadio_->isChecked();
    std::optional<MatchNumbers> numbers = parseMatchNumbers(*text, odds, error);
    // A file of odds read as percentages adds up to far from 100 on every
    // line; read as odds it does, so it is taken as odds.
    QString why;
    if (!numbers && !publicShares && !odds && (numbers = parseMatchNumbers(*text, true, why)))
        emit notice(QString::fromUtf8("Luvut luettiin kertoimina."));
    if (!numbers) {
        context_.services.messages.show(QFileInfo(path).fileName() + ": " + error, Messages::Critical);
        return;
    }
    showNumbers(numbers, publicShares);
    emit changed();
}
