#include "base/ui/controls.h"
#include "base/texts.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QStyle>

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLabel* makeLabel(QWidget* parent, const QString& text, const QString& name)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

QCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    // As wide as its caption: only the caption and the box take a click.
    box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return box;
}

QRadioButton* makeRadio(QWidget* parent, const QString& name, const QString& caption)
{
    auto* radio = new QRadioButton(caption, parent);
    radio->setObjectName(name);
    radio->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return radio;
}

QLineEdit* makeEdit(QWidget* parent, const QString& name, int minimumChars)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (minimumChars > 0)
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance('0') * minimumChars + 12);
    return edit;
}

QLabel* makeBuddyLabel(QWidget* parent, const QString& caption, QWidget* buddy)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

QFont listingFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({Texts::ListingFont, Texts::ListingFontStandIn, Texts::ListingFontLastStandIn, font.family()});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

QListView* makeListing(QWidget* parent, const QString& name, QStringListModel* model, int columns)
{
    auto* list = new QListView(parent);
    list->setObjectName(name);
    list->setModel(model);
    list->setFont(listingFont());
    list->setUniformItemSizes(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const QFontMetrics metrics(list->font());
    list->setMinimumWidth(metrics.horizontalAdvance(QString(columns, QChar('0'))) + 2 * list->frameWidth() +
                          list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);
    return list;
}
