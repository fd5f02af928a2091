#pragma once

#include "base/ui/windownames.h"
#include "support/testenv.h"
#include "support/useractions.h"
#include "support/windowtest.h"

#include <QDeadlineTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>

// Driving the systems windows as a player does.
namespace systemswindows {

// Marks a frame on a coupon from the keyboard, from the focused match on: the
// keys 1, X and 2 mark a sign and step to the next match, so a match of more
// signs steps back up between them. "" leaves a match as it is.
inline void typeFrame(QWidget* firstButton, const std::array<const char*, 13>& groups)
{
    focusOn(firstButton);
    for (int match = 0; match < 13; ++match) {
        const char* group = groups[std::size_t(match)];
        if (!*group) {
            pressKey(Qt::Key_Down);
            continue;
        }
        for (const char* c = group; *c; ++c) {
            // The last match keeps the focus after its sign.
            if (c != group && match < 12)
                pressKey(Qt::Key_Up);
            pressKey(*c == '1' ? Qt::Key_1 : *c == 'X' ? Qt::Key_X : Qt::Key_2);
        }
    }
}

// Waits, letting the window's events run, until `done` holds or 20 s have passed.
inline bool waitUntil(const std::function<bool()>& done, int ms = 20000)
{
    return QTest::qWaitFor(done, ms);
}

// Waits until `shown` holds, looking again each time the window signals that
// it has shown what its work (a count, a search, an analysis) ended with; false
// when that has not come about within `ms`.
inline bool workShows(QWidget* window, const std::function<bool()>& shown, int ms = 20000)
{
    QSignalSpy done(window, SIGNAL(workDone()));
    const QDeadlineTimer deadline(ms);
    while (!shown())
        if (deadline.hasExpired() || !done.wait(int(deadline.remainingTime())))
            return false;
    return true;
}

inline QPushButton* button(QWidget* window, const QString& name)
{
    return control<QPushButton>(window, name);
}

} // namespace systemswindows
