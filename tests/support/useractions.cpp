#include "support/useractions.h"

#include "support/windowtest.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWindow>

void focusOn(QWidget* widget)
{
    ASSERT_TRUE(widget);
    QWidget* window = widget->window();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window, 2000)) << window->objectName().toStdString();
    widget->setFocus(Qt::TabFocusReason);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), widget) << widget->objectName().toStdString();
}

void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* focused = QApplication::focusWidget();
    ASSERT_TRUE(focused) << "no widget has the keyboard focus";
    QTest::keyClick(focused, key, modifiers);
    settle();
}

QPoint barPart(QScrollBar* bar, QStyle::SubControl part)
{
    // What QScrollBar hands its style; the widget keeps its own copy protected.
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    if (bar->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    const QRect rect = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
    EXPECT_FALSE(rect.isEmpty()) << "the style draws no such part on " << bar->objectName().toStdString();
    return rect.center();
}

void clickBar(QScrollBar* bar, QStyle::SubControl part, int times)
{
    ASSERT_TRUE(bar);
    for (int i = 0; i < times; ++i) {
        // Where the part is now: a page click moves the handle and the page area with it.
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, barPart(bar, part));
        settle();
    }
}

void stepBarTo(QScrollBar* bar, int value)
{
    ASSERT_TRUE(bar);
    while (bar->value() != value) {
        const int before = bar->value();
        clickBar(bar, before < value ? QStyle::SC_ScrollBarAddLine : QStyle::SC_ScrollBarSubLine);
        ASSERT_NE(bar->value(), before) << qPrintable(bar->objectName()) << " does not move towards " << value;
    }
}

void dragHandle(QScrollBar* bar, int pixels)
{
    ASSERT_TRUE(bar);
    const QPoint from = barPart(bar, QStyle::SC_ScrollBarSlider);
    const QPoint step = bar->orientation() == Qt::Horizontal ? QPoint(1, 0) : QPoint(0, 1);
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(bar, from + step * (pixels / 2));
    QTest::mouseMove(bar, from + step * pixels);
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, from + step * pixels);
    settle();
}

QWidget* openList(QComboBox* combo)
{
    if (!combo)
        return nullptr;
    focusOn(combo);
    pressKey(Qt::Key_F4);
    QWidget* popup = QApplication::activePopupWidget();
    EXPECT_TRUE(popup && combo->view()->isVisible())
        << "the list of " << combo->objectName().toStdString() << " did not open";
    return popup;
}

bool chooseFromList(QComboBox* combo, const QString& text)
{
    if (!openList(combo))
        return false;
    const int wanted = combo->findText(text);
    if (wanted < 0) {
        pressKey(Qt::Key_Escape);
        ADD_FAILURE() << "no item " << text.toStdString() << " in " << combo->objectName().toStdString();
        return false;
    }
    QAbstractItemView* view = combo->view();
    for (int steps = 0; steps <= combo->count() + 1 && view->currentIndex().row() != wanted; ++steps)
        pressKey(view->currentIndex().row() < wanted ? Qt::Key_Down : Qt::Key_Up);
    pressKey(Qt::Key_Return);
    return combo->currentText() == text;
}

void closeFromTitleBar(QWidget* window)
{
    ASSERT_TRUE(window && window->windowHandle());
    // Through the native window, as the window manager's close request comes.
    window->windowHandle()->close();
    settle();
}
