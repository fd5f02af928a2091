#pragma once

#include "base/ui/windownames.h"
#include "support/testenv.h"
#include "support/useractions.h"
#include "support/windowtest.h"

#include <QDeadlineTimer>
#include <QFutureWatcher>
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

// Waits until `shown` holds, looking again each time `sender` emits `signal`;
// false when that has not come about within `ms`.
inline bool signalShows(QObject* sender, const char* signal, const std::function<bool()>& shown, int ms = 20000)
{
    QSignalSpy heard(sender, signal);
    const QDeadlineTimer deadline(ms);
    while (!shown())
        if (deadline.hasExpired() || !heard.wait(int(deadline.remainingTime())))
            return false;
    return true;
}

// The same, looking each time the window signals that it has shown what its
// work (a count, a search, an analysis) ended with.
inline bool workShows(QWidget* window, const std::function<bool()>& shown, int ms = 20000)
{
    return signalShows(window, SIGNAL(workDone()), shown, ms);
}

// The window's background job, whose start and progress tests wait on.
inline QFutureWatcherBase* jobOf(QWidget* window)
{
    return window->findChild<QFutureWatcherBase*>();
}

inline QPushButton* button(QWidget* window, const QString& name)
{
    return control<QPushButton>(window, name);
}

} // namespace systemswindows
