#pragma once

#include "base/ui/windownames.h"
#include "support/testenv.h"
#include "support/windowtest.h"

#include <QFile>

// A random-row task as the basic-row window leaves it.
inline void enterBasicRow(SharedState& s, const QString& signs)
{
    for (int k = 0; k < kMatches; ++k) {
        for (int sign = 0; sign < 3; ++sign)
            s.BasicMarks[sign][k] = 0;
        s.BasicSigns[k] = signs.mid(k, 1);
        s.BasicMarks[signIndex(signs[k].toLatin1())][k] = 1;
    }
    s.BasicSignCount = kMatches;
}

inline void startRandomTask(TestEnv& env, const QString& basic = "1X21X21X21X21")
{
    ResetTaskState(env.state);
    env.state.RandomTask = 1;
    enterBasicRow(env.state, basic);
    // The main window is disabled while the task's windows are open.
    env.mainWindow.setEnabled(false);
}

// A random-row system as the pattern window leaves it: per match the marked signs.
inline void markSystem(SharedState& s, const QStringList& pattern)
{
    s.DrawMode = 1;
    s.HalfGuardCount = 0;
    s.FullGuardCount = 0;
    s.FullGuardTotal = 0;
    s.FullGuardFlags.fill(0);
    for (int k = 0; k < kMatches; ++k) {
        for (int sign = 0; sign < 3; ++sign)
            s.SystemMarks[sign][k] = pattern[k].contains(QChar(kSigns[sign]));
        if (pattern[k].size() == 2)
            ++s.HalfGuardCount;
        if (pattern[k].size() == 3) {
            ++s.FullGuardCount;
            ++s.FullGuardTotal;
            s.FullGuardFlags[k] = 1;
        }
    }
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
