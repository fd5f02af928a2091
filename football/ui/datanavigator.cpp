#include "football/ui/datanavigator.h"

#include "football/recordset.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace football {

DataNavigator::DataNavigator(QWidget* parent, const QString& name) : QFrame(parent)
{
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    auto arrow = [this, row, &name](const char* suffix, Qt::ArrowType type, bool end, Move move, const QString& tip) {
        auto* b = new QToolButton(this);
        b->setObjectName(name + "_" + suffix);
        b->setArrowType(type);
        b->setToolTip(tip);
        b->setAutoRaise(true);
        if (end) {
            b->setText(type == Qt::LeftArrow ? "|◀" : "▶|");
            b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        }
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, move] { emit moveRequested(move); });
        row->addWidget(b);
    };
    arrow("first", Qt::LeftArrow, true, First, "Ensimmäinen");
    arrow("previous", Qt::LeftArrow, false, Previous, "Edellinen");
    caption_ = new QLabel(this);
    caption_->setObjectName(name + "_caption");
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setMinimumWidth(120);
    row->addWidget(caption_, 1);
    arrow("next", Qt::RightArrow, false, Next, "Seuraava");
    arrow("last", Qt::RightArrow, true, Last, "Viimeinen");
}

void DataNavigator::setCaption(const QString& caption)
{
    caption_->setText(caption);
}

QString DataNavigator::caption() const
{
    return caption_->text();
}

void applyMove(RecordSet& records, DataNavigator::Move move)
{
    switch (move) {
    case DataNavigator::First:
        records.moveFirst();
        break;
    case DataNavigator::Previous:
        records.movePrevious();
        if (records.bof())
            records.moveFirst();
        break;
    case DataNavigator::Next:
        records.moveNext();
        if (records.eof())
            records.moveLast();
        break;
    case DataNavigator::Last:
        records.moveLast();
        break;
    }
}

} // namespace football
