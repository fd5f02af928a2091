#include "rows/ui/couponcolumn.h"

#include "base/ui/dialogkeys.h"

#include "base/rows.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int kRowHeight = 24;
constexpr int kButtonWidth = 30;
constexpr int kGroupGap = 6; // between every three matches, as on the coupon

// The coupon's own colours: pale paper, brown print, the marked box filled.
const char* const kCouponStyle = R"(
CouponColumn, MatchLabelColumn { background: #fbf3dc; border: 1px solid #a0865a; border-radius: 3px; }
QLabel { color: #5b4420; background: transparent; }
QLabel#heading { font-weight: bold; }
QPushButton { background: #ffffff; color: #1a1a1a; border: 1px solid #a0865a; border-radius: 2px;
              font-weight: bold; }
QPushButton:hover { border-color: #5b4420; }
QPushButton:pressed { background: #efe3c0; }
QPushButton:focus { border: 2px solid #2b5fb4; }
QPushButton[marked="true"] { background: #f4cf63; }
)";

// The rows of a column with the gaps of the coupon: `rowAt(m)` makes the row of match m.
template <class MakeRow> void addMatchRows(QVBoxLayout* layout, MakeRow rowAt)
{
    for (int k = 0; k < kMatches; ++k) {
        layout->addLayout(rowAt(k));
        if (k % 3 == 2 && k < kMatches - 1)
            layout->addSpacing(kGroupGap);
    }
}

QLabel* heading(const QString& text, QWidget* parent, int width)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName("heading");
    label->setAlignment(Qt::AlignCenter);
    label->setFixedSize(width, kRowHeight - 4);
    return label;
}

} // namespace

CouponColumn::CouponColumn(const QString& objectName, const std::array<QString, 3>& arrayNames, QWidget* parent)
    : QFrame(parent)
{
    setObjectName(objectName);
    setStyleSheet(kCouponStyle);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(2);

    auto* head = new QHBoxLayout;
    head->setSpacing(4);
    head->addWidget(heading(QString(), this, 22));
    for (char sign : kSigns)
        head->addWidget(heading(QString(QChar::fromLatin1(sign)), this, kButtonWidth));
    layout->addLayout(head);

    addMatchRows(layout, [this, &arrayNames](int k) {
        auto* row = new QHBoxLayout;
        row->setSpacing(4);
        auto* number = new QLabel(QString::number(k + 1), this);
        number->setFixedSize(22, kRowHeight);
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        row->addWidget(number);
        for (int s = 0; s < 3; ++s) {
            auto* b = new QPushButton(this);
            // Enter accepts the whole row, not the sign under the focus.
            b->setProperty(kEnterGoesToDefault, true);
            b->setObjectName(QStringLiteral("%1_%2").arg(arrayNames[s]).arg(k));
            b->setFixedSize(kButtonWidth, kRowHeight);
            b->setFocusPolicy(Qt::StrongFocus);
            b->setAccessibleName(QStringLiteral("%1 %2").arg(k + 1).arg(QChar::fromLatin1(kSigns[s])));
            b->installEventFilter(this);
            connect(b, &QPushButton::clicked, this, [this, s, k] { emit signClicked(s, k); });
            buttons_[s][k] = b;
            row->addWidget(b);
        }
        return row;
    });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void CouponColumn::setMarked(int sign, int match, bool marked)
{
    QPushButton* b = buttons_[sign][match];
    b->setText(marked ? QString(QChar::fromLatin1(kSigns[sign])) : QString());
    b->setProperty("marked", marked);
    b->style()->unpolish(b);
    b->style()->polish(b);
}

bool CouponColumn::isMarked(int sign, int match) const
{
    return !buttons_[sign][match]->text().isEmpty();
}

QList<QWidget*> CouponColumn::tabOrder() const
{
    QList<QWidget*> order;
    for (int k = 0; k < kMatches; ++k)
        for (int s = 0; s < 3; ++s)
            order << buttons_[s][k];
    return order;
}

bool CouponColumn::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    int sign = -1, match = -1;
    for (int s = 0; s < 3; ++s)
        for (int k = 0; k < kMatches; ++k)
            if (buttons_[s][k] == watched)
                sign = s, match = k;
    if (sign < 0)
        return QFrame::eventFilter(watched, event);

    const auto* key = static_cast<QKeyEvent*>(event);
    auto focus = [this](int s, int k) { buttons_[s][std::clamp(k, 0, kMatches - 1)]->setFocus(Qt::TabFocusReason); };
    int typed = -1;
    switch (key->key()) {
    case Qt::Key_1:
        typed = 0;
        break;
    case Qt::Key_X:
        typed = 1;
        break;
    case Qt::Key_2:
        typed = 2;
        break;
    case Qt::Key_Up:
        focus(sign, match - 1);
        return true;
    case Qt::Key_Down:
        focus(sign, match + 1);
        return true;
    case Qt::Key_Left:
        focus(std::max(sign - 1, 0), match);
        return true;
    case Qt::Key_Right:
        focus(std::min(sign + 1, 2), match);
        return true;
    default:
        return QFrame::eventFilter(watched, event);
    }
    buttons_[typed][match]->click();
    focus(typed, match + 1);
    return true;
}

MatchLabelColumn::MatchLabelColumn(const QString& objectName, const QString& labelName, const QString& headingText,
                                   QWidget* parent)
    : QFrame(parent)
{
    setObjectName(objectName);
    setStyleSheet(kCouponStyle);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 8);
    layout->setSpacing(2);
    auto* head = new QHBoxLayout;
    head->addWidget(heading(headingText, this, 40));
    layout->addLayout(head);
    addMatchRows(layout, [this, &labelName](int k) {
        auto* row = new QHBoxLayout;
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("%1_%2").arg(labelName).arg(k));
        label->setFixedSize(40, kRowHeight);
        label->setAlignment(Qt::AlignCenter);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        labels_[k] = label;
        row->addWidget(label);
        return row;
    });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}
