#pragma once

#include <QFont>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QListView;
class QPushButton;
class QStringListModel;
class QWidget;

// Controls carry the object names windows and tests find them by.
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption);
// A label showing `text` as it stands (never as markup); named when `name` is given.
QLabel* makeLabel(QWidget* parent, const QString& text, const QString& name = QString());
QCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& caption);
QRadioButton* makeRadio(QWidget* parent, const QString& name, const QString& caption);
// A text box wide enough for `minimumChars` digits.
QLineEdit* makeEdit(QWidget* parent, const QString& name, int minimumChars = 0);
// A label for `buddy` whose "&" letter moves the focus to it.
QLabel* makeBuddyLabel(QWidget* parent, const QString& caption, QWidget* buddy);

// The listings line their columns up with blanks, so they need a fixed-pitch
// font: "Courier New" where it exists, else its closest match.
QFont listingFont();

// A read-only list of text lines that stays quick with tens of thousands of
// them, wide enough for `columns` characters.
QListView* makeListing(QWidget* parent, const QString& name, QStringListModel* model, int columns);
