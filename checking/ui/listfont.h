#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QListView>
#include <QStringListModel>

// The listings line their columns up with blanks, so they need a fixed-pitch font.
inline QFont listingFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({"Courier New", "Liberation Mono", "DejaVu Sans Mono", font.family()});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

// A read-only list of text lines that stays quick with tens of thousands of them.
inline QListView* makeListing(QWidget* parent, const QString& name, QStringListModel* model, int columns)
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
