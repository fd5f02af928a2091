#pragma once

#include "base/ui/featurewindow.h"
#include "base/ui/scrollbars.h"
#include "footballdata.h"
#include "support/testenv.h"
#include "support/useractions.h"
#include "support/windowtest.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QScrollBar>
#include <QTableView>

// Helpers for driving the football windows.

// Chooses `text` from a drop-down list as the user does: the list is opened
// (the windows fill some lists only then) and the item picked.
inline void pick(QObject* root, const QString& name, const QString& text)
{
    auto* combo = control<QComboBox>(root, name);
    ASSERT_TRUE(combo);
    combo->showPopup();
    combo->hidePopup();
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << "no item " << text.toStdString() << " in " << name.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
    settle();
}

// Types into the text part of an editable combo box.
inline void typeCombo(QObject* root, const QString& name, const QString& text)
{
    auto* combo = control<QComboBox>(root, name);
    ASSERT_TRUE(combo && combo->isEditable());
    combo->setEditText(text);
    settle();
}

inline void slide(QObject* root, const QString& name, int value)
{
    auto* bar = control<QScrollBar>(root, name);
    ASSERT_TRUE(bar);
    stepBarTo(bar, value);
}

inline QList<QStringList> gridRows(QObject* root, const QString& name = "Grid1")
{
    QList<QStringList> rows;
    auto* view = control<QTableView>(root, name);
    if (!view)
        return rows;
    const QAbstractItemModel* m = view->model();
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < m->columnCount(); ++c)
            row << m->index(r, c).data().toString();
        rows << row;
    }
    return rows;
}

// The test's own connection to the program directory's databases, for
// seeding them and for looking at what the windows wrote.
struct FootballWindowTest : ::testing::Test {
    TestEnv env;
    std::unique_ptr<FootballDb> db;
    void SetUp() override
    {
        auto opened = FootballDb::openWithForm(env.dir.path());
        ASSERT_TRUE(opened) << opened.failure().message.toStdString();
        db = std::move(opened).valueOr(nullptr);
        env.mainWindow.setEnabled(false); // as the main window leaves itself when it opens one
    }
    QWidget* open(const QString& name)
    {
        QWidget* w = env.open(name);
        EXPECT_TRUE(w) << name.toStdString();
        settle();
        return w;
    }
};
